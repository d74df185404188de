// Damaged and foreign table files through the C interface: each gets its own status and text, nothing
// crashes or hangs, and the file's bytes stay as they were.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "engine_harness.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kPage = 1024;

class DamagedTable : public TEngineTest {
 protected:
  std::string TablePath() const { return dataFolder + "/vezedezavuza.db"; }

  // Opens the table and reads every row, field and blob; answers the first status that is not 0 (with
  // the error texts), or 0 when everything read.
  EngResult ReadEverything(std::string* texts = nullptr) {
    const EngHandle db = OpenDatabase();
    EXPECT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
    EngHandle cursor = 0;
    const auto failed = [&](EngResult status) {
      if (texts != nullptr) *texts = ErrorTexts();
      return ENG_STATUS(status);
    };
    EngResult status = api.EngOpenTable(db, "vezedezavuza", "PARADOX", nullptr, nullptr, 0, ENG_OPEN_READONLY,
                                        ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor);
    if (status != ENG_OK) return failed(status);
    const EngCursorProps props = Props(cursor);
    std::vector<unsigned char> record(props.recordSize);
    std::vector<EngFieldDesc> fields(props.fieldCount);
    EXPECT_EQ(api.EngGetFieldDescs(cursor, fields.data()), ENG_OK);
    while ((status = api.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr)) == ENG_OK) {
      for (const EngFieldDesc& field : fields) {
        if (field.fieldType != ENG_FLD_BLOB) continue;
        status = api.EngOpenBlob(cursor, record.data(), field.fieldNumber, ENG_OPEN_READONLY);
        if (status != ENG_OK) return failed(status);
        uint32_t size = 0;
        EXPECT_EQ(api.EngGetBlobSize(cursor, record.data(), field.fieldNumber, &size), ENG_OK);
        std::vector<char> bytes(size + 1);
        uint32_t read = 0;
        status = api.EngGetBlob(cursor, record.data(), field.fieldNumber, 0, size, bytes.data(), &read);
        if (status != ENG_OK) return failed(status);
        EXPECT_EQ(api.EngFreeBlob(cursor, record.data(), field.fieldNumber), ENG_OK);
      }
    }
    if (status != ENG_EOF) return failed(status);
    EXPECT_EQ(api.EngCloseCursor(cursor), ENG_OK);
    return ENG_OK;
  }

  // Applies damage to a fresh copy of the table and checks what reading it answers, and that reading
  // changed none of its bytes.
  void Expect(const std::string& what, const std::function<void(std::string&)>& damage, EngResult expected,
              const std::string& textPart) {
    SCOPED_TRACE(what);
    WriteQuizTable(TablePath(), "pelmut", Rows());
    std::string bytes = ReadBytes(TablePath());
    damage(bytes);
    WriteText(TablePath(), bytes);
    std::string texts;
    EXPECT_EQ(ReadEverything(&texts), expected) << texts;
    EXPECT_NE(texts.find(textPart), std::string::npos) << "[" << texts << "]";
    EXPECT_EQ(ReadBytes(TablePath()), bytes) << "reading changed the file";
  }

  // The sample rows, the last with a long question whose bytes fill many overflow pages at the file's
  // end.
  static std::vector<TQuizRow> Rows() {
    auto rows = SampleQuizRows();
    std::string big;
    for (int i = 0; big.size() < 40 * kPage; ++i)
      big += "Line " + std::to_string(i) + " of a long question. ";
    rows.back().question = big;
    return rows;
  }
};

TEST_F(DamagedTable, EachDamageGetsItsStatus) {
  const auto flip = [](size_t offset) {
    return [offset](std::string& bytes) { bytes[offset] = static_cast<char>(bytes[offset] ^ 0x5A); };
  };
  Expect(
      "cut inside a page", [](std::string& b) { b.resize(b.size() - 100); }, ENG_ERR_NOT_A_TABLE,
      "not a table");
  Expect(
      "cut to its first page", [](std::string& b) { b.resize(kPage); }, ENG_ERR_FILE_CORRUPT, "");
  Expect(
      "cut to half its pages", [](std::string& b) { b.resize(b.size() / kPage / 2 * kPage); },
      ENG_ERR_FILE_CORRUPT, "");
  Expect("a flipped byte in the first page's check", flip(kPage - 25), ENG_ERR_FILE_CORRUPT, "first page");
  Expect("a flipped byte in the first page's content", flip(200), ENG_ERR_FILE_CORRUPT, "first page");
  // The key's salt itself: no key opens anything, and the engine cannot tell it from a wrong password.
  Expect("a flipped byte in the salt", flip(3), ENG_ERR_PASSWORD, "encrypted");
  Expect("a flipped byte in the second page", flip(kPage + 300), ENG_ERR_FILE_CORRUPT, "");
  Expect(
      "a zeroed third page",
      [](std::string& b) { std::fill(b.begin() + 2 * kPage, b.begin() + 3 * kPage, '\0'); },
      ENG_ERR_FILE_CORRUPT, "");
  Expect(
      "an empty file", [](std::string& b) { b.clear(); }, ENG_ERR_NOT_A_TABLE, "empty");
  Expect(
      "whole pages of noise", [](std::string& b) { std::fill(b.begin(), b.end(), 'x'); }, ENG_ERR_PASSWORD,
      "encrypted");
}

TEST_F(DamagedTable, AFolderOrANamedPipeInTheTablesPlaceIsNoTable) {
  fs::remove(TablePath());
  fs::create_directory(TablePath());
  std::string texts;
  EXPECT_EQ(ReadEverything(&texts), ENG_ERR_NOT_A_TABLE);
  EXPECT_NE(texts.find("a folder, not a table"), std::string::npos) << texts;
  fs::remove(TablePath());
  ASSERT_EQ(::mkfifo(TablePath().c_str(), 0600), 0);
  // No reader waits on the pipe: the open answers at once.
  EXPECT_EQ(ReadEverything(&texts), ENG_ERR_NOT_A_TABLE);
  EXPECT_NE(texts.find("a named pipe, not a table"), std::string::npos) << texts;
}

TEST_F(DamagedTable, APlainTableOfTheSameSchemaIsReadWithoutItsPassword) {
  WriteQuizTable(TablePath(), "", SampleQuizRows());
  EXPECT_EQ(ReadEverything(), ENG_OK) << ErrorTexts();
}

TEST_F(DamagedTable, AFlippedByteInAnyLaterPageIsACorruptTableWhetherRowsOrBlobsMeetIt) {
  WriteQuizTable(TablePath(), "pelmut", Rows());
  const std::string clean = ReadBytes(TablePath());
  int metInBlobs = 0;
  for (size_t page = 1; page < clean.size() / kPage; ++page) {
    SCOPED_TRACE("page " + std::to_string(page + 1));
    std::string bytes = clean;
    bytes[page * kPage + 100] = static_cast<char>(bytes[page * kPage + 100] ^ 0x5A);
    WriteText(TablePath(), bytes);
    std::string texts;
    EXPECT_EQ(ReadEverything(&texts), ENG_ERR_FILE_CORRUPT) << texts;
    if (texts.find("Cannot read blob") != std::string::npos) ++metInBlobs;
    EXPECT_EQ(ReadBytes(TablePath()), bytes);
  }
  // The long question's overflow pages are only read with its blob.
  EXPECT_GT(metInBlobs, 0);
}

}  // namespace
