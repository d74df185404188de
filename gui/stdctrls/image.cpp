#include "gui/stdctrls/image.h"

BREVANT_DEFINE_CLASS(TImage, TGraphicControl,
                     .Property("Center", &TImage::Center, &TImage::SetCenter)
                         .Default(false)
                         .Property("Picture", &TImage::Picture)
                         .Property("Stretch", &TImage::Stretch, &TImage::SetStretch)
                         .Default(false))

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), Picture_(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
  Picture_->OnChange = [this](TObject*) { Invalidate(); };
}

void TImage::SetStretch(bool Value) {
  if (Value == Stretch_) return;
  Stretch_ = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  if (Value == Center_) return;
  Center_ = Value;
  Invalidate();
}

void TImage::Paint() {
  if (Picture_->Empty()) return;
  TCanvas& c = *Canvas();
  if (Stretch_) {
    c.StretchDraw(ClientRect(), *Picture_);
  } else if (Center_) {
    c.Draw((Width() - Picture_->Width()) / 2, (Height() - Picture_->Height()) / 2, *Picture_);
  } else {
    c.Draw(0, 0, *Picture_);
  }
}

BREVANT_DEFINE_CLASS(TBevel, TGraphicControl,
                     .Property("Shape", &TBevel::Shape, &TBevel::SetShape)
                         .Default(bsBox)
                         .Property("Style", &TBevel::Style, &TBevel::SetStyle)
                         .Default(bsLowered))

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
  if (Value == Shape_) return;
  Shape_ = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  if (Value == Style_) return;
  Style_ = Value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas& c = *Canvas();
  TColor first = Style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor second = Style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  c.Pen()->SetWidth(1);
  auto box = [&](const TRect& R) {
    c.Pen()->SetColor(first);
    c.Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
    c.Pen()->SetColor(second);
    c.Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}});
  };
  auto line = [&](TColor Color, int X1, int Y1, int X2, int Y2) {
    c.Pen()->SetColor(Color);
    c.MoveTo(X1, Y1);
    c.LineTo(X2, Y2);
  };
  const int w = Width(), h = Height();
  switch (Shape_) {
    case bsBox:
      box(Rect(0, 0, w - 1, h - 1));
      break;
    case bsFrame: {
      const TColor saved = first;
      first = second;
      box(Rect(1, 1, w - 1, h - 1));
      second = saved;
      first = saved;
      box(Rect(0, 0, w - 2, h - 2));
      break;
    }
    case bsTopLine:
      line(first, 0, 0, w, 0);
      line(second, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(first, 0, h - 2, w, h - 2);
      line(second, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(first, 0, 0, 0, h);
      line(second, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(first, w - 2, 0, w - 2, h);
      line(second, w - 1, 0, w - 1, h);
      break;
    case bsSpacer:
      break;
  }
}
