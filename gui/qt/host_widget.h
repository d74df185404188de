#pragma once
// The widget of a control that paints itself (forms, panels, custom controls). It keeps
// its own image of what it shows: a paint draws only the damaged region into that image
// and copies it out, so what lies under an opaque graphic control is never painted over
// first, and a canvas can read back the pixels it drew.

#include <QImage>

#include "gui/qt/bridge.h"

class TQtHostWidget : public TQtBridge<QWidget> {
 public:
  TQtHostWidget(TWinControl* Control, QWidget* Parent);
  // The image, sized to the widget (content kept where the sizes overlap).
  QImage& Buffer();

 private:
  QImage Buffer_;
};
