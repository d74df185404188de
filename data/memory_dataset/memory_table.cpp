#include "data/memory_dataset/memory_table.h"

#include <charconv>
#include <cstring>
#include <sstream>

#include "core/text.h"
#include "data/data_strings.h"
#include "data/db_error.h"
#include "data/fields/field_defs.h"

namespace {

[[noreturn]] void BadValue(const TMemoryColumn& Column, const std::string& Text) {
  RaiseDataErrorFmt(LoadResString(SInvalidCellValue), {Text, Column.Name}, nullptr);
}

template <class T>
std::string Bytes(T Value) {
  std::string out(sizeof(T), '\0');
  std::memcpy(out.data(), &Value, sizeof(T));
  return out;
}

int64_t ParseInteger(const TMemoryColumn& Column, const std::string& Text, int64_t Low, int64_t High) {
  int64_t v = 0;
  const char* first = Text.data() + (!Text.empty() && Text[0] == '+' ? 1 : 0);
  const auto [end, error] = std::from_chars(first, Text.data() + Text.size(), v);
  if (Text.empty() || error != std::errc() || end != Text.data() + Text.size() || v < Low || v > High)
    BadValue(Column, Text);
  return v;
}

}  // namespace

int TMemoryTable::ColumnIndex(const std::string& Name) const {
  for (size_t i = 0; i < Columns_.size(); ++i) {
    if (SameText(Columns_[i].Name, Name)) return static_cast<int>(i);
  }
  return -1;
}

void TMemoryTable::AddColumn(const TMemoryColumn& Column) {
  if (!Records_.empty()) RaiseDataError(LoadResString(SColumnsWithRows), nullptr);
  const bool isString = Column.DataType == ftString || Column.DataType == ftFixedChar;
  if (Column.Name.empty() || (isString && (Column.Size < 1 || Column.Size > 8192)) || Column.Size < 0 ||
      Column.Size > 65535) {
    RaiseDataErrorFmt(LoadResString(SInvalidColumnDef), {FormatColumn(Column)}, nullptr);
  }
  Columns_.push_back(Column);
}

void TMemoryTable::SetColumns(const std::vector<TMemoryColumn>& Columns) {
  if (!Records_.empty()) RaiseDataError(LoadResString(SColumnsWithRows), nullptr);
  const std::vector<TMemoryColumn> old = Columns_;
  Columns_.clear();
  try {
    for (const TMemoryColumn& column : Columns)
      AddColumn(column);
  } catch (...) {
    Columns_ = old;
    throw;
  }
}

void TMemoryTable::AddRow(const std::vector<TMemoryCell>& Values) {
  if (Values.size() != Columns_.size()) {
    RaiseDataErrorFmt(LoadResString(SRowShape), {static_cast<int>(Values.size()), ColumnCount()}, nullptr);
  }
  TRecord record;
  record.Id = NextId_;
  record.Cells.reserve(Values.size());
  for (size_t i = 0; i < Values.size(); ++i) {
    if (!Values[i]) {
      record.Cells.emplace_back();
    } else {
      record.Cells.emplace_back(EncodeCell(Columns_[i], *Values[i]));
    }
  }
  ++NextId_;
  Records_.push_back(std::move(record));
  if (IndexValid_) IndexById_[Records_.back().Id] = RowCount() - 1;
}

void TMemoryTable::ClearRows() {
  Records_.clear();
  IndexValid_ = false;
}

const TMemoryCell& TMemoryTable::Cell(int Row, int Column) const {
  return Record(Row).Cells.at(static_cast<size_t>(Column));
}

int TMemoryTable::PositionOf(int64_t Id, int Hint) const {
  if (Hint >= 0 && Hint < RowCount() && Records_[static_cast<size_t>(Hint)].Id == Id) return Hint;
  if (!IndexValid_) {
    IndexById_.clear();
    for (size_t i = 0; i < Records_.size(); ++i)
      IndexById_[Records_[i].Id] = static_cast<int>(i);
    IndexValid_ = true;
  }
  auto it = IndexById_.find(Id);
  return it == IndexById_.end() ? -1 : it->second;
}

