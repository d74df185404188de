#pragma once
// Shared pieces of the engine dataset tests: a temporary folder holding a real quiz table
// (encrypted with "pelmut") and an engine configuration whose alias "vozaza" names it, the
// module with its sessions for each test, the game's form read from a layout, and a counter
// of engine calls that wraps the loader's entry table.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/component.h"
#include "core/rtti.h"
#include "data/engine/session_list.h"
#include "quiz_table.h"
#include "temp_folder.h"

class TQuery;
class TTable;
class TDataSource;

// The three categories of the game, mixed in file order: "Classic Television 2" 3 rows,
// "ET1" 4 rows, "Banana Splits 1" 2 rows. The second ET1 row has no hint (NULL).
std::vector<TQuizRow> SampleQuizRows();
// The rows of one category, in table order.
std::vector<TQuizRow> RowsOf(const std::vector<TQuizRow>& Rows, const std::string& QuizName);

// The three category lines the game sends, exactly.
extern const char* const kClassicTvSql;
extern const char* const kEt1Sql;
extern const char* const kBananaSql;

// The game's form as its layout declares it: Table1 and Query1 on "vozaza", the nine fields
// of each, and the data source wwDataSource1 that is Table1's master source.
class TQuizForm : public TComponent {
 public:
  BREVANT_CLASS(TQuizForm)
  explicit TQuizForm(TComponent* AOwner) : TComponent(AOwner) {}
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;
  // Reads the layout into a new form.
  static std::unique_ptr<TQuizForm> Make();
  TQuery* Query1() const;
  TTable* Table1() const;
  TDataSource* DataSource1() const;
};
extern const char* const kQuizFormLayout;

// A fresh data engine module for each test over a fresh folder: data/vezedezavuza.db and
// dbengine.cfg (alias "vozaza" for data/), named to the engine by DBENGINE_CONFIG.
class TEngineFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Ends the module (the engine stops and its library is freed) and makes a new one.
  void RestartModule();

  TTempFolder Folder{"data-engine-test"};
  std::string DataFolder;
  std::string ConfigPath;
  std::vector<TQuizRow> Rows;
  std::unique_ptr<TDataEngineModule> Module;
};

// Counts every call of every engine entry while it lives (the entries are resolved first and
// wrapped; the wrappers go when the library is freed or the counter ends).
class TEngineCallCounter {
 public:
  TEngineCallCounter();
  ~TEngineCallCounter();
  TEngineCallCounter(const TEngineCallCounter&) = delete;
  TEngineCallCounter& operator=(const TEngineCallCounter&) = delete;

  int Count(const std::string& Entry) const;
  int Total() const;
  void Reset();
  // "EngGetBlob=3 EngOpenBlob=3 ..." of the entries called, for messages.
  std::string Summary() const;
};
