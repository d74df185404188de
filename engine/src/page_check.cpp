#include "page_check.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace dbengine {

namespace {

// The page format of the storage library's encryption, by its major version: key derivation and page
// check digest, and the sizes around them. Its defaults are what table files are written with.
struct TPageFormat {
  const EVP_MD* digest;
  int digestSize;
  int keyIterations;
  int pageSize;
};

constexpr int kSaltSize = 16;
constexpr int kKeySize = 32;
constexpr int kIvSize = 16;
constexpr int kCheckKeyIterations = 2;
constexpr unsigned char kCheckSaltMask = 0x3a;

std::optional<TPageFormat> FormatOfStorageLibrary() {
  sqlite3* db = nullptr;
  std::optional<TPageFormat> format;
  if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA cipher_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
      const char* version = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
      const int major = version != nullptr ? std::atoi(version) : 0;
      if (major == 3) format = TPageFormat{EVP_sha1(), 20, 64000, 1024};
      if (major == 4) format = TPageFormat{EVP_sha512(), 64, 256000, 4096};
    }
    sqlite3_finalize(stmt);
  }
  sqlite3_close(db);
  return format;
}

bool ReadAt(int fd, unsigned char* buffer, size_t count, off_t offset) {
  size_t done = 0;
  while (done < count) {
    const ssize_t got = ::pread(fd, buffer + done, count - done, offset + static_cast<off_t>(done));
    if (got <= 0) return false;
    done += static_cast<size_t>(got);
  }
  return true;
}

}  // namespace

std::optional<bool> SecondPageOpensWith(const std::string& path, const std::string& password) {
  static const std::optional<TPageFormat> known = FormatOfStorageLibrary();
  if (!known) return std::nullopt;
  const TPageFormat& format = *known;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::vector<unsigned char> salt(kSaltSize);
  std::vector<unsigned char> page(static_cast<size_t>(format.pageSize));
  const bool read =
      ReadAt(fd, salt.data(), salt.size(), 0) && ReadAt(fd, page.data(), page.size(), format.pageSize);
  ::close(fd);
  if (!read) return std::nullopt;

  unsigned char key[kKeySize];
  if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()), salt.data(), kSaltSize,
                        format.keyIterations, format.digest, kKeySize, key) != 1) {
    return std::nullopt;
  }
  std::vector<unsigned char> checkSalt = salt;
  for (unsigned char& byte : checkSalt)
    byte ^= kCheckSaltMask;
  unsigned char checkKey[kKeySize];
  if (PKCS5_PBKDF2_HMAC(reinterpret_cast<const char*>(key), kKeySize, checkSalt.data(), kSaltSize,
                        kCheckKeyIterations, format.digest, kKeySize, checkKey) != 1) {
    return std::nullopt;
  }
  // Each page ends in its initialisation vector and its check, padded to whole cipher blocks; the check
  // covers the encrypted bytes, the vector and the page number (little-endian).
  const int reserve = (kIvSize + format.digestSize + 15) / 16 * 16;
  const size_t covered = static_cast<size_t>(format.pageSize - reserve + kIvSize);
  const unsigned char pageNumber[4] = {2, 0, 0, 0};
  std::vector<unsigned char> input(page.begin(), page.begin() + static_cast<std::ptrdiff_t>(covered));
  input.insert(input.end(), pageNumber, pageNumber + 4);
  unsigned char check[EVP_MAX_MD_SIZE];
  unsigned int checkSize = 0;
  if (HMAC(format.digest, checkKey, kKeySize, input.data(), input.size(), check, &checkSize) == nullptr ||
      checkSize != static_cast<unsigned>(format.digestSize)) {
    return std::nullopt;
  }
  return std::memcmp(check, page.data() + covered, checkSize) == 0;
}

}  // namespace dbengine
