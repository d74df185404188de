// Character and paragraph formats of the selection, and the default format.

#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <algorithm>
#include <cmath>

#include "richtext/edit/rich_edit_internal.h"
#include "rtf_qt_tables.h"

namespace {

QString GenericFamily(TFontPitch Pitch) {
  return Pitch == fpFixed ? QStringLiteral("monospace") : QStringLiteral("sans-serif");
}

TFontPitch PitchOf(const TRtfFont& Font) {
  return Font.pitch == 1 ? fpFixed : Font.pitch == 2 ? fpVariable : fpDefault;
}

int FontIndexOf(const QTextCharFormat& Format) {
  const QVariantList stored = Format.property(rqpCharacter).toList();
  return stored.size() == 4 ? stored[0].toInt() : -1;
}

void SetFontIndex(QTextCharFormat& Format, int Index) {
  QVariantList stored = Format.property(rqpCharacter).toList();
  if (stored.size() != 4) stored = QVariantList{-1, 0, 0, 0};
  stored[0] = Index;
  Format.setProperty(rqpCharacter, stored);
}

// A character format as the box reports it: what the Qt format leaves open, the default gives.
TRichCharFormat FromQt(const QTextCharFormat& F, const TRichCharFormat& Default, const TRtfDocument& Tables) {
  TRichCharFormat out = Default;
  out.Fields = kAllCharFields;
  const QStringList families = F.fontFamilies().toStringList();
  if (!families.isEmpty()) {
    out.Face = families.front().toStdString();
  } else if (F.hasProperty(QTextFormat::FontFamily)) {
    out.Face = F.stringProperty(QTextFormat::FontFamily).toStdString();
  }
  if (F.fontPointSize() > 0) out.HeightTwips = static_cast<int>(std::lround(F.fontPointSize() * 20));
  auto style = [&](int Property, TFontStyle Member, bool Value) {
    if (!F.hasProperty(Property)) return;
    if (Value) {
      out.Style.Include(Member);
    } else {
      out.Style.Exclude(Member);
    }
  };
  style(QTextFormat::FontWeight, fsBold, F.fontWeight() >= QFont::DemiBold);
  style(QTextFormat::FontItalic, fsItalic, F.fontItalic());
  style(QTextFormat::TextUnderlineStyle, fsUnderline, F.underlineStyle() != QTextCharFormat::NoUnderline);
  style(QTextFormat::FontStrikeOut, fsStrikeOut, F.fontStrikeOut());
  if (F.boolProperty(kRichAutoColorProperty)) {
    out.AutoColor = true;
  } else if (F.hasProperty(QTextFormat::ForegroundBrush) && F.foreground().style() != Qt::NoBrush) {
    const QColor c = F.foreground().color().toRgb();
    out.AutoColor = false;
    out.Color = RGBColor(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
                         static_cast<uint8_t>(c.blue()));
  }
  if (const TRtfFont* font = Tables.FontAt(FontIndexOf(F)); font != nullptr && font->name == out.Face) {
    out.Charset = static_cast<uint8_t>(font->charset);
    out.Pitch = PitchOf(*font);
  }
  out.Protected = F.boolProperty(kRichProtectedProperty);
  return out;
}

// Narrows Into's fields to those where Other agrees.
void Intersect(TRichCharFormat& Into, const TRichCharFormat& Other) {
  auto keep = [&](TRichCharField Field, bool Same) {
    if (!Same) Into.Fields.Exclude(Field);
  };
  keep(cfFace, Into.Face == Other.Face);
  keep(cfSize, Into.HeightTwips == Other.HeightTwips);
  keep(cfBold, Into.Style.Contains(fsBold) == Other.Style.Contains(fsBold));
  keep(cfItalic, Into.Style.Contains(fsItalic) == Other.Style.Contains(fsItalic));
  keep(cfUnderline, Into.Style.Contains(fsUnderline) == Other.Style.Contains(fsUnderline));
  keep(cfStrikeOut, Into.Style.Contains(fsStrikeOut) == Other.Style.Contains(fsStrikeOut));
  keep(cfColor, Into.AutoColor == Other.AutoColor && (Into.AutoColor || Into.Color == Other.Color));
  keep(cfCharset, Into.Charset == Other.Charset);
  keep(cfPitch, Into.Pitch == Other.Pitch);
  keep(cfProtected, Into.Protected == Other.Protected);
}

// Writes the members Format names into a Qt format, adding fonts to the tables as needed.
void ApplyTo(QTextCharFormat& Q, const TRichCharFormat& Format, const TRichCharFormat& Current,
             TRtfDocument& Tables) {
  const TRichCharFields& f = Format.Fields;
  if (f.Contains(cfFace) || f.Contains(cfCharset) || f.Contains(cfPitch)) {
    TRtfFont font;
    font.name = f.Contains(cfFace) ? Format.Face : Current.Face;
    const TFontPitch pitch = f.Contains(cfPitch) ? Format.Pitch : Current.Pitch;
    const uint8_t charset = f.Contains(cfCharset) ? Format.Charset : Current.Charset;
    font.family = pitch == fpFixed ? TRtfFontFamily::ffModern : TRtfFontFamily::ffSwiss;
    font.pitch = pitch == fpFixed ? 1 : pitch == fpVariable ? 2 : 0;
    font.charset = charset == DEFAULT_CHARSET ? 0 : charset;
    int index = -1;
    for (size_t i = 0; i < Tables.fonts.size() && index < 0; ++i) {
      const TRtfFont& t = Tables.fonts[i];
      if (t.name == font.name && t.charset == font.charset && t.pitch == font.pitch)
        index = static_cast<int>(i);
    }
    if (index < 0) index = Tables.AddFont(font);
    Q.setFontFamilies(QStringList{QString::fromStdString(font.name), GenericFamily(pitch)});
    SetFontIndex(Q, index);
  }
  if (f.Contains(cfSize) && Format.HeightTwips > 0) Q.setFontPointSize(Format.HeightTwips / 20.0);
  if (f.Contains(cfBold)) Q.setFontWeight(Format.Style.Contains(fsBold) ? QFont::Bold : QFont::Normal);
  if (f.Contains(cfItalic)) Q.setFontItalic(Format.Style.Contains(fsItalic));
  if (f.Contains(cfUnderline)) {
    Q.setUnderlineStyle(Format.Style.Contains(fsUnderline) ? QTextCharFormat::SingleUnderline
                                                           : QTextCharFormat::NoUnderline);
  }
  if (f.Contains(cfStrikeOut)) Q.setFontStrikeOut(Format.Style.Contains(fsStrikeOut));
  if (f.Contains(cfColor)) {
    if (Format.AutoColor) {
      Q.setForeground(ToQColor(clWindowText));
      Q.setProperty(kRichAutoColorProperty, true);
    } else {
      Q.setForeground(QColor(RedOf(Format.Color), GreenOf(Format.Color), BlueOf(Format.Color)));
      Q.clearProperty(kRichAutoColorProperty);
    }
  }
  if (f.Contains(cfProtected)) Q.setProperty(kRichProtectedProperty, Format.Protected);
}

TRichParaFormat ToRich(const TRtfParaFormat& P) {
  TRichParaFormat out;
  switch (P.alignment) {
    case TRtfAlignment::alLeft:
      out.Alignment = raLeft;
      break;
    case TRtfAlignment::alRight:
      out.Alignment = raRight;
      break;
    case TRtfAlignment::alCenter:
      out.Alignment = raCenter;
      break;
    case TRtfAlignment::alJustify:
      out.Alignment = raJustify;
      break;
  }
  out.Numbering = P.numbering == TRtfNumbering::nmNone ? rnNone : rnBullet;
  out.StartIndent = P.leftIndent + P.firstIndent;
  out.Offset = -P.firstIndent;
  out.RightIndent = P.rightIndent;
  for (const TRtfTabStop& tab : P.tabs)
    out.Tabs.push_back(tab.position);
  out.SpaceBefore = P.spaceBefore;
  out.SpaceAfter = P.spaceAfter;
  switch (P.lineSpacingRule) {
    case TRtfLineSpacingRule::lsSingle:
      break;
    case TRtfLineSpacingRule::lsAtLeast:
      out.LineSpacingRule = rlAtLeast;
      out.LineSpacing = P.lineSpacing;
      break;
    case TRtfLineSpacingRule::lsExactly:
      out.LineSpacingRule = rlExactly;
      out.LineSpacing = P.lineSpacing;
      break;
    case TRtfLineSpacingRule::lsMultiple:
      if (P.lineSpacing == 360) {
        out.LineSpacingRule = rlOneAndHalf;
      } else if (P.lineSpacing == 480) {
        out.LineSpacingRule = rlDouble;
      } else {
        out.LineSpacingRule = rlMultiple;
        out.LineSpacing = P.lineSpacing / 12;
      }
      break;
  }
  return out;
}

void ApplyTo(TRtfParaFormat& P, const TRichParaFormat& F) {
  const TRichParaFields& f = F.Fields;
  if (f.Contains(pfAlignment)) {
    static constexpr TRtfAlignment kAlign[] = {TRtfAlignment::alLeft, TRtfAlignment::alRight,
                                               TRtfAlignment::alCenter, TRtfAlignment::alJustify};
    P.alignment = kAlign[F.Alignment];
  }
  if (f.Contains(pfNumbering)) {
    P.numbering = F.Numbering == rnNone ? TRtfNumbering::nmNone : TRtfNumbering::nmBullet;
    P.numberingStart = 1;
  }
  // The left indent is where the other lines start: start + offset.
  const int start = f.Contains(pfStartIndent) ? F.StartIndent : P.leftIndent + P.firstIndent;
  const int offset = f.Contains(pfOffset) ? F.Offset : -P.firstIndent;
  P.leftIndent = start + offset;
  P.firstIndent = -offset;
  if (f.Contains(pfRightIndent)) P.rightIndent = F.RightIndent;
  if (f.Contains(pfTabStops)) {
    // Positions are all the format names; a stop the paragraph already has keeps its kind
    // (centred, right, decimal), a new one is a left stop. A stop lies on or after the margin.
    const std::vector<TRtfTabStop> old = std::move(P.tabs);
    P.tabs.clear();
    for (size_t i = 0; i < F.Tabs.size() && i < static_cast<size_t>(kMaxRichTabStops); ++i) {
      TRtfTabStop stop{std::max(0, F.Tabs[i]), TRtfTabKind::tkLeft};
      const auto same = std::find_if(old.begin(), old.end(),
                                     [&](const TRtfTabStop& o) { return o.position == stop.position; });
      if (same != old.end()) stop.kind = same->kind;
      P.tabs.push_back(stop);
    }
  }
  if (f.Contains(pfSpaceBefore)) P.spaceBefore = std::max(0, F.SpaceBefore);
  if (f.Contains(pfSpaceAfter)) P.spaceAfter = std::max(0, F.SpaceAfter);
  if (f.Contains(pfLineSpacing)) {
    P.lineSpacing = 0;
    P.lineSpacingRule = TRtfLineSpacingRule::lsSingle;
    switch (F.LineSpacingRule) {
      case rlSingle:
        break;
      case rlOneAndHalf:
        P.lineSpacingRule = TRtfLineSpacingRule::lsMultiple;
        P.lineSpacing = 360;
        break;
      case rlDouble:
        P.lineSpacingRule = TRtfLineSpacingRule::lsMultiple;
        P.lineSpacing = 480;
        break;
      case rlAtLeast:
      case rlExactly:
        if (F.LineSpacing != 0) {
          P.lineSpacingRule = F.LineSpacingRule == rlAtLeast ? TRtfLineSpacingRule::lsAtLeast
                                                             : TRtfLineSpacingRule::lsExactly;
          P.lineSpacing = std::abs(F.LineSpacing);
        }
        break;
      case rlMultiple:
        if (F.LineSpacing > 0) {
          P.lineSpacingRule = TRtfLineSpacingRule::lsMultiple;
          P.lineSpacing = F.LineSpacing * 12;
        }
        break;
    }
  }
}

void Intersect(TRichParaFormat& Into, const TRichParaFormat& Other) {
  auto keep = [&](TRichParaField Field, bool Same) {
    if (!Same) Into.Fields.Exclude(Field);
  };
  keep(pfAlignment, Into.Alignment == Other.Alignment);
  keep(pfNumbering, Into.Numbering == Other.Numbering);
  keep(pfStartIndent, Into.StartIndent == Other.StartIndent);
  keep(pfOffset, Into.Offset == Other.Offset);
  keep(pfRightIndent, Into.RightIndent == Other.RightIndent);
  keep(pfTabStops, Into.Tabs == Other.Tabs);
  keep(pfSpaceBefore, Into.SpaceBefore == Other.SpaceBefore);
  keep(pfSpaceAfter, Into.SpaceAfter == Other.SpaceAfter);
  keep(pfLineSpacing, Into.LineSpacingRule == Other.LineSpacingRule && Into.LineSpacing == Other.LineSpacing);
}

TRtfParaFormat ModelFormatOf(const QTextBlock& Block) {
  const QTextList* list = Block.textList();
  return FromQtBlockFormat(Block.blockFormat(), TRtfQtUnits(),
                           list != nullptr ? list->format().style() : QTextListFormat::ListStyleUndefined);
}

// The blocks the selection touches.
template <class F>
void ForEachSelectedBlock(const QTextDocument& Document, const QTextCursor& Cursor, F&& Fn) {
  const QTextBlock last = Document.findBlock(Cursor.selectionEnd());
  for (QTextBlock b = Document.findBlock(Cursor.selectionStart()); b.isValid(); b = b.next()) {
    Fn(b);
    if (b == last) break;
  }
}

}  // namespace

