#include "core/resources.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "core/core_strings.h"
#include "core/exceptions.h"
#include "core/format.h"

namespace {

std::string Folded(std::string_view Name) {
  std::string key(Name);
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
  return key;
}

std::map<std::string, std::string_view>& Entries() {
  static std::map<std::string, std::string_view> entries;
  return entries;
}

}  // namespace

void TResourceRegistry::Add(std::string_view Name, const unsigned char* Data, size_t Size) {
  Entries()[Folded(Name)] = std::string_view(reinterpret_cast<const char*>(Data), Size);
}

std::string_view TResourceRegistry::Find(std::string_view Name) {
  auto it = Entries().find(Folded(Name));
  return it == Entries().end() ? std::string_view() : it->second;
}

bool TResourceRegistry::Exists(std::string_view Name) {
  return Entries().count(Folded(Name)) != 0;
}

std::string_view TResourceRegistry::Load(std::string_view Name) {
  auto it = Entries().find(Folded(Name));
  if (it == Entries().end()) throw EResNotFound(Format(LoadResString(SResNotFound), Name));
  return it->second;
}
