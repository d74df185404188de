#include "gui/qt/dialog_window.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QTimer>

#include "core/format.h"
#include "gui/dialogs/common_dialog.h"
#include "gui/dialogs/qt_message_box.h"
#include "gui/forms/application.h"
#include "gui/forms/screen.h"
#include "gui/gui_strings.h"
#include "gui/qt/qt_convert.h"

namespace {

TDialogObserver& Observer() {
  static TDialogObserver observer;
  return observer;
}

// Types Value into a line edit as the keyboard would: in the active window, with the focus
// (dialogs look at both), replacing the text, reported as edited.
void TypeInto(QLineEdit* Edit, const QString& Value) {
  QWidget* window = Edit->window();
  window->activateWindow();
  QApplication::setActiveWindow(window);
  Edit->setFocus(Qt::OtherFocusReason);
  Edit->selectAll();
  if (Value.isEmpty()) {
    Edit->del();
  } else {
    Edit->insert(Value);
  }
}

// While a dialog runs, hands the message boxes Qt raises inside it to the observer.
class TInnerBoxWatcher : public QObject {
 public:
  explicit TInnerBoxWatcher(QDialog* Dialog) : Dialog_(Dialog) { qApp->installEventFilter(this); }
  ~TInnerBoxWatcher() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* Watched, QEvent* E) override {
    if (E->type() != QEvent::Show) return false;
    auto* box = qobject_cast<QMessageBox*>(Watched);
    if (box == nullptr || Dialog_ == nullptr) return false;
    for (QWidget* w = box->parentWidget(); w != nullptr; w = w->parentWidget()) {
      if (w == Dialog_) {
        ObserveQtMessageBox(*box);
        break;
      }
    }
    return false;
  }

 private:
  QPointer<QDialog> Dialog_;
};

class TQtDialogView : public TDialogView {
 public:
  explicit TQtDialogView(TDialogWindow& Window) : Window_(Window) {}

  TCommonDialog& Dialog() const override { return Window_.Owner(); }
  std::string Caption() const override { return FromQString(Box()->windowTitle()); }
  bool Modal() const override { return Box()->windowModality() == Qt::ApplicationModal; }
  std::vector<std::string> ControlNames() const override { return Window_.Names(); }

  bool Visible(const std::string& Name) const override { return Find(Name)->isVisibleTo(Box()); }
  bool Enabled(const std::string& Name) const override { return Find(Name)->isEnabled(); }

  std::string Text(const std::string& Name) const override {
    QWidget* w = Find(Name);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return FromQString(edit->text());
    if (auto* combo = qobject_cast<QComboBox*>(w)) return FromQString(combo->currentText());
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) return FromQString(spin->text());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return FromQString(button->text());
    if (auto* label = qobject_cast<QLabel*>(w)) return FromQString(label->text());
    if (auto* group = qobject_cast<QGroupBox*>(w)) return FromQString(group->title());
    if (auto* view = qobject_cast<QAbstractItemView*>(w))
      return FromQString(view->currentIndex().data().toString());
    return FromQString(w->windowTitle());
  }

  void SetText(const std::string& Name, const std::string& Value) override {
    QWidget* w = Usable(Name);
    const QString value = ToQString(Value);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      TypeInto(edit, value);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      const int index = combo->findText(value, Qt::MatchFixedString);
      if (combo->isEditable() && index < 0) {
        TypeInto(combo->lineEdit(), value);
        return;
      }
      if (index < 0) throw EInvalidArgument(Format(LoadResString(SDialogNoEntry), Name, Value));
      combo->setCurrentIndex(index);
      emit combo->activated(index);
      emit combo->textActivated(combo->itemText(index));
    } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
      bool ok = false;
      const int number = value.trimmed().toInt(&ok);
      if (!ok) throw EConvertError(Format("'%s' is not a valid integer value", Value));
      spin->setValue(number);
    } else if (auto* real = qobject_cast<QDoubleSpinBox*>(w)) {
      bool ok = false;
      const double number = value.trimmed().toDouble(&ok);
      if (!ok) throw EConvertError(Format("'%s' is not a valid floating point value", Value));
      real->setValue(number);
    } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
      const QModelIndex index = FindRow(view, value);
      if (!index.isValid()) throw EInvalidArgument(Format(LoadResString(SDialogNoEntry), Name, Value));
      view->scrollTo(index);
      view->setCurrentIndex(index);
      emit view->clicked(index);
    } else {
      throw EInvalidOperation(Format(LoadResString(SDialogControlUnusable), Name));
    }
  }

  std::vector<std::string> Items(const std::string& Name) const override {
    QWidget* w = Find(Name);
    std::vector<std::string> items;
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
      for (int i = 0; i < combo->count(); ++i)
        items.push_back(FromQString(combo->itemText(i)));
    } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
      const QAbstractItemModel* model = view->model();
      const QModelIndex root = view->rootIndex();
      for (int i = 0; model != nullptr && i < model->rowCount(root); ++i)
        items.push_back(FromQString(model->index(i, 0, root).data().toString()));
    }
    return items;
  }

  bool Checked(const std::string& Name) const override {
    auto* button = qobject_cast<QAbstractButton*>(Find(Name));
    if (button == nullptr) throw EInvalidOperation(Format(LoadResString(SDialogControlUnusable), Name));
    return button->isChecked();
  }

  void SetChecked(const std::string& Name, bool Value) override {
    auto* button = qobject_cast<QAbstractButton*>(Usable(Name));
    if (button == nullptr) throw EInvalidOperation(Format(LoadResString(SDialogControlUnusable), Name));
    if (button->isChecked() != Value) button->click();
  }

  void Press(const std::string& Name) override {
    auto* button = qobject_cast<QAbstractButton*>(Usable(Name));
    if (button == nullptr) throw EInvalidOperation(Format(LoadResString(SDialogControlUnusable), Name));
    button->click();
  }

  void CloseWindow() override { Box()->close(); }

 private:
  QDialog* Box() const {
    QDialog* d = Window_.Dialog();
    if (d == nullptr) throw EInvalidOperation(Format(LoadResString(SDialogControlUnusable), "window"));
    return d;
  }
  QWidget* Find(const std::string& Name) const {
    QWidget* w = Window_.Control(Name);
    if (w == nullptr) throw EInvalidArgument(Format(LoadResString(SDialogNoControl), Name));
    return w;
  }
  QWidget* Usable(const std::string& Name) const {
    QWidget* w = Find(Name);
    if (!w->isVisibleTo(Box()) || !w->isEnabled())
      throw EInvalidOperation(Format(LoadResString(SDialogControlUnusable), Name));
    return w;
  }
  static QModelIndex FindRow(QAbstractItemView* View, const QString& Value) {
    const QAbstractItemModel* model = View->model();
    if (model == nullptr) return {};
    const QModelIndex root = View->rootIndex();
    for (int i = 0; i < model->rowCount(root); ++i) {
      const QModelIndex index = model->index(i, 0, root);
      if (index.data().toString().compare(Value, Qt::CaseInsensitive) == 0) return index;
    }
    return {};
  }

  TDialogWindow& Window_;
};

}  // namespace

