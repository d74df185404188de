// TEngineDataSet: field definitions from the engine's descriptors, and field values.

#include <cstdlib>
#include <cstring>
#include <vector>

#include "data/data_strings.h"

#include "core/scope_exit.h"
#include "data/engine/engine_dataset.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_text.h"
#include "data/fields/field.h"
#include "platform/codepage.h"

namespace {

constexpr uint16_t kSubFixedChar = 31;

TFieldType BlobTypeOf(uint16_t SubType) {
  switch (SubType) {
    case 22:
    case 33:
      return ftMemo;
    case 24:
      return ftFmtMemo;
    case 25:
      return ftParadoxOle;
    case 26:
      return ftGraphic;
    case 27:
      return ftDBaseOle;
    case 28:
      return ftTypedBinary;
    default:
      return ftBlob;
  }
}

struct TDefShape {
  TFieldType Type = ftUnknown;
  int Size = 0;
  int Precision = 0;
};

// The definition's type and size for an engine descriptor. Types whose size counts like a
// string's get their first unit count, and a count of 0 makes them unknown.
TDefShape ShapeOf(const EngFieldDesc& Desc) {
  TDefShape shape;
  auto sized = [&](TFieldType Type) {
    if (Desc.units1 == 0) return;
    shape.Type = Type;
    shape.Size = Desc.units1;
  };
  switch (Desc.fieldType) {
    case 1:
      sized(Desc.subType == kSubFixedChar ? ftFixedChar : ftString);
      break;
    case 2:
      shape.Type = ftDate;
      break;
    case 3:
      shape.Type = BlobTypeOf(Desc.subType);
      shape.Size = Desc.units1;
      break;
    case 4:
      shape.Type = ftBoolean;
      break;
    case 5:
      if (Desc.length == 2) shape.Type = ftSmallint;
      break;
    case 6:
      shape.Type = Desc.subType == ENG_SUB_AUTOINC ? ftAutoInc : ftInteger;
      break;
    case 7:
      shape.Type = Desc.subType == ENG_SUB_MONEY ? ftCurrency : ftFloat;
      break;
    case 8:
      shape.Type = ftBCD;
      shape.Size = std::abs(Desc.units2);
      shape.Precision = Desc.units1;
      break;
    case 9:
      sized(ftBytes);
      break;
    case 10:
      shape.Type = ftTime;
      break;
    case 11:
      shape.Type = ftDateTime;
      break;
    case 12:
      if (Desc.length == 2) shape.Type = ftWord;
      break;
    case 13:
      shape.Type = ftInteger;
      break;
    case 15:
      sized(ftVarBytes);
      break;
    case 18:
    case 19:
      shape.Type = ftLargeint;
      break;
    case 20:
      sized(ftADT);
      break;
    case 21:
      sized(ftArray);
      break;
    case 22:
      sized(ftReference);
      break;
    case 23:
      shape.Type = ftDataSet;
      break;
    default:
      break;
  }
  return shape;
}

// Name, or "Name_1", "Name_2", ... when Defs already has it.
std::string FreeName(const TFieldDefs& Defs, const std::string& Name) {
  if (Defs.IndexOf(Name) < 0) return Name;
  for (int n = 1;; ++n) {
    const std::string candidate = Format("%s_%d", Name, n);
    if (Defs.IndexOf(candidate) < 0) return candidate;
  }
}

// Adds the definitions of Descs from Index on into Defs: one, with its children for object
// and array types. Answers the index after what it used.
size_t AddDefinition(TFieldDefs& Defs, const std::vector<EngFieldDesc>& Descs, size_t Index,
                     const std::vector<bool>& Required) {
  const EngFieldDesc& desc = Descs[Index];
  const TDefShape shape = ShapeOf(desc);
  TFieldDef* def = Defs.AddFieldDef();
  def->SetName(FreeName(Defs, OemToAnsi(FixedText(desc.name, sizeof desc.name))));
  def->SetDataType(shape.Type);
  def->SetSize(shape.Size);
  def->SetPrecision(shape.Precision);
  def->SetColumnNo(desc.fieldNumber);
  TFieldAttributes attributes;
  if (desc.fieldNumber < Required.size() && Required[desc.fieldNumber] && shape.Type != ftAutoInc)
    attributes.Include(faRequired);
  if ((desc.rights & ENG_RIGHTS_READONLY) != 0) attributes.Include(faReadonly);
  if (desc.hidden != 0) attributes.Include(faHiddenCol);
  def->SetAttributes(attributes);
  def->SetInternalCalcField(desc.calculated != 0);
  size_t next = Index + 1;
  if (shape.Type == ftADT) {
    // Its child fields follow it.
    for (int child = 0; child < shape.Size && next < Descs.size(); ++child)
      next = AddDefinition(*def->ChildDefs(), Descs, next, Required);
  } else if (shape.Type == ftArray && next < Descs.size()) {
    // One element stands for all: the others' descriptors are skipped.
    const size_t element = next;
    next = AddDefinition(*def->ChildDefs(), Descs, next, Required);
    def->ChildDefs()->Items(0)->SetName(def->Name() + "[0]");
    const size_t used = next - element;
    next = std::min(Descs.size(), next + used * static_cast<size_t>(std::max(shape.Size - 1, 0)));
  }
  return next;
}

}  // namespace

