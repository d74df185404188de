#include "gui/gui_module.h"

#include <QApplication>
#include <QStyleFactory>

#include "core/rtti.h"
#include "gui/forms/application.h"
#include "gui/forms/screen.h"
#include "gui/menus/menus.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/group_box.h"
#include "gui/stdctrls/image.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/panel.h"
#include "gui/stdctrls/speed_button.h"
#include "gui/stdctrls/timer.h"

void RegisterGuiClasses() {
  RegisterClasses<TForm, TPanel, TLabel, TButton, TBitBtn, TSpeedButton, TGroupBox, TRadioGroup, TEdit, TMemo,
                  TImage, TBevel, TTimer, TMenuItem, TPopupMenu>();
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
  delete Application;
  Application = nullptr;
  delete Screen;
  Screen = nullptr;
  Qt_.reset();
}
