// Writing through TTable on the real engine: edits of text and blob fields, inserts, appends,
// cancels and deletes, read-only tables, values too long for their field, and a row changed
// by another process between the edit and the post. What reaches the file is read back with
// the storage library directly (ReadTable), not through the layer that wrote it.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <string>

#include "core/exceptions.h"
#include "core/streams.h"
#include "data/engine/engine_error.h"
#include "data/engine/register.h"
#include "data/engine/session.h"
#include "data/engine/table.h"
#include "data/fields/blob_field.h"
#include "data/fields/field.h"
#include "engine_test_support.h"

namespace {

using ::testing::HasSubstr;

constexpr int kQuizName = 1;  // column numbers of the table dump
constexpr int kQuestion = 2;
constexpr int kHint = 4;
constexpr int kAnswerTx = 5;

// Opens the quiz table of the configuration in DBENGINE_CONFIG with the game's password.
std::unique_ptr<TTable> OpenQuizTable(bool ReadOnly = false) {
  Session->StorePassword("pelmut");
  auto table = std::make_unique<TTable>(nullptr);
  table->SetName("Quiz");
  table->SetDatabaseName("vozaza");
  table->SetTableName("vezedezavuza.db");
  table->SetReadOnly(ReadOnly);
  table->SetActive(true);
  return table;
}

// This suite's program started again as the other process of a test, with
// BREVANT_WRITER_CHILD set to "edit <row> <quiz name>" or "delete <row>" (rows from 0): it
// makes that change through a table of its own and answers 0, or 1 on any failure, before any
// test runs.
const int kChildRole = [] {
  const char* role = std::getenv("BREVANT_WRITER_CHILD");
  if (role == nullptr) return 0;
  int code = 1;
  try {
    const std::string text = role;
    const size_t first = text.find(' ');
    const size_t second = text.find(' ', first + 1);
    const std::string verb = text.substr(0, first);
    const int row = std::stoi(text.substr(first + 1, second - first - 1));
    TDataEngineModule module;
    RegisterDataEngineClasses();
    std::unique_ptr<TTable> table = OpenQuizTable();
    table->GoRows(row);
    if (verb == "edit") {
      table->BeginEdit();
      table->FieldNamed("QuizName")->SetAsText(text.substr(second + 1));
      table->PostRow();
    } else {
      table->DeleteRow();
    }
    table.reset();
    code = 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "writer child: %s\n", e.what());
  }
  std::fflush(stderr);
  ::_exit(code);
}();

// Runs the other process with Role and answers its exit code.
int RunOtherProcess(const std::string& Role) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::setenv("BREVANT_WRITER_CHILD", Role.c_str(), 1);
    char self[4096] = {};
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) ::_exit(78);
    ::execl(self, self, static_cast<char*>(nullptr));
    ::_exit(79);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string RandomBytes(size_t Count, unsigned Seed) {
  std::mt19937 generator(Seed);
  std::string bytes(Count, '\0');
  for (char& c : bytes)
    c = static_cast<char>(generator() & 0xFF);
  return bytes;
}

class EditingTest : public TEngineFixture {
 protected:
  std::string TablePath() const { return DataFolder + "/vezedezavuza.db"; }
  TTableDump Stored() const { return ReadTable(TablePath(), "pelmut"); }
  std::optional<std::string> StoredValue(size_t Row, int Column) const {
    return Stored().rows.at(Row).at(static_cast<size_t>(Column));
  }
};

