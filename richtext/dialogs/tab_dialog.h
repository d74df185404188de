#pragma once
// TwwRichTabDialog: edits the tab stops of a rich text control's current paragraph (every
// paragraph of the selection when it is written). The list shows the stops in the control's units,
// sorted as text (so 10'' lists before 2''), and they are written in that order.
//
// Set adds the position box's value when it lies between 0 and 22 inches (and is not listed yet);
// anything else is ignored. While the position box has the focus, Return sets its value, or closes
// the dialog with OK when the box is empty. OK with a value in the box sets it first; a value that
// is no number, or lies beyond 22 inches either way, keeps the dialog open with the focus in the box.

#include <string>
#include <utility>
#include <vector>

#include "gui/forms/form.h"

class TButton;
class TEdit;
class TGroupBox;
class TListBox;
class TwwCustomRichEdit;

class TwwRichTabDialog : public TForm {
 public:
  BREVANT_CLASS(TwwRichTabDialog)
  explicit TwwRichTabDialog(TComponent* AOwner);

  // The control whose paragraph the dialog edits.
  TwwCustomRichEdit* RichEdit() const { return RichEdit_; }
  void SetRichEdit(TwwCustomRichEdit* Value);

  // Captions and hints (shown only with ShowHints) from the text table.
  void ApplyTexts(bool ShowHints);
  // Fills the list from the control's current paragraph.
  void ReadTabs();
  // Writes the listed stops (at most 32, in list order) into the control's paragraphs.
  void WriteTabs();

  TGroupBox* TabGroupBox = nullptr;
  TEdit* Edit1 = nullptr;
  TListBox* ListBox1 = nullptr;
  TButton* Button1 = nullptr;
  TButton* Button2 = nullptr;
  TButton* OKButton = nullptr;
  TButton* Button3 = nullptr;
  TButton* Button4 = nullptr;

  void Edit1Enter(TObject* Sender);
  void Edit1Exit(TObject* Sender);
  void Edit1KeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void OKButtonClick(TObject* Sender);

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void VisibleChanged() override;

 private:
  // The stops the paragraph had, with the text each shows: a listed entry that came from the
  // paragraph keeps its exact position rather than the rounded one its text names.
  std::vector<std::pair<std::string, int>> Shown_;
  TwwCustomRichEdit* RichEdit_ = nullptr;
};
