#pragma once
// Shared set-up of the navigator's tests: the window framework on Qt's offscreen platform,
// a form holding an in-memory dataset of numbered rows, a data source and a navigator, and
// a recorder that answers the real message boxes.

#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "data/links/data_source.h"
#include "data/memory_dataset/memory_dataset.h"
#include "data/navigator/db_navigator.h"
#include "gui/dialogs/message_box.h"
#include "gui/forms/form.h"
#include "gui_support.h"

// While it lives, every message box is recorded ("caption|text") and answered with Answer.
class TBoxAnswerer {
 public:
  explicit TBoxAnswerer(TMsgDlgBtn Answer);
  ~TBoxAnswerer();
  std::vector<std::string> Shown;
  std::vector<TMsgDlgButtons> Buttons;

 private:
  TMessageBoxObserver Previous_;
};

// What the form's window shows now, as an image of its client area.
QImage Grab(TCustomForm& Form);

class NavigatorTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Rows "row 1" .. "row <Count>" in the one string column "Name".
  void FillRows(int Count);
  // Puts the navigator on the form at (10, 10) with the given size.
  void Place(int Width, int Height);
  // The centre of a button in the navigator's own coordinates.
  QPoint Centre(TNavigateBtn Kind) const;
  // The Name of the dataset's current row ("" when there is none).
  std::string CurrentName() const;
  // Records the navigator's BeforeAction and OnClick into Log ("before nbNext", "click nbNext").
  void RecordClicks();

  std::unique_ptr<TForm> form_;
  TMemoryDataSet* dataSet_ = nullptr;
  TDataSource* source_ = nullptr;
  TDBNavigator* navigator_ = nullptr;
  std::vector<std::string> log_;
};

const char* KindName(TNavigateBtn Kind);
