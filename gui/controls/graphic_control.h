#pragma once
// TGraphicControl: a control without a window of its own. Its parent's widget paints it,
// in z-order after the parent's own painting, through Canvas() (origin at the control's
// top-left, clipped to its bounds); Paint() is what a subclass overrides.
//
// A control with csOpaque in its ControlStyle paints every pixel of its bounds: nothing is
// painted under it first, and Repaint() draws only its own rectangle at once.
//
// TCustomControl: a windowed control that paints itself through Paint() and Canvas().

#include "gui/controls/win_control.h"
#include "gui/graphics/canvas.h"

class TGraphicControl : public TControl {
 public:
  BREVANT_CLASS(TGraphicControl)
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;

  // Valid for drawing only while the control paints.
  TCanvas* Canvas() const { return Canvas_.get(); }
  // How many times Paint has run.
  int PaintCount() const { return PaintCount_; }

  // Framework side: paints the control onto its parent's painter (set up by the caller).
  void PaintTo(QPainter* Painter, QImage* Readable);

 protected:
  virtual void Paint() {}

 private:
  std::unique_ptr<TCanvas> Canvas_;
  int PaintCount_ = 0;
};

class TCustomControl : public TWinControl {
 public:
  BREVANT_CLASS(TCustomControl)
  explicit TCustomControl(TComponent* AOwner);

  TCanvas* Canvas() { return &WindowCanvas(); }
  int PaintCount() const { return PaintCount_; }

 protected:
  // Paints the whole client area; the canvas comes with the control's font and colour.
  virtual void Paint();
  void PaintWindow(TCanvas& Canvas) final;

 private:
  int PaintCount_ = 0;
};
