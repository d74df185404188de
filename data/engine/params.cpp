#include "data/engine/params.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "core/rtti.h"
#include "data/db_error.h"
#include "data/engine/engine_strings.h"
#include "data/engine/engine_text.h"

BREVANT_DEFINE_CLASS(TParam, TCollectionItem, )
BREVANT_DEFINE_CLASS(TParams, TCollection, )

namespace {

bool IsNameChar(char C) {
  return std::isalnum(static_cast<unsigned char>(C)) != 0 || C == '_' ||
         static_cast<unsigned char>(C) >= 0x80;
}

std::string Quoted(const std::string& Text) {
  std::string out = "'";
  for (char c : Text) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out + "'";
}

}  // namespace

// ---- Parsing ------------------------------------------------------------------------------

TParsedSQL ParseSQLMarkers(const std::string& SQL) {
  TParsedSQL parsed;
  std::string& out = parsed.Text;
  size_t i = 0;
  while (i < SQL.size()) {
    const char c = SQL[i];
    if (c == '\'' || c == '"') {
      // A quoted text (a doubled quote stands for itself) is copied as it is.
      size_t end = i + 1;
      while (end < SQL.size()) {
        if (SQL[end] == c) {
          if (end + 1 < SQL.size() && SQL[end + 1] == c) {
            end += 2;
            continue;
          }
          break;
        }
        ++end;
      }
      end = std::min(end + 1, SQL.size());
      out.append(SQL, i, end - i);
      i = end;
      continue;
    }
    if (c != ':') {
      out += c;
      ++i;
      continue;
    }
    if (i + 1 < SQL.size() && SQL[i + 1] == ':') {
      out += ':';
      i += 2;
      continue;
    }
    std::string name;
    size_t next = i + 1;
    if (next < SQL.size() && SQL[next] == '"') {
      const size_t close = SQL.find('"', next + 1);
      if (close != std::string::npos) {
        name = SQL.substr(next + 1, close - next - 1);
        next = close + 1;
      }
    } else {
      while (next < SQL.size() && IsNameChar(SQL[next]))
        ++next;
      name = SQL.substr(i + 1, next - i - 1);
    }
    if (name.empty()) {
      out += ':';
      ++i;
      continue;
    }
    parsed.Offsets.push_back(out.size());
    parsed.Names.push_back(name);
    out += '?';
    i = next;
  }
  return parsed;
}

std::string TParams::ParseSQL(const std::string& SQL, bool DoCreate) {
  TParsedSQL parsed = ParseSQLMarkers(SQL);
  if (DoCreate) {
    BeginUpdate();
    Clear();
    for (const std::string& name : parsed.Names) {
      if (FindParam(name) == nullptr) CreateParam(ftUnknown, name, ptUnknown);
    }
    EndUpdate();
  }
  return parsed.Text;
}

// ---- The list -----------------------------------------------------------------------------

TParam* TParams::CreateParam(TFieldType DataType, const std::string& Name, TParamType ParamType) {
  auto* param = static_cast<TParam*>(Add());
  param->SetName(Name);
  param->SetDataType(DataType);
  param->SetParamType(ParamType);
  return param;
}

TParam* TParams::FindParam(const std::string& Name) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(Items(i)->Name(), Name)) return Items(i);
  }
  return nullptr;
}

TParam* TParams::ParamByName(const std::string& Name) const {
  TParam* param = FindParam(Name);
  if (param == nullptr) RaiseDataErrorFmt(LoadResString(SParameterNotFound), {Name}, nullptr);
  return param;
}

void TParams::AssignValues(const TParams& Source) {
  for (int i = 0; i < Count(); ++i) {
    TParam* param = Items(i);
    const TParam* other = Source.FindParam(param->Name());
    if (other == nullptr || other == param) continue;
    const std::string name = param->Name();
    param->Assign(*other);
    param->SetName(name);
  }
}

// ---- A parameter --------------------------------------------------------------------------

void TParam::Clear() {
  Value_ = std::monostate();
}

std::string TParam::AsString() const {
  if (const auto* text = std::get_if<std::string>(&Value_)) return *text;
  if (const auto* number = std::get_if<int64_t>(&Value_)) return std::to_string(*number);
  if (const auto* real = std::get_if<double>(&Value_)) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", *real);
    return buffer;
  }
  if (const auto* flag = std::get_if<bool>(&Value_)) return *flag ? "True" : "False";
  return {};
}

void TParam::SetAsString(const std::string& Value) {
  Value_ = Value;
  if (DataType_ == ftUnknown) DataType_ = ftString;
  Bound_ = true;
}

int64_t TParam::AsInteger() const {
  if (const auto* number = std::get_if<int64_t>(&Value_)) return *number;
  if (const auto* real = std::get_if<double>(&Value_)) return static_cast<int64_t>(*real);
  if (const auto* flag = std::get_if<bool>(&Value_)) return *flag ? 1 : 0;
  if (const auto* text = std::get_if<std::string>(&Value_)) return std::strtoll(text->c_str(), nullptr, 10);
  return 0;
}

void TParam::SetAsInteger(int64_t Value) {
  Value_ = Value;
  if (DataType_ == ftUnknown) DataType_ = ftInteger;
  Bound_ = true;
}

double TParam::AsFloat() const {
  if (const auto* real = std::get_if<double>(&Value_)) return *real;
  if (const auto* number = std::get_if<int64_t>(&Value_)) return static_cast<double>(*number);
  if (const auto* text = std::get_if<std::string>(&Value_)) return std::strtod(text->c_str(), nullptr);
  return AsBoolean() ? 1.0 : 0.0;
}

void TParam::SetAsFloat(double Value) {
  Value_ = Value;
  if (DataType_ == ftUnknown) DataType_ = ftFloat;
  Bound_ = true;
}

bool TParam::AsBoolean() const {
  if (const auto* flag = std::get_if<bool>(&Value_)) return *flag;
  if (const auto* number = std::get_if<int64_t>(&Value_)) return *number != 0;
  if (const auto* text = std::get_if<std::string>(&Value_)) return SameText(*text, "True");
  return false;
}

void TParam::SetAsBoolean(bool Value) {
  Value_ = Value;
  if (DataType_ == ftUnknown) DataType_ = ftBoolean;
  Bound_ = true;
}

std::string TParam::SQLLiteral() const {
  if (IsNull()) return "NULL";
  if (std::holds_alternative<std::string>(Value_)) return Quoted(std::get<std::string>(Value_));
  if (std::holds_alternative<bool>(Value_)) return std::get<bool>(Value_) ? "1" : "0";
  return AsString();
}

void TParam::Assign(const TPersistent& Source) {
  const auto* other = dynamic_cast<const TParam*>(&Source);
  if (other == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  if (other == this) return;
  Name_ = other->Name_;
  DataType_ = other->DataType_;
  ParamType_ = other->ParamType_;
  Bound_ = other->Bound_;
  Value_ = other->Value_;
}
