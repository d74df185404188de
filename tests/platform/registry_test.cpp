#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/registry.h"

namespace {

constexpr const char* kText =
    "# settings\n"
    "[Software\\Other]\n"
    "DLLPATH=/wrong\n"
    "[ software\\database engine ]\n"
    "; comment\n"
    "  DllPath = /opt/engine  \n"
    "CONFIGFILE01=/etc/engine.cfg\n";

TEST(Registry, FindsValuesByKeyAndNameRegardlessOfCase) {
  EXPECT_EQ(FindRegistryValue(kText, "Software\\Database Engine", "DLLPATH"), "/opt/engine");
  EXPECT_EQ(FindRegistryValue(kText, "SOFTWARE\\DATABASE ENGINE", "configfile01"), "/etc/engine.cfg");
  EXPECT_EQ(FindRegistryValue(kText, "Software\\Database Engine", "MISSING"), std::nullopt);
  EXPECT_EQ(FindRegistryValue(kText, "Software\\Nothing", "DLLPATH"), std::nullopt);
  EXPECT_EQ(FindRegistryValue("", "K", "N"), std::nullopt);
  EXPECT_EQ(FindRegistryValue("[unclosed\nN=1\n", "unclosed", "N"), std::nullopt);
}

class RegistryFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("brevant_registry_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_ / "user");
    std::filesystem::create_directories(dir_ / "sys1" / "dbengine");
    std::filesystem::create_directories(dir_ / "sys2" / "dbengine");
    ::setenv("XDG_CONFIG_HOME", (dir_ / "user").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", ((dir_ / "sys1").string() + ":" + (dir_ / "sys2").string()).c_str(), 1);
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_CONFIG_DIRS");
  }
  std::filesystem::path dir_;
};

TEST_F(RegistryFilesTest, MachineValuesComeFromTheFirstSystemFolderThatHasThem) {
  std::ofstream(dir_ / "sys2" / "dbengine" / "registry.ini") << "[Software\\Database Engine]\nDLLPATH=/two\n";
  EXPECT_EQ(ReadRegistryString(TRegistryRoot::LocalMachine, "Software\\Database Engine", "DLLPATH"), "/two");
  std::ofstream(dir_ / "sys1" / "dbengine" / "registry.ini") << "[Software\\Database Engine]\nDLLPATH=/one\n";
  EXPECT_EQ(ReadRegistryString(TRegistryRoot::LocalMachine, "Software\\Database Engine", "DLLPATH"), "/one");
  EXPECT_EQ(ReadRegistryString(TRegistryRoot::CurrentUser, "Software\\Database Engine", "DLLPATH"),
            std::nullopt);
}

TEST_F(RegistryFilesTest, WritingKeepsOtherKeysAndValues) {
  WriteRegistryString("Software\\A", "X", "1");
  WriteRegistryString("Software\\B", "Y", "2");
  WriteRegistryString("Software\\A", "Z", "3");
  WriteRegistryString("Software\\A", "x", "4");  // replaces X regardless of case
  auto read = [](const char* key, const char* name) {
    return ReadRegistryString(TRegistryRoot::CurrentUser, key, name);
  };
  EXPECT_EQ(read("Software\\A", "X"), "4");
  EXPECT_EQ(read("Software\\A", "Z"), "3");
  EXPECT_EQ(read("Software\\B", "Y"), "2");
}

}  // namespace
