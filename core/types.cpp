#include "core/types.h"

int TEnumInfo::OrdinalOf(std::string_view Name) const {
  for (size_t i = 0; i < Names.size(); ++i) {
    if (Names[i] == Name) return static_cast<int>(i);
  }
  return -1;
}
