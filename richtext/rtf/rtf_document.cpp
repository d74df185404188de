#include "rtf_document.h"

#include <algorithm>

namespace {

// Bitmaps state their size in pixels, taken at 96 per inch; metafiles in hundredths of a millimetre.
int NaturalTwips(const TRtfPicture& picture, int units) {
  switch (picture.kind) {
    case TRtfPictureKind::pkWmf:
    case TRtfPictureKind::pkEmf:
      return static_cast<int>(static_cast<long long>(units) * 1440 / 2540);
    default:
      return units * 15;
  }
}

int ScaledTwips(const TRtfPicture& picture, int goal, int units, int scale) {
  const int base = goal > 0 ? goal : (units > 0 ? NaturalTwips(picture, units) : 0);
  return static_cast<int>(static_cast<long long>(base) * scale / 100);
}

template <typename T>
const T* At(const std::vector<T>& table, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return nullptr;
  return &table[static_cast<std::size_t>(index)];
}

template <typename T>
int FindOrAppend(std::vector<T>& table, const T& value) {
  auto it = std::find(table.begin(), table.end(), value);
  if (it != table.end()) return static_cast<int>(it - table.begin());
  table.push_back(value);
  return static_cast<int>(table.size()) - 1;
}

}  // namespace

int TRtfPicture::DisplayWidth() const {
  return ScaledTwips(*this, goalWidth, width, scaleX);
}
int TRtfPicture::DisplayHeight() const {
  return ScaledTwips(*this, goalHeight, height, scaleY);
}

const TRtfFont* TRtfDocument::FontAt(int index) const {
  return At(fonts, index);
}
const TRtfColor* TRtfDocument::ColorAt(int index) const {
  return At(colors, index);
}
const std::string* TRtfDocument::LinkAt(int index) const {
  return At(links, index);
}
const TRtfPicture* TRtfDocument::PictureAt(int index) const {
  return At(pictures, index);
}

const TRtfColor* TRtfDocument::TextColorOf(const TRtfCharFormat& format) const {
  const TRtfColor* color = ColorAt(format.colorIndex);
  return color && !color->isAuto ? color : nullptr;
}

const TRtfColor* TRtfDocument::HighlightOf(const TRtfCharFormat& format) const {
  if (format.highlightIndex == 0) return nullptr;
  const TRtfColor* color = ColorAt(format.highlightIndex);
  return color && !color->isAuto ? color : nullptr;
}

int TRtfDocument::AddFont(const TRtfFont& font) {
  return FindOrAppend(fonts, font);
}
int TRtfDocument::AddLink(const std::string& target) {
  return FindOrAppend(links, target);
}

int TRtfDocument::AddColor(const TRtfColor& color) {
  // Index 0 means "default colour" to runs without \cf: keep it automatic once real colours arrive.
  if (colors.empty() && !color.isAuto) colors.push_back(TRtfColor{0, 0, 0, true});
  return FindOrAppend(colors, color);
}

void AppendText(TRtfParagraph& paragraph, const TRtfCharFormat& format, std::string_view text) {
  if (text.empty()) return;
  if (!paragraph.items.empty()) {
    TRtfInline& last = paragraph.items.back();
    if (last.kind == TRtfInlineKind::ikText && last.format == format) {
      last.text.append(text);
      return;
    }
  }
  TRtfInline& item = paragraph.items.emplace_back();
  item.kind = TRtfInlineKind::ikText;
  item.format = format;
  item.text.assign(text);
}

void AppendItem(TRtfParagraph& paragraph, TRtfInlineKind kind, const TRtfCharFormat& format,
                int pictureIndex) {
  TRtfInline& item = paragraph.items.emplace_back();
  item.kind = kind;
  item.format = format;
  item.pictureIndex = kind == TRtfInlineKind::ikPicture ? pictureIndex : -1;
}
