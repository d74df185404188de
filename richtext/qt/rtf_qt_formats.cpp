#include "rtf_qt_formats.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariantList>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMinListIndent = 360;  // room for a bullet or number in front of list text

bool Same(double a, double b) {
  return std::abs(a - b) < 1e-6;
}

QString GenericFamilyOf(TRtfFontFamily family) {
  switch (family) {
    case TRtfFontFamily::ffRoman:
      return QStringLiteral("serif");
    case TRtfFontFamily::ffModern:
      return QStringLiteral("monospace");
    default:
      return QStringLiteral("sans-serif");
  }
}

QFont::StyleHint StyleHintOf(TRtfFontFamily family) {
  switch (family) {
    case TRtfFontFamily::ffRoman:
      return QFont::Serif;
    case TRtfFontFamily::ffModern:
      return QFont::TypeWriter;
    case TRtfFontFamily::ffScript:
      return QFont::Cursive;
    case TRtfFontFamily::ffDecor:
      return QFont::Decorative;
    default:
      return QFont::SansSerif;
  }
}

TRtfFontFamily FamilyOfStyleHint(int hint) {
  switch (hint) {
    case QFont::Serif:
      return TRtfFontFamily::ffRoman;
    case QFont::TypeWriter:
      return TRtfFontFamily::ffModern;
    case QFont::Cursive:
      return TRtfFontFamily::ffScript;
    case QFont::Decorative:
      return TRtfFontFamily::ffDecor;
    case QFont::SansSerif:
      return TRtfFontFamily::ffSwiss;
    default:
      return TRtfFontFamily::ffNil;
  }
}

QTextCharFormat::UnderlineStyle ToQtUnderline(TRtfUnderline underline) {
  switch (underline) {
    case TRtfUnderline::ulNone:
      return QTextCharFormat::NoUnderline;
    case TRtfUnderline::ulDotted:
      return QTextCharFormat::DotLine;
    case TRtfUnderline::ulDashed:
      return QTextCharFormat::DashUnderline;
    case TRtfUnderline::ulWave:
      return QTextCharFormat::WaveUnderline;
    default:
      return QTextCharFormat::SingleUnderline;  // double, words and thick draw as single lines
  }
}

TRtfUnderline FromQtUnderline(QTextCharFormat::UnderlineStyle style) {
  switch (style) {
    case QTextCharFormat::NoUnderline:
      return TRtfUnderline::ulNone;
    case QTextCharFormat::DotLine:
      return TRtfUnderline::ulDotted;
    case QTextCharFormat::DashUnderline:
    case QTextCharFormat::DashDotLine:
    case QTextCharFormat::DashDotDotLine:
      return TRtfUnderline::ulDashed;
    case QTextCharFormat::WaveUnderline:
    case QTextCharFormat::SpellCheckUnderline:
      return TRtfUnderline::ulWave;
    default:
      return TRtfUnderline::ulSingle;
  }
}

// The model's values behind a character format.
struct TStoredCharacter {
  bool present = false;
  int fontIndex = -1;
  int colorIndex = 0;
  int highlightIndex = 0;
  TRtfUnderline underline = TRtfUnderline::ulNone;
};

TStoredCharacter StoredCharacterOf(const QTextFormat& format) {
  TStoredCharacter stored;
  const QVariantList list = format.property(rqpCharacter).toList();
  if (list.size() != 4) return stored;
  stored.present = true;
  stored.fontIndex = list[0].toInt();
  stored.colorIndex = list[1].toInt();
  stored.highlightIndex = list[2].toInt();
  stored.underline = static_cast<TRtfUnderline>(std::clamp(list[3].toInt(), 0, 7));
  return stored;
}

QVariantList ParagraphToVariant(const TRtfParaFormat& format) {
  QVariantList tabs;
  for (const TRtfTabStop& tab : format.tabs)
    tabs << tab.position << static_cast<int>(tab.kind);
  return QVariantList{format.leftIndent,
                      format.rightIndent,
                      format.firstIndent,
                      format.spaceBefore,
                      format.spaceAfter,
                      static_cast<int>(format.lineSpacingRule),
                      format.lineSpacing,
                      tabs,
                      static_cast<int>(format.numbering),
                      format.numberingStart};
}

