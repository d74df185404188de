#include "gui/controls/graphic_control.h"

BREVANT_DEFINE_CLASS(TGraphicControl, TControl, )
BREVANT_DEFINE_CLASS(TCustomControl, TWinControl, )

namespace {

void PrepareCanvas(TCanvas& Canvas, const TControl& Control) {
  Canvas.SetFont(Control.Font());
  Canvas.Brush()->SetColor(Control.Color());
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Pen()->SetColor(clBlack);
  Canvas.Pen()->SetWidth(1);
  Canvas.Pen()->SetStyle(psSolid);
  Canvas.SetTextAlign(TA_LEFT | TA_TOP);
  Canvas.MoveTo(0, 0);
}

}  // namespace

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), Canvas_(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintTo(QPainter* Painter, QImage* Readable) {
  PrepareCanvas(*Canvas_, *this);
  Canvas_->Attach(Painter, Readable);
  ++PaintCount_;
  try {
    Paint();
  } catch (...) {
    Canvas_->Detach();
    throw;
  }
  Canvas_->Detach();
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TCustomControl::PaintWindow(TCanvas& Canvas) {
  PrepareCanvas(Canvas, *this);
  ++PaintCount_;
  Paint();
}

void TCustomControl::Paint() {
  TCanvas& c = WindowCanvas();
  c.FillRect(ClientRect());
}
