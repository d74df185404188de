#pragma once
// TCustomRichEdit: the rich edit control of the window framework. Its window is the edit layer
// (TRichEditBox); it offers the character format of the selection and the default format, the
// paragraph format, and the text as a line list that streams RTF or plain text in and out.
//
// On window creation it sets the event mask (change, selection change, resize request,
// protected change) and the background colour; on window destruction it saves its content and
// loads it again into the next window.

#include <functional>
#include <memory>
#include <string>

#include "richtext/controls/custom_edit.h"
#include "richtext/controls/text_attributes.h"
#include "richtext/edit/rich_edit_types.h"

class TRichEditBox;
class TRichEditStrings;
class TMemoryStream;

using TRichEditResizeEvent = std::function<void(TObject* Sender, const TRect& Rect)>;
using TRichEditProtectChange =
    std::function<void(TObject* Sender, int StartPos, int EndPos, bool& AllowChange)>;
using TRichEditSaveClipboard =
    std::function<void(TObject* Sender, int NumObjects, int NumChars, bool& SaveClipboard)>;

class TCustomRichEdit : public TCustomMemo {
 public:
  BREVANT_CLASS(TCustomRichEdit)
  explicit TCustomRichEdit(TComponent* AOwner);
  ~TCustomRichEdit() override;

  TTextAttributes* SelectionFormat() const { return SelAttributes_.get(); }
  void SetSelectionFormat(TTextAttributes* Value) { SelAttributes_->Assign(*Value); }
  TTextAttributes* DefaultFormat() const { return DefAttributes_.get(); }
  void SetDefaultFormat(TTextAttributes* Value) { DefAttributes_->Assign(*Value); }
  TParaAttributes* ParagraphFormat() const { return Paragraph_.get(); }
  TStrings* Lines() const override;
  // The line list that talks to the window (Lines of a subclass may wrap it).
  TRichEditStrings* RichLines() const { return RichLines_.get(); }
  // Stream as plain text instead of RTF.
  bool PlainText() const { return PlainText_; }
  void SetPlainText(bool Value) { PlainText_ = Value; }
  bool HideScrollBars() const { return HideScrollBars_; }
  void SetHideScrollBars(bool Value);

  // The edit layer of the window, created with it on first use.
  TRichEditBox* EditBox();
  TRichEditBox* EditBoxIfAllocated() const;

  TNotifyEvent OnSelectionChange;
  TRichEditResizeEvent OnResizeRequest;
  // Asked when a change would touch protected text; AllowChange starts as false.
  TRichEditProtectChange OnProtectChange;
  // Kept for stored layouts: the clipboard here keeps what was cut or copied by itself, so the
  // question whether to keep it never arises.
  TRichEditSaveClipboard OnSaveClipboard;

  std::string Text() const override;
  void SetText(const std::string& Value) override;
  int SelStart() const override;
  void SetSelStart(int Value) override;
  int SelLength() const override;
  void SetSelLength(int Value) override;
  std::string SelText() const override;
  void SetSelText(const std::string& Value) override;
  bool Modified() const override;
  void SetModified(bool Value) override;
  void CutToClipboard() override;
  void CopyToClipboard() override;
  void PasteFromClipboard() override;
  void Undo() override;
  bool CanUndo() const override;
  int GetTextLen();
  // The first match of SearchStr from StartPos over Length characters, or -1.
  int FindText(const std::string& SearchStr, int StartPos, int Length, const TRichFindOptions& Options);

  virtual void FireResizeRequest(const TRect& Rect);
  // Printing comes with the printer object of the framework; see the rich text family's guide.
  virtual void PrintContent(const std::string& Caption);

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  void WidgetDestroying() override;
  void EditSettingsChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  virtual void SelectionChange();
  // Fires OnProtectChange; answers whether the change may go ahead.
  virtual bool ProtectChange(int StartPos, int EndPos);
  // The window reports something about a link (URL detection).
  virtual void LinkNotice(const TRichLinkNotice& /*Notice*/) {}
  // The text is about to be painted; answer false to leave the paint out.
  virtual bool PaintNotice() { return true; }

 private:
  void ApplySettings();

  std::unique_ptr<TRichEditStrings> RichLines_;
  std::unique_ptr<TTextAttributes> SelAttributes_;
  std::unique_ptr<TTextAttributes> DefAttributes_;
  std::unique_ptr<TParaAttributes> Paragraph_;
  bool PlainText_ = false;
  bool HideScrollBars_ = true;
  // The content kept across a window re-creation: one byte telling whether it is plain text,
  // then the content.
  std::unique_ptr<TMemoryStream> SavedCopy_;
};