bool ParagraphFromVariant(const QVariant& value, TRtfParaFormat& format) {
  const QVariantList list = value.toList();
  if (list.size() != 10) return false;
  format.leftIndent = list[0].toInt();
  format.rightIndent = list[1].toInt();
  format.firstIndent = list[2].toInt();
  format.spaceBefore = list[3].toInt();
  format.spaceAfter = list[4].toInt();
  format.lineSpacingRule = static_cast<TRtfLineSpacingRule>(std::clamp(list[5].toInt(), 0, 3));
  format.lineSpacing = list[6].toInt();
  const QVariantList tabs = list[7].toList();
  for (qsizetype i = 0; i + 1 < tabs.size(); i += 2) {
    format.tabs.push_back(
        TRtfTabStop{tabs[i].toInt(), static_cast<TRtfTabKind>(std::clamp(tabs[i + 1].toInt(), 0, 3))});
  }
  format.numbering = static_cast<TRtfNumbering>(std::clamp(list[8].toInt(), 0, 6));
  format.numberingStart = list[9].toInt();
  return true;
}

// Where the first line of a paragraph starts, in twips: Qt measures tab stops from there.
int FirstLineStart(const TRtfParaFormat& format, bool inList) {
  return inList ? std::max(format.leftIndent, kMinListIndent) : format.leftIndent + format.firstIndent;
}

QTextOption::Tab ToQtTab(double position, TRtfTabKind kind) {
  switch (kind) {
    case TRtfTabKind::tkCenter:
      return QTextOption::Tab(position, QTextOption::CenterTab);
    case TRtfTabKind::tkRight:
      return QTextOption::Tab(position, QTextOption::RightTab);
    case TRtfTabKind::tkDecimal:
      return QTextOption::Tab(position, QTextOption::DelimiterTab, QLatin1Char('.'));
    default:
      return QTextOption::Tab(position, QTextOption::LeftTab);
  }
}

TRtfTabKind FromQtTabType(QTextOption::TabType type) {
  switch (type) {
    case QTextOption::CenterTab:
      return TRtfTabKind::tkCenter;
    case QTextOption::RightTab:
      return TRtfTabKind::tkRight;
    case QTextOption::DelimiterTab:
      return TRtfTabKind::tkDecimal;
    default:
      return TRtfTabKind::tkLeft;
  }
}

QList<QTextOption::Tab> ToQtTabs(const TRtfParaFormat& format, const TRtfQtUnits& units, bool inList) {
  const int origin = FirstLineStart(format, inList);
  QList<QTextOption::Tab> tabs;
  bool stopBeforeIndent = false;
  for (const TRtfTabStop& tab : format.tabs) {
    if (tab.position <= origin) continue;
    if (tab.position <= format.leftIndent) stopBeforeIndent = true;
    tabs << ToQtTab(units.ToPixels(tab.position - origin), tab.kind);
  }
  // A hanging first line tabs to the paragraph's indent first, as word processors lay it out.
  if (!inList && format.firstIndent < 0 && !stopBeforeIndent) {
    tabs << ToQtTab(units.ToPixels(-format.firstIndent), TRtfTabKind::tkLeft);
  }
  std::sort(tabs.begin(), tabs.end(), [](const auto& a, const auto& b) { return a.position < b.position; });
  return tabs;
}

bool SameTabs(const QList<QTextOption::Tab>& a, const QList<QTextOption::Tab>& b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i) {
    if (!Same(a[i].position, b[i].position) || a[i].type != b[i].type || a[i].delimiter != b[i].delimiter) {
      return false;
    }
  }
  return true;
}

}  // namespace

double TRtfQtUnits::ScreenDotsPerInch() {
  if (qGuiApp) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) return screen->logicalDotsPerInchY();
  }
  return 96.0;
}

int TRtfQtUnits::ToTwips(double pixels) const {
  return static_cast<int>(std::lround(pixels * 1440.0 / dotsPerInch_));
}

QColor ToQColor(const TRtfColor& color) {
  return QColor(color.red, color.green, color.blue);
}

TRtfColor FromQColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return TRtfColor{static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
                   static_cast<std::uint8_t>(rgb.blue()), false};
}

