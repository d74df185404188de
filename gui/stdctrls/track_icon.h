#pragma once
// TwwTrackIcon: a small picture that the player drags along one axis of its parent, within
// a lower and an upper limit (a marker on a ruler). Position is the marker's left edge
// (horizontal) or top edge (vertical) in the parent's client coordinates. While the left
// button drags it, OnTrack follows each move; releasing the button fires OnEndTrack.
//
// Setting Position from code places the marker as told; only dragging keeps it within the
// limits. An upper limit below the lower one lets the marker go anywhere on its parent.
// Without a picture the marker draws a small triangle pointing at the parent's edge.

#include <memory>

#include "gui/controls/graphic_control.h"
#include "gui/graphics/picture.h"

enum TTrackOrientation { toHorizontal, toVertical };
BREVANT_ENUM_NAMES(TTrackOrientation, "toHorizontal", "toVertical");

class TwwTrackIcon : public TGraphicControl {
 public:
  BREVANT_CLASS(TwwTrackIcon)
  explicit TwwTrackIcon(TComponent* AOwner);

  // The picture; the marker takes its size.
  TPicture* Picture() const { return Picture_.get(); }
  void SetPicture(TPicture* Value) { Picture_->Assign(*Value); }
  TTrackOrientation Orientation() const { return Orientation_; }
  void SetOrientation(TTrackOrientation Value);
  int Position() const { return Orientation_ == toHorizontal ? Left() : Top(); }
  void SetPosition(int Value);
  int LowerLimit() const { return LowerLimit_; }
  void SetLowerLimit(int Value) { LowerLimit_ = Value; }
  int UpperLimit() const { return UpperLimit_; }
  void SetUpperLimit(int Value) { UpperLimit_ = Value; }
  // Value brought within the limits.
  int Clamp(int Value) const;
  // Whether the player is dragging the marker now.
  bool Dragging() const { return Dragging_; }

  TNotifyEvent OnTrack;
  TNotifyEvent OnEndTrack;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  std::unique_ptr<TPicture> Picture_;
  TTrackOrientation Orientation_ = toHorizontal;
  int LowerLimit_ = 0;
  int UpperLimit_ = -1;
  bool Dragging_ = false;
  int Grab_ = 0;  // where on the marker the button went down, along the axis
};