TEST_F(EditingTest, AnEditedTextAndAMegabyteBlobArePostedAndReadBackByteForByte) {
  const std::string picture = RandomBytes(1 << 20, 7);
  const TTableDump before = Stored();
  {
    std::unique_ptr<TTable> table = OpenQuizTable();
    EXPECT_TRUE(table->CanModify());
    table->GoNext();
    table->BeginEdit();
    EXPECT_EQ(table->Mode(), dmEdit);
    table->FieldNamed("QuizName")->SetAsText("Edited Category");
    TMemoryStream source;
    source.WriteBuffer(picture.data(), static_cast<int64_t>(picture.size()));
    auto* question = static_cast<TBlobField*>(table->FieldNamed("Question"));
    question->LoadFromStream(source);
    // Before the post the record already shows the pending bytes.
    EXPECT_EQ(question->BlobLength(), static_cast<int64_t>(picture.size()));
    table->PostRow();
    EXPECT_EQ(table->Mode(), dmBrowse);
    EXPECT_EQ(table->FieldNamed("QuizName")->AsText(), "Edited Category");
    EXPECT_TRUE(question->AsText() == picture);
  }
  const TTableDump after = Stored();
  ASSERT_EQ(after.rows.size(), before.rows.size());
  EXPECT_EQ(after.rows[1][kQuizName], "Edited Category");
  ASSERT_TRUE(after.rows[1][kQuestion].has_value());
  EXPECT_TRUE(*after.rows[1][kQuestion] == picture)
      << "stored " << after.rows[1][kQuestion]->size() << " bytes";
  // Nothing else moved.
  for (size_t row = 0; row < before.rows.size(); ++row) {
    for (size_t column = 0; column < before.columns.size(); ++column) {
      if (row == 1 && (column == kQuizName || column == kQuestion)) continue;
      EXPECT_EQ(after.rows[row][column], before.rows[row][column]) << "row " << row << " column " << column;
    }
  }
  // Reopened through the layer: the same bytes.
  std::unique_ptr<TTable> again = OpenQuizTable();
  again->GoNext();
  EXPECT_EQ(again->FieldNamed("QuizName")->AsText(), "Edited Category");
  EXPECT_TRUE(again->FieldNamed("Question")->AsText() == picture);
}

TEST_F(EditingTest, BlobStreamsWriteOnlyWhileEditingAndWorkOnThePendingBytes) {
  std::unique_ptr<TTable> table = OpenQuizTable();
  TField* hint = table->FieldNamed("Hint");
  const std::string original = hint->AsText();
  ASSERT_FALSE(original.empty());
  try {
    table->OpenBlobStream(hint, bmWrite);
    ADD_FAILURE() << "a blob was opened for writing while browsing";
  } catch (const EDatabaseError& e) {
    EXPECT_THAT(e.Message(), HasSubstr("Dataset not in edit or insert mode"));
  }
  table->BeginEdit();
  {
    // Read-write keeps the bytes: appended at the end.
    std::unique_ptr<TStream> stream = table->OpenBlobStream(hint, bmReadWrite);
    stream->Seek(0, soEnd);
    stream->WriteBuffer("+tail", 5);
  }
  EXPECT_EQ(hint->AsText(), original + "+tail");
  {
    // Write mode starts empty at once.
    std::unique_ptr<TStream> stream = table->OpenBlobStream(hint, bmWrite);
    EXPECT_EQ(stream->Size(), 0);
    stream->WriteBuffer("new", 3);
  }
  EXPECT_EQ(hint->AsText(), "new");
  static_cast<TBlobField*>(table->FieldNamed("Riff"))->Clear();
  EXPECT_TRUE(table->FieldNamed("Riff")->ValueIsNull());
  hint->SetReadOnly(true);
  table->CancelEdit();
  // Cancelling dropped all of it; a read-only field refuses a write stream.
  EXPECT_EQ(hint->AsText(), original);
  EXPECT_FALSE(table->FieldNamed("Riff")->ValueIsNull());
  table->BeginEdit();
  try {
    table->OpenBlobStream(hint, bmWrite);
    ADD_FAILURE() << "a read-only field was opened for writing";
  } catch (const EDatabaseError& e) {
    EXPECT_THAT(e.Message(), HasSubstr("Field 'Hint' cannot be modified"));
  }
  table->CancelEdit();
  EXPECT_EQ(StoredValue(0, kHint), original);
}

