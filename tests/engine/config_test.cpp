// Aliases: the configuration file, where it is found, its rows, session aliases and folder databases.
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "engine_harness.h"

namespace fs = std::filesystem;

namespace {

using EngineConfig = TEngineTest;

std::vector<std::pair<std::string, std::string>> Rows(const TEngineApi& api, EngHandle cursor) {
  std::vector<std::pair<std::string, std::string>> rows;
  EngCursorProps props{};
  EXPECT_EQ(api.EngGetCursorProps(cursor, &props), ENG_OK);
  std::vector<unsigned char> record(props.recordSize);
  while (api.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr) == ENG_OK) {
    char name[32] = {}, value[261] = {};
    EXPECT_EQ(api.EngGetField(cursor, 1, record.data(), name, nullptr), ENG_OK);
    EXPECT_EQ(api.EngGetField(cursor, 2, record.data(), value, nullptr), ENG_OK);
    rows.emplace_back(name, value);
  }
  return rows;
}

TEST_F(EngineConfig, AliasDriverAndInfoRowsComeFromTheFile) {
  char driver[ENG_NAME_BUFFER];
  ASSERT_EQ(api.EngGetAliasDriver("QUIZ", driver), ENG_OK) << ErrorTexts();
  EXPECT_STREQ(driver, "STANDARD");

  EngHandle cursor = 0;
  ASSERT_EQ(api.EngOpenConfigRows("\\DATABASES\\quiz\\DB INFO", &cursor), ENG_OK) << ErrorTexts();
  const auto rows = Rows(api, cursor);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::pair<std::string, std::string>{"TYPE", "STANDARD"}));
  EXPECT_EQ(rows[1], (std::pair<std::string, std::string>{"PATH", dataFolder}));
  EXPECT_EQ(rows[2], (std::pair<std::string, std::string>{"DEFAULT DRIVER", "PARADOX"}));
  EXPECT_EQ(api.EngCloseCursor(cursor), ENG_OK);

  ASSERT_EQ(api.EngOpenConfigRows("\\DATABASES\\quiz\\DB OPEN", &cursor), ENG_OK);
  EXPECT_TRUE(Rows(api, cursor).empty());

  EXPECT_FAILS_WITH(api.EngOpenConfigRows("\\DATABASES\\nosuch\\DB INFO", &cursor), ENG_ERR_ALIAS_NOT_FOUND,
                    "nosuch");
  EXPECT_FAILS_WITH(api.EngOpenConfigRows("\\DRIVERS\\STANDARD", &cursor), ENG_ERR_CONFIG_PATH, "DRIVERS");
  EXPECT_FAILS_WITH(api.EngGetAliasDriver("nosuch", driver), ENG_ERR_ALIAS_NOT_FOUND, "dbengine.cfg");
}

TEST_F(EngineConfig, MissingAliasOrFolderIsAClearStatus) {
  EngHandle db = 0;
  EXPECT_FAILS_WITH(api.EngOpenDatabase("vozaza", nullptr, ENG_OPEN_READONLY, ENG_SHARE_SHARED, "", &db),
                    ENG_ERR_ALIAS_NOT_FOUND, "vozaza");
  ASSERT_EQ(api.EngineExit(), ENG_OK);
  started = false;
  StartEngine(
      "[DATABASES\\gone\\DB INFO]\nTYPE=STANDARD\nPATH=no/such/folder\n[DATABASES\\other\\DB "
      "INFO]\nTYPE=REMOTE\nPATH=.\n");
  EXPECT_FAILS_WITH(api.EngOpenDatabase("gone", nullptr, ENG_OPEN_READONLY, ENG_SHARE_SHARED, "", &db),
                    ENG_ERR_FOLDER_NOT_FOUND, "no/such/folder");
  EXPECT_FAILS_WITH(api.EngOpenDatabase("other", nullptr, ENG_OPEN_READONLY, ENG_SHARE_SHARED, "", &db),
                    ENG_ERR_DRIVER_NOT_SUPPORTED, "REMOTE");
}

TEST_F(EngineConfig, FolderRemovedAfterOpeningIsReportedWhenATableOpens) {
  EngHandle db = OpenDatabase(), cursor = 0;
  fs::rename(dataFolder, folder.File("moved"));
  EXPECT_FAILS_WITH(api.EngOpenTable(db, "vezedezavuza", nullptr, nullptr, nullptr, 0, ENG_OPEN_READONLY,
                                     ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor),
                    ENG_ERR_FOLDER_NOT_FOUND, dataFolder.substr(dataFolder.size() - 10));
}

