// Engine field types of table columns, and where each field lives in a record buffer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dbengine.h"

namespace dbengine {

// How a value is stored in a record buffer.
enum class TValueKind : uint8_t { Text, Int16, Int32, Int64, Float, Bool, Blob };

struct TColumnType {
  uint16_t type = ENG_FLD_STRING;
  uint16_t subType = 0;
  int16_t units1 = 0;
  TValueKind kind = TValueKind::Text;
};

// The engine type of a declared column type (the table in dbengine.h, "Field types").
TColumnType MapDeclaredType(std::string_view declared);

// One column of a table file.
struct TColumn {
  std::string name;
  std::string declaredType;
  bool notNull = false;
  bool hasDefault = false;
  std::string defaultSql;  // the DEFAULT expression as declared, when hasDefault
};

struct TFieldInfo {
  std::string name;  // as reported: the column name cut to 31 bytes
  int column = -1;   // index of the table column
  TColumnType type;
  uint32_t offset = 0;
  uint32_t length = 0;
  uint32_t nullOffset = 0;
  uint16_t validityCheck = 0;
  bool required = false;
  bool hasDefault = false;
};

struct TRecordLayout {
  std::vector<TFieldInfo> fields;
  uint32_t recordSize = ENG_RECORD_HEADER;
  uint16_t blobCount = 0;
  uint16_t validityCount = 0;
};

// Fields for the given table columns, in that order, with offsets, lengths and validity checks filled in.
TRecordLayout BuildLayout(const std::vector<TColumn>& columns, const std::vector<int>& selected,
                          bool withValidityChecks);

// A layout of plain string fields (configuration rows).
TRecordLayout BuildTextLayout(const std::vector<std::pair<std::string, int16_t>>& fields);

// Cuts text to at most maxBytes bytes at a UTF-8 character boundary; returns the kept length.
inline size_t Utf8Prefix(const char* text, size_t length, size_t maxBytes) {
  if (length <= maxBytes) return length;
  size_t keep = maxBytes;
  while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80)
    --keep;
  return keep;
}

}  // namespace dbengine
