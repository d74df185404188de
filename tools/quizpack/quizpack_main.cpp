// quizpack: builds quiz tables from quiz sources, exports them back, lists and dumps table files, and writes
// engine aliases.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "engine_config.h"
#include "quiz_error.h"
#include "quiz_export.h"
#include "quiz_source.h"
#include "quiz_table.h"

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  quizpack build --output TABLE.db [--password PASSWORD] [--strict] SOURCE.quiz...\n"
    "  quizpack check [--strict] SOURCE.quiz...\n"
    "  quizpack export TABLE.db [--password PASSWORD] --output FOLDER\n"
    "  quizpack list TABLE.db [--password PASSWORD]\n"
    "  quizpack dump TABLE.db [--password PASSWORD] [--row N]\n"
    "  quizpack alias --config FILE --alias NAME --path FOLDER [--type STANDARD] [--default-driver NAME]\n"
    "\n"
    "build   makes a quiz table from quiz sources; the password encrypts it\n"
    "        (--strict: every answer letter must be A, B, C or D)\n"
    "check   reads quiz sources and reports their questions per category\n"
    "export  writes a table back as quiz sources, one per category, into FOLDER\n"
    "list    shows one line per row of a table file\n"
    "dump    shows every field of every row (or of row N, from 1)\n"
    "alias   adds or replaces an alias in an engine configuration file\n";

class EUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Options given as "--name value" or "--flag", and the remaining words.
struct TArguments {
  std::map<std::string, std::string> options;
  std::vector<std::string> words;

  std::string Option(const std::string& name, const std::string& fallback = "") const {
    const auto found = options.find(name);
    return found == options.end() ? fallback : found->second;
  }
  std::string Required(const std::string& name) const {
    const auto found = options.find(name);
    if (found == options.end() || found->second.empty()) throw EUsage("--" + name + " is needed");
    return found->second;
  }
  bool Flag(const std::string& name) const { return options.count(name) != 0; }
};

TArguments Parse(int argc, char** argv, const std::vector<std::string>& valued,
                 const std::vector<std::string>& flags) {
  TArguments arguments;
  for (int i = 2; i < argc; ++i) {
    const std::string word = argv[i];
    if (word.rfind("--", 0) != 0) {
      arguments.words.push_back(word);
      continue;
    }
    const std::string name = word.substr(2);
    if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
      arguments.options[name] = "1";
    } else if (std::find(valued.begin(), valued.end(), name) != valued.end()) {
      if (i + 1 >= argc) throw EUsage(word + " needs a value");
      arguments.options[name] = argv[++i];
    } else {
      throw EUsage("unknown option " + word);
    }
  }
  return arguments;
}

std::vector<TQuizSource> LoadSources(const std::vector<std::string>& paths, bool strict) {
  std::vector<TQuizSource> sources;
  for (const auto& path : paths)
    sources.push_back(LoadQuizSource(path, strict));
  return sources;
}

std::string Shown(const std::optional<std::string>& value) {
  return value ? *value : "(null)";
}

int Build(const TArguments& arguments) {
  const std::string output = arguments.Required("output");
  const auto sources = LoadSources(arguments.words, arguments.Flag("strict"));
  const auto rows = QuizRows(sources);
  WriteQuizTable(output, arguments.Option("password"), rows);
  std::cout << output << ": " << rows.size() << " questions from " << sources.size() << " source files\n";
  return 0;
}

int Check(const TArguments& arguments) {
  if (arguments.words.empty()) throw EUsage("check needs source files");
  const auto sources = LoadSources(arguments.words, arguments.Flag("strict"));
  QuizRows(sources);  // converts every block, so markup errors show too
  std::map<std::string, size_t> counts;
  for (const auto& source : sources)
    counts[source.category] += source.questions.size();
  for (const auto& [category, count] : counts)
    std::cout << category << ": " << count << " questions\n";
  return 0;
}

TTableDump Open(const TArguments& arguments) {
  if (arguments.words.size() != 1) throw EUsage("name one table file");
  return ReadTable(arguments.words.front(), arguments.Option("password"));
}

int List(const TArguments& arguments) {
  const TTableDump dump = Open(arguments);
  std::cout << dump.tableName << ": " << dump.rows.size() << " rows; fields:";
  for (size_t i = 0; i < dump.columns.size(); ++i)
    std::cout << ' ' << dump.columns[i] << " " << dump.declaredTypes[i];
  std::cout << '\n';
  for (size_t r = 0; r < dump.rows.size(); ++r) {
    std::cout << r + 1;
    for (size_t i = 0; i < dump.columns.size(); ++i) {
      const auto& value = dump.rows[r][i];
      const bool longValue = value && value->size() > 24;
      std::cout << " | " << (longValue ? std::to_string(value->size()) + " bytes" : Shown(value));
    }
    std::cout << '\n';
  }
  return 0;
}

int Dump(const TArguments& arguments) {
  const TTableDump dump = Open(arguments);
  size_t first = 0, last = dump.rows.size();
  if (arguments.Flag("row")) {
    const long row = std::strtol(arguments.Option("row").c_str(), nullptr, 10);
    if (row < 1 || static_cast<size_t>(row) > dump.rows.size()) {
      throw EQuizError("row " + arguments.Option("row") + " is not between 1 and " +
                       std::to_string(dump.rows.size()));
    }
    first = static_cast<size_t>(row) - 1;
    last = first + 1;
  }
  for (size_t r = first; r < last; ++r) {
    std::cout << "--- row " << r + 1 << '\n';
    for (size_t i = 0; i < dump.columns.size(); ++i)
      std::cout << dump.columns[i] << ": " << Shown(dump.rows[r][i]) << '\n';
  }
  return 0;
}

int Export(const TArguments& arguments) {
  const std::string folder = arguments.Required("output");
  const TExport exported = ExportQuizSources(Open(arguments));
  for (const auto& note : exported.notes)
    std::cerr << "quizpack: note: " << note << "\n";
  const auto written = WriteQuizSources(exported, folder);
  for (size_t i = 0; i < written.size(); ++i)
    std::cout << written[i] << ": " << exported.sources[i].questions << " questions of "
              << exported.sources[i].category << "\n";
  return 0;
}

int Alias(const TArguments& arguments) {
  if (!arguments.words.empty()) throw EUsage("alias takes no file names, only options");
  SetAlias(arguments.Required("config"), arguments.Required("alias"),
           {{"TYPE", arguments.Option("type", "STANDARD")},
            {"PATH", arguments.Required("path")},
            {"DEFAULT DRIVER", arguments.Option("default-driver", "PARADOX")}});
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) throw EUsage("");
    const std::string command = argv[1];
    if (command == "build") return Build(Parse(argc, argv, {"output", "password"}, {"strict"}));
    if (command == "check") return Check(Parse(argc, argv, {}, {"strict"}));
    if (command == "export") return Export(Parse(argc, argv, {"password", "output"}, {}));
    if (command == "list") return List(Parse(argc, argv, {"password"}, {}));
    if (command == "dump") return Dump(Parse(argc, argv, {"password", "row"}, {}));
    if (command == "alias") {
      return Alias(Parse(argc, argv, {"config", "alias", "path", "type", "default-driver"}, {}));
    }
    throw EUsage("unknown command " + command);
  } catch (const EUsage& error) {
    if (*error.what() != '\0') std::cerr << "quizpack: " << error.what() << "\n";
    std::cerr << kUsage;
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "quizpack: " << error.what() << "\n";
    return 1;
  }
}
