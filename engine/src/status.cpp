#include "status.h"

#include <utility>

namespace dbengine {

namespace {

struct TStatusText {
  EngResult status;
  const char* text;
};

constexpr TStatusText kTexts[] = {
    {ENG_OK, "Success"},
    {ENG_ERR_NOT_STARTED, "Engine is not started"},
    {ENG_ERR_VERSION, "Engine version not supported"},
    {ENG_ERR_STORAGE_LIBRARY, "Storage library without encryption support"},
    {ENG_ERR_LIB_NOT_FOUND, "Engine library not found"},
    {ENG_ERR_LIB_LOAD, "Engine library could not be loaded"},
    {ENG_ERR_LIB_NOT_LOADABLE, "Engine library is not loadable"},
    {ENG_ERR_INTERNAL, "Internal engine error"},
    {ENG_BOF, "At beginning of table"},
    {ENG_EOF, "At end of table"},
    {ENG_ERR_NO_CURRENT_RECORD, "No current record"},
    {ENG_ERR_RECORD_CHANGED, "Record changed or deleted by another user"},
    {ENG_ERR_BLOB_SHORT_READ, "End of blob"},
    {ENG_ERR_FILE_CORRUPT, "Table file is corrupt"},
    {ENG_ERR_NOT_A_TABLE, "File is not a table"},
    {ENG_ERR_TABLE_NOT_FOUND, "Table does not exist"},
    {ENG_ERR_FOLDER_NOT_FOUND, "Database folder does not exist"},
    {ENG_ERR_TABLE_LOCKED, "Table is locked"},
    {ENG_ERR_IO, "File read or write failed"},
    {ENG_ERR_NO_MEMORY, "Not enough memory"},
    {ENG_ERR_KEY_VIOLATION, "Key violation"},
    {ENG_ERR_CHECK_FAILED, "Field value fails a check of the table"},
    {ENG_ERR_REQUIRED_FIELD, "Field value required"},
    {ENG_ERR_VALUE_TOO_LONG, "Value is longer than its field"},
    {ENG_ERR_INVALID_HANDLE, "Invalid handle"},
    {ENG_ERR_INVALID_PARAMETER, "Invalid parameter"},
    {ENG_ERR_INVALID_FIELD, "Invalid field number"},
    {ENG_ERR_UNKNOWN_PROPERTY, "Unknown property"},
    {ENG_ERR_PROPERTY_READ_ONLY, "Property cannot be changed"},
    {ENG_ERR_NOT_A_BLOB, "Field is not a blob"},
    {ENG_ERR_BLOB_NOT_OPEN, "Blob is not open"},
    {ENG_ERR_INVALID_BOOKMARK, "Invalid bookmark"},
    {ENG_ERR_NOT_PREPARED, "Statement is not prepared"},
    {ENG_ERR_UNIDIRECTIONAL, "Cursor moves forward only"},
    {ENG_ERR_INVALID_RECORD, "Record buffer holds no record of this cursor"},
    {ENG_ERR_BLOB_OFFSET, "Blob offset beyond the end of the blob"},
    {ENG_ERR_INDEX_OPEN, "Index is already open"},
    {ENG_ERR_NO_SUCH_ENTRY, "No such entry in the engine library"},
    {ENG_ERR_RECORD_LOCKED, "Record is being edited by another cursor"},
    {ENG_ERR_PASSWORD, "Table password missing or wrong"},
    {ENG_ERR_TABLE_READ_ONLY, "Table is read-only; it cannot be changed"},
    {ENG_ERR_ALIAS_NOT_FOUND, "Unknown database alias"},
    {ENG_ERR_CONFIG_PATH, "Configuration path not found"},
    {ENG_ERR_CONFIG_FILE, "Configuration file cannot be read"},
    {ENG_ERR_DRIVER_NOT_SUPPORTED, "Driver or table type not supported"},
    {ENG_ERR_NOT_SUPPORTED, "Operation not supported"},
    {ENG_ERR_NOT_AVAILABLE, "Not available"},
    {ENG_ALREADY_STARTED, "Engine already started"},
    {ENG_ERR_READ_ONLY, "Table is read-only"},
    {ENG_ERR_SQL_SYNTAX, "Syntax error in SQL statement"},
    {ENG_ERR_SQL_UNKNOWN_TABLE, "Unknown table in SQL statement"},
    {ENG_ERR_SQL_UNKNOWN_COLUMN, "Unknown column in SQL statement"},
    {ENG_ERR_SQL_NOT_SUPPORTED, "SQL statement not supported"},
    {ENG_ERR_SQL_TOO_COMPLEX, "SQL statement too deeply nested"},
};

}  // namespace

std::string_view StatusText(EngResult status) {
  const EngResult code = ENG_STATUS(status);
  for (const auto& entry : kTexts) {
    if (entry.status == code) return entry.text;
  }
  return {};
}

std::string FitText(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  constexpr std::string_view kEllipsis = "...";
  size_t keep = maxBytes > kEllipsis.size() ? maxBytes - kEllipsis.size() : 0;
  // Step back over UTF-8 continuation bytes so that no character is split.
  while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80)
    --keep;
  std::string result(text.substr(0, keep));
  result += kEllipsis.substr(0, maxBytes - keep);
  return result;
}

std::string FitPath(std::string_view path, size_t maxBytes) {
  if (path.size() <= maxBytes) return std::string(path);
  constexpr std::string_view kEllipsis = "...";
  size_t start = path.size() - (maxBytes - kEllipsis.size());
  while (start < path.size() && (static_cast<unsigned char>(path[start]) & 0xC0) == 0x80)
    ++start;
  return std::string(kEllipsis) + std::string(path.substr(start));
}

EEngineFault::EEngineFault(EngResult status, std::string text, int32_t nativeCode) {
  entries_.push_back({status, nativeCode, FitText(text)});
}

EEngineFault& EEngineFault::With(EngResult status, std::string text, int32_t nativeCode) {
  entries_.push_back({status, nativeCode, FitText(text)});
  return *this;
}

void Fail(EngResult status, std::string text, int32_t nativeCode) {
  throw EEngineFault(status, std::move(text), nativeCode);
}

}  // namespace dbengine
