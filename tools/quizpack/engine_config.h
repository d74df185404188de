// Editing the engine's configuration file: one alias section at a time, everything else kept as it is.
#pragma once

#include <string>
#include <utility>
#include <vector>

// Writes "[DATABASES\<alias>\DB INFO]" with the given NAME=value rows into the file (created when
// missing), replacing that section when it exists. Throws EQuizError.
void SetAlias(const std::string& configPath, const std::string& alias,
              const std::vector<std::pair<std::string, std::string>>& rows);
