#pragma once
// Shared set-up of the rich text control tests: a form with data-bound rich text controls over a
// quiz-shaped in-memory dataset, and helpers to look at what a control shows.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/links/data_source.h"
#include "data/memory_dataset/memory_dataset.h"
#include "gui/forms/form.h"
#include "richtext/controls/db_rich_edit.h"

// The blobs of one quiz row; none is NULL.
struct TQuizBlobs {
  std::optional<std::string> Question;
  std::optional<std::string> Answer;
  std::optional<std::string> Hint;
};

class RichControlTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A control on the form bound to Field of the data source.
  TwwDBRichEdit* AddControl(const std::string& Name, const std::string& Field, bool ReadOnly = true,
                            TRect Area = Bounds(8, 8, 400, 100));
  void AddRows(const std::vector<TQuizBlobs>& Rows);
  void Open() { Query->SetActive(true); }
  // The bytes the table holds for a column of a row.
  std::optional<std::string> Cell(int Row, const std::string& Column) const;

  std::unique_ptr<TForm> Form;
  TMemoryDataSet* Query = nullptr;
  TDataSource* Source = nullptr;
  int Posts = 0;
};

// The text of the control's lines joined with "|".
std::string LinesOf(TwwCustomRichEdit& Control);
// Writes PNG bytes to build/artefacts/richtext/<Name>.png; answers the path.
std::string SaveArtefact(const std::string& Name, const TBytes& Png);
