#pragma once
// Parameters of a query: TParams of TParam, and the parser that finds the parameter markers
// (":name", or ":"a name with blanks"") of an SQL text. Markers inside quoted texts do not
// count, and "::" stands for one colon. The parsed text has "?" where each marker stood.
//
// The engine takes no parameter values of its own, so a query binds them by writing each
// value into the statement as a literal (SQLLiteral): texts quoted with inner quotes
// doubled, numbers as they are, a missing value as NULL.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "data/collection.h"
#include "data/db_types.h"

enum TParamType { ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult };
BREVANT_ENUM_NAMES(TParamType, "ptUnknown", "ptInput", "ptOutput", "ptInputOutput", "ptResult");

class TParam : public TCollectionItem {
 public:
  BREVANT_CLASS(TParam)
  TParam() = default;

  const std::string& Name() const { return Name_; }
  void SetName(const std::string& Value) { Name_ = Value; }
  TFieldType DataType() const { return DataType_; }
  void SetDataType(TFieldType Value) { DataType_ = Value; }
  TParamType ParamType() const { return ParamType_; }
  void SetParamType(TParamType Value) { ParamType_ = Value; }

  // Whether a value was given (setting one binds the parameter).
  bool Bound() const { return Bound_; }
  void SetBound(bool Value) { Bound_ = Value; }
  bool IsNull() const { return std::holds_alternative<std::monostate>(Value_); }
  void Clear();

  std::string AsString() const;
  void SetAsString(const std::string& Value);
  int64_t AsInteger() const;
  void SetAsInteger(int64_t Value);
  double AsFloat() const;
  void SetAsFloat(double Value);
  bool AsBoolean() const;
  void SetAsBoolean(bool Value);

  // The value as the statement writes it.
  std::string SQLLiteral() const;
  void Assign(const TPersistent& Source) override;

 private:
  std::string Name_;
  TFieldType DataType_ = ftUnknown;
  TParamType ParamType_ = ptUnknown;
  bool Bound_ = false;
  std::variant<std::monostate, std::string, int64_t, double, bool> Value_;
};

class TParams : public TCollection {
 public:
  BREVANT_CLASS(TParams)
  TParams() = default;

  TParam* Items(int Index) const { return static_cast<TParam*>(Item(Index)); }
  TParam* CreateParam(TFieldType DataType, const std::string& Name, TParamType ParamType);
  // The first parameter of that name (ignoring case), or none.
  TParam* FindParam(const std::string& Name) const;
  // As FindParam, but none raises "Parameter '%s' not found".
  TParam* ParamByName(const std::string& Name) const;
  // Gives each parameter the value of the equally named one of Source.
  void AssignValues(const TParams& Source);
  // Parses SQL; with DoCreate the list is replaced by one parameter per marker name (in order
  // of first appearance). Answers the parsed text.
  std::string ParseSQL(const std::string& SQL, bool DoCreate);

 protected:
  std::unique_ptr<TCollectionItem> NewItem() override { return std::make_unique<TParam>(); }
};

// The markers of an SQL text: the parsed text, where each "?" stands (Offsets), and which
// parameter name each one has (Names, one per marker, repeats kept).
struct TParsedSQL {
  std::string Text;
  std::vector<size_t> Offsets;
  std::vector<std::string> Names;
};
TParsedSQL ParseSQLMarkers(const std::string& SQL);
