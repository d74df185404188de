#pragma once
// TwwRichEditForm: the window in which a rich text control's content is viewed or edited at full
// size, with a menu bar, a tool bar, a format bar, a ruler and a status bar. The control's
// ExecuteEditor builds it from its stored layout (TwwRichEditForm.layout), adds the ruler and an
// editing control of the caller's own class, shows it modally and hands the text back.
//
// A read-only caller gets a viewer: no bars, no ruler, no New, no Format or View menu, and a
// File menu of Print, Page Setup and Exit.

#include <map>
#include <string>

#include "core/types.h"
#include "gui/forms/form.h"

class TBevel;
class TComboBox;
class TMainMenu;
class TMenuItem;
class TOpenDialog;
class TPanel;
class TPopupMenu;
class TPrintDialog;
class TSaveDialog;
class TSpeedButton;
class TStatusBar;
class TwwCustomRichEdit;
class TwwRulerPanel;

class TwwRichEditForm : public TForm {
 public:
  BREVANT_CLASS(TwwRichEditForm)
  explicit TwwRichEditForm(TComponent* AOwner);
  ~TwwRichEditForm() override;

  // Set up by ExecuteEditor before the window shows.
  void SetSource(TwwCustomRichEdit* Value) { Source_ = Value; }
  TwwCustomRichEdit* Source() const { return Source_; }
  void SetEditor(TwwCustomRichEdit* Value);
  TwwCustomRichEdit* Editor() const { return Editor_; }
  void SetRuler(TwwRulerPanel* Value) { Ruler_ = Value; }
  TwwRulerPanel* Ruler() const { return Ruler_; }

  // Brings buttons, boxes and items in line with the selection and the clipboard.
  void RefreshControls();
  // "CAP" and "NUM" in their panels while the lock keys are on.
  void RefreshLockPanels();
  // Places the ruler, the text and the status bar for the window's size and the bars shown.
  void LayoutControls();
  // The colour the colour menu's item stands for.
  TColor ColorOfItem(const TMenuItem* Item) const;

  // Components of the stored layout.
  TPanel* Toolbar = nullptr;
  TPanel* FormatBar = nullptr;
  TBevel* ToolbarBevel = nullptr;
  TBevel* FormatBarBevel = nullptr;
  TBevel* RulerBevel = nullptr;
  TBevel* UserButtonBevel = nullptr;
  TSpeedButton* NewButton = nullptr;
  TSpeedButton* LoadButton1 = nullptr;
  TSpeedButton* SaveAsButton = nullptr;
  TSpeedButton* PrintButton = nullptr;
  TSpeedButton* FindButton = nullptr;
  TSpeedButton* CutButton = nullptr;
  TSpeedButton* CopyButton = nullptr;
  TSpeedButton* PasteButton = nullptr;
  TSpeedButton* UndoButton = nullptr;
  TSpeedButton* RedoButton = nullptr;
  TComboBox* FontNameCombo = nullptr;
  TComboBox* FontSizeCombo = nullptr;
  TSpeedButton* BoldButton = nullptr;
  TSpeedButton* ItalicButton = nullptr;
  TSpeedButton* UnderlineButton = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TSpeedButton* LeftButton = nullptr;
  TSpeedButton* CenterButton = nullptr;
  TSpeedButton* RightButton = nullptr;
  TSpeedButton* BulletButton = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* FileMenu = nullptr;
  TMenuItem* LoadItem = nullptr;
  TMenuItem* SaveAsItem = nullptr;
  TMenuItem* SaveExitItem = nullptr;
  TMenuItem* FileSep1 = nullptr;
  TMenuItem* PrintItem = nullptr;
  TMenuItem* PageSetupItem = nullptr;
  TMenuItem* FileSep2 = nullptr;
  TMenuItem* ExitItem = nullptr;
  TMenuItem* EditMenu = nullptr;
  TMenuItem* UndoItem = nullptr;
  TMenuItem* RedoItem = nullptr;
  TMenuItem* CutItem = nullptr;
  TMenuItem* CopyItem = nullptr;
  TMenuItem* PasteItem = nullptr;
  TMenuItem* ClearItem = nullptr;
  TMenuItem* SelectAllItem = nullptr;
  TMenuItem* FindItem = nullptr;
  TMenuItem* FindNextItem = nullptr;
  TMenuItem* ReplaceItem = nullptr;
  TMenuItem* ViewMenu = nullptr;
  TMenuItem* ToolbarItem = nullptr;
  TMenuItem* FormatBarItem = nullptr;
  TMenuItem* StatusBarItem = nullptr;
  TMenuItem* RulerItem = nullptr;
  TMenuItem* OptionsItem = nullptr;
  TMenuItem* InsertMenu = nullptr;
  TMenuItem* ObjectItem = nullptr;
  TMenuItem* FormatMenu = nullptr;
  TMenuItem* FontItem = nullptr;
  TMenuItem* BulletStyleItem = nullptr;
  TMenuItem* ParagraphItem = nullptr;
  TMenuItem* TabsItem = nullptr;
  TMenuItem* HelpMenu = nullptr;
  TPopupMenu* ColorMenu = nullptr;
  TPrintDialog* PrintDialog1 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TSaveDialog* SaveDialog1 = nullptr;

