#include "gui/dialogs/message_box.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <map>
#include <memory>

#include "gui/dialogs/qt_message_box.h"
#include "gui/forms/application.h"
#include "gui/gui_strings.h"
#include "gui/qt/qt_convert.h"

namespace {

TMessageBoxObserver& Observer() {
  static TMessageBoxObserver observer;
  return observer;
}

struct TButtonInfo {
  TMsgDlgBtn Button;
  const TResString* Caption;
  TModalResult Result;
  QMessageBox::ButtonRole Role;
};

const TButtonInfo kButtons[] = {
    {mbYes, &SMsgDlgYes, mrYes, QMessageBox::YesRole},
    {mbNo, &SMsgDlgNo, mrNo, QMessageBox::NoRole},
    {mbOK, &SMsgDlgOK, mrOk, QMessageBox::AcceptRole},
    {mbCancel, &SMsgDlgCancel, mrCancel, QMessageBox::RejectRole},
    {mbAbort, &SMsgDlgAbort, mrAbort, QMessageBox::RejectRole},
    {mbRetry, &SMsgDlgRetry, mrRetry, QMessageBox::AcceptRole},
    {mbIgnore, &SMsgDlgIgnore, mrIgnore, QMessageBox::AcceptRole},
    {mbAll, &SMsgDlgAll, mrAll, QMessageBox::AcceptRole},
    {mbNoToAll, &SMsgDlgNoToAll, mrNoToAll, QMessageBox::NoRole},
    {mbYesToAll, &SMsgDlgYesToAll, mrYesToAll, QMessageBox::YesRole},
    {mbHelp, &SMsgDlgHelp, mrNone, QMessageBox::HelpRole},
};

QMessageBox::Icon IconOf(TMsgDlgType Type) {
  switch (Type) {
    case mtWarning:
      return QMessageBox::Warning;
    case mtError:
      return QMessageBox::Critical;
    case mtInformation:
      return QMessageBox::Information;
    case mtConfirmation:
      return QMessageBox::Question;
    default:
      return QMessageBox::NoIcon;
  }
}

class TQtMessageBoxView : public TMessageBoxView {
 public:
  TQtMessageBoxView(QMessageBox& Box, std::map<QAbstractButton*, TMsgDlgBtn>& Buttons)
      : Box_(Box), Buttons_(Buttons) {}
  std::string Caption() const override { return FromQString(Box_.windowTitle()); }
  std::string Text() const override { return FromQString(Box_.text()); }
  TMsgDlgType Icon() const override {
    switch (Box_.icon()) {
      case QMessageBox::Warning:
        return mtWarning;
      case QMessageBox::Critical:
        return mtError;
      case QMessageBox::Information:
        return mtInformation;
      case QMessageBox::Question:
        return mtConfirmation;
      default:
        return mtCustom;
    }
  }
  TMsgDlgButtons Buttons() const override {
    TMsgDlgButtons set;
    for (const auto& [button, kind] : Buttons_)
      set.Include(kind);
    return set;
  }
  bool ApplicationModal() const override { return Box_.windowModality() == Qt::ApplicationModal; }
  void Press(TMsgDlgBtn Button) override {
    for (const auto& [button, kind] : Buttons_) {
      if (kind == Button) {
        button->click();
        return;
      }
    }
  }

 private:
  QMessageBox& Box_;
  std::map<QAbstractButton*, TMsgDlgBtn>& Buttons_;
};

}  // namespace

void ObserveQtMessageBox(QMessageBox& Box) {
  if (!Observer()) return;
  static const std::map<QMessageBox::StandardButton, TMsgDlgBtn> kStandard = {
      {QMessageBox::Yes, mbYes},         {QMessageBox::No, mbNo},
      {QMessageBox::Ok, mbOK},           {QMessageBox::Cancel, mbCancel},
      {QMessageBox::Abort, mbAbort},     {QMessageBox::Retry, mbRetry},
      {QMessageBox::Ignore, mbIgnore},   {QMessageBox::YesToAll, mbYesToAll},
      {QMessageBox::NoToAll, mbNoToAll}, {QMessageBox::Help, mbHelp}};
  auto buttons = std::make_shared<std::map<QAbstractButton*, TMsgDlgBtn>>();
  for (QAbstractButton* b : Box.buttons()) {
    auto it = kStandard.find(Box.standardButton(b));
    if (it != kStandard.end()) (*buttons)[b] = it->second;
  }
  QMessageBox* box = &Box;
  QTimer::singleShot(0, box, [box, buttons]() {
    GuardCall([&]() {
      TQtMessageBoxView view(*box, *buttons);
      if (Observer()) Observer()(view);
    });
  });
}

TMessageBoxObserver SetMessageBoxObserver(TMessageBoxObserver NewObserver) {
  TMessageBoxObserver old = std::move(Observer());
  Observer() = std::move(NewObserver);
  return old;
}

TModalResult ShowMessageBox(const std::string& Text, const std::string& Caption, TMsgDlgType Type,
                            TMsgDlgButtons Buttons) {
  if (Buttons.Empty()) Buttons.Include(mbOK);
  QMessageBox box(IconOf(Type), ToQString(Caption), ToQString(Text), QMessageBox::NoButton, nullptr);
  box.setWindowModality(Qt::ApplicationModal);
  box.setTextFormat(Qt::PlainText);
  std::map<QAbstractButton*, TMsgDlgBtn> buttons;
  QAbstractButton* escape = nullptr;
  QPushButton* first = nullptr;
  for (const TButtonInfo& info : kButtons) {
    if (!Buttons.Contains(info.Button)) continue;
    QPushButton* b = box.addButton(ToQString(LoadResString(*info.Caption)), info.Role);
    buttons[b] = info.Button;
    if (first == nullptr) first = b;
    if (info.Button == mbCancel || (escape == nullptr && info.Button == mbNo)) escape = b;
  }
  if (escape == nullptr && buttons.size() == 1) escape = first;
  box.setDefaultButton(first);
  if (escape != nullptr) box.setEscapeButton(escape);
  if (Observer()) {
    QTimer::singleShot(0, &box, [&box, &buttons]() {
      GuardCall([&]() {
        TQtMessageBoxView view(box, buttons);
        if (Observer()) Observer()(view);
      });
    });
  }
  box.exec();
  auto it = buttons.find(box.clickedButton());
  if (it == buttons.end()) return mrCancel;
  for (const TButtonInfo& info : kButtons) {
    if (info.Button == it->second) return info.Result;
  }
  return mrCancel;
}

TModalResult MessageDlg(const std::string& Msg, TMsgDlgType Type, TMsgDlgButtons Buttons,
                        int /*HelpContext*/) {
  std::string caption;
  switch (Type) {
    case mtWarning:
      caption = LoadResString(SMsgDlgWarning);
      break;
    case mtError:
      caption = LoadResString(SMsgDlgError);
      break;
    case mtInformation:
      caption = LoadResString(SMsgDlgInformation);
      break;
    case mtConfirmation:
      caption = LoadResString(SMsgDlgConfirm);
      break;
    case mtCustom:
      caption = Application != nullptr ? Application->Title() : std::string();
      break;
  }
  return ShowMessageBox(Msg, caption, Type, Buttons);
}

void ShowMessage(const std::string& Msg) {
  ShowMessageBox(Msg, Application != nullptr ? Application->Title() : std::string(), mtCustom, {mbOK});
}
