#include "data/fields/field_defs.h"

#include "core/format.h"
#include "core/rtti.h"
#include "core/text.h"
#include "data/dataset.h"

BREVANT_DEFINE_CLASS(TNamedItem, TCollectionItem, .Property("Name", &TNamedItem::Name, &TNamedItem::SetName))
BREVANT_DEFINE_CLASS(TDefCollection, TCollection, )
BREVANT_DEFINE_CLASS(TFieldDef, TNamedItem,
                     .Property("DataType", &TFieldDef::DataType, &TFieldDef::SetDataType)
                         .Default(ftUnknown)
                         .Property("Size", &TFieldDef::Size, &TFieldDef::SetSize)
                         .Range(0, 65535)
                         .Property("Precision", &TFieldDef::Precision, &TFieldDef::SetPrecision)
                         .Default(0)
                         .Property("Attributes", &TFieldDef::Attributes, &TFieldDef::SetAttributes)
                         .Default(TFieldAttributes{})
                         .Property("ChildDefs", &TFieldDef::ChildDefs))
BREVANT_DEFINE_CLASS(TFieldDefs, TDefCollection, )
BREVANT_DEFINE_CLASS(TFlatList, TStringList, )
BREVANT_DEFINE_CLASS(TFieldDefList, TFlatList, )

void TNamedItem::SetName(const std::string& Value) {
  if (Value == Name_) return;
  Name_ = Value;
  Changed(false);
}

TNamedItem* TDefCollection::Find(const std::string& Name) const {
  const int i = IndexOf(Name);
  return i < 0 ? nullptr : static_cast<TNamedItem*>(Item(i));
}

int TDefCollection::IndexOf(const std::string& Name) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(static_cast<TNamedItem*>(Item(i))->Name(), Name)) return i;
  }
  return -1;
}

void TDefCollection::ItemsChanged(TCollectionItem* /*Item*/) {
  if (DataSet_ != nullptr) DataSet_->DefinitionsChanged(this);
}

TFieldDef::TFieldDef() = default;
TFieldDef::~TFieldDef() = default;

void TFieldDef::SetDataType(TFieldType Value) {
  if (Value == DataType_) return;
  DataType_ = Value;
  Changed(false);
}

int TFieldDef::Size() const {
  if (Size_ == 0 && HasChildDefs()) return ChildDefs_->Count();
  return Size_;
}

void TFieldDef::SetSize(int Value) {
  if (Value < 0 || Value > 65535) throw EDatabaseError(LoadResString(SInvalidFieldSize));
  if (Value == Size_) return;
  Size_ = static_cast<uint16_t>(Value);
  Changed(false);
}

void TFieldDef::SetPrecision(int Value) {
  if (Value == Precision_) return;
  Precision_ = Value;
  Changed(false);
}

void TFieldDef::SetAttributes(TFieldAttributes Value) {
  if (Value == Attributes_) return;
  Attributes_ = Value;
  Changed(false);
}

void TFieldDef::SetRequired(bool Value) {
  TFieldAttributes next = Attributes_;
  if (Value) {
    next.Include(faRequired);
  } else {
    next.Exclude(faRequired);
  }
  SetAttributes(next);
}

TFieldDefs* TFieldDef::ChildDefs() const {
  if (!ChildDefs_) {
    TFieldDefs* parent = ParentDefs();
    ChildDefs_ = std::make_unique<TFieldDefs>(parent != nullptr ? parent->DataSet() : nullptr,
                                              const_cast<TFieldDef*>(this));
  }
  return ChildDefs_.get();
}

bool TFieldDef::HasChildDefs() const {
  return ChildDefs_ && ChildDefs_->Count() > 0;
}

TFieldDefs* TFieldDef::ParentDefs() const {
  return static_cast<TFieldDefs*>(Collection());
}

TFieldDef* TFieldDef::ParentDef() const {
  TFieldDefs* defs = ParentDefs();
  return defs != nullptr ? defs->ParentDef() : nullptr;
}

int TFieldDef::ColumnNo() const {
  return ColumnNo_ > 0 ? ColumnNo_ : Index() + 1;
}

