#pragma once
// The Qt side of a common dialog: its QDialog, the controls it names for automation, the
// observer's call once it shows, and the view that works those controls. Only gui/ .cpp
// files include this.

#include <QDialog>
#include <QPointer>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TComponent;
class TCommonDialog;
class TDialogView;

class TDialogWindow {
 public:
  // Takes Dialog: it goes with this object, unless Qt freed it first with its parent.
  TDialogWindow(TCommonDialog& Owner, QDialog* Dialog);
  ~TDialogWindow();
  TDialogWindow(const TDialogWindow&) = delete;
  TDialogWindow& operator=(const TDialogWindow&) = delete;

  QDialog* Dialog() const { return Dialog_; }
  TCommonDialog& Owner() const { return Owner_; }
  // Names a control of the dialog for automation.
  void Name(const std::string& Name, QWidget* Control);
  // The control of that name, or none (also when Qt freed it).
  QWidget* Control(const std::string& Name) const;
  std::vector<std::string> Names() const;

  // Shows the dialog application-modal until it closes; answers whether it was accepted.
  // The owner's OnShow and OnClose run around it and the observer sees it once it shows.
  bool ExecModal();
  // Shows the dialog and returns at once; the observer sees it after the current message.
  void ShowModeless();
  // Hands the dialog to Qt to free after the current message (a modeless dialog closing
  // from one of its own buttons).
  void Release();

 private:
  void ScheduleObserver();

  TCommonDialog& Owner_;
  QPointer<QDialog> Dialog_;
  QMetaObject::Connection Destroyed_;
  std::map<std::string, QPointer<QWidget>> Controls_;
  // The observer's pending call goes with this object: a released dialog may outlive it.
  QObject ObserverContext_;
};

std::unique_ptr<TDialogView> MakeDialogView(TDialogWindow& Window);

// The widget a dialog of Owner belongs to: the window of the form that owns it (or holds the
// control that owns it), else the active form's window, else none.
QWidget* DialogParentWidget(const TComponent* Owner);
