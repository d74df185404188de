// Field objects: binding to column definitions, reading strings and blobs, lookups,
// attaching to datasets, default fields and the kind table.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/fields/blob_field.h"
#include "data/fields/field_types.h"
#include "data/fields/other_fields.h"
#include "data/fields/string_field.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;

std::string OpenError(TDataSet& DataSet) {
  try {
    DataSet.SetActive(true);
  } catch (const EDatabaseError& e) {
    EXPECT_FALSE(DataSet.Active());
    return e.what();
  }
  return "opened";
}

// Converts from the engine's character set by upper-casing, so that the call shows.
class TShoutingDataSet : public TMemoryDataSet {
 public:
  using TMemoryDataSet::TMemoryDataSet;
  void ConvertText(const std::string& Source, std::string& Dest, bool ToEngine) override {
    Dest = Source;
    if (!ToEngine) {
      for (char& c : Dest)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
};

class Fields : public ::testing::Test {
 protected:
  void SetUp() override {
    Query = new TShoutingDataSet(&Form);
    Query->SetName("Query1");
    AddQuizColumns(Query->Table());
  }
  template <class T>
  T* Declare(const std::string& FieldName, int Size = -1) {
    auto* field = new T(&Form);
    field->SetName("Query1" + FieldName);
    field->SetFieldName(FieldName);
    if (Size >= 0) field->SetSize(Size);
    field->SetHostDataSet(Query);
    return field;
  }

  TLog Log;  // outlives the form, which may still notify while it goes
  TTestForm Form{nullptr};
  TShoutingDataSet* Query = nullptr;
};

TEST_F(Fields, BindingChecksTypeSizeAndPresence) {
  auto* answer = Declare<TIntegerField>("AnswerTx");
  EXPECT_EQ(OpenError(*Query),
            "Query1: Type mismatch for field 'AnswerTx', expecting: Integer actual: String");
  delete answer;
  auto* order = Declare<TStringField>("Order", 6);
  EXPECT_EQ(OpenError(*Query), "Query1: Size mismatch for field 'Order', expecting: 6 actual: 5");
  order->SetSize(5);
  auto* missing = Declare<TStringField>("Category", 20);
  missing->SetDisplayLabel("The category");
  EXPECT_EQ(OpenError(*Query), "Query1: Field 'The category' not found");
  delete missing;
  EXPECT_EQ(OpenError(*Query), "opened");
  EXPECT_EQ(order->ColumnNo(), 1);
}

TEST_F(Fields, BlobFieldsBindToAnyBlobColumnAndTakeItsSize) {
  auto* question = Declare<TMemoField>("Question");
  auto* answer = Declare<TBlobField>("Answer", 0);
  auto* riff = Declare<TGraphicField>("Riff");
  Query->Table().AddRow(
      {"1", "ET1", "q", "an answer", std::nullopt, "A", std::nullopt, std::string(300, 'r'), "x"});
  Query->SetActive(true);
  EXPECT_EQ(question->Size(), 1);
  EXPECT_EQ(answer->Size(), 1);
  EXPECT_EQ(question->SlotOffset(), 0);
  EXPECT_EQ(answer->SlotOffset(), 1);
  EXPECT_EQ(riff->SlotOffset(), 2);
  EXPECT_EQ(answer->AsText(), "an answer");
  EXPECT_EQ(riff->BlobLength(), 300);
  // A string column is not a blob.
  Query->SetActive(false);
  Declare<TBlobField>("QuizName");
  EXPECT_EQ(OpenError(*Query), "Query1: Type mismatch for field 'QuizName', expecting: Blob actual: String");
}

TEST_F(Fields, AStringReadsItsBytesUpToAZeroByteWithBlanksKept) {
  Query->Table().AddColumn({"Note", ftString, 8, {}});
  auto* answer = Declare<TStringField>("AnswerTx", 1);
  auto* note = Declare<TStringField>("Note", 8);
  note->SetTransliterate(false);
  Query->Table().AddRow({"1", "ET1", "", "", "", " ", "", "", "", std::string("B  ")});
  Query->Table().AddRow({"2", "ET1", "", "", "", "b", "", "", "", std::string("ab\0cd", 5)});
  EXPECT_EQ(answer->AsText(), "");  // closed: empty, not an error
  EXPECT_TRUE(answer->ValueIsNull());
  Query->SetActive(true);
  EXPECT_EQ(answer->AsText(), " ");
  EXPECT_EQ(note->AsText(), "B  ");
  Query->GoNext();
  EXPECT_EQ(note->AsText(), "ab");
  // Transliterated text comes through the dataset's conversion.
  EXPECT_EQ(answer->AsText(), "B");
  answer->SetTransliterate(false);
  EXPECT_EQ(answer->AsText(), "b");
}

TEST_F(Fields, LookupsIgnoreCaseAndNameTheirComponent) {
  auto* answer = Declare<TStringField>("AnswerTx", 1);
  EXPECT_EQ(Query->FieldNamed("answertx"), answer);
  EXPECT_EQ(Query->SeekField("ANSWERTX"), answer);
  EXPECT_EQ(Query->SeekField("Riff"), nullptr);
  try {
    Query->FieldNamed("Riff");
    FAIL() << "no such field";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Field 'Riff' not found");
  }
  TComponent control(&Form);
  control.SetName("HintRtf");
  try {
    FieldForControl(Query, &control, "Hint");
    FAIL() << "no such field";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "HintRtf: Field 'Hint' not found");
  }
  Query->SetActive(true);
  EXPECT_EQ(Query->FieldNumbered(6), answer);
  EXPECT_EQ(Query->FieldNumbered(1), nullptr);
}

TEST_F(Fields, AttachingChecksNameAndState) {
  auto* nameless = new TStringField(&Form);
  try {
    nameless->SetHostDataSet(Query);
    FAIL() << "a field needs a name";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Field name missing");
  }
  EXPECT_EQ(nameless->HostDataSet(), nullptr);
  Declare<TStringField>("AnswerTx", 1);
  nameless->SetFieldName("ANSWERTX");
  try {
    nameless->SetHostDataSet(Query);
    FAIL() << "the name is taken";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Duplicate field name 'ANSWERTX'");
  }
  try {
    nameless->AsText();
    FAIL() << "no dataset";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'ANSWERTX' has no dataset");
  }
  nameless->SetFieldName("Order");
  nameless->SetSize(5);
  nameless->SetHostDataSet(Query);
  Query->SetActive(true);
  auto* late = new TStringField(&Form);
  late->SetFieldName("QuizName");
  try {
    late->SetHostDataSet(Query);
    FAIL() << "the dataset is open";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Cannot perform this operation on an open dataset");
  }
  EXPECT_THROW(nameless->SetSize(4), EDatabaseError);
  EXPECT_THROW(nameless->SetFieldName("Other"), EDatabaseError);
  Query->SetActive(false);
  nameless->SetHostDataSet(nullptr);
  EXPECT_EQ(Query->FieldObjects()->Count(), 1);
}

TEST_F(Fields, SizesAreCheckedByKind) {
  TStringField text(nullptr);
  EXPECT_EQ(text.Size(), 20);
  EXPECT_EQ(text.RawSize(), 21);
  for (int bad : {0, 8193, -1}) {
    try {
      text.SetSize(bad);
      FAIL() << bad;
    } catch (const EDatabaseError& e) {
      EXPECT_STREQ(e.what(), "Invalid field size");
    }
  }
  text.SetSize(8192);
  EXPECT_EQ(text.RawSize(), 8193);
  TIntegerField number(nullptr);
  EXPECT_THROW(number.SetSize(4), EDatabaseError);
  number.SetSize(0);
  TBlobField blob(nullptr);
  blob.SetSize(240);
  EXPECT_EQ(blob.Size(), 240);
  EXPECT_THROW(blob.SetBlobType(ftString), EDatabaseError);
  blob.SetBlobType(ftFmtMemo);
  EXPECT_EQ(blob.DataType(), ftFmtMemo);
}

TEST_F(Fields, TheKindListRefusesKindsItDoesNotTake) {
  TFields dataOnly(nullptr, TFieldKinds{fkData});
  TStringField field(nullptr);
  field.SetName("Query1Total");
  field.SetFieldKind(fkCalculated);
  try {
    dataOnly.Add(&field);
    FAIL() << "calculated fields are not taken";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1Total: Invalid FieldKind");
  }
  EXPECT_EQ(dataOnly.Count(), 0);
}

TEST_F(Fields, OnlySimpleTypesCanBeCalculated) {
  auto* blob = new TBlobField(&Form);
  blob->SetFieldName("Picture");
  blob->SetFieldKind(fkCalculated);
  blob->SetHostDataSet(Query);
  EXPECT_EQ(OpenError(*Query), "Query1: Field 'Picture' cannot be a calculated or lookup field");
}

TEST_F(Fields, BlobsShowTheirKindAndCopyTheirBytes) {
  auto* question = Declare<TBlobField>("Question");
  auto* answer = Declare<TMemoField>("Answer");
  Query->Table().AddRow({"1", "ET1", std::string(300, 'q'), std::nullopt, "", "A", "", "", ""});
  Query->SetActive(true);
  EXPECT_EQ(question->ShownText(), "(BLOB)");
  EXPECT_EQ(answer->ShownText(), "(Memo)");
  EXPECT_TRUE(answer->ValueIsNull());
  question->OnGetText = [](TField*, std::string& text, bool display) { text = display ? "shown" : "edited"; };
  EXPECT_EQ(question->ShownText(), "shown");
  EXPECT_EQ(question->EditText(), "edited");

  TStringStream dest("head:");
  dest.Seek(0, soEnd);
  question->CopyToStream(dest);
  EXPECT_EQ(dest.DataString(), "head:" + std::string(300, 'q'));
  answer->CopyToStream(dest);
  EXPECT_EQ(dest.Size(), 305);
  EXPECT_EQ(answer->BlobLength(), 0);
  EXPECT_EQ(answer->AsText(), "");
}

TEST_F(Fields, DefaultFieldsFollowTheColumns) {
  Query->Table().AddColumn({"Count", ftInteger, 0, TFieldAttributes{faRequired}});
  Query->Table().AddColumn({"Secret", ftString, 4, TFieldAttributes{faHiddenCol}});
  Query->Table().AddColumn({"Fixed", ftFixedChar, 2, TFieldAttributes{faReadonly}});
  Query->SetActive(true);
  ASSERT_EQ(Query->FieldObjects()->Count(), 11);
  TField* count = Query->FieldNamed("Count");
  EXPECT_NE(dynamic_cast<TIntegerField*>(count), nullptr);
  EXPECT_TRUE(count->Required());
  EXPECT_EQ(Query->SeekField("Secret"), nullptr);
  auto* fixed = dynamic_cast<TStringField*>(Query->FieldNamed("Fixed"));
  ASSERT_NE(fixed, nullptr);
  EXPECT_TRUE(fixed->FixedChar());
  EXPECT_TRUE(fixed->ReadOnly());
  EXPECT_EQ(fixed->DataType(), ftString);
  EXPECT_EQ(fixed->Owner(), Query);
  EXPECT_EQ(Query->FieldNamed("Order")->Size(), 5);
}

TEST_F(Fields, AColumnWithoutAFieldClassCannotGetADefaultField) {
  Query->Table().AddColumn({"Wide", ftWideString, 10, {}});
  EXPECT_EQ(OpenError(*Query), "Field 'Wide' is of an unknown type");
  EXPECT_EQ(Query->FieldObjects()->Count(), 0);
}

TEST_F(Fields, NumbersAndTruthReadAndWriteAsText) {
  TMemoryDataSet data(nullptr);
  data.Table().AddColumn({"Small", ftSmallint, 0, {}});
  data.Table().AddColumn({"Big", ftLargeint, 0, {}});
  data.Table().AddColumn({"Ratio", ftFloat, 0, {}});
  data.Table().AddColumn({"Done", ftBoolean, 0, {}});
  data.Table().AddColumn({"Count", ftWord, 0, {}});
  data.Table().AddRow({"-12", "9000000000", "2.5", "True", "65535"});
  EXPECT_THROW(data.Table().AddRow({"40000", "1", "1", "True", "1"}), EDatabaseError);
  data.SetActive(true);
  EXPECT_EQ(data.FieldNamed("Small")->AsText(), "-12");
  EXPECT_EQ(data.FieldNamed("Big")->AsText(), "9000000000");
  EXPECT_EQ(data.FieldNamed("Ratio")->AsText(), "2.5");
  EXPECT_EQ(data.FieldNamed("Done")->AsText(), "True");
  EXPECT_EQ(data.FieldNamed("Count")->AsText(), "65535");
  EXPECT_EQ(data.FieldNamed("Small")->KindCaption(), "(SMALLINT)");
  data.BeginEdit();
  data.FieldNamed("Small")->SetAsText("+7");
  data.FieldNamed("Done")->SetAsText("false");
  data.FieldNamed("Ratio")->SetAsText("");
  EXPECT_THROW(data.FieldNamed("Small")->SetAsText("seven"), EDatabaseError);
  EXPECT_THROW(data.FieldNamed("Count")->SetAsText("-1"), EDatabaseError);
  data.PostRow();
  EXPECT_EQ(data.FieldNamed("Small")->AsText(), "7");
  EXPECT_EQ(data.FieldNamed("Done")->AsText(), "False");
  EXPECT_TRUE(data.FieldNamed("Ratio")->ValueIsNull());
}

TEST_F(Fields, DisplayPropertiesAndLayoutNotices) {
  auto* answer = Declare<TStringField>("AnswerTx", 1);
  EXPECT_EQ(answer->ShownName(), "AnswerTx");
  answer->SetDisplayLabel("Answer letter");
  EXPECT_EQ(answer->ShownName(), "Answer letter");
  answer->SetDisplayLabel("AnswerTx");
  EXPECT_EQ(answer->DisplayLabel(), "");
  EXPECT_EQ(answer->DisplayWidth(), 1);
  TIntegerField number(nullptr);
  EXPECT_EQ(number.DisplayWidth(), 11);
  Query->SetActive(true);
  RecordNotices(*Query, Log);
  answer->SetVisible(false);
  answer->SetAlignment(taCenter);
  answer->SetAlignment(taCenter);
  EXPECT_THAT(Log, ElementsAre("ds:dnLayoutChange", "ds:dnDataSetChange"));
}

TEST(FieldKinds, TableGivesGroupsNamesAndClasses) {
  EXPECT_STREQ(FieldTypeName(ftDBaseOle), "dBaseOle");
  EXPECT_STREQ(FieldTypeName(ftLargeint), "LargeInt");
  EXPECT_STREQ(FieldTypeName(ftSmallint), "SmallInt");
  EXPECT_EQ(FieldTypeGroup(ftCurrency), ftFloat);
  EXPECT_EQ(FieldTypeGroup(ftAutoInc), ftInteger);
  EXPECT_EQ(FieldTypeGroup(ftFixedChar), ftString);
  EXPECT_EQ(FieldTypeGroup(ftTypedBinary), ftBlob);
  EXPECT_EQ(FieldTypeGroup(ftCursor), ftUnknown);
  EXPECT_EQ(FieldClassOf(ftCursor), nullptr);
  EXPECT_EQ(FieldClassOf(ftFmtMemo), &TBlobField::StaticClassInfo());
  EXPECT_EQ(FieldClassOf(ftMemo), &TMemoField::StaticClassInfo());
  EXPECT_EQ(FieldClassOf(ftFixedChar), &TStringField::StaticClassInfo());
}

TEST(FieldDefinitions, TheFlatListNamesChildrenAndArrayElements) {
  TMemoryDataSet data(nullptr);
  TFieldDefs* defs = data.FieldDefs();
  defs->AddDef("Name", ftString, 10);
  TFieldDef* address = defs->AddDef("Address", ftADT);
  address->ChildDefs()->AddDef("City", ftString, 20);
  TFieldDef* phones = defs->AddDef("Phones", ftArray, 2);
  phones->ChildDefs()->AddDef("Phones[0]", ftString, 12);
  defs->SetUpdated(true);
  EXPECT_EQ(address->Size(), 1);
  TFieldDefList* flat = data.FlatFieldDefs();
  ASSERT_EQ(flat->Count(), 6);
  EXPECT_EQ(flat->Get(1), "Address");
  EXPECT_EQ(flat->Get(2), "Address.City");
  EXPECT_EQ(flat->Get(4), "Phones[0]");
  EXPECT_EQ(flat->Get(5), "Phones[1]");
  EXPECT_EQ(flat->Find("address.city"), address->ChildDefs()->Items(0));
  EXPECT_EQ(defs->Items(2)->ColumnNo(), 3);
  // A change marks the flat list out of date; it is rebuilt before the next count.
  defs->AddDef("Extra", ftInteger);
  EXPECT_EQ(flat->Count(), 7);
}

}  // namespace
