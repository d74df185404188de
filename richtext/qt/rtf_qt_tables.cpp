#include "rtf_qt_tables.h"

#include <QVariantList>

#include <algorithm>

namespace {

constexpr const char* kFonts = "brevantRtfFonts";
constexpr const char* kColors = "brevantRtfColors";
constexpr const char* kLinks = "brevantRtfLinks";
constexpr const char* kDefaultTab = "brevantRtfDefaultTab";

}  // namespace

TRtfDocument TablesOf(const TRtfDocument& model) {
  TRtfDocument tables;
  tables.fonts = model.fonts;
  tables.colors = model.colors;
  tables.links = model.links;
  tables.defaultTabWidth = model.defaultTabWidth;
  return tables;
}

TRtfDocument LoadTables(const QTextDocument& document) {
  TRtfDocument tables;
  for (const QVariant& entry : document.property(kFonts).toList()) {
    const QVariantList f = entry.toList();
    if (f.size() != 5) continue;
    TRtfFont font;
    font.name = f[0].toString().toStdString();
    font.family = static_cast<TRtfFontFamily>(std::clamp(f[1].toInt(), 0, 7));
    font.charset = f[2].toInt();
    font.pitch = f[3].toInt();
    font.codePage = f[4].toInt();
    tables.fonts.push_back(std::move(font));
  }
  for (const QVariant& entry : document.property(kColors).toList()) {
    const qint64 value = entry.toLongLong();
    TRtfColor color;
    if (value < 0) {
      color.isAuto = true;
    } else {
      color.red = static_cast<std::uint8_t>(value >> 16);
      color.green = static_cast<std::uint8_t>(value >> 8);
      color.blue = static_cast<std::uint8_t>(value);
    }
    tables.colors.push_back(color);
  }
  for (const QVariant& entry : document.property(kLinks).toList()) {
    tables.links.push_back(entry.toString().toStdString());
  }
  bool ok = false;
  const int tab = document.property(kDefaultTab).toInt(&ok);
  if (ok && tab > 0) tables.defaultTabWidth = tab;
  return tables;
}

void StoreTables(const TRtfDocument& tables, QTextDocument& document) {
  QVariantList fonts;
  for (const TRtfFont& font : tables.fonts) {
    fonts << QVariant(QVariantList{QString::fromStdString(font.name), static_cast<int>(font.family),
                                   font.charset, font.pitch, font.codePage});
  }
  QVariantList colors;
  for (const TRtfColor& color : tables.colors) {
    colors << (color.isAuto ? qint64(-1) : (qint64(color.red) << 16 | qint64(color.green) << 8 | color.blue));
  }
  QVariantList links;
  for (const std::string& link : tables.links)
    links << QString::fromStdString(link);
  document.setProperty(kFonts, fonts);
  document.setProperty(kColors, colors);
  document.setProperty(kLinks, links);
  document.setProperty(kDefaultTab, tables.defaultTabWidth);
}
