#include "platform/library.h"

#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

// This process's kind of shared object: the loader maps nothing else.
#if defined(__x86_64__)
constexpr int kMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr int kMachine = EM_AARCH64;
#elif defined(__i386__)
constexpr int kMachine = EM_386;
#elif defined(__arm__)
constexpr int kMachine = EM_ARM;
#elif defined(__riscv)
constexpr int kMachine = EM_RISCV;
#elif defined(__powerpc64__)
constexpr int kMachine = EM_PPC64;
#elif defined(__s390x__)
constexpr int kMachine = EM_S390;
#else
constexpr int kMachine = EM_NONE;  // not checked
#endif
constexpr unsigned char kClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char kByteOrder = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB;

class TFile {
 public:
  explicit TFile(const std::string& Path) : Fd_(::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
  ~TFile() {
    if (Fd_ >= 0) ::close(Fd_);
  }
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;
  int Fd() const { return Fd_; }
  bool ReadAt(void* Buffer, size_t Count, uint64_t Offset) const {
    size_t done = 0;
    while (done < Count) {
      const ssize_t got =
          ::pread(Fd_, static_cast<char*>(Buffer) + done, Count - done, static_cast<off_t>(Offset + done));
      if (got <= 0) return false;
      done += static_cast<size_t>(got);
    }
    return true;
  }

 private:
  int Fd_;
};

// The first folder of the system's search for a bare name, as the program itself would search
// (LD_LIBRARY_PATH, the program's own RUNPATH with $ORIGIN expanded, the system's folders), that holds
// a file of that name; "" when none does (the loader's cache may still know one).
std::string SearchedFile(const std::string& Name) {
  void* program = ::dlopen(nullptr, RTLD_LAZY);
  if (program == nullptr) return {};
  std::string found;
  Dl_serinfo size{};
  if (::dlinfo(program, RTLD_DI_SERINFOSIZE, &size) == 0 && size.dls_size >= sizeof(Dl_serinfo)) {
    std::vector<unsigned char> storage(size.dls_size);
    auto* info = reinterpret_cast<Dl_serinfo*>(storage.data());
    std::memcpy(info, &size, sizeof size);
    if (::dlinfo(program, RTLD_DI_SERINFO, info) == 0) {
      for (unsigned i = 0; i < info->dls_cnt && found.empty(); ++i) {
        const std::string candidate = std::string(info->dls_serpath[i].dls_name) + "/" + Name;
        if (FileExists(candidate)) found = candidate;
      }
    }
  }
  ::dlclose(program);
  return found;
}

}  // namespace

bool FileExists(const std::string& Path) {
  struct stat st {};
  return ::stat(Path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ProgramFolder() {
  std::error_code ec;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : program.parent_path().string();
}

bool CheckLibraryFile(const std::string& Path, std::string* Why) {
  const auto refuse = [&](const std::string& Reason) {
    if (Why != nullptr) *Why = Path + ": " + Reason;
    return false;
  };
  const TFile file(Path);
  if (file.Fd() < 0) return refuse(std::strerror(errno));
  struct stat info {};
  if (::fstat(file.Fd(), &info) != 0) return refuse(std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return refuse("not a regular file");
  const auto size = static_cast<uint64_t>(info.st_size);
  ElfW(Ehdr) header{};
  if (size < sizeof header || !file.ReadAt(&header, sizeof header, 0) ||
      std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0) {
    return refuse("not a shared library (no ELF header)");
  }
  if (header.e_ident[EI_CLASS] != kClass || header.e_ident[EI_DATA] != kByteOrder ||
      (kMachine != EM_NONE && header.e_machine != kMachine)) {
    return refuse("a library for another kind of machine");
  }
  if (header.e_type != ET_DYN) return refuse("not a shared library");
  if (header.e_phentsize != sizeof(ElfW(Phdr)) || header.e_phnum == 0 || header.e_phoff > size ||
      (size - header.e_phoff) / sizeof(ElfW(Phdr)) < header.e_phnum) {
    return refuse("damaged (its program headers lie outside the file)");
  }
  std::vector<ElfW(Phdr)> segments(header.e_phnum);
  if (!file.ReadAt(segments.data(), segments.size() * sizeof(ElfW(Phdr)), header.e_phoff))
    return refuse("damaged (its program headers cannot be read)");
  bool loadable = false;
  for (const ElfW(Phdr) & segment : segments) {
    if (segment.p_type != PT_LOAD && segment.p_type != PT_DYNAMIC) continue;
    loadable = loadable || segment.p_type == PT_LOAD;
    // The loader maps these bytes from the file: any of them past its end would fault when touched.
    if (segment.p_offset > size || size - segment.p_offset < segment.p_filesz ||
        (segment.p_type == PT_LOAD && segment.p_filesz > segment.p_memsz)) {
      return refuse("damaged or cut short (a segment lies beyond the end of the file)");
    }
  }
  if (!loadable) return refuse("damaged (nothing to load)");
  return true;
}

std::unique_ptr<TSharedLibrary> TSharedLibrary::Load(const std::string& Path, TLibraryFailure& Failure,
                                                     std::string* Error) {
  Failure = TLibraryFailure::None;
  const bool hasSlash = Path.find('/') != std::string::npos;
  // The file the system's loader would map is checked first: a file cut short or damaged is refused
  // here, where the loader would crash the process.
  const std::string checked = hasSlash ? Path : SearchedFile(Path);
  if (!checked.empty() && (!hasSlash || ::access(Path.c_str(), F_OK) == 0)) {
    std::string why;
    if (!CheckLibraryFile(checked, &why)) {
      if (Error != nullptr) *Error = why;
      Failure = TLibraryFailure::Other;
      return nullptr;
    }
  }
  void* handle = ::dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle != nullptr) return std::unique_ptr<TSharedLibrary>(new TSharedLibrary(handle, Path));
  // A bare name is also looked for beside the program, as the program's own search path
  // ($ORIGIN) would find it: that path is lost when a runtime that wraps dlopen (a
  // sanitizer's) makes the call on the program's behalf.
  if (!hasSlash) {
    const std::string beside = ProgramFolder() + "/" + Path;
    if (FileExists(beside)) return Load(beside, Failure, Error);
  }
  const char* text = ::dlerror();
  const std::string message = text != nullptr ? text : "";
  if (Error != nullptr) *Error = message;
  // The loader reports only text; a path with a slash that names no file, or a bare name
  // the search did not find, is "not found"; anything else (a broken or foreign file,
  // missing dependencies) is another failure.
  if ((hasSlash && ::access(Path.c_str(), F_OK) != 0) ||
      (!hasSlash && message.find("No such file or directory") != std::string::npos)) {
    Failure = TLibraryFailure::NotFound;
  } else if (message.find("Cannot allocate memory") != std::string::npos) {
    Failure = TLibraryFailure::NoMemory;
  } else {
    Failure = TLibraryFailure::Other;
  }
  return nullptr;
}

TSharedLibrary::~TSharedLibrary() {
  if (Handle_ != nullptr) ::dlclose(Handle_);
}

void* TSharedLibrary::Symbol(const char* Name) const {
  return ::dlsym(Handle_, Name);
}