TEST_F(EngineConfig, SessionAliasesAndFolderDatabases) {
  EngHandle db = 0;
  ASSERT_EQ(api.EngAddSessionAlias("mine", nullptr, ("PATH=" + dataFolder + "\nEXTRA=1").c_str()), ENG_OK)
      << ErrorTexts();
  EngHandle cursor = 0;
  ASSERT_EQ(api.EngOpenConfigRows("\\DATABASES\\MINE\\DB INFO", &cursor), ENG_OK);
  EXPECT_EQ(Rows(api, cursor).size(), 3u);
  db = OpenDatabase("mine");
  EXPECT_NE(OpenQuizTable(db), 0u);
  ASSERT_EQ(api.EngDeleteSessionAlias("mine"), ENG_OK);
  EXPECT_EQ(api.EngOpenDatabase("mine", nullptr, ENG_OPEN_READONLY, ENG_SHARE_SHARED, "", &db),
            ENG_ERR_ALIAS_NOT_FOUND);
  EXPECT_FAILS_WITH(api.EngAddSessionAlias("nopath", nullptr, "EXTRA=1"), ENG_ERR_INVALID_PARAMETER, "PATH");

  // A database without an alias starts in the working folder and moves with EngSetDirectory.
  ASSERT_EQ(api.EngOpenDatabase("", nullptr, ENG_OPEN_READONLY, ENG_SHARE_SHARED, "pelmut", &db), ENG_OK);
  EXPECT_FAILS_WITH(api.EngSetDirectory(db, folder.File("nowhere").c_str()), ENG_ERR_FOLDER_NOT_FOUND,
                    "nowhere");
  ASSERT_EQ(api.EngSetDirectory(db, dataFolder.c_str()), ENG_OK);
  char current[ENG_PATH_BUFFER];
  ASSERT_EQ(api.EngGetDirectory(db, current), ENG_OK);
  EXPECT_EQ(current, dataFolder);
  // The database's own password opens the table without a session password.
  EXPECT_EQ(api.EngOpenTable(db, "vezedezavuza", nullptr, nullptr, nullptr, 0, ENG_OPEN_READONLY,
                             ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor),
            ENG_OK)
      << ErrorTexts();
}

// Sets an environment variable for one scope.
class TEnvironment {
 public:
  TEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~TEnvironment() {
    if (old_) {
      setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Starts api with an empty record, checks that the alias "found" leads to folder, and stops it.
void ExpectAliasFolder(const TEngineApi& api, const std::string& folder) {
  EngEnv env{};
  std::strcpy(env.language, "0009");
  ASSERT_EQ(api.EngineInit(ENG_VERSION, &env), ENG_OK);
  EngHandle cursor = 0;
  ASSERT_EQ(api.EngOpenConfigRows("\\DATABASES\\found\\DB INFO", &cursor), ENG_OK);
  const auto rows = Rows(api, cursor);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].second, folder);
  EXPECT_EQ(api.EngineExit(), ENG_OK);
}

TEST(EngineConfigSearch, EnvironmentVariableThenRegistryFileThenBesideTheLibrary) {
  const TEngineApi& api = TEngineApi::Built();
  TTempFolder folder;
  fs::create_directories(folder.File("xdg/dbengine"));
  WriteText(folder.File("by-env.cfg"), "[DATABASES\\found\\DB INFO]\nTYPE=STANDARD\nPATH=env\n");
  WriteText(folder.File("by-registry.cfg"), "[DATABASES\\found\\DB INFO]\nTYPE=STANDARD\nPATH=registry\n");
  WriteText(folder.File("xdg/dbengine/registry.ini"),
            "[Software\\Database Engine]\nCONFIGFILE01=" + folder.File("by-registry.cfg") + "\n");

  TEnvironment xdg("XDG_CONFIG_HOME", folder.File("xdg").c_str());
  {
    TEnvironment config("DBENGINE_CONFIG", folder.File("by-env.cfg").c_str());
    ExpectAliasFolder(api, folder.File("env"));
  }
  TEnvironment noConfig("DBENGINE_CONFIG", nullptr);
  ExpectAliasFolder(api, folder.File("registry"));

  // Without a registry value, a copy of the library finds the file beside itself.
  fs::remove(folder.File("xdg/dbengine/registry.ini"));
  fs::create_directories(folder.File("lib"));
  fs::copy_file(DBENGINE_LIBRARY, folder.File("lib/libdbengine.so"));
  WriteText(folder.File("lib/dbengine.cfg"), "[DATABASES\\found\\DB INFO]\nTYPE=STANDARD\nPATH=.\n");
  TEngineApi copy = TEngineApi::Load(folder.File("lib/libdbengine.so"));
  ASSERT_NE(copy.library, api.library);
  ASSERT_EQ(copy.LIBINITFUNCTION(), ENG_OK);
  ExpectAliasFolder(copy, folder.File("lib"));
  dlclose(copy.library);
}

}  // namespace
