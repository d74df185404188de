// Entries: tables, cursors, records, fields and blobs.
#include "api_guard.h"
#include "statement.h"
#include "text.h"

// The C interface lives outside the engine's namespace; its bodies reach into it.
using namespace dbengine;

namespace {

constexpr const char* kTableType = "PARADOX";

bool IsEmpty(const char* text) {
  return text == nullptr || *text == '\0';
}

uint32_t RequireLock(uint32_t lock) {
  if (lock != ENG_LOCK_NONE && lock != ENG_LOCK_WRITE) {
    Fail(ENG_ERR_INVALID_PARAMETER, "Unknown lock kind " + std::to_string(lock));
  }
  return lock;
}

}  // namespace

extern "C" {

ENG_API EngResult EngOpenTable(EngHandle database, const char* table, const char* type, const char* indexName,
                               const char* indexTag, uint16_t /*indexId*/, uint32_t openMode,
                               uint32_t shareMode, uint32_t translation, uint32_t unidirectional,
                               const void* options, EngHandle* cursor) {
  return Guard([&](TEngine& engine) -> EngResult {
    TDatabase& owner = engine.Database(database);
    TSession& session = engine.Session(owner.Session());
    Require(cursor, "cursor buffer");
    const std::string name = TextOrEmpty(table);
    if (name.empty()) Fail(ENG_ERR_INVALID_PARAMETER, "No table name given");
    if (!IsEmpty(type) && !EqualsIgnoringCase(type, kTableType)) {
      Fail(ENG_ERR_DRIVER_NOT_SUPPORTED, "Table type '" + FitText(type, 31) + "' is not supported");
    }
    if (!IsEmpty(indexName) || !IsEmpty(indexTag)) {
      Fail(ENG_ERR_NOT_SUPPORTED, "Tables have no indexes here; open them without an index name");
    }
    if (openMode > ENG_OPEN_READONLY || shareMode > ENG_SHARE_EXCLUSIVE || translation > ENG_XLT_RECORD) {
      Fail(ENG_ERR_INVALID_PARAMETER, "Unknown open, share or translation mode");
    }
    if (options != nullptr) Fail(ENG_ERR_INVALID_PARAMETER, "Table options are not supported");
    const bool readWrite = openMode == ENG_OPEN_READWRITE && owner.OpenMode() == ENG_OPEN_READWRITE;
    const TTableLocation location = owner.Locate(name, owner.extensionOptional, ENG_ERR_TABLE_NOT_FOUND,
                                                 "Table '" + FitText(name, 60) + "' does not exist");
    auto file = owner.OpenTableFile(location, readWrite, session);

    std::vector<int> all;
    for (size_t i = 0; i < file->Columns().size(); ++i)
      all.push_back(static_cast<int>(i));
    TRecordLayout layout = BuildLayout(file->Columns(), all, true);
    TCursorSource source;
    source.selectSql = SelectSql(*file, layout, "", "");
    source.countSql = "SELECT count(*) FROM " + QuoteIdentifier(file->TableName());
    source.table = std::move(file);
    TCursorOptions cursorOptions;
    cursorOptions.database = database;
    cursorOptions.unidirectional = unidirectional != 0;
    cursorOptions.openMode = readWrite ? ENG_OPEN_READWRITE : ENG_OPEN_READONLY;
    cursorOptions.shareMode = static_cast<uint16_t>(shareMode);
    cursorOptions.tableName = location.fileName;
    cursorOptions.tableType = kTableType;
    cursorOptions.claimedPath = location.path;
    *cursor =
        engine.AddCursor(std::make_unique<TCursor>(std::move(layout), std::move(source), cursorOptions));
    return ENG_OK;
  });
}

ENG_API EngResult EngGetCursorProps(EngHandle cursor, EngCursorProps* props) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).Properties(*Require(props, "properties buffer"));
    return ENG_OK;
  });
}

ENG_API EngResult EngGetFieldDescs(EngHandle cursor, EngFieldDesc* descs) {
  return Guard([&](TEngine& engine) -> EngResult {
    const TCursor& target = engine.Cursor(cursor);
    const TRecordLayout& layout = target.Layout();
    Require(descs, "field descriptor buffer");
    uint16_t number = 0;
    for (const TFieldInfo& field : layout.fields) {
      EngFieldDesc& desc = descs[number];
      std::memset(&desc, 0, sizeof desc);
      desc.fieldNumber = ++number;
      CopyText(desc.name, field.name, sizeof desc.name);
      desc.fieldType = field.type.type;
      desc.subType = field.type.subType;
      desc.units1 = field.type.units1;
      desc.offset = field.offset;
      desc.length = field.length;
      desc.nullOffset = field.nullOffset;
      desc.validityCheck = field.validityCheck;
      desc.rights = target.Writable() ? ENG_RIGHTS_READWRITE : ENG_RIGHTS_READONLY;
    }
    return ENG_OK;
  });
}

ENG_API EngResult EngGetValidityChecks(EngHandle cursor, EngValidityCheck* checks) {
  return Guard([&](TEngine& engine) -> EngResult {
    const TRecordLayout& layout = engine.Cursor(cursor).Layout();
    if (layout.validityCount > 0) Require(checks, "validity check buffer");
    uint16_t number = 0;
    for (const TFieldInfo& field : layout.fields) {
      if (field.validityCheck == 0) continue;
      EngValidityCheck& check = checks[field.validityCheck - 1];
      std::memset(&check, 0, sizeof check);
      check.fieldNumber = static_cast<uint16_t>(&field - layout.fields.data() + 1);
      check.required = field.required ? 1 : 0;
      check.hasDefault = field.hasDefault ? 1 : 0;
      ++number;
    }
    return ENG_OK;
  });
}

