#pragma once
// Loading shared libraries at run time, telling a missing file from one that cannot load.

#include <memory>
#include <string>

enum class TLibraryFailure { None, NotFound, NoMemory, Other };

class TSharedLibrary {
 public:
  // Loads Path (an absolute or relative path, or a bare name for the system's search and
  // then the program's own folder). The file is checked first (CheckLibraryFile): a damaged
  // one is refused with TLibraryFailure::Other instead of being handed to the system's loader.
  // Returns none and sets Failure when it cannot; Error receives the loader's text or the
  // reason of the refusal.
  static std::unique_ptr<TSharedLibrary> Load(const std::string& Path, TLibraryFailure& Failure,
                                              std::string* Error = nullptr);
  ~TSharedLibrary();
  TSharedLibrary(const TSharedLibrary&) = delete;
  TSharedLibrary& operator=(const TSharedLibrary&) = delete;

  // The address of an exported entry, or none.
  void* Symbol(const char* Name) const;
  const std::string& Path() const { return Path_; }

 private:
  TSharedLibrary(void* Handle, std::string Path) : Handle_(Handle), Path_(std::move(Path)) {}
  void* Handle_;
  std::string Path_;
};

// Whether Path is a shared library this process can load without harm: a regular file with an
// ELF header of this machine's class, byte order and architecture, whose loadable segments all
// lie inside the file. The system's loader maps segments without comparing them with the file's
// size, and the first touch of a page past the end kills the process. Why gets the reason.
bool CheckLibraryFile(const std::string& Path, std::string* Why = nullptr);

bool FileExists(const std::string& Path);
// The folder that holds the running program (links resolved), or empty.
std::string ProgramFolder();
