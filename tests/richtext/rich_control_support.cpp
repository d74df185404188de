#include "rich_control_support.h"

#include <filesystem>
#include <fstream>

#include "data/register.h"
#include "gui_test_support.h"
#include "richtext/controls/register.h"

void RichControlTest::SetUp() {
  RegisterDataClasses();
  RegisterRichTextClasses();
  Form.reset(new TForm(nullptr));
  Form->SetName("Form1");
  Form->SetBounds(0, 0, 640, 400);
  Query = new TMemoryDataSet(Form.get());
  Query->SetName("Query1");
  TMemoryTable& table = Query->Table();
  table.AddColumn({"Order", ftString, 5, {}});
  table.AddColumn({"Question", ftBlob, 1, {}});
  table.AddColumn({"Answer", ftFmtMemo, 1, {}});
  table.AddColumn({"Hint", ftBlob, 1, {}});
  table.AddColumn({"AnswerTx", ftString, 1, {}});
  Query->AfterPost = [this](TDataSet*) { ++Posts; };
  Source = new TDataSource(Form.get());
  Source->SetName("wwDataSource1");
  Source->SetDataSet(Query);
}

void RichControlTest::TearDown() {
  Form.reset();
  Pump();
}

TwwDBRichEdit* RichControlTest::AddControl(const std::string& Name, const std::string& Field, bool ReadOnly,
                                           TRect Area) {
  auto* control = new TwwDBRichEdit(Form.get());
  control->SetName(Name);
  control->SetParent(Form.get());
  control->SetBoundsRect(Area);
  control->SetDataSource(Source);
  control->SetReadOnly(ReadOnly);
  control->SetDataField(Field);
  return control;
}

void RichControlTest::AddRows(const std::vector<TQuizBlobs>& Rows) {
  int order = Query->Table().RowCount();
  for (const TQuizBlobs& row : Rows) {
    ++order;
    Query->Table().AddRow({std::to_string(order), row.Question, row.Answer, row.Hint,
                           std::string(1, static_cast<char>('A' + order % 4))});
  }
}

std::optional<std::string> RichControlTest::Cell(int Row, const std::string& Column) const {
  const TMemoryTable& table = Query->Table();
  return table.Cell(Row, table.ColumnIndex(Column));
}

std::string LinesOf(TwwCustomRichEdit& Control) {
  std::string out;
  TStrings* lines = Control.Lines();
  for (int i = 0; i < lines->Count(); ++i)
    out += (i > 0 ? "|" : "") + lines->Get(i);
  return out;
}

std::string SaveArtefact(const std::string& Name, const TBytes& Png) {
  const std::filesystem::path dir = std::filesystem::path(RICH_ARTEFACTS);
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / (Name + ".png");
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(Png.data()), static_cast<std::streamsize>(Png.size()));
  return file.string();
}
