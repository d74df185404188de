// Find and replace through the modeless dialogs.
//
// A search starts one character after the selection start, so that Find Next moves on from the
// match it selected; past the end it wraps once to the start of the text and then stops at the
// position where the search began. Replace All instead takes every match there is when it
// starts, from the caret to the end and then from the start up to the caret, and replaces each
// once, never looking into the text it puts in.

#include <string>
#include <vector>

#include "gui/dialogs/find_dialog.h"
#include "gui/dialogs/message_box.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/intl/rich_edit_intl.h"

namespace {

TRichFindOptions SearchOptionsOf(const TFindDialog& Dialog) {
  TRichFindOptions options;
  options.MatchCase = Dialog.Options().Contains(frMatchCase);
  options.WholeWord = Dialog.Options().Contains(frWholeWord);
  return options;
}

}  // namespace

void TwwCustomRichEdit::BuildFindDialogs() {
  FindDialog_ = std::make_unique<TFindDialog>(nullptr);
  ReplaceDialog_ = std::make_unique<TReplaceDialog>(nullptr);
  // Searching goes forward only: the direction buttons are hidden.
  FindDialog_->SetOptions(FindDialog_->Options() + TFindOptions{frHideUpDown});
  FindDialog_->OnFind = [this](TObject*) { FindDialogFind(*FindDialog_); };
  FindDialog_->OnClose = [this](TObject*) { FindDialogClosed(); };
  ReplaceDialog_->OnFind = [this](TObject*) { FindDialogFind(*ReplaceDialog_); };
  ReplaceDialog_->OnReplace = [this](TObject*) {
    LastFindText_ = ReplaceDialog_->FindText();
    ReplaceMatch();
  };
  ReplaceDialog_->OnClose = [this](TObject*) { FindDialogClosed(); };
}

void TwwCustomRichEdit::ExecuteFindDialog() {
  const std::string selected = SelText();
  const bool useSelection = !selected.empty() && selected.find('\r') == std::string::npos;
  FindDialog_->SetFindText(useSelection ? selected : LastFindText_);
  SearchWrapped_ = false;
  FindStart_ = SelStart();
  SavedHideSelection_ = HideSelection();
  SetHideSelection(false);
  FindDialog_->Execute();
}

void TwwCustomRichEdit::ExecuteReplaceDialog() {
  const std::string selected = SelText();
  const bool useSelection = !selected.empty() && selected.find('\r') == std::string::npos;
  ReplaceDialog_->SetFindText(useSelection ? selected : LastFindText_);
  SearchWrapped_ = false;
  FindStart_ = SelStart();
  SavedHideSelection_ = HideSelection();
  SetHideSelection(false);
  ReplaceDialog_->Execute();
}

void TwwCustomRichEdit::FindDialogFind(TFindDialog& Dialog) {
  LastFindText_ = Dialog.FindText();
  // The find dialog holds what Find Next searches with: the text, and the options it was asked with.
  FindDialog_->SetFindText(LastFindText_);
  if (&Dialog != FindDialog_.get()) {
    TFindOptions options = FindDialog_->Options() - TFindOptions{frMatchCase, frWholeWord};
    FindDialog_->SetOptions(options + (Dialog.Options() * TFindOptions{frMatchCase, frWholeWord}));
  }
  FindNextMatch();
}

void TwwCustomRichEdit::FindDialogClosed() {
  SetHideSelection(SavedHideSelection_);
}

void TwwCustomRichEdit::FindNextMatch() {
  SearchLoop(*FindDialog_, false);
}

void TwwCustomRichEdit::ReplaceMatch() {
  // A read-only control is searched, never changed.
  if (ReplaceDialog_->Options().Contains(frReplaceAll) && !EffectiveReadOnly()) {
    ReplaceAll(*ReplaceDialog_);
    return;
  }
  SearchLoop(*ReplaceDialog_, true);
}

void TwwCustomRichEdit::SearchLoop(TFindDialog& Dialog, bool Replacing) {
  const std::string text = Dialog.FindText();
  const int length = static_cast<int>(TRichEditBox::DocumentLengthOf(text));
  const TRichFindOptions options = SearchOptionsOf(Dialog);
  TRichEditBox* box = EditBox();
  if (Replacing && !EffectiveReadOnly()) {
    // The selection is replaced when it is the match itself.
    const int start = box->SelStart();
    if (SearchText(text, start, GetTextLen(), options) == start && box->SelLength() == length) {
      const std::string replacement = static_cast<TReplaceDialog&>(Dialog).ReplaceText();
      BeginFieldEdit();
      if (box->ReplaceSelection(replacement) && SearchWrapped_)
        FindStart_ += TRichEditBox::DocumentLengthOf(replacement) - length;
    }
  }
  int found = SearchText(text, box->SelStart() + 1, GetTextLen(), options);
  if (SearchWrapped_ && found > FindStart_) found = -1;
  if (found < 0 && !SearchWrapped_ && box->SelStart() > 0) {
    found = SearchText(text, 0, GetTextLen(), options);
    SearchWrapped_ = true;
    if (found > FindStart_) found = -1;
  }
  if (found >= 0) {
    box->SetSelection(found, found + length);
    return;
  }
  NoMoreMatches();
}

void TwwCustomRichEdit::ReplaceAll(TReplaceDialog& Dialog) {
  const std::string text = Dialog.FindText();
  const std::string replacement = Dialog.ReplaceText();
  const int length = TRichEditBox::DocumentLengthOf(text);
  const int growth = TRichEditBox::DocumentLengthOf(replacement) - length;
  const TRichFindOptions options = SearchOptionsOf(Dialog);
  TRichEditBox* box = EditBox();
  const int caret = box->SelStart();
  const int textLength = GetTextLen();
  // Every match there is now, in the order the search meets them: from the caret to the end,
  // then from the start up to the first of those (a match across the caret belongs to the second
  // round, unless it overlaps one of the first).
  std::vector<int> afterCaret, beforeCaret;
  if (length > 0) {
    for (int at = caret; (at = SearchText(text, at, textLength - at, options)) >= 0; at += length)
      afterCaret.push_back(at);
    const int limit = afterCaret.empty() ? textLength : afterCaret.front();
    for (int at = 0; at < caret && (at = SearchText(text, at, limit - at, options)) >= 0 && at < caret;
         at += length)
      beforeCaret.push_back(at);
  }
  if (!afterCaret.empty() || !beforeCaret.empty()) {
    BeginFieldEdit();
    // From the start of the text on, each match moved by what was put in before it.
    std::vector<int> matches = beforeCaret;
    matches.insert(matches.end(), afterCaret.begin(), afterCaret.end());
    int shift = 0, last = -1;
    const int lastInOrder = beforeCaret.empty() ? afterCaret.back() : beforeCaret.back();
    for (const int at : matches) {
      box->SetSelection(at + shift, at + shift + length);
      if (!box->ReplaceSelection(replacement)) continue;  // protected text keeps its match
      if (at == lastInOrder) last = at + shift + length + growth;
      shift += growth;
    }
    // The caret ends behind the last replacement the search met.
    if (last >= 0) box->SetSelection(last, last);
  }
  SearchWrapped_ = false;
  NoMoreMatches();
}

void TwwCustomRichEdit::NoMoreMatches() {
  MessageDlg(RichEditIntl().UserMessages.LocateNoMoreMatches, mtInformation, {mbOK});
  FindStart_ = SelStart();
  SearchWrapped_ = false;
}
