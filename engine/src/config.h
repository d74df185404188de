// The engine's configuration: where its file is found, and the aliases it defines.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ini_file.h"

namespace dbengine {

struct TAlias {
  std::string name;
  std::string driver;           // "STANDARD" unless the alias says otherwise
  std::string folder;           // absolute; empty when the alias has no PATH
  std::vector<TIniEntry> info;  // the "DB INFO" rows as written (PATH resolved)
  std::vector<TIniEntry> open;  // the "DB OPEN" rows
};

class TConfig {
 public:
  // Finds and reads the configuration file: explicitPath when not empty, else the search that
  // engine/README.md describes. A named file that cannot be read is ENG_ERR_CONFIG_FILE; finding none
  // leaves the configuration empty.
  void Load(const std::string& explicitPath);
  void Clear();

  const std::string& FilePath() const { return filePath_; }
  std::optional<TAlias> FindAlias(const std::string& name) const;
  // Why an alias lookup found nothing: names the file or the places searched.
  std::string WhereLooked() const;

 private:
  std::string filePath_;
  std::vector<std::string> searched_;
  TIniFile ini_;
};

// An alias built from "NAME=value" lines (session aliases); relative PATHs resolve against baseFolder.
TAlias MakeAlias(const std::string& name, const std::string& driver, const std::vector<TIniEntry>& info,
                 const std::string& baseFolder);

// Resolves a folder name against a base folder and normalises it (no "." or ".." parts).
std::string ResolveFolder(const std::string& base, const std::string& path);

}  // namespace dbengine
