#include "core/resources.h"

#include <map>

#include "core/core_strings.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/text.h"

namespace {

std::map<std::string, std::string_view>& Entries() {
  static std::map<std::string, std::string_view> entries;
  return entries;
}

}  // namespace

void TResourceRegistry::Add(std::string_view Name, const unsigned char* Data, size_t Size) {
  Entries()[LowerCase(Name)] = std::string_view(reinterpret_cast<const char*>(Data), Size);
}

std::string_view TResourceRegistry::Find(std::string_view Name) {
  auto it = Entries().find(LowerCase(Name));
  return it == Entries().end() ? std::string_view() : it->second;
}

bool TResourceRegistry::Exists(std::string_view Name) {
  return Entries().count(LowerCase(Name)) != 0;
}

std::string_view TResourceRegistry::Load(std::string_view Name) {
  auto it = Entries().find(LowerCase(Name));
  if (it == Entries().end()) throw EResNotFound(Format(LoadResString(SResNotFound), Name));
  return it->second;
}
