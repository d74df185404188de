#include "gui/stdctrls/track_icon.h"

#include <algorithm>

#include "gui/controls/win_control.h"

BREVANT_DEFINE_CLASS(TwwTrackIcon, TGraphicControl,
                     .Property("LowerLimit", &TwwTrackIcon::LowerLimit, &TwwTrackIcon::SetLowerLimit)
                         .Default(0)
                         .Property("Orientation", &TwwTrackIcon::Orientation, &TwwTrackIcon::SetOrientation)
                         .Default(toHorizontal)
                         .Property("Picture", &TwwTrackIcon::Picture)
                         .Property("UpperLimit", &TwwTrackIcon::UpperLimit, &TwwTrackIcon::SetUpperLimit)
                         .Default(-1)
                         .Event("OnEndTrack", &TwwTrackIcon::OnEndTrack)
                         .Event("OnTrack", &TwwTrackIcon::OnTrack))

TwwTrackIcon::TwwTrackIcon(TComponent* AOwner)
    : TGraphicControl(AOwner), Picture_(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 9, 8);
  Picture_->OnChange = [this](TObject*) {
    if (!Picture_->Empty()) SetBounds(Left(), Top(), Picture_->Width(), Picture_->Height());
    Invalidate();
  };
}

void TwwTrackIcon::SetOrientation(TTrackOrientation Value) {
  if (Value == Orientation_) return;
  Orientation_ = Value;
  Invalidate();
}

void TwwTrackIcon::SetPosition(int Value) {
  if (Orientation_ == toHorizontal) {
    SetLeft(Value);
  } else {
    SetTop(Value);
  }
}

int TwwTrackIcon::Clamp(int Value) const {
  int upper = UpperLimit_;
  if (upper < LowerLimit_) {
    // No upper limit of its own: the parent's far edge.
    if (Parent() == nullptr) return std::max(Value, LowerLimit_);
    upper = Orientation_ == toHorizontal ? Parent()->ClientWidth() - Width()
                                         : Parent()->ClientHeight() - Height();
  }
  return std::max(LowerLimit_, std::min(Value, upper));
}

void TwwTrackIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  Dragging_ = true;
  Grab_ = Orientation_ == toHorizontal ? X : Y;
}

void TwwTrackIcon::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!Dragging_) return;
  // X and Y are relative to where the marker is now.
  const int wanted = Clamp(Position() + (Orientation_ == toHorizontal ? X : Y) - Grab_);
  if (wanted == Position()) return;
  SetPosition(wanted);
  if (OnTrack) OnTrack(this);
}

void TwwTrackIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !Dragging_) return;
  Dragging_ = false;
  if (OnEndTrack) OnEndTrack(this);
}

void TwwTrackIcon::Paint() {
  TCanvas& c = *Canvas();
  if (!Picture_->Empty()) {
    c.Draw(0, 0, *Picture_);
    return;
  }
  // A triangle with its point toward the parent's edge it rests on: up for a horizontal
  // marker, left for a vertical one.
  c.Brush()->SetColor(clBtnText);
  if (Orientation_ == toHorizontal) {
    const int mid = Width() / 2;
    for (int y = 0; y < Height(); ++y) {
      const int half = std::min(mid, y * (mid + 1) / std::max(1, Height()));
      c.FillRect(Rect(mid - half, y, mid + half + 1, y + 1));
    }
  } else {
    const int mid = Height() / 2;
    for (int x = 0; x < Width(); ++x) {
      const int half = std::min(mid, x * (mid + 1) / std::max(1, Width()));
      c.FillRect(Rect(x, mid - half, x + 1, mid + half + 1));
    }
  }
}
