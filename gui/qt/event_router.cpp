#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <cctype>

#include "gui/controls/graphic_control.h"
#include "gui/controls/keys.h"
#include "gui/forms/application.h"
#include "gui/forms/first_paint_probe.h"
#include "gui/menus/menus.h"
#include "gui/qt/host_widget.h"
#include "gui/qt/qt_convert.h"

TQtHostWidget::TQtHostWidget(TWinControl* Control, QWidget* Parent) : TQtBridge<QWidget>(Control, Parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

QImage& TQtHostWidget::Buffer() {
  const QSize want = size().expandedTo(QSize(1, 1));
  if (Buffer_.size() != want) {
    QImage next(want, QImage::Format_RGB32);
    next.fill(Qt::white);
    if (!Buffer_.isNull()) {
      QPainter p(&next);
      p.drawImage(0, 0, Buffer_);
    }
    Buffer_ = std::move(next);
  }
  return Buffer_;
}

namespace {

void Guarded(const std::function<void()>& Fn) {
  GuardCall(Fn);
}

void PaintGraphicChildren(TWinControl& Control, QPainter& Painter, QImage* Readable, const QRegion& Region) {
  for (int i = 0; i < Control.ControlCount(); ++i) {
    auto* child = dynamic_cast<TGraphicControl*>(Control.Controls(i));
    if (child == nullptr || !child->Visible()) continue;
    const QRect bounds = ToQRect(child->BoundsRect());
    const QRegion clip = Region.intersected(bounds);
    if (clip.isEmpty()) continue;
    Painter.save();
    Painter.setClipRegion(clip);
    Painter.translate(bounds.topLeft());
    try {
      child->PaintTo(&Painter, Readable);
    } catch (...) {
      Painter.restore();
      throw;
    }
    Painter.restore();
  }
}

void PaintHost(TWinControl& Control, QImage& Buffer, const QRegion& WidgetRegion) {
  QPainter painter(&Buffer);
  // Everything below is in client coordinates (a form's menu bar lies above them).
  const TPoint offset = Control.ClientOffset();
  painter.translate(offset.X, offset.Y);
  const QRegion Region = WidgetRegion.translated(-offset.X, -offset.Y);
  QRegion background = Region;
  for (int i = 0; i < Control.ControlCount(); ++i) {
    TControl* child = Control.Controls(i);
    if (dynamic_cast<TGraphicControl*>(child) != nullptr && child->Visible() &&
        child->ControlStyle().Contains(csOpaque)) {
      background -= ToQRect(child->BoundsRect());
    }
  }
  if (!background.isEmpty()) {
    painter.save();
    painter.setClipRegion(background);
    TCanvas& canvas = Control.WindowCanvas();
    canvas.Attach(&painter, &Buffer);
    try {
      Control.DispatchPaint(canvas);
    } catch (...) {
      canvas.Detach();
      throw;
    }
    canvas.Detach();
    painter.restore();
  }
  PaintGraphicChildren(Control, painter, &Buffer, Region);
}

void UpdateHover(TWinControl& Control, QWidget* W, TControl* Target) {
  if (Control.HoverControl == Target) return;
  TControl* old = Control.HoverControl;
  Control.HoverControl = Target;
  if (old != nullptr) old->DispatchMouseLeave();
  if (Target != nullptr) Target->DispatchMouseEnter();
  const TCursor cursor = Target != nullptr ? Target->Cursor() : Control.Cursor();
  if (cursor == crDefault) {
    W->unsetCursor();
  } else {
    W->setCursor(CursorShapeOf(cursor));
  }
}

TCustomForm* FormOf(TWinControl* C) {
  if (auto* f = dynamic_cast<TCustomForm*>(C)) return f;
  return C->ParentForm();
}

bool IsHost(QWidget* W) {
  return dynamic_cast<TQtHostWidget*>(W) != nullptr;
}

// The application's hint follows the control under the pointer.
void NoteHintControl(TControl* Control) {
  if (Application != nullptr) Application->HintMouseMessage(Control);
}

bool MouseEvent(TWinControl& C, QWidget* W, QMouseEvent* E, const TQtEventRouter::TBase& Base,
                bool Filtering) {
  const TPoint offset = C.ClientOffset();
  const QPoint pos = E->position().toPoint() - QPoint(offset.X, offset.Y);
  TShiftState shift = ShiftStateOf(E->modifiers(), E->buttons());
  const TMouseButton button = MouseButtonOf(E->button());
  const bool host = IsHost(W) && !Filtering;
  switch (E->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      const bool dbl = E->type() == QEvent::MouseButtonDblClick;
      if (dbl) shift.Include(ssDouble);
      TControl* target =
          C.CaptureControl != nullptr ? C.CaptureControl : C.GraphicControlAtPos({pos.x(), pos.y()}, false);
      if (target != nullptr) {
        Guarded([&]() {
          C.CaptureControl = target;
          if (button == mbLeft) C.ClickPending = !dbl;
          target->DispatchMouseDown(button, shift, pos.x() - target->Left(), pos.y() - target->Top());
          if (dbl && target->ControlStyle().Contains(csDoubleClicks)) target->DblClick();
        });
        E->accept();
        return true;
      }
      Guarded([&]() {
        if (button == mbLeft) C.ClickPending = !dbl;
        C.DispatchMouseDown(button, shift, pos.x(), pos.y());
        if (dbl && C.ControlStyle().Contains(csDoubleClicks)) C.DblClick();
      });
      if (!host) return Base(E);
      E->accept();
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (C.CaptureControl != nullptr) {
        TControl* target = C.CaptureControl;
        if (E->buttons() == Qt::NoButton) C.CaptureControl = nullptr;
        Guarded([&]() {
          const int x = pos.x() - target->Left(), y = pos.y() - target->Top();
          target->DispatchMouseUp(button, shift, x, y);
          if (button == mbLeft && C.ClickPending) {
            C.ClickPending = false;
            // A control disabled while it was held (by its own earlier clicks) takes no click.
            if (target->Enabled() && target->ControlStyle().Contains(csClickEvents) &&
                target->ClientRect().Contains({x, y}))
              target->Click();
          }
        });
        E->accept();
        return true;
      }
      Guarded([&]() {
        C.DispatchMouseUp(button, shift, pos.x(), pos.y());
        if (host && button == mbLeft && C.ClickPending) {
          C.ClickPending = false;
          if (C.ControlStyle().Contains(csClickEvents) && C.ClientRect().Contains({pos.x(), pos.y()}))
            C.Click();
        }
      });
      if (!host) return Base(E);
      E->accept();
      return true;
    }
    default: {  // move
      if (C.CaptureControl != nullptr) {
        TControl* target = C.CaptureControl;
        Guarded(
            [&]() { target->DispatchMouseMove(shift, pos.x() - target->Left(), pos.y() - target->Top()); });
        E->accept();
        return true;
      }
      TControl* target = C.GraphicControlAtPos({pos.x(), pos.y()}, false);
      Guarded([&]() {
        UpdateHover(C, W, target);
        NoteHintControl(target != nullptr ? target : &C);
        if (target != nullptr) {
          target->DispatchMouseMove(shift, pos.x() - target->Left(), pos.y() - target->Top());
        } else {
          C.DispatchMouseMove(shift, pos.x(), pos.y());
        }
      });
      if (!host && target == nullptr) return Base(E);
      E->accept();
      return true;
    }
  }
}

bool IsAltLetter(uint16_t Key, TShiftState Shift) {
  const bool alnum = (Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9');
  return alnum && Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl);
}

// A key press goes to the form's key preview, then to the menu bar's shortcuts, then (Alt
// with a letter) to the controls' & letters and the menu bar's, then to the control.
bool KeyEvent(TWinControl& C, QKeyEvent* E, const TQtEventRouter::TBase& Base, bool Filtering) {
  uint16_t key = VirtualKeyOf(E->key());
  const TShiftState shift = ShiftStateOf(E->modifiers());
  TCustomForm* form = FormOf(&C);
  const bool preview = form != nullptr && form->KeyPreview();
  bool consumed = false;
  if (E->type() == QEvent::KeyPress) {
    Guarded([&]() {
      if (preview) {
        form->DispatchKeyDown(key, shift);
        if (key == 0) {
          consumed = true;
          return;
        }
      }
      if (form != nullptr && key != 0 && form->IsShortCut(key, shift)) {
        consumed = true;
        return;
      }
      if (IsAltLetter(key, shift) && form != nullptr && form->DialogChar(static_cast<char>(key))) {
        consumed = true;
        return;
      }
      // The form as the focused control has seen the key already through its preview.
      if (!(preview && form == &C)) C.DispatchKeyDown(key, shift);
      if (key == 0) {
        consumed = true;
        return;
      }
      if (Filtering && key == VK_TAB && form != nullptr && !shift.Contains(ssCtrl) &&
          !shift.Contains(ssAlt)) {
        // An inner widget's Tab would follow Qt's own chain; ours decides.
        form->SelectNext(&C, !shift.Contains(ssShift), true);
        consumed = true;
        return;
      }
      if ((key == VK_RETURN || key == VK_ESCAPE) && !C.DispatchWantsKey(key, shift) && form != nullptr &&
          form->DialogKey(key, shift)) {
        consumed = true;
        return;
      }
      const QString text = E->text();
      if (text.size() == 1 && text[0].unicode() < 128 && !shift.Contains(ssAlt)) {
        char ch = static_cast<char>(text[0].unicode());
        if (preview && form != &C) form->DispatchKeyPress(ch);
        if (ch != 0) C.DispatchKeyPress(ch);
        if (ch == 0) consumed = true;
      }
    });
  } else {
    Guarded([&]() {
      if (preview) {
        form->DispatchKeyUp(key, shift);
        if (key == 0) {
          consumed = true;
          return;
        }
      }
      if (!(preview && form == &C)) C.DispatchKeyUp(key, shift);
      if (key == 0) consumed = true;
    });
  }
  if (consumed) {
    E->accept();
    return true;
  }
  if (Filtering) return false;
  Base(E);
  // Keys go to the focused control only, never on to its parents.
  E->accept();
  return true;
}

bool Route(TQtControlLink& Link, QWidget* W, QEvent* E, const TQtEventRouter::TBase& Base, bool Filtering) {
  TWinControl* c = Link.LinkedControl();
  if (c == nullptr || c->IsDestroying()) return Base(E);
  switch (E->type()) {
    case QEvent::Paint: {
      if (Filtering) return false;
      auto* pe = static_cast<QPaintEvent*>(E);
      if (auto* host = dynamic_cast<TQtHostWidget*>(W)) {
        QImage& buffer = host->Buffer();
        const QRegion region = pe->region();
        if (Application != nullptr) {
          Application->GuardDeferred([&]() { PaintHost(*c, buffer, region); });
        } else {
          Guarded([&]() { PaintHost(*c, buffer, region); });
        }
        {
          QPainter painter(W);
          for (const QRect& r : region)
            painter.drawImage(r, buffer, r);
        }
        if (W->isWindow()) NoteFormPainted(dynamic_cast<TCustomForm*>(c));
        return true;
      }
      const bool result = Base(E);
      bool graphic = false;
      for (int i = 0; i < c->ControlCount() && !graphic; ++i)
        graphic = dynamic_cast<TGraphicControl*>(c->Controls(i)) != nullptr;
      if (graphic) {
        QPainter painter(W);
        Guarded([&]() { PaintGraphicChildren(*c, painter, nullptr, pe->region()); });
      }
      return result;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      if (Filtering) return false;
      return MouseEvent(*c, W, static_cast<QMouseEvent*>(E), Base, Filtering);
    case QEvent::Enter: {
      const bool result = Filtering ? false : Base(E);
      Guarded([&]() {
        const TCursor cursor = c->Cursor();
        if (cursor != crDefault && !Filtering) W->setCursor(CursorShapeOf(cursor));
        if (!Filtering) NoteHintControl(c);
      });
      return result;
    }
    case QEvent::Leave: {
      const bool result = Filtering ? false : Base(E);
      if (!Filtering) {
        Guarded([&]() {
          UpdateHover(*c, W, nullptr);
          // Leaving a window: no control of ours is under the pointer.
          if (W->isWindow()) NoteHintControl(nullptr);
        });
      }
      return result;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return KeyEvent(*c, static_cast<QKeyEvent*>(E), Base, Filtering);
    case QEvent::ShortcutOverride: {
      // Alt with a letter is ours to dispatch (controls, then the menu bar): Qt's own
      // mnemonic shortcuts (a menu bar registers them) must not take it first.
      auto* ke = static_cast<QKeyEvent*>(E);
      if (IsAltLetter(VirtualKeyOf(ke->key()), ShiftStateOf(ke->modifiers()))) {
        E->accept();
        return true;
      }
      return Filtering ? false : Base(E);
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
      const bool result = Filtering ? false : Base(E);
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(E)->reason();
      const bool real = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
      Guarded([&]() {
        if (E->type() == QEvent::FocusIn) {
          if (TCustomForm* form = FormOf(c)) form->FocusChangedTo(c);
          if (real) c->DispatchEnter();
        } else if (real) {
          c->DispatchExit();
        }
      });
      return result;
    }
    case QEvent::ToolTip: {
      auto* he = static_cast<QHelpEvent*>(E);
      bool shown = false;
      Guarded([&]() {
        const QPoint at = he->pos() - QPoint(c->ClientOffset().X, c->ClientOffset().Y);
        TControl* target = Filtering ? nullptr : c->GraphicControlAtPos({at.x(), at.y()}, true);
        if (target == nullptr) target = c;
        const std::string hint = GetShortHint(target->Hint());
        if (hint.empty() || !target->ShowHint() || (Application != nullptr && !Application->ShowHint()))
          return;
        const QRect area =
            target == c ? W->rect()
                        : ToQRect(target->BoundsRect().Offset(c->ClientOffset().X, c->ClientOffset().Y));
        QToolTip::showText(he->globalPos(), ToQString(hint), W, area);
        shown = true;
      });
      if (!shown) {
        QToolTip::hideText();
        E->ignore();
      }
      return true;
    }
    case QEvent::ContextMenu: {
      auto* ce = static_cast<QContextMenuEvent*>(E);
      const QPoint at = ce->pos() - QPoint(c->ClientOffset().X, c->ClientOffset().Y);
      TControl* target = Filtering ? nullptr : c->GraphicControlAtPos({at.x(), at.y()}, false);
      if (target == nullptr) target = c;
      TPopupMenu* menu = nullptr;
      for (TControl* t = target; t != nullptr && menu == nullptr; t = t->Parent()) {
        TPopupMenu* own = t->GetPopupMenu();
        if (own != nullptr && own->AutoPopup()) menu = own;
      }
      if (menu == nullptr) return Filtering ? false : Base(E);
      const QPoint global = ce->globalPos();
      Guarded([&]() {
        menu->SetPopupComponent(target);
        menu->Popup(global.x(), global.y());
      });
      E->accept();
      return true;
    }
    case QEvent::Close: {
      auto* form = dynamic_cast<TCustomForm*>(c);
      if (form == nullptr || Filtering) return Base(E);
      E->ignore();
      Guarded([&]() { form->Close(); });
      return true;
    }
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
      const bool result = Filtering ? false : Base(E);
      if (auto* form = dynamic_cast<TCustomForm*>(c); form != nullptr && !Filtering) {
        Guarded([&]() { form->Activated(E->type() == QEvent::WindowActivate); });
      }
      return result;
    }
    case QEvent::Resize:
    case QEvent::Move: {
      const bool result = Filtering ? false : Base(E);
      if (auto* form = dynamic_cast<TCustomForm*>(c); form != nullptr && W->isWindow() && !Filtering) {
        Guarded([&]() { form->WidgetGeometryChanged(W->x(), W->y(), W->width(), W->height()); });
      }
      return result;
    }
    default:
      return Filtering ? false : Base(E);
  }
}

// Sends the key, focus and tool tip events of an inner widget to its control.
class TForwarder : public QObject {
 public:
  TForwarder(QWidget* Inner, TWinControl* Control) : QObject(Inner), Link_(Control) {}
  bool eventFilter(QObject* Watched, QEvent* E) override {
    switch (E->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::FocusIn:
      case QEvent::FocusOut:
      case QEvent::ToolTip:
      case QEvent::ContextMenu:
      case QEvent::ShortcutOverride:
        break;
      default:
        return false;
    }
    if (TQtEventRouter::ControlOf(static_cast<QWidget*>(Watched)) == nullptr) return false;
    return Route(
        Link_, static_cast<QWidget*>(Watched), E, [](QEvent*) { return false; }, true);
  }

 private:
  TQtControlLink Link_;
};

}  // namespace

bool TQtEventRouter::Event(TQtControlLink& Link, QWidget* Widget, QEvent* E, const TBase& Base) {
  return Route(Link, Widget, E, Base, false);
}

bool TQtEventRouter::FocusNextPrev(TQtControlLink& Link, bool Next, const std::function<bool(bool)>& Base) {
  TWinControl* c = Link.LinkedControl();
  if (c == nullptr) return Base(Next);
  TCustomForm* form = FormOf(c);
  if (form == nullptr) return Base(Next);
  Guarded([&]() { form->SelectNext(c == form ? form->ActiveControl() : c, Next, true); });
  return true;
}

void TQtEventRouter::WidgetGone(TQtControlLink& Link) {
  if (TWinControl* c = Link.LinkedControl()) c->WidgetLost();
  Link.Unlink();
}

void TQtEventRouter::ForwardEvents(QWidget* Inner, TWinControl* Control) {
  Inner->installEventFilter(new TForwarder(Inner, Control));
}

TWinControl* TQtEventRouter::ControlOf(QWidget* Widget) {
  for (QWidget* w = Widget; w != nullptr; w = w->parentWidget()) {
    if (auto* link = dynamic_cast<TQtControlLink*>(w)) {
      if (link->LinkedControl() != nullptr) return link->LinkedControl();
    }
  }
  return nullptr;
}
