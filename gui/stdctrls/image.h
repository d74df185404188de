#pragma once
// TImage shows a picture (top-left, centred, or stretched to the bounds). TBevel draws a
// sunken or raised box, frame or line: the separators of tool bars (bsLeftLine) and the
// lines above bars (bsTopLine, aligned to the top of a window, two pixels high). A line is
// a dark line beside a light one; lowered puts the dark one first (top or left), raised the
// light one. Neither has a window of its own.

#include "gui/controls/graphic_control.h"
#include "gui/graphics/picture.h"

class TImage : public TGraphicControl {
 public:
  BREVANT_CLASS(TImage)
  explicit TImage(TComponent* AOwner);

  TPicture* Picture() const { return Picture_.get(); }
  void SetPicture(TPicture* Value) { Picture_->Assign(*Value); }
  bool Stretch() const { return Stretch_; }
  void SetStretch(bool Value);
  bool Center() const { return Center_; }
  void SetCenter(bool Value);

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TPicture> Picture_;
  bool Stretch_ = false;
  bool Center_ = false;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
BREVANT_ENUM_NAMES(TBevelShape, "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine",
                   "bsSpacer");
enum TBevelStyle { bsLowered, bsRaised };
BREVANT_ENUM_NAMES(TBevelStyle, "bsLowered", "bsRaised");

class TBevel : public TGraphicControl {
 public:
  BREVANT_CLASS(TBevel)
  explicit TBevel(TComponent* AOwner);

  TBevelShape Shape() const { return Shape_; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return Style_; }
  void SetStyle(TBevelStyle Value);

 protected:
  void Paint() override;

 private:
  TBevelShape Shape_ = bsBox;
  TBevelStyle Style_ = bsLowered;
};
