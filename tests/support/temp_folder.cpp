#include "temp_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

std::string MakeTempFolder(const std::string& Prefix) {
  std::string pattern = (fs::temp_directory_path() / (Prefix + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  return pattern;
}

TTempFolder::TTempFolder(const std::string& Prefix) : Path_(MakeTempFolder(Prefix)) {}

TTempFolder::~TTempFolder() {
  // Tests of failures take rights away; give them back so that nothing is left behind.
  std::error_code ignored;
  fs::permissions(Path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (const auto& entry : fs::recursive_directory_iterator(Path_, ignored))
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(Path_, ignored);
}

void TTempFolder::Write(const std::string& Name, const std::string& Text) const {
  WriteTextFile(File(Name), Text);
}

void WriteTextFile(const std::string& Path, const std::string& Text) {
  std::ofstream out(Path, std::ios::binary | std::ios::trunc);
  out << Text;
}