void TEngineDataSet::CoreDescribeFields() {
  EngCursorProps props{};
  CheckEngine(DbEngine.EngGetCursorProps(Handle_, &props));
  std::vector<bool> required(static_cast<size_t>(props.fieldCount) + 1, false);
  if (props.validityCheckCount > 0) {
    std::vector<EngValidityCheck> checks(props.validityCheckCount);
    CheckEngine(DbEngine.EngGetValidityChecks(Handle_, checks.data()));
    for (const EngValidityCheck& check : checks) {
      if (check.required != 0 && check.hasDefault == 0 && check.fieldNumber < required.size())
        required[check.fieldNumber] = true;
    }
  }
  std::vector<EngFieldDesc> descs(props.fieldCount);
  if (!descs.empty()) CheckEngine(DbEngine.EngGetFieldDescs(Handle_, descs.data()));
  TFieldDefs* defs = FieldDefs();
  {
    defs->BeginUpdate();
    TScopeExit endUpdate([defs] { defs->EndUpdate(); });
    defs->Clear();
    for (size_t i = 0; i < descs.size();)
      i = AddDefinition(*defs, descs, i, required);
  }
  FieldDescs_ = std::move(descs);
}

// ---- Values -------------------------------------------------------------------------------

TRowBuffer TEngineDataSet::ActiveRecordBuffer() const {
  const bool rows = BufferCount() > 0;
  switch (Mode()) {
    case dmBrowse:
    case dmBlockRead:
      return HasNoRows() ? nullptr : ActiveBuffer();
    case dmEdit:
    case dmInsert:
    case dmNewValue:  // no update is ever pending: the new and old values are the record's
    case dmOldValue:
      return rows ? ActiveBuffer() : nullptr;
    case dmSetKey:
      return KeyBuffer_;
    case dmCalcFields:
      return CalcBuffer();
    case dmFilter:
      return FilterBuffer_;
    default:
      return nullptr;
  }
}

bool TEngineDataSet::ReadFieldData(TField* Field, void* Buffer) {
  TRowBuffer record = ActiveRecordBuffer();
  if (record == nullptr) return false;
  const int number = Field->ColumnNo();
  if (number >= 1) {
    // The engine copies its own length of the value; a caller's buffer shorter than that
    // gets what fits.
    const size_t index = static_cast<size_t>(number) - 1;
    const size_t engineLength = index < FieldDescs_.size() ? FieldDescs_[index].length : 0;
    const size_t wanted = static_cast<size_t>(std::max(Field->RawSize(), 0));
    std::vector<char> spill;
    void* dest = Buffer;
    if (Buffer != nullptr && engineLength > wanted) {
      spill.resize(engineLength);
      dest = spill.data();
    }
    uint16_t blank = 0;
    const EngResult status =
        DbEngine.EngGetField(Handle_, static_cast<uint16_t>(number), record, dest, &blank);
    if (ENG_STATUS(status) != ENG_OK) {
      if (Mode() == dmBlockRead) return false;
      RaiseEngineError(status);
    }
    if (dest != Buffer) std::memcpy(Buffer, spill.data(), wanted);
    return blank == 0;
  }
  switch (Mode()) {
    case dmBrowse:
    case dmEdit:
    case dmInsert:
    case dmCalcFields:
    case dmBlockRead: {
      const char* slot = Layout_.Calc(record) + Field->SlotOffset();
      if (slot[0] == 0) return false;
      if (Buffer != nullptr)
        std::memcpy(Buffer, slot + 1, static_cast<size_t>(std::max(Field->RawSize(), 0)));
      return true;
    }
    default:
      return false;
  }
}

void TEngineDataSet::ConvertText(const std::string& Source, std::string& Dest, bool ToEngine) {
  Dest = ToEngine ? AnsiToOem(Source) : OemToAnsi(Source);
}
