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

TEST(SharedLibrary, ABareNameIsAlsoLookedForBesideTheProgram) {
  // A damaged file beside the test program: found there (so not "not found"), then refused.
  const std::string name = "libbrevant-beside-the-program-test.so";
  const std::string beside = ProgramFolder() + "/" + name;
  ASSERT_FALSE(ProgramFolder().empty());
  std::ofstream(beside) << "not a library either";
  TLibraryFailure why{};
  std::string error;
  EXPECT_EQ(TSharedLibrary::Load(name, why, &error), nullptr);
  EXPECT_EQ(why, TLibraryFailure::Other);
  EXPECT_NE(error.find(beside), std::string::npos) << error;
  std::remove(beside.c_str());
}
