#pragma once
// TwwCustomRichEdit: the rich text control without a database. It adds to TCustomRichEdit the
// stored design-time text ("Data") and library version ("RichEditVersion") of layouts, keeps its
// content across a re-creation of its window, lays the text out in a formatting rectangle (the
// window's width, or a page's), detects URLs, and holds the settings of its commands (popup menu,
// editor window, printing).
//
// Its virtual operations are the slots the data-bound control, the editor window and the
// dialogs build on; see richtext/README.md for which of them this layer fills.
//
// Its commands: a built-in popup menu (shown by a right click while no other PopupMenu is
// assigned), find and replace through the modeless dialogs, printing with page margins, links,
// embedded pictures and files, and the font dialog.

#include <memory>
#include <string>
#include <vector>

#include "core/exceptions.h"
#include "richtext/controls/custom_rich_edit.h"
#include "richtext/controls/ww_rich_edit_options.h"

class TField;
class TFindDialog;
class TFontDialog;
class TForm;
class TMenuItem;
class TReplaceDialog;
class TSpeedButton;
class TStream;
class TwwRichEditPopupMenu;
class TwwRichEditStrings;
class TwwRichMemoryStream;

// The paragraph-format members each writer of ApplyParagraphFormat changes.
inline constexpr TRichParaFields kParagraphDialogFields{
    pfAlignment, pfOffset, pfRightIndent, pfStartIndent, pfSpaceBefore, pfSpaceAfter, pfLineSpacing};
inline constexpr TRichParaFields kTabDialogFields{pfTabStops};
inline constexpr TRichParaFields kBulletFields{pfNumbering, pfOffset};
inline constexpr TRichParaFields kRulerIndentFields{pfStartIndent, pfOffset};
inline constexpr TRichParaFields kRulerRightFields{pfRightIndent};

