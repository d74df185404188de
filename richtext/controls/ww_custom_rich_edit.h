#pragma once
// TwwCustomRichEdit: the rich text control without a database. It adds to TCustomRichEdit the
// stored design-time text ("Data") and library version ("RichEditVersion") of layouts, keeps its
// content across a re-creation of its window, lays the text out in a formatting rectangle (the
// window's width, or a page's), detects URLs, and holds the settings of its commands (popup menu,
// editor window, printing).
//
// Its virtual operations are the slots the data-bound control, the editor window and the
// dialogs build on; see richtext/README.md for which of them this layer fills.

#include <memory>
#include <string>

#include "richtext/controls/custom_rich_edit.h"
#include "richtext/controls/ww_rich_edit_options.h"

class TField;
class TForm;
class TSpeedButton;
class TStream;
class TwwRichEditStrings;
class TwwRichMemoryStream;

using TwwURLOpenEvent = std::function<void(TObject* Sender, const std::string& URLLink, bool& UseDefault)>;
using TwwOnRichEditDlgEvent = std::function<void(TObject* Sender, TForm* Form)>;

class TwwCustomRichEdit : public TCustomRichEdit {
 public:
  BREVANT_CLASS(TwwCustomRichEdit)
  explicit TwwCustomRichEdit(TComponent* AOwner);
  ~TwwCustomRichEdit() override;

  TStrings* Lines() const override;
  TwwRichEditStrings* RichEditLines() const { return Lines_.get(); }

  // 1 or 2; a new control is 2, one read from a layout starts at 1 and takes the stored value.
  // Both show the same window here; a change re-creates it.
  int RichEditVersion() const { return RichEditVersion_; }
  void SetRichEditVersion(int Value);
  TwwRichEditOleOptions OleOptions() const { return OleOptions_; }
  void SetOleOptions(TwwRichEditOleOptions Value);
  bool AutoURLDetect() const { return AutoURLDetect_; }
  void SetAutoURLDetect(bool Value);
  TwwRichEditPopupOptions PopupOptions() const { return PopupOptions_; }
  void SetPopupOptions(TwwRichEditPopupOptions Value) { PopupOptions_ = Value; }
  TwwRichEditOptions EditorOptions() const { return EditorOptions_; }
  void SetEditorOptions(TwwRichEditOptions Value) { EditorOptions_ = Value; }
  const std::string& EditorCaption() const { return EditorCaption_; }
  void SetEditorCaption(const std::string& Value) { EditorCaption_ = Value; }
  TwwFormPosition* EditorPosition() const { return EditorPosition_.get(); }
  TwwMeasurementUnits MeasurementUnits() const { return MeasurementUnits_; }
  void SetMeasurementUnits(TwwMeasurementUnits Value) { MeasurementUnits_ = Value; }
  TwwPrintMargins* PrintMargins() const { return PrintMargins_.get(); }
  TwwRichEditWidth EditWidth() const { return EditWidth_; }
  void SetEditWidth(TwwRichEditWidth Value);
  // The application's title unless set.
  std::string PrintJobName() const;
  void SetPrintJobName(const std::string& Value) { PrintJobName_ = Value; }
  bool PrintJobNameStored() const;
  TSpeedButton* UserSpeedButton1() const { return UserSpeedButton1_; }
  void SetUserSpeedButton1(TSpeedButton* Value);
  TSpeedButton* UserSpeedButton2() const { return UserSpeedButton2_; }
  void SetUserSpeedButton2(TSpeedButton* Value);
  // The paper of the page-wide layout, by the printer's paper code (1: letter).
  int PaperSize() const { return PaperSize_; }
  void SetPaperSize(int Value);
  // Set by the editor window while it resizes: paints are left out.
  bool PaintingSuppressed() const { return PaintingSuppressed_; }
  void SetPaintingSuppressed(bool Value) { PaintingSuppressed_ = Value; }
  // Change notifications are ignored while set.
  bool InternalUpdate() const { return InternalUpdate_; }
  void SetInternalUpdate(bool Value) { InternalUpdate_ = Value; }

  bool ReadOnly() const override { return EffectiveReadOnly(); }

  TwwURLOpenEvent OnURLOpen;
  TwwOnRichEditDlgEvent OnInitDialog;
  TwwOnRichEditDlgEvent OnCreateDialog;
  TwwOnRichEditDlgEvent OnCloseDialog;

