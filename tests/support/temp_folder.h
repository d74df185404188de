#pragma once
// Folders of their own under the system's temporary folder, for tests that write files.

#include <string>

// Makes a new, empty folder whose name starts with Prefix and answers its path; the caller
// removes it. Throws std::runtime_error when the system cannot make one.
std::string MakeTempFolder(const std::string& Prefix);

// A folder of its own, removed with everything in it when the object ends (files a test made
// unreadable or unwritable too).
class TTempFolder {
 public:
  explicit TTempFolder(const std::string& Prefix = "brevant-test");
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  const std::string& Path() const { return Path_; }
  std::string File(const std::string& Name) const { return Path_ + "/" + Name; }
  // Writes Text into the file Name of the folder.
  void Write(const std::string& Name, const std::string& Text) const;

 private:
  std::string Path_;
};

// Writes Text as the whole content of the file at Path.
void WriteTextFile(const std::string& Path, const std::string& Text);