ENG_API EngResult EngGetLanguageDriver(EngHandle object, char* name) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.RequireStarted();
    TObject* found = engine.Find(object);
    if (found == nullptr ||
        (found->Kind() != TObjectKind::Cursor && found->Kind() != TObjectKind::Database)) {
      Fail(ENG_ERR_INVALID_HANDLE, "Handle " + std::to_string(object) + " is not an open cursor or database");
    }
    CopyText(Require(name, "name buffer"), "UTF8", ENG_NAME_BUFFER);
    return ENG_OK;
  });
}

ENG_API EngResult EngSetToBegin(EngHandle cursor) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).SetToBegin();
    return ENG_OK;
  });
}

ENG_API EngResult EngSetToEnd(EngHandle cursor) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).SetToEnd();
    return ENG_OK;
  });
}

ENG_API EngResult EngGetRecord(EngHandle cursor, uint32_t lock, void* record, EngRecordProps* props) {
  return Guard([&](TEngine& engine) -> EngResult {
    TCursor& target = engine.Cursor(cursor);
    return target.Current(record, props, RequireLock(lock));
  });
}

ENG_API EngResult EngGetNextRecord(EngHandle cursor, uint32_t lock, void* record, EngRecordProps* props) {
  return Guard([&](TEngine& engine) -> EngResult {
    TCursor& target = engine.Cursor(cursor);
    return target.Next(record, props, RequireLock(lock));
  });
}

ENG_API EngResult EngGetPriorRecord(EngHandle cursor, uint32_t lock, void* record, EngRecordProps* props) {
  return Guard([&](TEngine& engine) -> EngResult {
    TCursor& target = engine.Cursor(cursor);
    return target.Prior(record, props, RequireLock(lock));
  });
}

ENG_API EngResult EngGetRecordCount(EngHandle cursor, uint32_t* count) {
  return Guard([&](TEngine& engine) -> EngResult {
    TCursor& target = engine.Cursor(cursor);
    *Require(count, "count buffer") = target.Count();
    return ENG_OK;
  });
}

ENG_API EngResult EngGetBookmark(EngHandle cursor, void* bookmark) {
  return Guard([&](TEngine& engine) -> EngResult {
    TCursor& target = engine.Cursor(cursor);
    target.Bookmark(Require(bookmark, "bookmark buffer"));
    return ENG_OK;
  });
}

ENG_API EngResult EngSetToBookmark(EngHandle cursor, const void* bookmark) {
  return Guard([&](TEngine& engine) -> EngResult {
    TCursor& target = engine.Cursor(cursor);
    target.SetToBookmark(Require(bookmark, "bookmark"));
    return ENG_OK;
  });
}

ENG_API EngResult EngCompareBookmarks(EngHandle cursor, const void* first, const void* second,
                                      int32_t* order) {
  return Guard([&](TEngine& engine) -> EngResult {
    TCursor& target = engine.Cursor(cursor);
    *Require(order, "order buffer") = target.Compare(Require(first, "bookmark"), Require(second, "bookmark"));
    return ENG_OK;
  });
}

ENG_API EngResult EngGetField(EngHandle cursor, uint16_t fieldNumber, const void* record, void* dest,
                              uint16_t* isBlank) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).Field(fieldNumber, record, dest, isBlank);
    return ENG_OK;
  });
}

ENG_API EngResult EngOpenBlob(EngHandle cursor, const void* record, uint16_t fieldNumber, uint32_t openMode) {
  return Guard([&](TEngine& engine) -> EngResult {
    TCursor& target = engine.Cursor(cursor);
    if (openMode > ENG_OPEN_READONLY) Fail(ENG_ERR_INVALID_PARAMETER, "Unknown blob open mode");
    target.OpenBlob(record, fieldNumber, openMode == ENG_OPEN_READWRITE);
    return ENG_OK;
  });
}

ENG_API EngResult EngGetBlobSize(EngHandle cursor, const void* record, uint16_t fieldNumber, uint32_t* size) {
  return Guard([&](TEngine& engine) -> EngResult {
    TCursor& target = engine.Cursor(cursor);
    *Require(size, "size buffer") = target.BlobSize(record, fieldNumber);
    return ENG_OK;
  });
}

ENG_API EngResult EngGetBlob(EngHandle cursor, const void* record, uint16_t fieldNumber, uint32_t offset,
                             uint32_t length, void* dest, uint32_t* read) {
  return Guard([&](TEngine& engine) -> EngResult {
    return engine.Cursor(cursor).ReadBlob(record, fieldNumber, offset, length, dest, read);
  });
}

ENG_API EngResult EngFreeBlob(EngHandle cursor, const void* record, uint16_t fieldNumber) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).FreeBlob(record, fieldNumber);
    return ENG_OK;
  });
}

ENG_API EngResult EngReleaseRecordLock(EngHandle cursor, uint16_t /*all*/) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).EndEdit();
    return ENG_OK;
  });
}

ENG_API EngResult EngCloseCursor(EngHandle cursor) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.CloseCursor(cursor);
    return ENG_OK;
  });
}

}  // extern "C"
