#include "config.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "status.h"
#include "text.h"

namespace dbengine {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDatabasesPrefix = "DATABASES\\";

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string FolderOf(const std::string& path) {
  const fs::path parent = fs::absolute(fs::path(path)).parent_path();
  return parent.string();
}

// The registry value "CONFIGFILE01" under "Software\Database Engine", from the per-user registry file,
// then the system one. A relative value is taken relative to the registry file's folder.
std::optional<std::string> RegistryConfigFile(std::vector<std::string>& searched) {
  std::vector<std::string> files;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (xdg != nullptr && *xdg != '\0') {
    files.push_back(std::string(xdg) + "/dbengine/registry.ini");
  } else if (home != nullptr && *home != '\0') {
    files.push_back(std::string(home) + "/.config/dbengine/registry.ini");
  }
  files.push_back("/etc/xdg/dbengine/registry.ini");
  for (const auto& file : files) {
    searched.push_back(file);
    if (!FileExists(file)) continue;
    const TIniFile registry = TIniFile::Load(file);
    const TIniSection* key = registry.Find("Software\\Database Engine");
    const std::string* value = key != nullptr ? key->Find("CONFIGFILE01") : nullptr;
    if (value == nullptr || value->empty()) continue;
    return ResolveFolder(FolderOf(file), *value);
  }
  return std::nullopt;
}

// "dbengine.cfg" in the folder that holds this library.
std::optional<std::string> ConfigBesideLibrary(std::vector<std::string>& searched) {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&EngineInit), &info) == 0 || info.dli_fname == nullptr)
    return std::nullopt;
  const std::string candidate = FolderOf(info.dli_fname) + "/dbengine.cfg";
  searched.push_back(candidate);
  if (FileExists(candidate)) return candidate;
  return std::nullopt;
}

}  // namespace

std::string ResolveFolder(const std::string& base, const std::string& path) {
  fs::path result(path);
  if (result.is_relative()) result = fs::path(base) / result;
  result = result.lexically_normal();
  std::string text = result.string();
  while (text.size() > 1 && text.back() == '/')
    text.pop_back();
  return text;
}

TAlias MakeAlias(const std::string& name, const std::string& driver, const std::vector<TIniEntry>& info,
                 const std::string& baseFolder) {
  TAlias alias;
  alias.name = name;
  alias.driver = driver.empty() ? "STANDARD" : driver;
  for (const auto& entry : info) {
    TIniEntry row = entry;
    if (EqualsIgnoringCase(entry.name, "TYPE") && !entry.value.empty() && driver.empty()) {
      alias.driver = entry.value;
    }
    if (EqualsIgnoringCase(entry.name, "PATH") && !entry.value.empty()) {
      alias.folder = ResolveFolder(baseFolder, entry.value);
      row.value = alias.folder;
    }
    alias.info.push_back(std::move(row));
  }
  return alias;
}

void TConfig::Load(const std::string& explicitPath) {
  Clear();
  std::optional<std::string> path;
  if (!explicitPath.empty()) {
    path = explicitPath;
  } else if (const char* fromEnvironment = std::getenv("DBENGINE_CONFIG");
             fromEnvironment != nullptr && *fromEnvironment != '\0') {
    searched_.push_back(std::string("$DBENGINE_CONFIG = ") + fromEnvironment);
    path = fromEnvironment;
  } else {
    path = RegistryConfigFile(searched_);
    if (!path) path = ConfigBesideLibrary(searched_);
  }
  if (!path) return;
  ini_ = TIniFile::Load(*path);
  filePath_ = fs::absolute(fs::path(*path)).lexically_normal().string();
}

void TConfig::Clear() {
  filePath_.clear();
  searched_.clear();
  ini_ = TIniFile();
}

std::optional<TAlias> TConfig::FindAlias(const std::string& name) const {
  if (name.empty() || filePath_.empty()) return std::nullopt;
  const std::string prefix = std::string(kDatabasesPrefix) + name + "\\";
  const TIniSection* info = ini_.Find(prefix + "DB INFO");
  if (info == nullptr) return std::nullopt;
  TAlias alias = MakeAlias(name, "", info->entries, FolderOf(filePath_));
  if (const TIniSection* open = ini_.Find(prefix + "DB OPEN")) alias.open = open->entries;
  return alias;
}

std::string TConfig::WhereLooked() const {
  if (!filePath_.empty()) return "not in " + FitPath(filePath_, 100);
  std::string text = "no configuration file";
  if (!searched_.empty()) text += " (looked for " + FitPath(searched_.back(), 80) + " and others)";
  return text;
}

}  // namespace dbengine