void TRichEditBox::ApplyDefaultFont() {
  QFont font(QString::fromStdString(ResolveFontFamily(Default_.Face, Default_.Pitch)));
  font.setPointSizeF(std::max(1, Default_.HeightTwips) / 20.0);
  font.setBold(Default_.Style.Contains(fsBold));
  font.setItalic(Default_.Style.Contains(fsItalic));
  font.setUnderline(Default_.Style.Contains(fsUnderline));
  font.setStrikeOut(Default_.Style.Contains(fsStrikeOut));
  font.setKerning(false);
  document()->setDefaultFont(font);
  QPalette palette = this->palette();
  const QColor text = Default_.AutoColor
                          ? ToQColor(clWindowText)
                          : QColor(RedOf(Default_.Color), GreenOf(Default_.Color), BlueOf(Default_.Color));
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    palette.setColor(group, QPalette::Text, text);
  setPalette(palette);
}

TRichCharFormat TRichEditBox::CharFormat(bool Selection) const {
  if (!Selection) return Default_;
  const QTextCursor cursor = textCursor();
  const TRtfDocument tables = LoadTables(*document());
  if (!cursor.hasSelection()) return FromQt(cursor.charFormat(), Default_, tables);
  const int start = cursor.selectionStart(), end = cursor.selectionEnd();
  bool first = true;
  TRichCharFormat out;
  for (QTextBlock b = document()->findBlock(start); b.isValid() && b.position() < end; b = b.next()) {
    for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.position() + fragment.length() <= start || fragment.position() >= end) continue;
      const TRichCharFormat one = FromQt(fragment.charFormat(), Default_, tables);
      if (first) {
        out = one;
        first = false;
      } else {
        Intersect(out, one);
      }
    }
  }
  return first ? FromQt(cursor.charFormat(), Default_, tables) : out;
}

