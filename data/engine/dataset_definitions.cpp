#include "data/engine/dataset_definitions.h"

#include "core/rtti.h"
#include "data/engine/engine_text.h"

BREVANT_DEFINE_CLASS(TIndexDef, TCollectionItem,
                     .Property("Name", &TIndexDef::Name, &TIndexDef::SetName)
                         .Property("Fields", &TIndexDef::Fields, &TIndexDef::SetFields)
                         .Property("Options", &TIndexDef::Options, &TIndexDef::SetOptions)
                         .Default(TIndexOptions{}))
BREVANT_DEFINE_CLASS(TIndexDefs, TCollection, )
BREVANT_DEFINE_CLASS(
    TCheckConstraint, TCollectionItem,
    .Property("CustomConstraint", &TCheckConstraint::CustomConstraint, &TCheckConstraint::SetCustomConstraint)
        .Property("ErrorMessage", &TCheckConstraint::ErrorMessage, &TCheckConstraint::SetErrorMessage)
        .Property("FromDictionary", &TCheckConstraint::FromDictionary, &TCheckConstraint::SetFromDictionary)
        .Default(true)
        .Property("ImportedConstraint", &TCheckConstraint::ImportedConstraint,
                  &TCheckConstraint::SetImportedConstraint))
BREVANT_DEFINE_CLASS(TCheckConstraints, TCollection, )
BREVANT_DEFINE_CLASS(TDataSetUpdateObject, TComponent, )

void TIndexDef::SetName(const std::string& Value) {
  if (Value == Name_) return;
  Name_ = Value;
  Changed(false);
}

void TIndexDef::SetFields(const std::string& Value) {
  if (Value == Fields_) return;
  Fields_ = Value;
  Changed(false);
}

void TIndexDef::SetOptions(TIndexOptions Value) {
  if (Value == Options_) return;
  Options_ = Value;
  Changed(false);
}

void TIndexDef::Assign(const TPersistent& Source) {
  const auto* other = dynamic_cast<const TIndexDef*>(&Source);
  if (other == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  Name_ = other->Name_;
  Fields_ = other->Fields_;
  Options_ = other->Options_;
  Changed(false);
}

TIndexDef* TIndexDefs::Find(const std::string& Name) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(Items(i)->Name(), Name)) return Items(i);
  }
  return nullptr;
}

void TCheckConstraint::SetCustomConstraint(const std::string& Value) {
  if (Value == CustomConstraint_) return;
  CustomConstraint_ = Value;
  Changed(false);
}

void TCheckConstraint::SetErrorMessage(const std::string& Value) {
  if (Value == ErrorMessage_) return;
  ErrorMessage_ = Value;
  Changed(false);
}

void TCheckConstraint::SetImportedConstraint(const std::string& Value) {
  if (Value == ImportedConstraint_) return;
  ImportedConstraint_ = Value;
  Changed(false);
}

void TCheckConstraint::SetFromDictionary(bool Value) {
  if (Value == FromDictionary_) return;
  FromDictionary_ = Value;
  Changed(false);
}

void TCheckConstraint::Assign(const TPersistent& Source) {
  const auto* other = dynamic_cast<const TCheckConstraint*>(&Source);
  if (other == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  CustomConstraint_ = other->CustomConstraint_;
  ErrorMessage_ = other->ErrorMessage_;
  ImportedConstraint_ = other->ImportedConstraint_;
  FromDictionary_ = other->FromDictionary_;
  Changed(false);
}