void TFieldDef::Assign(const TPersistent& Source) {
  const auto* other = dynamic_cast<const TFieldDef*>(&Source);
  if (other == nullptr) {
    TNamedItem::Assign(Source);
    return;
  }
  if (other == this) return;
  SetName(other->Name());
  DataType_ = other->DataType_;
  Size_ = other->Size_;
  Precision_ = other->Precision_;
  Attributes_ = other->Attributes_;
  ColumnNo_ = other->ColumnNo_;
  InternalCalc_ = other->InternalCalc_;
  if (other->HasChildDefs()) {
    ChildDefs()->Assign(*other->ChildDefs_);
  } else if (ChildDefs_) {
    ChildDefs_->Clear();
  }
  Changed(false);
}

TFieldDefs::TFieldDefs(TDataSet* DataSet, TFieldDef* ParentDef)
    : TDefCollection(DataSet), ParentDef_(ParentDef) {}

std::unique_ptr<TCollectionItem> TFieldDefs::NewItem() {
  return std::make_unique<TFieldDef>();
}

TFieldDef* TFieldDefs::AddDef(const std::string& Name, TFieldType DataType, int Size, bool Required) {
  BeginUpdate();
  TFieldDef* def = nullptr;
  try {
    def = AddFieldDef();
    def->SetName(Name);
    def->SetDataType(DataType);
    def->SetSize(Size);
    def->SetRequired(Required);
  } catch (...) {
    if (def != nullptr) Delete(def->Index());
    EndUpdate();
    throw;
  }
  EndUpdate();
  return def;
}

void TFieldDefs::Update() {
  if (Updated() || ParentDef_ != nullptr || DataSet() == nullptr) return;
  BeginUpdate();
  try {
    DataSet()->LoadFieldDefs();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  SetUpdated(true);
}

void TFlatList::EnsureCurrent() const {
  if (Rebuilding_ || (Updated_ && SourceUpdated())) return;
  auto* self = const_cast<TFlatList*>(this);
  self->Rebuilding_ = true;
  try {
    self->Rebuild();
  } catch (...) {
    self->Rebuilding_ = false;
    throw;
  }
  self->Rebuilding_ = false;
  self->Updated_ = true;
}

int TFlatList::Count() const {
  EnsureCurrent();
  return TStringList::Count();
}

TFieldDef* TFieldDefList::FieldDef(int Index) const {
  EnsureCurrent();
  return static_cast<TFieldDef*>(GetObject(Index));
}

int TFieldDefList::IndexOfName(const std::string& Name) const {
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    if (SameText(Get(i), Name)) return i;
  }
  return -1;
}

TFieldDef* TFieldDefList::Find(const std::string& Name) const {
  const int i = IndexOfName(Name);
  return i < 0 ? nullptr : static_cast<TFieldDef*>(GetObject(i));
}

bool TFieldDefList::SourceUpdated() const {
  return DataSet() == nullptr || DataSet()->FieldDefs()->Updated();
}

void TFieldDefList::Rebuild() {
  if (DataSet() == nullptr) return;
  TFieldDefs* defs = DataSet()->FieldDefs();
  defs->Update();
  BeginUpdate();
  try {
    Clear();
    AddDefs("", *defs);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TFieldDefList::AddDefs(const std::string& Prefix, const TFieldDefs& Defs) {
  for (int i = 0; i < Defs.Count(); ++i) {
    TFieldDef* def = Defs.Items(i);
    const std::string name = Prefix + def->Name();
    AddObject(name, def);
    if (!def->HasChildDefs()) continue;
    if (def->DataType() == ftArray) {
      // Every element is listed; each shares the definition of the first.
      TFieldDef* element = def->ChildDefs()->Items(0);
      for (int j = 0; j < def->Size(); ++j) {
        const std::string elementName = Format("%s[%d]", name, j);
        AddObject(elementName, element);
        if (element->HasChildDefs()) AddDefs(elementName + ".", *element->ChildDefs());
      }
    } else {
      AddDefs(name + ".", *def->ChildDefs());
    }
  }
}