void TRichEditBox::SetCharFormat(bool Selection, const TRichCharFormat& Format) {
  if (!Selection) {
    const TRichCharFields& f = Format.Fields;
    if (f.Contains(cfFace)) Default_.Face = Format.Face;
    if (f.Contains(cfSize) && Format.HeightTwips > 0) Default_.HeightTwips = Format.HeightTwips;
    for (auto [field, member] : {std::pair{cfBold, fsBold}, std::pair{cfItalic, fsItalic},
                                 std::pair{cfUnderline, fsUnderline}, std::pair{cfStrikeOut, fsStrikeOut}}) {
      if (!f.Contains(field)) continue;
      if (Format.Style.Contains(member)) {
        Default_.Style.Include(member);
      } else {
        Default_.Style.Exclude(member);
      }
    }
    if (f.Contains(cfColor)) {
      Default_.AutoColor = Format.AutoColor;
      Default_.Color = Format.Color;
    }
    if (f.Contains(cfCharset)) Default_.Charset = Format.Charset;
    if (f.Contains(cfPitch)) Default_.Pitch = Format.Pitch;
    ApplyDefaultFont();
    return;
  }
  TRtfDocument tables = LoadTables(*document());
  QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) {
    QTextCharFormat q = cursor.charFormat();
    ApplyTo(q, Format, FromQt(q, Default_, tables), tables);
    StoreTables(tables, *document());
    cursor.setCharFormat(q);
    setTextCursor(cursor);
    return;
  }
  const int start = cursor.selectionStart(), end = cursor.selectionEnd();
  struct TPiece {
    int From, To;
    QTextCharFormat Format;
  };
  std::vector<TPiece> pieces;
  for (QTextBlock b = document()->findBlock(start); b.isValid() && b.position() < end; b = b.next()) {
    for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const int from = std::max(start, fragment.position());
      const int to = std::min(end, fragment.position() + fragment.length());
      if (from >= to) continue;
      QTextCharFormat q = fragment.charFormat();
      ApplyTo(q, Format, FromQt(q, Default_, tables), tables);
      pieces.push_back({from, to, q});
    }
  }
  StoreTables(tables, *document());
  QTextCursor edit(document());
  edit.beginEditBlock();
  for (const TPiece& piece : pieces) {
    edit.setPosition(piece.From);
    edit.setPosition(piece.To, QTextCursor::KeepAnchor);
    edit.setCharFormat(piece.Format);
  }
  edit.endEditBlock();
}

