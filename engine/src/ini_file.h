// The INI text of the configuration and registry files: "[section]" lines, then NAME=value lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dbengine {

struct TIniEntry {
  std::string name;
  std::string value;
};

struct TIniSection {
  std::string name;
  std::vector<TIniEntry> entries;
  // The value of name (compared ignoring case), or nullptr.
  const std::string* Find(std::string_view name) const;
};

class TIniFile {
 public:
  // Lines starting with ';' or '#' are comments; blanks around names and values are dropped; sections of
  // the same name are merged. Throws EEngineFault (ENG_ERR_CONFIG_FILE) naming origin and line.
  static TIniFile Parse(std::string_view text, const std::string& origin);
  // Reads and parses a file; ENG_ERR_CONFIG_FILE when it cannot be read.
  static TIniFile Load(const std::string& path);

  const TIniSection* Find(std::string_view section) const;  // name compared ignoring case
  const std::vector<TIniSection>& Sections() const { return sections_; }

 private:
  std::vector<TIniSection> sections_;
};

}  // namespace dbengine
