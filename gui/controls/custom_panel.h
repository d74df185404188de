#pragma once
// TCustomPanel: a container with raised or lowered bevels and a caption. From the edge
// inward: the outer bevel (BevelWidth pixels), a band of BorderWidth pixels in the panel's
// colour, the inner bevel, then the face with the caption (Alignment, vertically centred).
// A panel that draws its own face (a ruler) overrides Paint and calls PaintFrame first.

#include "gui/controls/graphic_control.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
BREVANT_ENUM_NAMES(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace");

class TCustomPanel : public TCustomControl {
 public:
  BREVANT_CLASS(TCustomPanel)
  explicit TCustomPanel(TComponent* AOwner);

  TAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TAlignment Value);
  TBevelCut BevelInner() const { return BevelInner_; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return BevelOuter_; }
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const { return BevelWidth_; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return BorderWidth_; }
  void SetBorderWidth(int Value);
  TBorderStyle BorderStyle() const { return BorderStyle_; }
  void SetBorderStyle(TBorderStyle Value);

 protected:
  void Paint() override;
  // Draws the border and the bevels; answers the face inside them.
  TRect PaintFrame();

 private:
  TAlignment Alignment_ = taCenter;
  TBevelCut BevelInner_ = bvNone;
  TBevelCut BevelOuter_ = bvRaised;
  int BevelWidth_ = 1;
  int BorderWidth_ = 0;
  TBorderStyle BorderStyle_ = bsNone;
};
