#include <gtest/gtest.h>

#include <fstream>

#include "platform/library.h"

TEST(SharedLibrary, TellsMissingFromBroken) {
  TLibraryFailure why{};
  EXPECT_EQ(TSharedLibrary::Load("/nonexistent/libnothing.so", why), nullptr);
  EXPECT_EQ(why, TLibraryFailure::NotFound);
  EXPECT_EQ(TSharedLibrary::Load("libsurely-not-installed-anywhere.so", why), nullptr);
  EXPECT_EQ(why, TLibraryFailure::NotFound);

  const std::string fake = "/tmp/brevant_fake_library.so";
  std::ofstream(fake) << "this is not a shared library";
  std::string error;
  EXPECT_EQ(TSharedLibrary::Load(fake, why, &error), nullptr);
  EXPECT_EQ(why, TLibraryFailure::Other);
  EXPECT_FALSE(error.empty());
  std::remove(fake.c_str());
}

TEST(SharedLibrary, FindsEntriesOfARealLibrary) {
  TLibraryFailure why{};
  auto lib = TSharedLibrary::Load("libm.so.6", why);
  ASSERT_NE(lib, nullptr);
  EXPECT_EQ(why, TLibraryFailure::None);
  auto cosine = reinterpret_cast<double (*)(double)>(lib->Symbol("cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(lib->Symbol("no_such_entry_here"), nullptr);
}
