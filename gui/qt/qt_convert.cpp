#include "gui/qt/qt_convert.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>
#include <map>

#include "core/text.h"
#include "gui/controls/keys.h"
#include "gui/graphics/colors.h"

QColor ToQColor(TColor Color) {
  const TColor rgb = ColorToRGB(Color);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

namespace {

bool Installed(const std::string& Family) {
  static const QStringList families = QFontDatabase::families();
  return families.contains(ToQString(Family), Qt::CaseInsensitive);
}

// The first installed family of a list, or the last entry when none is installed.
std::string FirstInstalled(std::initializer_list<const char*> Families) {
  for (const char* f : Families) {
    if (Installed(f)) return f;
  }
  return *(Families.end() - 1);
}

std::string SansFamily() {
  return FirstInstalled({"Liberation Sans", "DejaVu Sans"});
}
std::string SerifFamily() {
  return FirstInstalled({"Liberation Serif", "DejaVu Serif"});
}
std::string MonoFamily() {
  return FirstInstalled({"Liberation Mono", "DejaVu Sans Mono"});
}
// A family that covers Chinese, Japanese and Korean text, else the sans family.
std::string EastAsianFamily() {
  for (const char* f : {"WenQuanYi Micro Hei", "Noto Sans CJK SC"}) {
    if (Installed(f)) return f;
  }
  return SansFamily();
}

// Families named in letters beyond ASCII are, in the documents this program shows, the local names of
// East Asian faces (written in their own script): their stand-in must hold those scripts too.
bool NamedBeyondAscii(const std::string& Name) {
  return std::any_of(Name.begin(), Name.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

std::string ResolveFontFamily(const std::string& Name, TFontPitch Pitch) {
  static std::map<std::pair<std::string, TFontPitch>, std::string> cache;
  const auto key = std::make_pair(LowerCase(Name), Pitch);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  // The families stored layouts and rich text name, by kind: 0 sans, 1 serif, 2 mono, 3 narrow.
  static const std::map<std::string, int> kKnown = {
      {"ms sans serif", 0}, {"system", 0},   {"arial", 0},       {"helvetica", 0}, {"times new roman", 1},
      {"times", 1},         {"ms serif", 1}, {"courier new", 2}, {"courier", 2},   {"arial narrow", 3}};
  std::string family;
  if (auto it = kKnown.find(key.first); it != kKnown.end()) {
    switch (it->second) {
      case 0:
        family = SansFamily();
        break;
      case 1:
        family = SerifFamily();
        break;
      case 2:
        family = MonoFamily();
        break;
      default:
        family = Installed("Liberation Sans Narrow") ? "Liberation Sans Narrow" : SansFamily();
        break;
    }
  } else if (Installed(Name)) {
    family = Name;
  } else if (NamedBeyondAscii(Name)) {
    family = EastAsianFamily();
  } else {
    family = Pitch == fpFixed ? MonoFamily() : SansFamily();
  }
  cache[key] = family;
  return family;
}

QFont ToQFont(const TFont& Font) {
  QFont f(ToQString(ResolveFontFamily(Font.Name(), Font.Pitch())));
  f.setKerning(false);
  f.setHintingPreference(QFont::PreferFullHinting);
  if (Font.Height() < 0) {
    f.setPixelSize(-Font.Height());
  } else if (Font.Height() > 0) {
    // A positive height is the whole cell: scale the em so ascent + descent fit it.
    QFont probe = f;
    probe.setPixelSize(100);
    const QFontMetricsF m(probe);
    const double cell = m.ascent() + m.descent();
    f.setPixelSize(std::max(1, static_cast<int>(Font.Height() * 100 / (cell > 0 ? cell : 100) + 0.5)));
  } else {
    f.setPixelSize(13);
  }
  f.setBold(Font.Style().Contains(fsBold));
  f.setItalic(Font.Style().Contains(fsItalic));
  f.setUnderline(Font.Style().Contains(fsUnderline));
  f.setStrikeOut(Font.Style().Contains(fsStrikeOut));
  if (Font.Pitch() == fpFixed) f.setFixedPitch(true);
  return f;
}

namespace {

// The code of a key that types a character other than a letter or a digit.
uint16_t CharacterKeyOf(int K) {
  static constexpr std::pair<int, uint16_t> kKeys[] = {{Qt::Key_Semicolon, VK_OEM_1},
                                                       {Qt::Key_Colon, VK_OEM_1},
                                                       {Qt::Key_Equal, VK_OEM_PLUS},
                                                       {Qt::Key_Plus, VK_OEM_PLUS},
                                                       {Qt::Key_Comma, VK_OEM_COMMA},
                                                       {Qt::Key_Less, VK_OEM_COMMA},
                                                       {Qt::Key_Minus, VK_OEM_MINUS},
                                                       {Qt::Key_Underscore, VK_OEM_MINUS},
                                                       {Qt::Key_Period, VK_OEM_PERIOD},
                                                       {Qt::Key_Greater, VK_OEM_PERIOD},
                                                       {Qt::Key_Slash, VK_OEM_2},
                                                       {Qt::Key_Question, VK_OEM_2},
                                                       {Qt::Key_QuoteLeft, VK_OEM_3},
                                                       {Qt::Key_AsciiTilde, VK_OEM_3},
                                                       {Qt::Key_BracketLeft, VK_OEM_4},
                                                       {Qt::Key_BraceLeft, VK_OEM_4},
                                                       {Qt::Key_Backslash, VK_OEM_5},
                                                       {Qt::Key_Bar, VK_OEM_5},
                                                       {Qt::Key_BracketRight, VK_OEM_6},
                                                       {Qt::Key_BraceRight, VK_OEM_6},
                                                       {Qt::Key_Apostrophe, VK_OEM_7},
                                                       {Qt::Key_QuoteDbl, VK_OEM_7},
                                                       {Qt::Key_Exclam, '1'},
                                                       {Qt::Key_At, '2'},
                                                       {Qt::Key_NumberSign, '3'},
                                                       {Qt::Key_Dollar, '4'},
                                                       {Qt::Key_Percent, '5'},
                                                       {Qt::Key_AsciiCircum, '6'},
                                                       {Qt::Key_Ampersand, '7'},
                                                       {Qt::Key_Asterisk, '8'},
                                                       {Qt::Key_ParenLeft, '9'},
                                                       {Qt::Key_ParenRight, '0'}};
  for (const auto& [qt, code] : kKeys) {
    if (qt == K) return code;
  }
  // Qt names a character key by the character (Latin-1, or its Unicode value), special keys from
  // 0x01000000 on.
  return K > 0 && K < 0x01000000 ? VK_PACKET : 0;
}

}  // namespace

uint16_t VirtualKeyOf(int K) {
  if ((K >= Qt::Key_A && K <= Qt::Key_Z) || (K >= Qt::Key_0 && K <= Qt::Key_9))
    return static_cast<uint16_t>(K);
  if (K >= Qt::Key_F1 && K <= Qt::Key_F24) return static_cast<uint16_t>(VK_F1 + (K - Qt::Key_F1));
  switch (K) {
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Shift:
      return VK_SHIFT;
    case Qt::Key_Control:
      return VK_CONTROL;
    case Qt::Key_Alt:
      return VK_MENU;
    case Qt::Key_Pause:
      return VK_PAUSE;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_PageUp:
      return VK_PRIOR;
    case Qt::Key_PageDown:
      return VK_NEXT;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Insert:
      return VK_INSERT;
    case Qt::Key_Delete:
      return VK_DELETE;
    case Qt::Key_Help:
      return VK_HELP;
    default:
      break;
  }
  return CharacterKeyOf(K);
}

int QtKeyOf(uint16_t VirtualKey) {
  if ((VirtualKey >= 'A' && VirtualKey <= 'Z') || (VirtualKey >= '0' && VirtualKey <= '9')) return VirtualKey;
  if (VirtualKey >= VK_F1 && VirtualKey <= VK_F12) return Qt::Key_F1 + (VirtualKey - VK_F1);
  for (int k :
       {Qt::Key_Backspace, Qt::Key_Tab,       Qt::Key_Return,      Qt::Key_Escape,    Qt::Key_Space,
        Qt::Key_PageUp,    Qt::Key_PageDown,  Qt::Key_End,         Qt::Key_Home,      Qt::Key_Left,
        Qt::Key_Up,        Qt::Key_Right,     Qt::Key_Down,        Qt::Key_Insert,    Qt::Key_Delete,
        Qt::Key_Semicolon, Qt::Key_Equal,     Qt::Key_Comma,       Qt::Key_Minus,     Qt::Key_Period,
        Qt::Key_Slash,     Qt::Key_QuoteLeft, Qt::Key_BracketLeft, Qt::Key_Backslash, Qt::Key_BracketRight,
        Qt::Key_Apostrophe}) {
    if (VirtualKeyOf(k) == VirtualKey) return k;
  }
  return 0;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers M, Qt::MouseButtons B) {
  TShiftState s;
  if (M & Qt::ShiftModifier) s.Include(ssShift);
  if (M & Qt::AltModifier) s.Include(ssAlt);
  if (M & Qt::ControlModifier) s.Include(ssCtrl);
  if (B & Qt::LeftButton) s.Include(ssLeft);
  if (B & Qt::RightButton) s.Include(ssRight);
  if (B & Qt::MiddleButton) s.Include(ssMiddle);
  return s;
}

TMouseButton MouseButtonOf(Qt::MouseButton Button) {
  switch (Button) {
    case Qt::RightButton:
      return mbRight;
    case Qt::MiddleButton:
      return mbMiddle;
    default:
      return mbLeft;
  }
}

Qt::CursorShape CursorShapeOf(TCursor Cursor) {
  switch (Cursor) {
    case crNone:
      return Qt::BlankCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
      return Qt::WaitCursor;
    case crAppStart:
      return Qt::BusyCursor;
    case crDrag:
    case crMultiDrag:
      return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
      return Qt::ForbiddenCursor;
    case crHSplit:
      return Qt::SplitHCursor;
    case crVSplit:
      return Qt::SplitVCursor;
    case crHelp:
      return Qt::WhatsThisCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:
      return Qt::ArrowCursor;
  }
}
