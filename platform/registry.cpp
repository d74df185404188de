#include "platform/registry.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/exceptions.h"
#include "core/text.h"

namespace {

std::string EnvOr(const char* Name, const std::string& Fallback) {
  const char* v = std::getenv(Name);
  return v != nullptr && *v != '\0' ? std::string(v) : Fallback;
}

std::string UserFile() {
  const char* home = std::getenv("HOME");
  const std::string base = EnvOr("XDG_CONFIG_HOME", std::string(home != nullptr ? home : "") + "/.config");
  return base + "/dbengine/registry.ini";
}

std::string ReadFile(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

std::vector<std::string> RegistryFiles(TRegistryRoot Root) {
  if (Root == TRegistryRoot::CurrentUser) return {UserFile()};
  std::vector<std::string> files;
  const std::string dirs = EnvOr("XDG_CONFIG_DIRS", "/etc/xdg");
  size_t start = 0;
  while (start <= dirs.size()) {
    const size_t colon = dirs.find(':', start);
    const std::string dir =
        dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    if (!dir.empty()) files.push_back(dir + "/dbengine/registry.ini");
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return files;
}

std::optional<std::string> FindRegistryValue(std::string_view FileText, std::string_view Key,
                                             std::string_view Name) {
  bool inKey = false;
  size_t pos = 0;
  while (pos < FileText.size()) {
    size_t end = FileText.find('\n', pos);
    if (end == std::string_view::npos) end = FileText.size();
    const std::string_view line = Trim(FileText.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.rfind(']');
      inKey = close != std::string_view::npos && SameText(Trim(line.substr(1, close - 1)), Key);
      continue;
    }
    if (!inKey) continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    if (SameText(Trim(line.substr(0, eq)), Name)) return std::string(Trim(line.substr(eq + 1)));
  }
  return std::nullopt;
}

std::optional<std::string> ReadRegistryString(TRegistryRoot Root, std::string_view Key,
                                              std::string_view Name) {
  for (const std::string& file : RegistryFiles(Root)) {
    if (auto value = FindRegistryValue(ReadFile(file), Key, Name)) return value;
  }
  return std::nullopt;
}

void WriteRegistryString(std::string_view Key, std::string_view Name, std::string_view Value) {
  const std::string path = UserFile();
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  const std::string text = ReadFile(path);

  // Rewrite the file line by line: replace the value in its key, or add it at the key's
  // end, or add the key at the end of the file.
  std::string out;
  bool inKey = false;
  bool written = false;
  size_t pos = 0;
  auto addValue = [&]() {
    out += std::string(Name) + "=" + std::string(Value) + "\n";
    written = true;
  };
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    const std::string_view trimmed = Trim(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      if (inKey && !written) addValue();
      const size_t close = trimmed.rfind(']');
      inKey = close != std::string_view::npos && SameText(Trim(trimmed.substr(1, close - 1)), Key);
    } else if (inKey && !written) {
      const size_t eq = trimmed.find('=');
      if (eq != std::string_view::npos && SameText(Trim(trimmed.substr(0, eq)), Name)) {
        addValue();
        continue;
      }
    }
    out += line + "\n";
  }
  if (!written) {
    if (!inKey) out += "[" + std::string(Key) + "]\n";
    addValue();
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file || !(file << out)) throw EWriteError("Cannot write the registry file " + path);
}
