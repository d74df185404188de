#include "gui/forms/application.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <iostream>

#include "gui/forms/screen.h"
#include "gui/gui_strings.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TApplication, TComponent, )

TApplication* Application = nullptr;

std::string ErrorMessageText(const std::string& Message) {
  if (!Message.empty() && static_cast<unsigned char>(Message.back()) > static_cast<unsigned char>('.')) {
    return Message + ".";
  }
  return Message;
}

void GuardCall(const std::function<void()>& Fn) noexcept {
  if (Application != nullptr) {
    Application->Guard(Fn);
    return;
  }
  try {
    Fn();
  } catch (const EAbort&) {
  } catch (const std::exception& e) {
    std::cerr << ErrorMessageText(e.what()) << '\n';
  } catch (...) {
    std::cerr << LoadResString(SUnknownException) << '\n';
  }
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() {
  Destroying();
  // Forms go while the application object is still whole; the rest through TComponent.
  for (int i = ComponentCount() - 1; i >= 0; --i) {
    if (i < ComponentCount() && dynamic_cast<TCustomForm*>(Components(i)) != nullptr) delete Components(i);
  }
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
  if (QApplication::instance() != nullptr) QApplication::setQuitOnLastWindowClosed(false);
}

void TApplication::SetTitle(const std::string& Value) {
  Title_ = Value;
  if (QCoreApplication::instance() != nullptr) QCoreApplication::setApplicationName(ToQString(Value));
}

void TApplication::SetHint(const std::string& Value) {
  if (Value == Hint_) return;
  Hint_ = Value;
  if (OnHint) OnHint(this);
}

void TApplication::HintMouseMessage(TControl* Control) {
  SetHint(Control != nullptr ? GetLongHint(GetHint(Control)) : std::string());
}

void TApplication::FormCreated(TCustomForm* Form) {
  if (MainForm_ == nullptr) {
    MainForm_ = Form;
    Form->HandleNeeded();
  }
}

void TApplication::FormDestroying(TCustomForm* Form) {
  if (MainForm_ == Form) MainForm_ = nullptr;
  Releasing_.erase(std::remove(Releasing_.begin(), Releasing_.end(), Form), Releasing_.end());
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == MainForm_) MainForm_ = nullptr;
  Releasing_.erase(std::remove(Releasing_.begin(), Releasing_.end(), AComponent), Releasing_.end());
}

void TApplication::Run() {
  Running_ = true;
  if (MainForm_ != nullptr) {
    if (StartupShowMode_ != wsNormal) MainForm_->SetWindowState(StartupShowMode_);
    Guard([this]() { MainForm_->Show(); });
  }
  while (!Terminated_ && MainForm_ != nullptr) {
    HandleMessage();
  }
  Running_ = false;
}

void TApplication::Terminate() {
  Terminated_ = true;
  // Wake the loop if it is waiting.
  if (QCoreApplication::instance() != nullptr) QTimer::singleShot(0, QCoreApplication::instance(), []() {});
}

void TApplication::ProcessMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleMessage() {
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

void TApplication::QueueCall(std::function<void()> Fn) {
  QTimer::singleShot(0, QCoreApplication::instance(), [fn = std::move(Fn)]() { GuardCall(fn); });
}

void TApplication::ReleaseForm(TCustomForm* Form) {
  if (std::find(Releasing_.begin(), Releasing_.end(), Form) != Releasing_.end()) return;
  Releasing_.push_back(Form);
  FreeNotification(Form);
  QueueCall([this, Form]() {
    auto it = std::find(Releasing_.begin(), Releasing_.end(), Form);
    if (it == Releasing_.end()) return;  // freed meanwhile
    Releasing_.erase(it);
    delete Form;
  });
}

void TApplication::Guard(const std::function<void()>& Fn) noexcept {
  try {
    Fn();
  } catch (...) {
    HandleException(std::current_exception());
  }
}

void TApplication::GuardDeferred(const std::function<void()>& Fn) noexcept {
  try {
    Fn();
  } catch (...) {
    std::exception_ptr e = std::current_exception();
    try {
      QueueCall([this, e]() { HandleException(e); });
    } catch (...) {
    }
  }
}

void TApplication::HandleException(std::exception_ptr E) noexcept {
  try {
    try {
      std::rethrow_exception(E);
    } catch (const EAbort&) {
      return;
    } catch (const Exception& e) {
      if (OnException) {
        OnException(this, e);
      } else {
        ShowException(e);
      }
    } catch (const std::exception& e) {
      const Exception wrapped(e.what());
      if (OnException) {
        OnException(this, wrapped);
      } else {
        ShowException(wrapped);
      }
    } catch (...) {
      ShowException(Exception(LoadResString(SUnknownException)));
    }
  } catch (...) {
    // The error display itself failed; there is nobody left to tell but standard error.
    std::cerr << "error while reporting an error\n";
  }
}

void TApplication::ShowException(const Exception& E) {
  MessageBox(ErrorMessageText(E.Message()), Title_, mtError, {mbOK});
}

TModalResult TApplication::MessageBox(const std::string& Text, const std::string& Caption, TMsgDlgType Type,
                                      TMsgDlgButtons Buttons) {
  return ShowMessageBox(Text, Caption, Type, Buttons);
}

bool TApplication::HelpCommand(uint16_t Command, int64_t Data) {
  bool callHelp = true;
  bool result = false;
  TCustomForm* active = Screen != nullptr ? Screen->ActiveForm() : nullptr;
  if (active != nullptr && active->OnHelp) result = active->OnHelp(Command, Data, callHelp);
  if (callHelp && OnHelp) result = OnHelp(Command, Data, callHelp);
  if (!callHelp) return result;
  const std::string file = active != nullptr && !active->HelpFile().empty() ? active->HelpFile() : HelpFile_;
  if (file.empty()) return result;
  if (HelpViewer_) {
    HelpViewer_(file, Command, Data, MainForm_ != nullptr ? MainForm_ : active);
    return true;
  }
  return result;
}
