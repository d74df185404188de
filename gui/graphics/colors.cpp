#include "gui/graphics/colors.h"

#include <QApplication>
#include <QPalette>

namespace {

TColor FromQt(const QColor& C) {
  return RGBColor(static_cast<uint8_t>(C.red()), static_cast<uint8_t>(C.green()),
                  static_cast<uint8_t>(C.blue()));
}

}  // namespace

TColor ColorToRGB(TColor Color) {
  if (!IsSystemColor(Color)) {
    if (Color == clNone || Color == clDefault) return clBlack;
    return TColor(static_cast<uint32_t>(Color) & 0x00FFFFFF);
  }
  const QPalette palette = QGuiApplication::instance() != nullptr ? QGuiApplication::palette() : QPalette();
  auto role = [&](QPalette::ColorRole Role, QPalette::ColorGroup Group = QPalette::Active) {
    return FromQt(palette.color(Group, Role));
  };
  switch (static_cast<uint32_t>(Color) & 0xFF) {
    case 0:   // scroll bar
    case 4:   // menu
    case 10:  // active border
    case 11:  // inactive border
      return role(QPalette::Window);
    case 1:   // desktop background
    case 12:  // application work space
    case 3:   // inactive caption
      return role(QPalette::Mid);
    case 2:  // active caption
    case 13:
      return role(QPalette::Highlight);
    case 5:
      return role(QPalette::Base);
    case 6:  // window frame
    case 7:  // menu text
      return role(QPalette::WindowText);
    case 8:
      return role(QPalette::Text);
    case 9:
    case 14:
      return role(QPalette::HighlightedText);
    case 15:
      return role(QPalette::Button);
    case 16:
      return role(QPalette::Dark);
    case 17:
      return role(QPalette::Text, QPalette::Disabled);
    case 18:
      return role(QPalette::ButtonText);
    case 19:
      return role(QPalette::WindowText, QPalette::Disabled);
    case 20:
      return role(QPalette::Light);
    case 21:
      return role(QPalette::Shadow);
    case 22:
      return role(QPalette::Midlight);
    case 23:
      return role(QPalette::ToolTipText);
    case 24:
      return role(QPalette::ToolTipBase);
    default:
      return clBlack;
  }
}
