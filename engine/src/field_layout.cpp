#include "field_layout.h"

#include <cstdlib>

#include "text.h"

namespace dbengine {

namespace {

constexpr int16_t kDefaultStringLength = 255;
constexpr int16_t kMaxStringLength = 8192;
constexpr int16_t kMaxInRowBlob = 240;

bool OneOf(const std::string& word, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (word == name) return true;
  }
  return false;
}

}  // namespace

TColumnType MapDeclaredType(std::string_view declared) {
  // Split "VARCHAR (20)" into the base name and the first number in parentheses.
  const auto open = declared.find('(');
  const std::string base = UpperCase(Trim(declared.substr(0, open)));
  long size = -1;
  if (open != std::string_view::npos) {
    const std::string inside(declared.substr(open + 1));
    char* end = nullptr;
    size = std::strtol(inside.c_str(), &end, 10);
    if (end == inside.c_str()) size = -1;
  }
  TColumnType type;
  const auto blob = [&](uint16_t subType) {
    type.type = ENG_FLD_BLOB;
    type.subType = subType;
    type.kind = TValueKind::Blob;
    type.units1 = static_cast<int16_t>(size >= 0 && size <= kMaxInRowBlob ? size : 1);
  };
  const auto fixed = [&](uint16_t engineType, TValueKind kind, uint16_t subType = 0) {
    type.type = engineType;
    type.subType = subType;
    type.kind = kind;
  };
  if (base == "FMTMEMO") {
    blob(ENG_SUB_FMTMEMO);
  } else if (base == "MEMO") {
    blob(ENG_SUB_MEMO);
  } else if (base == "GRAPHIC") {
    blob(ENG_SUB_GRAPHIC);
  } else if (base.empty() || OneOf(base, {"BLOB", "BINARY"})) {
    blob(ENG_SUB_BINARY);
  } else if (OneOf(base, {"SMALLINT", "SHORT"})) {
    fixed(ENG_FLD_INT16, TValueKind::Int16);
  } else if (base == "AUTOINC") {
    fixed(ENG_FLD_INT32, TValueKind::Int32, ENG_SUB_AUTOINC);
  } else if (OneOf(base, {"INTEGER", "INT", "LONG"})) {
    fixed(ENG_FLD_INT32, TValueKind::Int32);
  } else if (OneOf(base, {"BIGINT", "INT64", "LARGEINT"})) {
    fixed(ENG_FLD_INT64, TValueKind::Int64);
  } else if (OneOf(base, {"REAL", "FLOAT", "DOUBLE", "DOUBLE PRECISION", "NUMBER", "NUMERIC", "DECIMAL"})) {
    fixed(ENG_FLD_FLOAT, TValueKind::Float);
  } else if (OneOf(base, {"MONEY", "CURRENCY"})) {
    fixed(ENG_FLD_FLOAT, TValueKind::Float, ENG_SUB_MONEY);
  } else if (OneOf(base, {"BOOLEAN", "BOOL", "LOGICAL"})) {
    fixed(ENG_FLD_BOOL, TValueKind::Bool);
  } else {
    // CHAR, VARCHAR, TEXT, STRING, ALPHA, CLOB and anything else: text.
    type.type = ENG_FLD_STRING;
    type.kind = TValueKind::Text;
    type.units1 = size >= 1 ? static_cast<int16_t>(size > kMaxStringLength ? kMaxStringLength : size)
                            : kDefaultStringLength;
  }
  return type;
}

namespace {

uint32_t ValueLength(const TColumnType& type) {
  switch (type.kind) {
    case TValueKind::Text:
      return static_cast<uint32_t>(type.units1) + 1;
    case TValueKind::Int16:
    case TValueKind::Bool:
      return 2;
    case TValueKind::Int32:
      return 4;
    case TValueKind::Int64:
    case TValueKind::Float:
      return 8;
    case TValueKind::Blob:
      return 0;
  }
  return 0;
}

uint32_t AlignFor(const TColumnType& type, uint32_t offset) {
  uint32_t alignment = 1;
  if (type.kind == TValueKind::Int16 || type.kind == TValueKind::Bool) alignment = 2;
  if (type.kind == TValueKind::Int32) alignment = 4;
  if (type.kind == TValueKind::Int64 || type.kind == TValueKind::Float) alignment = 8;
  return (offset + alignment - 1) / alignment * alignment;
}

TRecordLayout Finish(std::vector<TFieldInfo> fields) {
  TRecordLayout layout;
  uint32_t offset = ENG_RECORD_HEADER + static_cast<uint32_t>(fields.size());
  for (size_t i = 0; i < fields.size(); ++i) {
    TFieldInfo& field = fields[i];
    field.nullOffset = ENG_RECORD_HEADER + static_cast<uint32_t>(i);
    field.length = ValueLength(field.type);
    field.offset = AlignFor(field.type, offset);
    offset = field.offset + field.length;
    if (field.type.kind == TValueKind::Blob) ++layout.blobCount;
  }
  layout.recordSize = (offset + 7) / 8 * 8;
  layout.fields = std::move(fields);
  return layout;
}

std::string ShownName(const std::string& name) {
  return name.substr(0, Utf8Prefix(name.data(), name.size(), ENG_MAX_NAME_LEN));
}

}  // namespace

TRecordLayout BuildLayout(const std::vector<TColumn>& columns, const std::vector<int>& selected,
                          bool withValidityChecks) {
  std::vector<TFieldInfo> fields;
  uint16_t checks = 0;
  for (int index : selected) {
    const TColumn& column = columns[static_cast<size_t>(index)];
    TFieldInfo field;
    field.name = ShownName(column.name);
    field.column = index;
    field.type = MapDeclaredType(column.declaredType);
    if (withValidityChecks && (column.notNull || column.hasDefault)) {
      field.validityCheck = ++checks;
      field.required = column.notNull;
      field.hasDefault = column.hasDefault;
    }
    fields.push_back(std::move(field));
  }
  TRecordLayout layout = Finish(std::move(fields));
  layout.validityCount = checks;
  return layout;
}

TRecordLayout BuildTextLayout(const std::vector<std::pair<std::string, int16_t>>& specs) {
  std::vector<TFieldInfo> fields;
  for (const auto& [name, length] : specs) {
    TFieldInfo field;
    field.name = name;
    field.type.type = ENG_FLD_STRING;
    field.type.kind = TValueKind::Text;
    field.type.units1 = length;
    fields.push_back(std::move(field));
  }
  return Finish(std::move(fields));
}

}  // namespace dbengine