TRichParaFormat TRichEditBox::ParaFormat() const {
  const QTextCursor cursor = textCursor();
  bool first = true;
  TRichParaFormat out;
  ForEachSelectedBlock(*document(), cursor, [&](const QTextBlock& Block) {
    const TRichParaFormat one = ToRich(ModelFormatOf(Block));
    if (first) {
      out = one;
      first = false;
    } else {
      Intersect(out, one);
    }
  });
  return out;
}

void TRichEditBox::SetParaFormat(const TRichParaFormat& Format) {
  QTextCursor cursor = textCursor();
  QTextCursor edit(document());
  edit.beginEditBlock();
  std::vector<QTextBlock> blocks;
  ForEachSelectedBlock(*document(), cursor, [&](const QTextBlock& Block) { blocks.push_back(Block); });
  for (const QTextBlock& block : blocks) {
    TRtfParaFormat model = ModelFormatOf(block);
    ApplyTo(model, Format);
    const bool numbered = model.numbering != TRtfNumbering::nmNone;
    QTextBlockFormat q = ToQtBlockFormat(model, TRtfQtUnits(), numbered);
    const QTextBlockFormat old = block.blockFormat();
    q.setPageBreakPolicy(old.pageBreakPolicy());
    if (old.hasProperty(rqpContinuesParagraph))
      q.setProperty(rqpContinuesParagraph, old.property(rqpContinuesParagraph));
    edit.setPosition(block.position());
    QTextList* list = block.textList();
    if (!numbered) {
      if (list != nullptr) list->remove(block);
      edit.setBlockFormat(q);
      continue;
    }
    // A list holds its blocks through their format: keep that link when replacing the format.
    const QTextListFormat::Style style = ToQtListStyle(model.numbering);
    if (list != nullptr && list->format().style() == style) {
      q.setObjectIndex(list->objectIndex());
      edit.setBlockFormat(q);
      continue;
    }
    if (list != nullptr) list->remove(block);
    edit.setBlockFormat(q);
    QTextList* previous = block.previous().isValid() ? block.previous().textList() : nullptr;
    if (previous != nullptr && previous->format().style() == style) {
      previous->add(block);
    } else {
      QTextListFormat listFormat;
      listFormat.setStyle(style);
      listFormat.setIndent(0);
      edit.createList(listFormat);
    }
  }
  edit.endEditBlock();
}
