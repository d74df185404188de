#include "richtext/controls/ww_rich_edit_strings.h"

#include "core/rtti.h"
#include "richtext/controls/rich_edit_strings.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

BREVANT_DEFINE_CLASS(TwwRichEditStrings, TStrings, )

TwwRichEditStrings::TwwRichEditStrings(TwwCustomRichEdit* Owner) : Owner_(Owner) {}

TRichEditStrings& TwwRichEditStrings::Inner() const {
  return *Owner_->RichLines();
}

int TwwRichEditStrings::Count() const {
  return Inner().Count();
}

std::string TwwRichEditStrings::Get(int Index) const {
  return Inner().Get(Index);
}

void TwwRichEditStrings::Put(int Index, const std::string& S) {
  Inner().Put(Index, S);
}

void TwwRichEditStrings::Insert(int Index, const std::string& S) {
  Inner().Insert(Index, S);
}

void TwwRichEditStrings::Delete(int Index) {
  Inner().Delete(Index);
}

void TwwRichEditStrings::Clear() {
  Inner().Clear();
}

std::string TwwRichEditStrings::Text() const {
  return Inner().Text();
}

void TwwRichEditStrings::SetText(std::string_view Value) {
  TRichEditBox* box = Owner_->EditBox();
  const TRichEventMask mask = box->EventMask();
  box->SetEventMask(mask - TRichEventMask{evChange});
  try {
    Inner().SetText(Value);
  } catch (...) {
    box->SetEventMask(mask);
    throw;
  }
  box->SetEventMask(mask);
}

void TwwRichEditStrings::Assign(const TPersistent& Source) {
  TNotifyEvent saved = std::move(Owner_->OnSelectionChange);
  Owner_->OnSelectionChange = nullptr;
  try {
    TStrings::Assign(Source);
  } catch (...) {
    Owner_->OnSelectionChange = std::move(saved);
    throw;
  }
  Owner_->OnSelectionChange = std::move(saved);
}

void TwwRichEditStrings::LoadContent(TStream& Stream) {
  Inner().LoadContent(Stream);
}

void TwwRichEditStrings::SaveContent(TStream& Stream) {
  Inner().SaveContent(Stream);
}

void TwwRichEditStrings::LoadContentFile(const std::string& FileName) {
  Inner().LoadContentFile(FileName);
}

void TwwRichEditStrings::SaveContentFile(const std::string& FileName) {
  Inner().SaveContentFile(FileName);
}

void TwwRichEditStrings::SetUpdateState(bool Updating) {
  if (!Owner_->HandleAllocated()) return;
  TRichEditBox* box = Owner_->EditBox();
  if (Updating) {
    if (Owner_->Showing()) box->SetRedraw(false);
    return;
  }
  box->SetRedraw(true);
  Owner_->Invalidate();
}
