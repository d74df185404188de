// The page key of an encrypted table, derived from its password and salt exactly as the storage library
// derives it (PBKDF2 over HMAC with the library's digest and round count), only faster: the crypto
// library's own PBKDF2 copies a digest context through its provider layer twice per round, which made
// the derivation most of the game's start-up. Here each round copies two plain digest states.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace dbengine {

// How the linked storage library encrypts pages, by its major version.
struct TPageFormat {
  bool sha512;        // false: SHA-1
  int digestSize;     // bytes of the digest, and of each page's check
  int keyIterations;  // PBKDF2 rounds of the page key
  int pageSize;
};

constexpr int kPageSaltSize = 16;
constexpr int kPageKeySize = 32;

// The page format of the linked storage library; nullopt for a version whose format is not known.
const std::optional<TPageFormat>& StoragePageFormat();

using TPageKey = std::array<unsigned char, kPageKeySize>;

// PBKDF2 with HMAC over the format's digest: Rounds rounds of Password and Salt, kPageKeySize bytes.
TPageKey DerivePageKey(const TPageFormat& Format, std::string_view Password, const unsigned char* Salt,
                       size_t SaltSize, int Rounds);

// The key as the storage library takes a raw key: x'<hex>'. The library then reads the salt from the
// file and derives nothing itself.
std::string RawKeyText(const TPageKey& Key);

// The raw key for Password of the encrypted file at Path, from the salt at the file's start; nullopt when
// the salt cannot be read or the format is not known (the caller then hands over the password itself).
std::optional<std::string> RawKeyForFile(const std::string& Path, std::string_view Password);

}  // namespace dbengine
