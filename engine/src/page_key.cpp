#include "page_key.h"

// The plain digest functions are the ones whose states copy as plain structures.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <fcntl.h>
#include <openssl/sha.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace dbengine {

namespace {

struct TSha1 {
  using Context = SHA_CTX;
  static constexpr size_t kBlock = SHA_CBLOCK;
  static constexpr size_t kDigest = SHA_DIGEST_LENGTH;
  static void Init(Context& c) { SHA1_Init(&c); }
  static void Update(Context& c, const void* data, size_t size) { SHA1_Update(&c, data, size); }
  static void Final(Context& c, unsigned char* out) { SHA1_Final(out, &c); }
};

struct TSha512 {
  using Context = SHA512_CTX;
  static constexpr size_t kBlock = SHA512_CBLOCK;
  static constexpr size_t kDigest = SHA512_DIGEST_LENGTH;
  static void Init(Context& c) { SHA512_Init(&c); }
  static void Update(Context& c, const void* data, size_t size) { SHA512_Update(&c, data, size); }
  static void Final(Context& c, unsigned char* out) { SHA512_Final(out, &c); }
};

// HMAC with the inner and outer states computed once from the key.
template <typename Digest>
class THmac {
 public:
  explicit THmac(std::string_view key) {
    unsigned char block[Digest::kBlock] = {};
    if (key.size() > Digest::kBlock) {
      typename Digest::Context c;
      Digest::Init(c);
      Digest::Update(c, key.data(), key.size());
      Digest::Final(c, block);
    } else {
      std::memcpy(block, key.data(), key.size());
    }
    unsigned char pad[Digest::kBlock];
    for (size_t i = 0; i < Digest::kBlock; ++i)
      pad[i] = block[i] ^ 0x36;
    Digest::Init(inner_);
    Digest::Update(inner_, pad, sizeof pad);
    for (size_t i = 0; i < Digest::kBlock; ++i)
      pad[i] = block[i] ^ 0x5c;
    Digest::Init(outer_);
    Digest::Update(outer_, pad, sizeof pad);
  }

  // out := HMAC(key, first || second).
  void Mac(const unsigned char* first, size_t firstSize, const unsigned char* second, size_t secondSize,
           unsigned char* out) const {
    typename Digest::Context c = inner_;
    Digest::Update(c, first, firstSize);
    if (secondSize > 0) Digest::Update(c, second, secondSize);
    unsigned char innerDigest[Digest::kDigest];
    Digest::Final(c, innerDigest);
    c = outer_;
    Digest::Update(c, innerDigest, sizeof innerDigest);
    Digest::Final(c, out);
  }

 private:
  typename Digest::Context inner_;
  typename Digest::Context outer_;
};

template <typename Digest>
TPageKey Pbkdf2(std::string_view password, const unsigned char* salt, size_t saltSize, int rounds) {
  const THmac<Digest> hmac(password);
  TPageKey key{};
  size_t done = 0;
  for (uint32_t index = 1; done < key.size(); ++index) {
    const unsigned char counter[4] = {
        static_cast<unsigned char>(index >> 24), static_cast<unsigned char>(index >> 16),
        static_cast<unsigned char>(index >> 8), static_cast<unsigned char>(index)};
    unsigned char u[Digest::kDigest];
    unsigned char t[Digest::kDigest];
    hmac.Mac(salt, saltSize, counter, sizeof counter, u);
    std::memcpy(t, u, sizeof t);
    for (int round = 1; round < rounds; ++round) {
      hmac.Mac(u, sizeof u, nullptr, 0, u);
      for (size_t i = 0; i < sizeof t; ++i)
        t[i] ^= u[i];
    }
    const size_t take = std::min(sizeof t, key.size() - done);
    std::memcpy(key.data() + done, t, take);
    done += take;
  }
  return key;
}

std::optional<TPageFormat> FormatOfStorageLibrary() {
  sqlite3* db = nullptr;
  std::optional<TPageFormat> format;
  if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA cipher_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
      const char* version = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
      const int major = version != nullptr ? std::atoi(version) : 0;
      if (major == 3) format = TPageFormat{false, 20, 64000, 1024};
      if (major == 4) format = TPageFormat{true, 64, 256000, 4096};
    }
    sqlite3_finalize(stmt);
  }
  sqlite3_close(db);
  return format;
}

}  // namespace

const std::optional<TPageFormat>& StoragePageFormat() {
  static const std::optional<TPageFormat> format = FormatOfStorageLibrary();
  return format;
}

TPageKey DerivePageKey(const TPageFormat& Format, std::string_view Password, const unsigned char* Salt,
                       size_t SaltSize, int Rounds) {
  return Format.sha512 ? Pbkdf2<TSha512>(Password, Salt, SaltSize, Rounds)
                       : Pbkdf2<TSha1>(Password, Salt, SaltSize, Rounds);
}

std::string RawKeyText(const TPageKey& Key) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text = "x'";
  for (unsigned char byte : Key) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0xF];
  }
  text += '\'';
  return text;
}

std::optional<std::string> RawKeyForFile(const std::string& Path, std::string_view Password) {
  const std::optional<TPageFormat>& format = StoragePageFormat();
  if (!format) return std::nullopt;
  const int fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  unsigned char salt[kPageSaltSize];
  const ssize_t got = ::pread(fd, salt, sizeof salt, 0);
  ::close(fd);
  if (got != static_cast<ssize_t>(sizeof salt)) return std::nullopt;
  return RawKeyText(DerivePageKey(*format, Password, salt, sizeof salt, format->keyIterations));
}

}  // namespace dbengine
