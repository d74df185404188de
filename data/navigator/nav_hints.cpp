// The hints of the navigator's buttons: each button's default, replaced by the line of
// Hints at its position when that line is not empty.

#include "data/navigator/db_navigator.h"
#include "data/navigator/navigator_strings.h"

namespace {

const TResString& DefaultHintOf(TNavigateBtn Kind) {
  static constexpr const TResString* Hints[NavButtonCount] = {
      &SFirstRecord,  &SPriorRecord, &SNextRecord, &SLastRecord, &SInsertRecord,
      &SDeleteRecord, &SEditRecord,  &SPostEdit,   &SCancelEdit, &SRefreshRecord};
  return *Hints[static_cast<int>(Kind)];
}

}  // namespace

void TDBNavigator::ApplyHints() {
  if (DefaultHints_ == nullptr) {
    DefaultHints_ = std::make_unique<TStringList>();
    for (TNavigateBtn kind : NavButtonKinds)
      DefaultHints_->Add(LoadResString(DefaultHintOf(kind)));
  }
  if (!ButtonsMade()) return;
  for (TNavigateBtn kind : NavButtonKinds)
    Buttons(kind)->SetHint(DefaultHints_->Get(static_cast<int>(kind)));
  // By position, whether or not the button is visible; lines past the tenth count for nothing.
  for (int i = 0; i < Hints_->Count() && i < NavButtonCount; ++i) {
    const std::string line = Hints_->Get(i);
    if (!line.empty()) Buttons_[static_cast<size_t>(i)]->SetHint(line);
  }
}

void TDBNavigator::SetHints(TStrings* Value) {
  if (DefaultHints_ == nullptr) ApplyHints();
  if (Value == nullptr || Value->Text() == DefaultHints_->Text()) {
    Hints_->Clear();
  } else if (Value != Hints_.get()) {
    Hints_->Assign(*Value);
  }
}
