#include "engine_harness.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "quiz_source.h"

namespace fs = std::filesystem;

TEngineApi TEngineApi::Load(const std::string& path) {
  TEngineApi api;
  api.library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (api.library == nullptr) {
    ADD_FAILURE() << "cannot load " << path << ": " << dlerror();
    return api;
  }
#define RESOLVE_ENTRY(name)                                                  \
  api.name = reinterpret_cast<decltype(&::name)>(dlsym(api.library, #name)); \
  if (api.name == nullptr) {                                                 \
    ADD_FAILURE() << "entry " #name " missing from " << path;                \
  }
  ENG_ENTRIES(RESOLVE_ENTRY)
#undef RESOLVE_ENTRY
  return api;
}

const TEngineApi& TEngineApi::Built() {
  static const TEngineApi api = [] {
    TEngineApi loaded = Load(DBENGINE_LIBRARY);
    if (loaded.LIBINITFUNCTION != nullptr) {
      EXPECT_EQ(loaded.LIBINITFUNCTION(), ENG_OK);
    }
    return loaded;
  }();
  return api;
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

namespace {

std::string QuestionSource(const std::string& category, const std::vector<std::string>& orders) {
  std::string text = "category: " + category + "\n";
  for (const auto& order : orders) {
    text += "\nquestion: " + order + "\nletter: C\ntext:\n  = Question " + order +
            "\n  Secret phrase Ricardo " + order +
            " asks **which**?\n  A. one\n  B. two\n  C. three\n  D. four\nanswer:\n";
    // A longer answer, so that reading it in pieces crosses many piece boundaries.
    for (int line = 0; line < 40; ++line)
      text += "  Answer " + order + " line " + std::to_string(line) + ".\n";
    text += "hint:\n  Hint " + order + "\nencourage:\n  Well done " + order + "\nriff:\n  Oh dear " + order +
            "\n";
  }
  return text;
}

}  // namespace

std::vector<TQuizRow> SampleQuizRows() {
  const std::vector<TQuizSource> sources = {
      ParseQuizSource(QuestionSource("Classic Television 2", {"CT01", "CT02", "CT03"}), "ct.quiz", true),
      ParseQuizSource(QuestionSource("ET1", {"ET01", "ET02", "ET03", "ET04"}), "et.quiz", true),
      ParseQuizSource(QuestionSource("Banana Splits 1", {"BS01", "BS02"}), "bs.quiz", true),
      ParseQuizSource(QuestionSource("Classic Television 3", {"CX01"}), "cx.quiz", true)};
  const std::vector<TQuizRow> all = QuizRows(sources);
  // Interleave the categories so that a statement must really select its rows.
  const std::vector<size_t> order = {0, 3, 7, 1, 4, 9, 5, 8, 2, 6};
  std::vector<TQuizRow> mixed;
  for (size_t index : order)
    mixed.push_back(all[index]);
  return mixed;
}

void TEngineTest::SetUp() {
  ASSERT_NE(api.EngineInit, nullptr);
  dataFolder = folder.File("data");
  fs::create_directory(dataFolder);
  WriteQuizTable(dataFolder + "/vezedezavuza.db", "pelmut", SampleQuizRows());
  StartEngine("[DATABASES\\quiz\\DB INFO]\nTYPE=STANDARD\nPATH=data\nDEFAULT DRIVER=PARADOX\n");
}

void TEngineTest::StartEngine(const std::string& configText) {
  configPath = folder.File("dbengine.cfg");
  WriteText(configPath, configText);
  EngEnv env{};
  std::strcpy(env.language, "0009");
  std::strcpy(env.configFile, configPath.c_str());
  ASSERT_EQ(api.EngineInit(ENG_VERSION, &env), ENG_OK) << ErrorTexts();
  started = true;
}

void TEngineTest::TearDown() {
  if (started) {
    EXPECT_EQ(api.EngineExit(), ENG_OK);
  }
}

std::vector<TErrorLine> TEngineTest::ErrorStack() const {
  std::vector<TErrorLine> lines;
  for (uint16_t entry = 1;; ++entry) {
    int32_t native = 0;
    char text[ENG_MSG_BUFFER];
    const EngResult status = api.EngGetErrorEntry(entry, &native, text);
    if (status == 0 || status == ENG_ERR_NOT_AVAILABLE) break;
    lines.push_back({status, native, text});
  }
  return lines;
}

std::string TEngineTest::ErrorTexts() const {
  std::string joined;
  for (const auto& line : ErrorStack())
    joined += (joined.empty() ? "" : " | ") + line.text;
  return joined;
}

EngHandle TEngineTest::OpenDatabase(const char* alias) {
  EngHandle db = 0;
  EXPECT_EQ(api.EngOpenDatabase(alias, "STANDARD", ENG_OPEN_READONLY, ENG_SHARE_SHARED, "", &db), ENG_OK)
      << ErrorTexts();
  return db;
}

EngHandle TEngineTest::OpenQuizTable(EngHandle db) {
  EXPECT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  EngHandle cursor = 0;
  EXPECT_EQ(api.EngOpenTable(db, "vezedezavuza.db", "PARADOX", nullptr, nullptr, 0, ENG_OPEN_READONLY,
                             ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor),
            ENG_OK)
      << ErrorTexts();
  return cursor;
}

EngCursorProps TEngineTest::Props(EngHandle cursor) const {
  EngCursorProps props{};
  EXPECT_EQ(api.EngGetCursorProps(cursor, &props), ENG_OK) << ErrorTexts();
  return props;
}

std::vector<EngFieldDesc> TEngineTest::Fields(EngHandle cursor) const {
  std::vector<EngFieldDesc> descs(Props(cursor).fieldCount);
  EXPECT_EQ(api.EngGetFieldDescs(cursor, descs.data()), ENG_OK) << ErrorTexts();
  return descs;
}

EngHandle TEngineTest::Execute(EngHandle db, const std::string& sql) {
  EngHandle statement = 0, cursor = 0;
  EXPECT_EQ(api.EngAllocStatement(db, ENG_LANG_SQL, &statement), ENG_OK) << ErrorTexts();
  EXPECT_EQ(api.EngPrepareStatement(statement, sql.c_str()), ENG_OK) << ErrorTexts();
  EXPECT_EQ(api.EngExecuteStatement(statement, &cursor), ENG_OK) << ErrorTexts();
  EXPECT_EQ(api.EngFreeStatement(statement), ENG_OK);
  return cursor;
}

std::optional<std::string> TEngineTest::Text(EngHandle cursor, const std::vector<unsigned char>& record,
                                             uint16_t field) const {
  char value[8193] = {};
  uint16_t blank = 7;
  EXPECT_EQ(api.EngGetField(cursor, field, record.data(), value, &blank), ENG_OK) << ErrorTexts();
  if (blank != 0) return std::nullopt;
  return std::string(value);
}

std::string TEngineTest::Blob(EngHandle cursor, const std::vector<unsigned char>& record, uint16_t field,
                              uint32_t chunk) const {
  EXPECT_EQ(api.EngOpenBlob(cursor, record.data(), field, ENG_OPEN_READONLY), ENG_OK) << ErrorTexts();
  uint32_t size = 0;
  EXPECT_EQ(api.EngGetBlobSize(cursor, record.data(), field, &size), ENG_OK);
  std::string bytes;
  std::vector<char> piece(chunk);
  for (uint32_t offset = 0; offset < size;) {
    uint32_t read = 0;
    const EngResult result = api.EngGetBlob(cursor, record.data(), field, offset, chunk, piece.data(), &read);
    const bool last = offset + chunk >= size;
    EXPECT_EQ(result, last && offset + chunk > size ? ENG_ERR_BLOB_SHORT_READ : ENG_OK);
    if (read == 0) break;
    bytes.append(piece.data(), read);
    offset += read;
  }
  EXPECT_EQ(api.EngFreeBlob(cursor, record.data(), field), ENG_OK);
  return bytes;
}

std::vector<std::string> TEngineTest::Column(EngHandle cursor, uint16_t field) const {
  std::vector<std::string> values;
  std::vector<unsigned char> record(Props(cursor).recordSize);
  EXPECT_EQ(api.EngSetToBegin(cursor), ENG_OK);
  EngResult result;
  while ((result = api.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr)) == ENG_OK) {
    values.push_back(Text(cursor, record, field).value_or("<blank>"));
  }
  EXPECT_EQ(result, ENG_EOF) << ErrorTexts();
  return values;
}