TEST_F(EditingTest, AnInsertThatIsCancelledWritesNothingAndAnAppendedRowCanBeDeleted) {
  const TTableDump before = Stored();
  std::unique_ptr<TTable> table = OpenQuizTable();
  table->GoNext();
  table->InsertRow();
  EXPECT_EQ(table->Mode(), dmInsert);
  EXPECT_TRUE(table->FieldNamed("QuizName")->ValueIsNull());
  table->FieldNamed("QuizName")->SetAsText("Never");
  table->FieldNamed("Question")->SetAsText("never stored");
  table->CancelEdit();
  EXPECT_EQ(Stored().rows, before.rows);
  EXPECT_EQ(table->FieldNamed("QuizName")->AsText(), *before.rows[1][kQuizName]);

  int newRows = 0;
  table->OnNewRecord = [&](TDataSet* DataSet) {
    ++newRows;
    DataSet->FieldNamed("AnswerTx")->SetAsText("A");
  };
  table->AppendRow();
  EXPECT_EQ(newRows, 1);
  table->FieldNamed("Order")->SetAsText("99");
  table->FieldNamed("QuizName")->SetAsText("Appended");
  table->FieldNamed("Question")->SetAsText(std::string("with\0zero", 9));
  table->PostRow();
  EXPECT_EQ(table->FieldNamed("QuizName")->AsText(), "Appended");
  TTableDump stored = Stored();
  ASSERT_EQ(stored.rows.size(), before.rows.size() + 1);
  EXPECT_EQ(stored.rows.back()[kQuizName], "Appended");
  EXPECT_EQ(stored.rows.back()[kAnswerTx], "A");
  EXPECT_EQ(stored.rows.back()[kQuestion], std::string("with\0zero", 9));
  EXPECT_FALSE(stored.rows.back()[kHint].has_value() && !stored.rows.back()[kHint]->empty());

  table->DeleteRow();
  EXPECT_EQ(Stored().rows, before.rows);
  EXPECT_EQ(table->RowCount(), static_cast<int>(before.rows.size()));
  EXPECT_FALSE(table->HasNoRows());
}

TEST_F(EditingTest, AReadOnlyTableRefusesToEditAndChangesNothing) {
  const TTableDump before = Stored();
  std::unique_ptr<TTable> table = OpenQuizTable(/*ReadOnly=*/true);
  EXPECT_FALSE(table->CanModify());
  for (auto step : {&TDataSet::BeginEdit, &TDataSet::InsertRow, &TDataSet::AppendRow}) {
    try {
      (table.get()->*step)();
      ADD_FAILURE() << "a read-only table began a change";
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message(), "Quiz: Cannot modify a read-only dataset");
    }
    EXPECT_EQ(table->Mode(), dmBrowse);
  }
  table.reset();
  EXPECT_EQ(Stored().rows, before.rows);
}

// Makes a file unwritable while it lives: mode 0444, and for a process that may write anyway
// (the superuser) the file system's immutable flag as well.
class TReadOnlyFile {
 public:
  explicit TReadOnlyFile(const std::string& Path) : Path_(Path) {
    ::chmod(Path_.c_str(), 0444);
    if (::geteuid() == 0) Immutable_ = SetImmutable(true);
  }
  ~TReadOnlyFile() {
    if (Immutable_) SetImmutable(false);
    ::chmod(Path_.c_str(), 0644);
  }

