#include "rtf_test_support.h"

#include <algorithm>
#include <fstream>
#include <sstream>

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder,
                                           const std::string& extension) {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(folder)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file() && (extension.empty() || entry.path().extension() == extension)) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string TextOf(const TRtfDocument& document) {
  std::string out;
  for (std::size_t p = 0; p < document.paragraphs.size(); ++p) {
    if (p) out += '\n';
    for (const TRtfInline& item : document.paragraphs[p].items) {
      switch (item.kind) {
        case TRtfInlineKind::ikText:
          out += item.text;
          break;
        case TRtfInlineKind::ikTab:
          out += '\t';
          break;
        case TRtfInlineKind::ikLineBreak:
          out += '|';
          break;
        case TRtfInlineKind::ikPageBreak:
          out += '^';
          break;
        case TRtfInlineKind::ikPicture:
          out += '#';
          break;
      }
    }
  }
  return out;
}

namespace {

void DumpFormat(const TRtfCharFormat& f, std::ostream& out) {
  out << "{";
  if (f.bold) out << "b ";
  if (f.italic) out << "i ";
  if (f.strikeOut) out << "s ";
  if (f.underline != TRtfUnderline::ulNone) out << "ul" << static_cast<int>(f.underline) << ' ';
  if (f.verticalAlign != TRtfVerticalAlign::vaNormal) out << "va" << static_cast<int>(f.verticalAlign) << ' ';
  out << "fs" << f.halfPoints << " f" << f.fontIndex << " cf" << f.colorIndex << " hl" << f.highlightIndex
      << " ln" << f.linkIndex << "}";
}

void DumpParagraph(const TRtfParagraph& p, std::ostream& out) {
  const TRtfParaFormat& f = p.format;
  out << "[al" << static_cast<int>(f.alignment) << " li" << f.leftIndent << " ri" << f.rightIndent << " fi"
      << f.firstIndent << " sb" << f.spaceBefore << " sa" << f.spaceAfter << " sl"
      << static_cast<int>(f.lineSpacingRule) << ':' << f.lineSpacing << " nm" << static_cast<int>(f.numbering)
      << ':' << f.numberingStart << " tabs";
  for (const TRtfTabStop& t : f.tabs)
    out << ' ' << t.position << ':' << static_cast<int>(t.kind);
  out << "]";
  for (const TRtfInline& item : p.items) {
    out << ' ';
    DumpFormat(item.format, out);
    if (item.kind == TRtfInlineKind::ikText)
      out << '"' << item.text << '"';
    else
      out << '<' << static_cast<int>(item.kind) << ':' << item.pictureIndex << '>';
  }
}

}  // namespace

std::string Dump(const TRtfDocument& d) {
  std::ostringstream out;
  out << "fonts:";
  for (const TRtfFont& f : d.fonts)
    out << " [" << f.name << ' ' << static_cast<int>(f.family) << ' ' << f.charset << ']';
  out << "\ncolors:";
  for (const TRtfColor& c : d.colors) {
    if (c.isAuto)
      out << " auto";
    else
      out << ' ' << int(c.red) << ',' << int(c.green) << ',' << int(c.blue);
  }
  out << "\nlinks:";
  for (const std::string& l : d.links)
    out << " [" << l << ']';
  out << "\npictures: " << d.pictures.size() << " deftab " << d.defaultTabWidth << '\n';
  for (const TRtfParagraph& p : d.paragraphs) {
    DumpParagraph(p, out);
    out << '\n';
  }
  return out.str();
}

void PrintTo(const TRtfDocument& document, std::ostream* out) {
  *out << '\n' << Dump(document);
}
void PrintTo(const TRtfParagraph& paragraph, std::ostream* out) {
  DumpParagraph(paragraph, *out);
}