TDialogObserver SetDialogObserver(TDialogObserver NewObserver) {
  TDialogObserver old = std::move(Observer());
  Observer() = std::move(NewObserver);
  return old;
}

std::unique_ptr<TDialogView> MakeDialogView(TDialogWindow& Window) {
  return std::make_unique<TQtDialogView>(Window);
}

TDialogWindow::TDialogWindow(TCommonDialog& Owner, QDialog* Dialog) : Owner_(Owner), Dialog_(Dialog) {
  // Qt frees a dialog with its parent window; the component then no longer has it open.
  Destroyed_ = QObject::connect(Dialog, &QObject::destroyed, [this]() { Owner_.WindowClosed(this); });
}

TDialogWindow::~TDialogWindow() {
  Owner_.WindowClosed(this);
  QObject::disconnect(Destroyed_);
  delete Dialog_.data();
}

void TDialogWindow::Name(const std::string& Name, QWidget* Control) {
  Controls_[Name] = Control;
}

QWidget* TDialogWindow::Control(const std::string& Name) const {
  auto it = Controls_.find(Name);
  return it == Controls_.end() ? nullptr : it->second.data();
}

std::vector<std::string> TDialogWindow::Names() const {
  std::vector<std::string> names;
  for (const auto& [name, control] : Controls_)
    if (control != nullptr) names.push_back(name);
  return names;
}

void TDialogWindow::ScheduleObserver() {
  if (!Observer()) return;
  QTimer::singleShot(0, &ObserverContext_, [this]() {
    GuardCall([this]() {
      if (!Observer() || Dialog_ == nullptr || !Dialog_->isVisible()) return;
      TQtDialogView view(*this);
      Observer()(view);
    });
  });
}

bool TDialogWindow::ExecModal() {
  Dialog_->setWindowModality(Qt::ApplicationModal);
  Owner_.WindowOpened(this);
  Owner_.DoShow();
  ScheduleObserver();
  const TInnerBoxWatcher watcher(Dialog_);
  const int result = Dialog_->exec();
  Owner_.WindowClosed(this);
  Owner_.DoClose();
  return result == QDialog::Accepted;
}

void TDialogWindow::ShowModeless() {
  const bool shown = Dialog_->isVisible();
  Dialog_->setWindowModality(Qt::NonModal);
  Owner_.WindowOpened(this);
  Dialog_->show();
  Dialog_->raise();
  Dialog_->activateWindow();
  if (!shown) ScheduleObserver();
}

void TDialogWindow::Release() {
  QObject::disconnect(Destroyed_);
  if (Dialog_ == nullptr) return;
  Dialog_->hide();
  Dialog_->deleteLater();
  Dialog_ = nullptr;
  Owner_.WindowClosed(this);
}

QWidget* DialogParentWidget(const TComponent* Owner) {
  for (const TComponent* c = Owner; c != nullptr; c = c->Owner()) {
    auto* control = dynamic_cast<const TControl*>(c);
    if (control == nullptr) continue;
    auto* form = dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
    if (form == nullptr) form = control->ParentForm();
    if (form != nullptr && form->HandleAllocated()) return form->Widget();
  }
  if (Screen != nullptr) {
    TCustomForm* active = Screen->ActiveForm();
    if (active != nullptr && active->HandleAllocated()) return active->Widget();
  }
  return nullptr;
}