  // Handlers the layout names.
  void FormShow(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
  void FormKeyPress(TObject* Sender, char& Key);
  void FormKeyUp(TObject* Sender, uint16_t& Key, TShiftState Shift);
  void NewButtonClick(TObject* Sender);
  void LoadClick(TObject* Sender);
  void SaveAsClick(TObject* Sender);
  void SaveExitClick(TObject* Sender);
  void PrintClick(TObject* Sender);
  void PageSetupClick(TObject* Sender);
  void ExitClick(TObject* Sender);
  void EditMenuClick(TObject* Sender);
  void UndoClick(TObject* Sender);
  void RedoClick(TObject* Sender);
  void CutClick(TObject* Sender);
  void CopyClick(TObject* Sender);
  void PasteClick(TObject* Sender);
  void ClearClick(TObject* Sender);
  void SelectAllClick(TObject* Sender);
  void FindClick(TObject* Sender);
  void FindNextClick(TObject* Sender);
  void ReplaceClick(TObject* Sender);
  void ToolbarItemClick(TObject* Sender);
  void FormatBarItemClick(TObject* Sender);
  void StatusBarItemClick(TObject* Sender);
  void RulerItemClick(TObject* Sender);
  void ObjectClick(TObject* Sender);
  void FontClick(TObject* Sender);
  void BulletStyleClick(TObject* Sender);
  void ParagraphClick(TObject* Sender);
  void TabsClick(TObject* Sender);
  void FontNameComboDropDown(TObject* Sender);
  void FontNameComboCloseUp(TObject* Sender);
  void FontSizeComboCloseUp(TObject* Sender);
  void StyleButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void StyleButtonClick(TObject* Sender);
  void BulletButtonClick(TObject* Sender);
  void AlignButtonClick(TObject* Sender);
  void ColorButtonClick(TObject* Sender);

 protected:
  void Loaded() override;
  void BoundsChanged(const TRect& Old) override;

 private:
  void ApplyOptions();
  void ApplyTexts();
  void MoveUserButtons();
  void RestoreUserButtons();
  void RaiseButtons();
  void FillFontNames();
  void PrepareColorMenu();
  void SetBarVisible(TPanel* Bar, TBevel* Bevel, TMenuItem* Item, bool Visible);
  void ToggleStyle(TSpeedButton* Button, bool WasDown);
  void ToggleBullet(bool WasDown);
  void LoadFile(const std::string& FileName);
  void SaveFile(const std::string& FileName);
  double PixelsPerInchScale() const;

  TwwCustomRichEdit* Source_ = nullptr;
  TwwCustomRichEdit* Editor_ = nullptr;
  TwwRulerPanel* Ruler_ = nullptr;
  TNotifyEvent SavedOnHint_;
  bool HintSaved_ = false;
  TWinControl* UserButtonParent1_ = nullptr;
  TWinControl* UserButtonParent2_ = nullptr;
  std::map<const TMenuItem*, TColor> ItemColors_;
  // Whether the toggle button being clicked was down when the mouse went down on it.
  bool WasDown_ = false;
  bool Shown_ = false;
};