int TMemoryTable::RawWidth(const TMemoryColumn& Column) {
  switch (Column.DataType) {
    case ftSmallint:
    case ftWord:
    case ftBoolean:
      return 2;
    case ftInteger:
    case ftAutoInc:
    case ftDate:
    case ftTime:
      return 4;
    case ftLargeint:
    case ftFloat:
    case ftCurrency:
    case ftDateTime:
      return 8;
    case ftBCD:
      return 34;
    case ftBytes:
      return Column.Size;
    case ftVarBytes:
      return Column.Size + 2;
    default:
      return 0;
  }
}

std::string TMemoryTable::EncodeCell(const TMemoryColumn& Column, const std::string& Text) {
  switch (Column.DataType) {
    case ftString:
    case ftFixedChar:
      if (Text.size() > static_cast<size_t>(Column.Size)) BadValue(Column, Text);
      return Text;
    case ftSmallint:
      return Bytes(static_cast<int16_t>(ParseInteger(Column, Text, INT16_MIN, INT16_MAX)));
    case ftWord:
      return Bytes(static_cast<uint16_t>(ParseInteger(Column, Text, 0, UINT16_MAX)));
    case ftInteger:
    case ftAutoInc:
      return Bytes(static_cast<int32_t>(ParseInteger(Column, Text, INT32_MIN, INT32_MAX)));
    case ftLargeint:
      return Bytes(ParseInteger(Column, Text, INT64_MIN, INT64_MAX));
    case ftFloat:
    case ftCurrency: {
      double v = 0;
      const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), v);
      if (Text.empty() || error != std::errc() || end != Text.data() + Text.size()) BadValue(Column, Text);
      return Bytes(v);
    }
    case ftBoolean:
      if (SameText(Text, "True") || Text == "1") return Bytes(int16_t{1});
      if (SameText(Text, "False") || Text == "0") return Bytes(int16_t{0});
      BadValue(Column, Text);
    default:
      if (IsBlobType(Column.DataType)) return Text;
      if (RawWidth(Column) > 0 && Text.size() != static_cast<size_t>(RawWidth(Column)))
        BadValue(Column, Text);
      return Text;
  }
}

TMemoryColumn TMemoryTable::ParseColumn(const std::string& Line) {
  std::istringstream words(Line);
  TMemoryColumn column;
  std::string type;
  if (!(words >> column.Name >> type)) RaiseDataErrorFmt(LoadResString(SInvalidColumnDef), {Line}, nullptr);
  const int ordinal = TEnumNames<TFieldType>::Info().OrdinalOf(type);
  if (ordinal < 0) RaiseDataErrorFmt(LoadResString(SInvalidColumnDef), {Line}, nullptr);
  column.DataType = static_cast<TFieldType>(ordinal);
  std::string word;
  while (words >> word) {
    if (word == "required") {
      column.Attributes.Include(faRequired);
    } else if (word == "readonly") {
      column.Attributes.Include(faReadonly);
    } else if (word == "hidden") {
      column.Attributes.Include(faHiddenCol);
    } else {
      int size = 0;
      const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), size);
      if (error != std::errc() || end != word.data() + word.size() || column.Size != 0)
        RaiseDataErrorFmt(LoadResString(SInvalidColumnDef), {Line}, nullptr);
      column.Size = size;
    }
  }
  return column;
}

std::string TMemoryTable::FormatColumn(const TMemoryColumn& Column) {
  const auto& names = TEnumNames<TFieldType>::Info().Names;
  const auto type = static_cast<size_t>(Column.DataType);
  std::string line = Column.Name + " " + (type < names.size() ? names[type] : "ftUnknown");
  if (Column.Size != 0) line += " " + std::to_string(Column.Size);
  if (Column.Attributes.Contains(faRequired)) line += " required";
  if (Column.Attributes.Contains(faReadonly)) line += " readonly";
  if (Column.Attributes.Contains(faHiddenCol)) line += " hidden";
  return line;
}
