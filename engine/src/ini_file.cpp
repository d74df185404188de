#include "ini_file.h"

#include <fstream>
#include <sstream>

#include "status.h"
#include "text.h"

namespace dbengine {

const std::string* TIniSection::Find(std::string_view key) const {
  for (const auto& entry : entries) {
    if (EqualsIgnoringCase(entry.name, key)) return &entry.value;
  }
  return nullptr;
}

TIniFile TIniFile::Parse(std::string_view text, const std::string& origin) {
  TIniFile file;
  TIniSection* current = nullptr;
  size_t lineNumber = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    ++lineNumber;
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    const auto where = [&] { return origin + ":" + std::to_string(lineNumber); };
    if (line.front() == '[') {
      if (line.back() != ']') Fail(ENG_ERR_CONFIG_FILE, where() + ": section line without ']'");
      const std::string name(Trim(line.substr(1, line.size() - 2)));
      if (name.empty()) Fail(ENG_ERR_CONFIG_FILE, where() + ": empty section name");
      current = nullptr;
      for (auto& section : file.sections_) {
        if (EqualsIgnoringCase(section.name, name)) current = &section;
      }
      if (current == nullptr) {
        file.sections_.push_back({name, {}});
        current = &file.sections_.back();
      }
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) Fail(ENG_ERR_CONFIG_FILE, where() + ": expected NAME=value");
    if (current == nullptr) Fail(ENG_ERR_CONFIG_FILE, where() + ": NAME=value before the first [section]");
    const std::string name(Trim(line.substr(0, equals)));
    if (name.empty()) Fail(ENG_ERR_CONFIG_FILE, where() + ": empty name before '='");
    std::string value(Trim(line.substr(equals + 1)));
    bool replaced = false;
    for (auto& entry : current->entries) {
      if (EqualsIgnoringCase(entry.name, name)) {
        entry.value = value;
        replaced = true;
      }
    }
    if (!replaced) current->entries.push_back({name, std::move(value)});
  }
  return file;
}

TIniFile TIniFile::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(ENG_ERR_CONFIG_FILE, "Cannot read configuration file " + FitPath(path));
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) Fail(ENG_ERR_CONFIG_FILE, "Cannot read configuration file " + FitPath(path));
  const auto slash = path.find_last_of('/');
  try {
    return Parse(text.str(), slash == std::string::npos ? path : path.substr(slash + 1));
  } catch (EEngineFault& fault) {
    fault.With(ENG_ERR_CONFIG_FILE, "File: " + FitPath(path, ENG_MAX_MSG_LEN - 6));
    throw;
  }
}

const TIniSection* TIniFile::Find(std::string_view section) const {
  for (const auto& candidate : sections_) {
    if (EqualsIgnoringCase(candidate.name, section)) return &candidate;
  }
  return nullptr;
}

}  // namespace dbengine