  // --- The slots, in order -------------------------------------------------------------------
  virtual bool EffectiveReadOnly() const;
  // Nothing without a database: the data-bound control captures the blob and enters edit mode.
  virtual void BeginFieldEdit() {}
  virtual void WriteFieldContent() {}
  virtual bool IsContentLoaded() const { return true; }
  virtual TField* GetBoundField() const { return nullptr; }
  virtual void FireURLOpen(const std::string& URL, bool& UseDefault);
  // One search from Start over Length characters (-1: to the end), downwards.
  virtual int SearchText(const std::string& Text, int Start, int Length, const TRichFindOptions& Options);
  // As loading the content, but into the selection when AtSelection (no plain-text retry then), and
  // with FirstParagraphOnly only the first paragraph of RTF.
  virtual void StreamInPartial(TStream& Stream, bool FirstParagraphOnly, bool AtSelection);
  // The commands below come with the editor window, its dialogs and embedded objects; until
  // then they answer that nothing was done.
  virtual bool ExecuteInsertObject() { return false; }
  virtual bool ExecuteEditor() { return false; }
  virtual void ExecuteFindDialog() {}
  virtual void ExecuteReplaceDialog() {}
  virtual void ExecuteFontDialog() {}
  virtual bool ExecuteParagraphDialog() { return false; }
  virtual bool ExecuteTabDialog() { return false; }
  virtual void FindNextMatch() {}
  virtual void ReplaceMatch() {}
  virtual void FireInitDialog(TForm* Form);
  virtual void FireCloseDialog(TForm* Form);
  virtual void FireCreateDialog(TForm* Form);

  // Fills Target with this control's content.
  virtual void CopyContentTo(TwwCustomRichEdit* Target);
  // Whether the clipboard holds something to paste (a picture alone is not).
  bool PasteAllowed();
  bool SelectionPresent();
  int MarginToTwips(const std::string& Text) const { return ::MarginToTwips(Text, MeasurementUnits_); }
  // Lays the text out: at the window's width, or at the page's printable width.
  void ApplyFormatRect();

  // Stored layouts.
  void ReadState(TLayoutReader& Reader) override;
  bool ReadStoredExtra(const std::string& Name, const TLayoutValue& Value) override;
  void WriteStoredExtras(std::vector<std::pair<std::string, TLayoutValue>>& Out) const override;

 protected:
  void InitWidget() override;
  void WidgetDestroying() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void BoundsChanged(const TRect& Old) override;
  void SelectionChange() override;
  void LinkNotice(const TRichLinkNotice& Notice) override;
  bool PaintNotice() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // A paint is about to happen: a data-bound control loads a deferred field here.
  virtual void PaintLoadContent() {}
  // Whether the window goes because the control moves to another parent.
  virtual bool IsBeingReparented() const { return false; }
  // Whether a field name is set (a layout then reads the properties only).
  virtual bool DataFieldSet() const { return false; }

 private:
  void ReadData(const TLayoutValue& Value);

  std::unique_ptr<TwwRichEditStrings> Lines_;
  int RichEditVersion_ = 2;
  TwwRichEditOleOptions OleOptions_{reoAdjustPopupMenu};
  bool AutoURLDetect_ = false;
  TwwRichEditPopupOptions PopupOptions_ = kDefaultPopupOptions;
  TwwRichEditOptions EditorOptions_ = kDefaultEditorOptions;
  std::string EditorCaption_;
  std::unique_ptr<TwwFormPosition> EditorPosition_;
  TwwMeasurementUnits MeasurementUnits_ = muInches;
  std::unique_ptr<TwwPrintMargins> PrintMargins_;
  TwwRichEditWidth EditWidth_ = rewWindowSize;
  std::string PrintJobName_;
  TSpeedButton* UserSpeedButton1_ = nullptr;
  TSpeedButton* UserSpeedButton2_ = nullptr;
  int PaperSize_ = 1;
  bool PaintingSuppressed_ = false;
  bool InternalUpdate_ = false;
  // The last formatting rectangle sent, so that an unchanged one is not sent again.
  TRect LastFormatRect_{};
  bool HasLastFormatRect_ = false;
  bool FirstPaintDone_ = false;
  // The content across a window re-creation.
  std::unique_ptr<TwwRichMemoryStream> SavedContent_;
  bool SavedContentValid_ = false;
  bool LinkArmed_ = false;
  bool InRightButton_ = false;
  bool DataWasRead_ = false;
};

// Sets a control's InternalUpdate for its life and puts the previous value back.
class TInternalUpdateScope {
 public:
  explicit TInternalUpdateScope(TwwCustomRichEdit& Control)
      : Control_(Control), Saved_(Control.InternalUpdate()) {
    Control.SetInternalUpdate(true);
  }
  ~TInternalUpdateScope() { Control_.SetInternalUpdate(Saved_); }
  TInternalUpdateScope(const TInternalUpdateScope&) = delete;
  TInternalUpdateScope& operator=(const TInternalUpdateScope&) = delete;

 private:
  TwwCustomRichEdit& Control_;
  bool Saved_;
};