QTextCharFormat ToQtCharFormat(const TRtfCharFormat& format, const TRtfDocument& tables) {
  QTextCharFormat out;
  out.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  out.setFontItalic(format.italic);
  out.setFontStrikeOut(format.strikeOut);
  out.setUnderlineStyle(ToQtUnderline(format.underline));
  switch (format.verticalAlign) {
    case TRtfVerticalAlign::vaNormal:
      out.setVerticalAlignment(QTextCharFormat::AlignNormal);
      break;
    case TRtfVerticalAlign::vaSuperscript:
      out.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
      break;
    case TRtfVerticalAlign::vaSubscript:
      out.setVerticalAlignment(QTextCharFormat::AlignSubScript);
      break;
  }
  if (format.halfPoints > 0) out.setFontPointSize(format.halfPoints / 2.0);
  if (const TRtfFont* font = tables.FontAt(format.fontIndex)) {
    // A font missing on this machine falls back to the generic family of its kind.
    out.setFontFamilies(QStringList{QString::fromStdString(font->name), GenericFamilyOf(font->family)});
    out.setFontStyleHint(StyleHintOf(font->family));
  }
  if (const TRtfColor* color = tables.TextColorOf(format)) out.setForeground(ToQColor(*color));
  if (const TRtfColor* highlight = tables.HighlightOf(format)) out.setBackground(ToQColor(*highlight));
  if (const std::string* link = tables.LinkAt(format.linkIndex)) {
    out.setAnchor(true);
    out.setAnchorHref(QString::fromStdString(*link));
  }
  out.setProperty(rqpCharacter, QVariantList{format.fontIndex, format.colorIndex, format.highlightIndex,
                                             static_cast<int>(format.underline)});
  return out;
}

TRtfCharFormat FromQtCharFormat(const QTextCharFormat& format, TRtfDocument& tables,
                                const QFont& defaultFont) {
  const TStoredCharacter stored = StoredCharacterOf(format);
  TRtfCharFormat out;
  out.bold = format.fontWeight() >= QFont::DemiBold;
  out.italic = format.fontItalic();
  out.strikeOut = format.fontStrikeOut();
  out.underline = FromQtUnderline(format.underlineStyle());
  if (stored.present && ToQtUnderline(stored.underline) == format.underlineStyle())
    out.underline = stored.underline;
  switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript:
      out.verticalAlign = TRtfVerticalAlign::vaSuperscript;
      break;
    case QTextCharFormat::AlignSubScript:
      out.verticalAlign = TRtfVerticalAlign::vaSubscript;
      break;
    default:
      break;
  }
  double points = format.fontPointSize();
  if (points <= 0) points = defaultFont.pointSizeF();
  out.halfPoints = points > 0 ? std::clamp(static_cast<int>(std::lround(points * 2)), 1, 3276) : 0;

  const QStringList families = format.fontFamilies().toStringList();
  const bool named = !families.isEmpty() || format.hasProperty(QTextFormat::FontFamily);
  const QString family =
      families.isEmpty() ? format.stringProperty(QTextFormat::FontFamily) : families.front();
  if (named) {
    const std::string name = family.toStdString();
    const TRtfFont* storedFont = tables.FontAt(stored.fontIndex);
    if (stored.present && storedFont && storedFont->name == name) {
      out.fontIndex = stored.fontIndex;
    } else {
      out.fontIndex = -1;
      for (std::size_t i = 0; i < tables.fonts.size() && out.fontIndex < 0; ++i) {
        if (tables.fonts[i].name == name) out.fontIndex = static_cast<int>(i);
      }
      if (out.fontIndex < 0) {
        TRtfFont font;
        font.name = name;
        font.family = FamilyOfStyleHint(format.fontStyleHint());
        out.fontIndex = tables.AddFont(font);
      }
    }
  }

  if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush) {
    const TRtfColor color = FromQColor(format.foreground().color());
    const TRtfColor* storedColor = tables.ColorAt(stored.colorIndex);
    out.colorIndex =
        stored.present && storedColor && *storedColor == color ? stored.colorIndex : tables.AddColor(color);
  } else {
    // Any index that resolves to the automatic colour (an auto entry, or one past the table) is kept.
    const TRtfColor* storedColor = tables.ColorAt(stored.colorIndex);
    if (stored.present && (!storedColor || storedColor->isAuto)) {
      out.colorIndex = stored.colorIndex;
    } else {
      out.colorIndex = tables.colors.empty() ? 0 : tables.AddColor(TRtfColor{0, 0, 0, true});
    }
  }

  if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush) {
    const TRtfColor color = FromQColor(format.background().color());
    const TRtfColor* storedColor = tables.ColorAt(stored.highlightIndex);
    if (stored.present && stored.highlightIndex > 0 && storedColor && *storedColor == color) {
      out.highlightIndex = stored.highlightIndex;
    } else {
      // Index 0 means "no highlight", so a highlight never refers to the table's first entry.
      if (tables.colors.empty()) tables.colors.push_back(TRtfColor{0, 0, 0, true});
      auto it = std::find(tables.colors.begin() + 1, tables.colors.end(), color);
      if (it == tables.colors.end()) it = tables.colors.insert(tables.colors.end(), color);
      out.highlightIndex = static_cast<int>(it - tables.colors.begin());
    }
  } else if (stored.present) {
    TRtfCharFormat probe;
    probe.highlightIndex = stored.highlightIndex;
    if (!tables.HighlightOf(probe)) out.highlightIndex = stored.highlightIndex;
  }

  if (format.isAnchor() && !format.anchorHref().isEmpty()) {
    out.linkIndex = tables.AddLink(format.anchorHref().toStdString());
  }
  return out;
}

