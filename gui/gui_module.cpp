#include "gui/gui_module.h"

#include <QApplication>
#include <QStyleFactory>

#include "core/rtti.h"
#include "gui/dialogs/file_dialog.h"
#include "gui/dialogs/find_dialog.h"
#include "gui/dialogs/font_dialog.h"
#include "gui/dialogs/page_setup_dialog.h"
#include "gui/dialogs/print_dialog.h"
#include "gui/forms/application.h"
#include "gui/forms/screen.h"
#include "gui/menus/main_menu.h"
#include "gui/menus/menus.h"
#include "gui/printing/printer.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/combo_box.h"
#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/group_box.h"
#include "gui/stdctrls/image.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/list_box.h"
#include "gui/stdctrls/panel.h"
#include "gui/stdctrls/speed_button.h"
#include "gui/stdctrls/status_bar.h"
#include "gui/stdctrls/timer.h"
#include "gui/stdctrls/track_icon.h"

void RegisterGuiClasses() {
  RegisterClasses<TForm, TPanel, TLabel, TButton, TBitBtn, TSpeedButton, TGroupBox, TRadioGroup, TEdit, TMemo,
                  TImage, TBevel, TTimer, TMenuItem, TPopupMenu, TMainMenu, TStatusBar, TStatusPanel,
                  TwwTrackIcon, TComboBox, TListBox>();
  RegisterClasses<TFindDialog, TReplaceDialog, TFontDialog, TOpenDialog, TSaveDialog, TPrintDialog,
                  TPageSetupDialog>();
}

TGuiModule::TGuiModule(int& Argc, char** Argv) {
  if (QApplication::instance() == nullptr) Qt_ = std::make_unique<QApplication>(Argc, Argv);
  // One look everywhere, so layouts measure and draw the same on every desktop.
  if (QStyle* style = QStyleFactory::create("Fusion")) QApplication::setStyle(style);
  QApplication::setQuitOnLastWindowClosed(false);
  RegisterGuiClasses();
  Screen = new TScreen(nullptr);
  Application = new TApplication(nullptr);
}

TGuiModule::~TGuiModule() {
  FreePrinter();
  delete Application;
  Application = nullptr;
  delete Screen;
  Screen = nullptr;
  Qt_.reset();
}
