#pragma once
// Conversions between the framework's values and Qt's. Only gui/ (and layers that host
// their own Qt widgets) include this.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <Qt>
#include <string>

#include "gui/controls/control_types.h"
#include "gui/graphics/geometry.h"
#include "gui/graphics/graphics_objects.h"

QColor ToQColor(TColor Color);
QFont ToQFont(const TFont& Font);
inline QRect ToQRect(const TRect& R) {
  return QRect(R.Left, R.Top, R.Width(), R.Height());
}
inline TRect FromQRect(const QRect& R) {
  return Bounds(R.x(), R.y(), R.width(), R.height());
}
inline QString ToQString(const std::string& S) {
  return QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size()));
}
inline std::string FromQString(const QString& S) {
  return S.toUtf8().toStdString();
}

// Our virtual key code for a Qt key (gui/controls/keys.h), 0 for a special key we have no code
// for. Every key that types a character has a code, so that none is taken for a swallowed key.
uint16_t VirtualKeyOf(int QtKey);
// The Qt key for one of our virtual key codes, 0 for none.
int QtKeyOf(uint16_t VirtualKey);
TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons = Qt::NoButton);
TMouseButton MouseButtonOf(Qt::MouseButton Button);
Qt::CursorShape CursorShapeOf(TCursor Cursor);
