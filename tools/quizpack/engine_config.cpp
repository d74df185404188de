#include "engine_config.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/text.h"
#include "quiz_error.h"

void SetAlias(const std::string& configPath, const std::string& alias,
              const std::vector<std::pair<std::string, std::string>>& rows) {
  if (alias.empty() || alias.find_first_of("\\[]\n") != std::string::npos) {
    throw EQuizError("the alias name '" + alias + "' is empty or holds '\\', '[' or ']'");
  }
  const std::string header = "[DATABASES\\" + alias + "\\DB INFO]";
  std::vector<std::string> lines;
  if (std::ifstream in(configPath); in) {
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
  }
  std::vector<std::string> section{header};
  for (const auto& [name, value] : rows) {
    if (name.find_first_of("=\n") != std::string::npos || value.find('\n') != std::string::npos) {
      throw EQuizError("the row '" + name + "' cannot be written to a configuration file");
    }
    section.push_back(name + "=" + value);
  }

  std::vector<std::string> result;
  bool replaced = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!replaced && SameText(Trim(lines[i]), header)) {
      result.insert(result.end(), section.begin(), section.end());
      replaced = true;
      // Skip the old section's rows up to the next section or the blank lines before it.
      size_t next = i + 1;
      while (next < lines.size() && Trim(lines[next]).rfind('[', 0) != 0)
        ++next;
      size_t keepFrom = next;
      while (keepFrom > i + 1 && Trim(lines[keepFrom - 1]).empty())
        --keepFrom;
      for (size_t k = keepFrom; k < next; ++k)
        result.push_back(lines[k]);
      i = next - 1;
      continue;
    }
    result.push_back(lines[i]);
  }
  if (!replaced) {
    if (!result.empty() && !Trim(result.back()).empty()) result.emplace_back();
    result.insert(result.end(), section.begin(), section.end());
  }

  const std::string temporary = configPath + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    for (const auto& line : result)
      out << line << '\n';
    if (!out) throw EQuizError(configPath + ": cannot be written");
  }
  std::error_code error;
  std::filesystem::rename(temporary, configPath, error);
  if (error) throw EQuizError(configPath + ": cannot be replaced (" + error.message() + ")");
}
