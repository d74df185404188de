
#include "navigator_test_support.h"

#include <QApplication>

#include "data/fields/field.h"
#include "data/navigator/register.h"
#include "gui/forms/snapshot.h"

namespace {

// A box no test expects is cancelled, so that an unexpected question cannot go ahead.
const auto* const kEnvironment =
    AddGuiTestEnvironment("Navigator Tests", TStrayBoxAnswer::Cancel, RegisterDataNavigatorClasses);

}  // namespace

TBoxAnswerer::TBoxAnswerer(TMsgDlgBtn Answer) {
  Previous_ = SetMessageBoxObserver([this, Answer](TMessageBoxView& Box) {
    Shown.push_back(Box.Caption() + "|" + Box.Text());
    Buttons.push_back(Box.Buttons());
    Box.Press(Answer);
  });
}

TBoxAnswerer::~TBoxAnswerer() {
  SetMessageBoxObserver(Previous_);
}

QImage Grab(TCustomForm& Form) {
  Pump();
  const TBytes png = SnapshotForm(Form, nullptr);
  return QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG");
}

const char* KindName(TNavigateBtn Kind) {
  return TEnumNames<TNavigateBtn>::Info().Names[static_cast<size_t>(Kind)].c_str();
}

void NavigatorTest::SetUp() {
  form_ = std::make_unique<TForm>(nullptr);
  form_->SetClientWidth(400);
  form_->SetClientHeight(120);
  dataSet_ = new TMemoryDataSet(form_.get());
  dataSet_->SetName("Rows");
  dataSet_->Table().AddColumn({"Name", ftString, 20, {}});
  source_ = new TDataSource(form_.get());
  source_->SetName("Source1");
  source_->SetDataSet(dataSet_);
  navigator_ = new TDBNavigator(form_.get());
  navigator_->SetName("DBNavigator1");
}

void NavigatorTest::TearDown() {
  form_.reset();
  Pump();
}

void NavigatorTest::FillRows(int Count) {
  for (int i = 1; i <= Count; ++i)
    dataSet_->Table().AddRow({"row " + std::to_string(i)});
}

void NavigatorTest::Place(int Width, int Height) {
  navigator_->SetParent(form_.get());
  navigator_->SetBounds(10, 10, Width, Height);
}

QPoint NavigatorTest::Centre(TNavigateBtn Kind) const {
  const TNavButton* b = navigator_->Buttons(Kind);
  return QPoint(b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
}

std::string NavigatorTest::CurrentName() const {
  TField* field = dataSet_->SeekField("Name");
  return field == nullptr ? std::string() : field->AsText();
}

void NavigatorTest::RecordClicks() {
  navigator_->BeforeAction = [this](TObject* Sender, TNavigateBtn Button) {
    EXPECT_EQ(Sender, navigator_);
    log_.push_back(std::string("before ") + KindName(Button));
  };
  navigator_->OnClick = [this](TObject* Sender, TNavigateBtn Button) {
    EXPECT_EQ(Sender, navigator_);
    log_.push_back(std::string("click ") + KindName(Button) + " at " + CurrentName());
  };
}