 private:
  bool SetImmutable(bool On) {
    const int fd = ::open(Path_.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = On ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
  }
  std::string Path_;
  bool Immutable_ = false;
};

TEST_F(EditingTest, ATableFileThatCannotBeWrittenOpensReadOnlyAndRefusesEdits) {
  const TTableDump before = Stored();
  // The engine goes by the file's mode, so the test holds even where the superuser could still
  // write the file (a file system without the immutable flag, a container without the right).
  TReadOnlyFile guard(TablePath());
  std::unique_ptr<TTable> table = OpenQuizTable();
  EXPECT_FALSE(table->ReadOnly());
  EXPECT_FALSE(table->CanModify());
  EXPECT_EQ(table->FieldNamed("QuizName")->AsText(), *before.rows[0][kQuizName]);
  try {
    table->BeginEdit();
    ADD_FAILURE() << "an unwritable file began an edit";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Quiz: Cannot modify a read-only dataset");
  }
  table.reset();
  EXPECT_EQ(Stored().rows, before.rows);
}

TEST_F(EditingTest, AValueLongerThanItsFieldIsRefusedWithAClearErrorAndNothingIsWritten) {
  const TTableDump before = Stored();
  std::unique_ptr<TTable> table = OpenQuizTable();
  table->BeginEdit();
  try {
    table->FieldNamed("AnswerTx")->SetAsText("AB");
    ADD_FAILURE() << "two letters went into a one-letter field";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Quiz: Value too long for field 'AnswerTx' (at most 1 characters)");
  }
  EXPECT_FALSE(table->Modified());
  table->PostRow();
  EXPECT_EQ(Stored().rows, before.rows);
}

// The other process changes the row between this one's edit and its post: each answer of
// OnPostError as the dataset's error loop defines it, and the other's change survives.
class ChangedRowTest : public EditingTest, public ::testing::WithParamInterface<TDataAction> {};

TEST_P(ChangedRowTest, OnPostErrorSeesTheChangedRowAndTheOtherChangeStays) {
  std::unique_ptr<TTable> table = OpenQuizTable();
  table->GoNext();
  table->BeginEdit();
  table->FieldNamed("QuizName")->SetAsText("Mine");
  ASSERT_EQ(RunOtherProcess("edit 1 Theirs"), 0);
  std::vector<uint16_t> seen;
  table->OnPostError = [&](TDataSet* DataSet, EDatabaseError& E, TDataAction& Action) {
    EXPECT_EQ(DataSet, table.get());
    auto* engine = dynamic_cast<EDBEngineError*>(&E);
    seen.push_back(engine != nullptr ? engine->ErrorCode() : 0);
    if (engine != nullptr) {
      EXPECT_THAT(E.Message(), HasSubstr("Record changed or deleted by another user"));
    }
    // A retry repeats the post, which meets the same change: the second answer is fail.
    Action = GetParam() == daRetry && seen.size() == 1 ? daRetry
             : GetParam() == daRetry                   ? daFail
                                                       : GetParam();
  };
  if (GetParam() == daAbort) {
    EXPECT_THROW(table->PostRow(), EAbort);
  } else {
    EXPECT_THROW(table->PostRow(), EDBEngineError);
  }
  EXPECT_EQ(seen, std::vector<uint16_t>(GetParam() == daRetry ? 2 : 1, ENG_ERR_RECORD_CHANGED));
  // The edit is still open, with this process's value; the file holds the other's.
  EXPECT_EQ(table->Mode(), dmEdit);
  EXPECT_EQ(table->FieldNamed("QuizName")->AsText(), "Mine");
  EXPECT_EQ(StoredValue(1, kQuizName), "Theirs");
  table->CancelEdit();
  EXPECT_EQ(table->Mode(), dmBrowse);
  // A fresh edit reads the row again, with the other's change, and now posts.
  table->BeginEdit();
  EXPECT_EQ(table->FieldNamed("QuizName")->AsText(), "Theirs");
  table->FieldNamed("QuizName")->SetAsText("Mine at last");
  table->PostRow();
  EXPECT_EQ(StoredValue(1, kQuizName), "Mine at last");
}

INSTANTIATE_TEST_SUITE_P(EachAction, ChangedRowTest, ::testing::Values(daFail, daAbort, daRetry),
                         [](const ::testing::TestParamInfo<TDataAction>& Info) {
                           return Info.param == daFail ? "Fail" : Info.param == daAbort ? "Abort" : "Retry";
                         });

TEST_F(EditingTest, EditAndDeleteOfARowAnotherProcessDeletedReachTheirErrorHandlers) {
  std::unique_ptr<TTable> table = OpenQuizTable();
  table->GoRows(2);
  const std::string third = table->FieldNamed("Order")->AsText();
  ASSERT_EQ(RunOtherProcess("delete 2"), 0);
  std::vector<std::string> seen;
  table->OnEditError = [&](TDataSet*, EDatabaseError& E, TDataAction& Action) {
    seen.push_back("edit " + E.Message());
    Action = daAbort;
  };
  table->OnDeleteError = [&](TDataSet*, EDatabaseError& E, TDataAction& Action) {
    seen.push_back("delete " + E.Message());
    Action = daFail;
  };
  EXPECT_THROW(table->BeginEdit(), EAbort);
  EXPECT_EQ(table->Mode(), dmBrowse);
  EXPECT_THROW(table->DeleteRow(), EDBEngineError);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_THAT(seen[0], HasSubstr("edit "));
  EXPECT_THAT(seen[1], HasSubstr("delete "));
  EXPECT_EQ(Stored().rows.size(), Rows.size() - 1);
  EXPECT_EQ(table->FieldNamed("Order")->AsText(), third);
}

}  // namespace
