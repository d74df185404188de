#include "page_check.h"

#include "page_key.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace dbengine {

namespace {

constexpr int kIvSize = 16;
constexpr int kCheckKeyIterations = 2;
constexpr unsigned char kCheckSaltMask = 0x3a;

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
  const std::optional<TPageFormat>& known = StoragePageFormat();
  if (!known) return std::nullopt;
  const TPageFormat& format = *known;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::vector<unsigned char> salt(kPageSaltSize);
  std::vector<unsigned char> page(static_cast<size_t>(format.pageSize));
  const bool read =
      ReadAt(fd, salt.data(), salt.size(), 0) && ReadAt(fd, page.data(), page.size(), format.pageSize);
  ::close(fd);
  if (!read) return std::nullopt;

  const TPageKey key = DerivePageKey(format, password, salt.data(), salt.size(), format.keyIterations);
  std::vector<unsigned char> checkSalt = salt;
  for (unsigned char& byte : checkSalt)
    byte ^= kCheckSaltMask;
  const TPageKey checkKey =
      DerivePageKey(format, std::string_view(reinterpret_cast<const char*>(key.data()), key.size()),
                    checkSalt.data(), checkSalt.size(), kCheckKeyIterations);
  // Each page ends in its initialisation vector and its check, padded to whole cipher blocks; the check
  // covers the encrypted bytes, the vector and the page number (little-endian).
  const int reserve = (kIvSize + format.digestSize + 15) / 16 * 16;
  const size_t covered = static_cast<size_t>(format.pageSize - reserve + kIvSize);
  const unsigned char pageNumber[4] = {2, 0, 0, 0};
  std::vector<unsigned char> input(page.begin(), page.begin() + static_cast<std::ptrdiff_t>(covered));
  input.insert(input.end(), pageNumber, pageNumber + 4);
  unsigned char check[EVP_MAX_MD_SIZE];
  unsigned int checkSize = 0;
  const EVP_MD* digest = format.sha512 ? EVP_sha512() : EVP_sha1();
  if (HMAC(digest, checkKey.data(), static_cast<int>(checkKey.size()), input.data(), input.size(), check,
           &checkSize) == nullptr ||
      checkSize != static_cast<unsigned>(format.digestSize)) {
    return std::nullopt;
  }
  return std::memcmp(check, page.data() + covered, checkSize) == 0;
}

}  // namespace dbengine