QTextBlockFormat ToQtBlockFormat(const TRtfParaFormat& format, const TRtfQtUnits& units, bool inList) {
  QTextBlockFormat out;
  switch (format.alignment) {
    case TRtfAlignment::alLeft:
      out.setAlignment(Qt::AlignLeft);
      break;
    case TRtfAlignment::alCenter:
      out.setAlignment(Qt::AlignHCenter);
      break;
    case TRtfAlignment::alRight:
      out.setAlignment(Qt::AlignRight);
      break;
    case TRtfAlignment::alJustify:
      out.setAlignment(Qt::AlignJustify);
      break;
  }
  out.setLeftMargin(units.ToPixels(inList ? std::max(format.leftIndent, kMinListIndent) : format.leftIndent));
  out.setTextIndent(inList ? 0.0 : units.ToPixels(format.firstIndent));
  out.setRightMargin(units.ToPixels(format.rightIndent));
  out.setTopMargin(units.ToPixels(format.spaceBefore));
  out.setBottomMargin(units.ToPixels(format.spaceAfter));
  switch (format.lineSpacingRule) {
    case TRtfLineSpacingRule::lsSingle:
      out.setLineHeight(0, QTextBlockFormat::SingleHeight);
      break;
    case TRtfLineSpacingRule::lsAtLeast:
      out.setLineHeight(units.ToPixels(format.lineSpacing), QTextBlockFormat::MinimumHeight);
      break;
    case TRtfLineSpacingRule::lsExactly:
      out.setLineHeight(units.ToPixels(format.lineSpacing), QTextBlockFormat::FixedHeight);
      break;
    case TRtfLineSpacingRule::lsMultiple:
      out.setLineHeight(format.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
      break;
  }
  out.setTabPositions(ToQtTabs(format, units, inList));
  out.setProperty(rqpParagraph, ParagraphToVariant(format));
  return out;
}

QTextListFormat::Style ToQtListStyle(TRtfNumbering numbering) {
  switch (numbering) {
    case TRtfNumbering::nmBullet:
      return QTextListFormat::ListDisc;
    case TRtfNumbering::nmDecimal:
      return QTextListFormat::ListDecimal;
    case TRtfNumbering::nmLowerAlpha:
      return QTextListFormat::ListLowerAlpha;
    case TRtfNumbering::nmUpperAlpha:
      return QTextListFormat::ListUpperAlpha;
    case TRtfNumbering::nmLowerRoman:
      return QTextListFormat::ListLowerRoman;
    case TRtfNumbering::nmUpperRoman:
      return QTextListFormat::ListUpperRoman;
    default:
      return QTextListFormat::ListStyleUndefined;
  }
}

TRtfNumbering FromQtListStyle(QTextListFormat::Style style) {
  switch (style) {
    case QTextListFormat::ListStyleUndefined:
      return TRtfNumbering::nmNone;
    case QTextListFormat::ListDecimal:
      return TRtfNumbering::nmDecimal;
    case QTextListFormat::ListLowerAlpha:
      return TRtfNumbering::nmLowerAlpha;
    case QTextListFormat::ListUpperAlpha:
      return TRtfNumbering::nmUpperAlpha;
    case QTextListFormat::ListLowerRoman:
      return TRtfNumbering::nmLowerRoman;
    case QTextListFormat::ListUpperRoman:
      return TRtfNumbering::nmUpperRoman;
    default:
      return TRtfNumbering::nmBullet;  // disc, circle, square
  }
}

TRtfParaFormat FromQtBlockFormat(const QTextBlockFormat& format, const TRtfQtUnits& units,
                                 QTextListFormat::Style listStyle) {
  const bool inList = listStyle != QTextListFormat::ListStyleUndefined;
  TRtfParaFormat stored;
  const bool haveStored = ParagraphFromVariant(format.property(rqpParagraph), stored);
  const QTextBlockFormat mapped = ToQtBlockFormat(stored, units, inList);

  TRtfParaFormat out;
  const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
  if (alignment & Qt::AlignHCenter) {
    out.alignment = TRtfAlignment::alCenter;
  } else if (alignment & Qt::AlignJustify) {
    out.alignment = TRtfAlignment::alJustify;
  } else if (alignment & (Qt::AlignRight | Qt::AlignTrailing)) {
    out.alignment = TRtfAlignment::alRight;
  }

  if (haveStored && Same(mapped.leftMargin(), format.leftMargin()) &&
      Same(mapped.textIndent(), format.textIndent()) && Same(mapped.rightMargin(), format.rightMargin())) {
    out.leftIndent = stored.leftIndent;
    out.firstIndent = stored.firstIndent;
    out.rightIndent = stored.rightIndent;
  } else {
    out.leftIndent = units.ToTwips(format.leftMargin());
    out.firstIndent = units.ToTwips(format.textIndent());
    out.rightIndent = units.ToTwips(format.rightMargin());
  }
  if (haveStored && Same(mapped.topMargin(), format.topMargin()) &&
      Same(mapped.bottomMargin(), format.bottomMargin())) {
    out.spaceBefore = stored.spaceBefore;
    out.spaceAfter = stored.spaceAfter;
  } else {
    out.spaceBefore = std::max(0, units.ToTwips(format.topMargin()));
    out.spaceAfter = std::max(0, units.ToTwips(format.bottomMargin()));
  }

  if (haveStored && Same(mapped.lineHeight(), format.lineHeight()) &&
      mapped.lineHeightType() == format.lineHeightType()) {
    out.lineSpacingRule = stored.lineSpacingRule;
    out.lineSpacing = stored.lineSpacing;
  } else {
    switch (format.lineHeightType()) {
      case QTextBlockFormat::MinimumHeight:
        out.lineSpacingRule = TRtfLineSpacingRule::lsAtLeast;
        out.lineSpacing = units.ToTwips(format.lineHeight());
        break;
      case QTextBlockFormat::FixedHeight:
        out.lineSpacingRule = TRtfLineSpacingRule::lsExactly;
        out.lineSpacing = units.ToTwips(format.lineHeight());
        break;
      case QTextBlockFormat::ProportionalHeight:
        out.lineSpacingRule = TRtfLineSpacingRule::lsMultiple;
        out.lineSpacing = static_cast<int>(std::lround(format.lineHeight() * 240.0 / 100.0));
        break;
      default:
        break;
    }
    if (out.lineSpacing <= 0) out.lineSpacingRule = TRtfLineSpacingRule::lsSingle, out.lineSpacing = 0;
  }

  if (haveStored && SameTabs(mapped.tabPositions(), format.tabPositions())) {
    out.tabs = stored.tabs;
  } else {
    const int origin = FirstLineStart(out, inList);
    for (const QTextOption::Tab& tab : format.tabPositions()) {
      if (out.tabs.size() >= static_cast<std::size_t>(TRtfParaFormat::kMaxTabStops)) break;
      out.tabs.push_back(
          TRtfTabStop{std::max(0, origin + units.ToTwips(tab.position)), FromQtTabType(tab.type)});
    }
  }

  out.numbering = FromQtListStyle(listStyle);
  if (haveStored && stored.numbering == out.numbering) out.numberingStart = stored.numberingStart;
  if (out.numbering == TRtfNumbering::nmNone || out.numbering == TRtfNumbering::nmBullet)
    out.numberingStart = 1;
  return out;
}
