#pragma once
// TwwRichParagraphDialog: edits the alignment, indents, spacing and line spacing of a rich text
// control's current paragraph (every paragraph of the selection when it is written). The control's
// ExecuteParagraphDialog makes it, links the control, sets its texts, reads the paragraph into the
// boxes, shows it modally and, after OK, writes the boxes back.
//
// Boxes show measurements in the control's units: indents on a grid of eighths of an inch or
// twentieths of a centimetre, spacing in hundredths. OK refuses to close while a box holds
// something that is no number or lies beyond 22 inches either way: the first such box gets the
// focus. An empty box means 0.

#include <string>

#include "gui/forms/form.h"

class TBevel;
class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TwwCustomRichEdit;

class TwwRichParagraphDialog : public TForm {
 public:
  BREVANT_CLASS(TwwRichParagraphDialog)
  explicit TwwRichParagraphDialog(TComponent* AOwner);

  // The control whose paragraph the dialog edits.
  TwwCustomRichEdit* RichEdit() const { return RichEdit_; }
  void SetRichEdit(TwwCustomRichEdit* Value);

  // Captions, hints (shown only with ShowHints) and the alignment names from the text table.
  void ApplyTexts(bool ShowHints);
  // Fills the boxes from the control's current paragraph.
  void ReadParagraph();
  // The first box (left, first line, right, before, after, then the line-spacing value) whose text
  // cannot be taken, or none. A box still showing what the paragraph had is always taken.
  TEdit* FirstInvalidBox() const;
  // Writes the boxes into the control's paragraphs as one change.
  void WriteParagraph();

  TLabel* IndentationLabel = nullptr;
  TLabel* LeftLabel = nullptr;
  TLabel* RightLabel = nullptr;
  TLabel* FirstLineLabel = nullptr;
  TLabel* AlignmentLabel = nullptr;
  TLabel* SpacingLabel = nullptr;
  TLabel* BeforeLabel = nullptr;
  TLabel* AfterLabel = nullptr;
  TLabel* LineSpacingLabel = nullptr;
  TLabel* AtLabel = nullptr;
  TBevel* Bevel1 = nullptr;
  TBevel* Bevel2 = nullptr;
  TEdit* LeftEdit = nullptr;
  TEdit* RightEdit = nullptr;
  TEdit* FirstLineEdit = nullptr;
  TComboBox* AlignmentCombo = nullptr;
  TEdit* BeforeParagraphEdit = nullptr;
  TEdit* AfterParagraphEdit = nullptr;
  TComboBox* LineSpacingComboBox = nullptr;
  TEdit* WithinParagraphEdit = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;

  void OKBtnClick(TObject* Sender);
  void LineSpacingComboBoxClick(TObject* Sender);
  void LineSpacingComboBoxChange(TObject* Sender);
  void WithinParagraphEditChange(TObject* Sender);

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // What a box showed when the paragraph was read, and the value behind it: a box left as it was
  // writes back exactly what the paragraph had rather than its rounded picture.
  struct TShown {
    std::string Text;
    int Value = 0;
  };

  void Present(TEdit* Box, TShown& Shown, const std::string& Text, int Value);
  // The box's text as the dialog itself sets it: no editing aid reacts.
  void SetBoxText(TEdit* Box, const std::string& Text);
  bool Unchanged(const TEdit* Box, const TShown& Shown) const;
  bool Takes(const TEdit* Box, const TShown& Shown) const;
  int TwipsOf(const TEdit* Box, const TShown& Shown) const;
  int LineSpacingValue() const;

  TwwCustomRichEdit* RichEdit_ = nullptr;
  TShown Left_, FirstLine_, Right_, Before_, After_, Within_;
  int ShownRule_ = 0;
  bool Filling_ = false;
};
