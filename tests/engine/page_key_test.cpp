// The engine's own page key derivation must give the crypto library's PBKDF2 result bit for bit: a
// single wrong byte and no table opens.
#include "page_key.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <string>
#include <vector>

namespace {

using dbengine::DerivePageKey;
using dbengine::TPageFormat;
using dbengine::TPageKey;

TPageKey Reference(bool Sha512, const std::string& Password, const std::vector<unsigned char>& Salt,
                   int Rounds) {
  TPageKey key{};
  EXPECT_EQ(PKCS5_PBKDF2_HMAC(Password.data(), static_cast<int>(Password.size()), Salt.data(),
                              static_cast<int>(Salt.size()), Rounds, Sha512 ? EVP_sha512() : EVP_sha1(),
                              static_cast<int>(key.size()), key.data()),
            1);
  return key;
}

TEST(PageKey, EqualsTheCryptoLibrarysPbkdf2ForEveryDigestKeyLengthAndRoundCount) {
  const std::vector<unsigned char> salt = {0x00, 0xff, 0x10, 0x3a, 0x80, 0x7f, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  // Empty, short, one digest block exactly and longer than a block (hashed first).
  const std::string passwords[] = {"", "pelmut", std::string(64, 'k'), std::string(128, 'q'),
                                   std::string(200, '\xe9')};
  for (bool sha512 : {false, true}) {
    const TPageFormat format{sha512, sha512 ? 64 : 20, 1000, 1024};
    for (const std::string& password : passwords) {
      for (int rounds : {1, 2, 1000}) {
        SCOPED_TRACE(testing::Message() << "sha512 " << sha512 << ", password of " << password.size()
                                        << " bytes, " << rounds << " rounds");
        EXPECT_EQ(DerivePageKey(format, password, salt.data(), salt.size(), rounds),
                  Reference(sha512, password, salt, rounds));
      }
    }
  }
}

TEST(PageKey, TheLinkedLibrarysFormatIsKnownAndARawKeyIsItsHexText) {
  ASSERT_TRUE(dbengine::StoragePageFormat().has_value());
  TPageKey key{};
  for (size_t i = 0; i < key.size(); ++i)
    key[i] = static_cast<unsigned char>(i * 8 + 1);
  const std::string text = dbengine::RawKeyText(key);
  EXPECT_EQ(text.size(), 2 * key.size() + 3);
  EXPECT_EQ(text.substr(0, 10), "x'01091119");
  EXPECT_EQ(text.back(), '\'');
  EXPECT_EQ(dbengine::RawKeyForFile("/nonexistent/table.db", "pelmut"), std::nullopt);
}

}  // namespace