// A verb of an embedded object that the object does not have.
class EOleError : public Exception {
  using Exception::Exception;
};

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
  // Offers an open dialog; a picture file (PNG, JPEG, GIF, BMP, SVG) goes in as a picture, any
  // other file as an embedded file shown as an icon with its name. The new object is selected.
  // True when something was inserted (never in a read-only control).
  virtual bool ExecuteInsertObject();
  // Opens the editor window on this control's content (richtext/editor); true after Save and Exit.
  virtual bool ExecuteEditor();
  // The modeless find dialog, starting with the selected text (the last find text when the
  // selection is empty or spans a line break). HideSelection is off until it closes.
  virtual void ExecuteFindDialog();
  // The same with the replace dialog.
  virtual void ExecuteReplaceDialog();
  // The font dialog on the selection's font; OK changes the selection's face, size, style and
  // colour in one step.
  virtual void ExecuteFontDialog();
  // The paragraph dialog (alignment, indents, spacing, line spacing) and the tab dialog on the
  // current paragraph; true when closed with OK (the format is then written).
  virtual bool ExecuteParagraphDialog();
  virtual bool ExecuteTabDialog();
  // The next match of the find dialog's text after the selection start, wrapping once to the
  // start of the text; "No more matches found" when the search has come round.
  virtual void FindNextMatch();
  // The text the last search looked for (empty before the first).
  const std::string& LastFindText() const { return LastFindText_; }
  // The replace dialog's Replace (the selection, when it is the match, then the next match) or
  // Replace All (every match there was, once each, from the caret round to it).
  virtual void ReplaceMatch();
  virtual void FireInitDialog(TForm* Form);
  virtual void FireCloseDialog(TForm* Form);
  virtual void FireCreateDialog(TForm* Form);

  // Prints the content with the page margins on the program's printer (a PDF file when there is
  // none): Caption is the job's title; the printer's Copies are honoured.
  void PrintContent(const std::string& Caption) override;

  // The built-in popup menu: shown by a right click while no PopupMenu is assigned.
  TwwRichEditPopupMenu* BuiltInPopupMenu() const { return BuiltInMenu_.get(); }
  TPopupMenu* GetPopupMenu() const override;
  TFindDialog* FindDialog() const { return FindDialog_.get(); }
  TReplaceDialog* ReplaceDialog() const { return ReplaceDialog_.get(); }
  TFontDialog* FontDialog() const { return FontDialog_.get(); }
  // Runs a verb of the selected embedded object: its position among the object's verbs ("&Open",
  // "Save &Copy As..."), or kDefaultObjectVerb for the default one. Raises EOleError "Invalid
  // Verb" for a position beyond them.
  static constexpr int kDefaultObjectVerb = -0x10000;
  void ExecuteObjectVerb(int Position);

  // Fills Target with this control's content.
  virtual void CopyContentTo(TwwCustomRichEdit* Target);
  // Whether the clipboard holds something to paste (a picture alone is not).
  bool PasteAllowed();
  bool SelectionPresent();
  int MarginToTwips(const std::string& Text) const { return ::MarginToTwips(Text, MeasurementUnits_); }

  // --- Measurements and paragraph formats ----------------------------------------------------
  // Twips in MeasurementUnits, rounded to two decimals (a centimetre is 1/2.537 inch).
  double TwipsToUnits(int Twips) const;
  // The value as the shortest decimal text with the unit: "0.75''" or "1.9 cm".
  std::string UnitsText(double Value) const;
  // As UnitsText, on a grid of 1/Step units (Step 0: eighths of an inch, twentieths of a
  // centimetre): a value moves away from zero by two thirds of a step and is then cut back to the
  // grid, so it shows as the nearest grid point unless it lies in the first third above one.
  std::string SnappedUnitsText(int Step, double Value) const;
  // The current paragraph's format (of the first paragraph of the selection). A version-1 control
  // knows no spacing and no line spacing: they read as 0 and single, and are not in Fields.
  // Without a window everything reads as 0 and Fields is empty.
  TRichParaFormat ReadParagraphFormat() const;
  // The one paragraph-format write, on every paragraph of the selection, as one change that one
  // undo takes back. Mask names the members to change (a version-1 control ignores spacing and
  // line spacing). The alignment is named by its label in the text table: the AlignLeft label is
  // left, the AlignRight label right, anything else centred. LineSpacing is in twips, or in
  // twentieths of a line for rlMultiple. At most 32 of the first TabCount Tabs are used. A bound
  // field enters edit mode first.
  void ApplyParagraphFormat(TRichParaFields Mask, const std::string& AlignmentText,
                            TRichLineSpacingRule LineSpacingRule, int LineSpacing, int SpaceAfter,
                            int SpaceBefore, const std::vector<int>& Tabs, int TabCount, int StartIndent,
                            int RightIndent, int Offset, bool Bullet);
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

  // The popup menu (ww_rich_edit_popup.cpp).
  void BuildPopupMenu();
  void SetPopupCaptions();
  void PopupMenuFetched(int X, int Y);
  void PopupMenuShowing();
  void ToggleStyle(TMenuItem* Item, TFontStyle Style);
  void ToggleBullet(TMenuItem* Item);
  // The one paragraph-format change of the bullet item.
  void ApplyBulletFormat(bool On);
  // Find and replace (ww_rich_edit_find.cpp).
  void BuildFindDialogs();
  void FindDialogFind(TFindDialog& Dialog);
  void FindDialogClosed();
  void SearchLoop(TFindDialog& Dialog, bool Replacing);
  void ReplaceAll(TReplaceDialog& Dialog);
  void NoMoreMatches();
  // Embedded objects (ww_rich_edit_objects.cpp).
  void OpenObjectCopy();
  void SaveObjectCopy();

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
  // Commands.
  std::unique_ptr<TwwRichEditPopupMenu> BuiltInMenu_;
  std::unique_ptr<TFindDialog> FindDialog_;
  std::unique_ptr<TReplaceDialog> ReplaceDialog_;
  std::unique_ptr<TFontDialog> FontDialog_;
  std::string LastFindText_;
  int FindStart_ = 0;
  bool SearchWrapped_ = false;
  bool SavedHideSelection_ = true;
  // The menu items added for the selected object's verbs.
  std::vector<TMenuItem*> ObjectItems_;
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
