#pragma once
// The bridge between Qt widgets and our controls. A windowed control's widget is a
// TQtBridge<SomeQtWidget>: every event Qt sends it passes through TQtEventRouter, inside
// the application's exception guard, before (or instead of) the Qt widget's own handling.
// Layers that host their own Qt widget (the rich text control) derive from
// TQtBridge<QTextEdit> or similar and return it from CreateWidget.

#include <QEvent>
#include <QWidget>
#include <functional>
#include <utility>

class TWinControl;

// The control a bridged widget belongs to; cleared when the control goes first.
class TQtControlLink {
 public:
  explicit TQtControlLink(TWinControl* Control) : Control_(Control) {}
  virtual ~TQtControlLink() = default;
  TWinControl* LinkedControl() const { return Control_; }
  void Unlink() { Control_ = nullptr; }

 private:
  TWinControl* Control_;
};

class TQtEventRouter {
 public:
  using TBase = std::function<bool(QEvent*)>;
  // Routes one event of Widget (linked to Link's control); Base is the Qt widget's own handler.
  static bool Event(TQtControlLink& Link, QWidget* Widget, QEvent* E, const TBase& Base);
  static bool FocusNextPrev(TQtControlLink& Link, bool Next, const std::function<bool(bool)>& Base);
  static void WidgetGone(TQtControlLink& Link);
  // Makes an inner widget of a control (a viewport, a radio button) send its key, focus and
  // tool tip events to Control as if they were the control's own.
  static void ForwardEvents(QWidget* Inner, TWinControl* Control);
  // The control a widget (or one of its ancestors) belongs to.
  static TWinControl* ControlOf(QWidget* Widget);
};

template <class W>
class TQtBridge : public W, public TQtControlLink {
 public:
  template <class... A>
  explicit TQtBridge(TWinControl* Control, A&&... Args)
      : W(std::forward<A>(Args)...), TQtControlLink(Control) {}
  ~TQtBridge() override { TQtEventRouter::WidgetGone(*this); }

 protected:
  bool event(QEvent* E) override {
    return TQtEventRouter::Event(*this, this, E, [this](QEvent* e) { return W::event(e); });
  }
  bool focusNextPrevChild(bool Next) override {
    return TQtEventRouter::FocusNextPrev(*this, Next, [this](bool n) { return W::focusNextPrevChild(n); });
  }
};
