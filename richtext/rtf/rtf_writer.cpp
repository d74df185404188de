#include "rtf_writer.h"

#include "rtf_code_pages.h"
#include "rtf_field_instruction.h"

namespace {

class TRtfWriter {
 public:
  explicit TRtfWriter(const TRtfDocument& document) : doc_(document) {}

  std::string Write() {
    out_.reserve(1024 + doc_.paragraphs.size() * 64);
    out_ += "{\\rtf1\\ansi\\ansicpg1252\\uc1";
    Word("deftab", doc_.defaultTabWidth);
    out_ += '\n';
    WriteFontTable();
    WriteColorTable();
    TNumberCounter counter;
    for (const TRtfParagraph& paragraph : doc_.paragraphs)
      WriteParagraph(paragraph, counter);
    out_ += "}\n";
    return std::move(out_);
  }

 private:
  // Numbers of consecutive paragraphs of the same numbering, for the \pntext that readers without \pn show.
  struct TNumberCounter {
    TRtfNumbering numbering = TRtfNumbering::nmNone;
    int start = 1;
    int next = 1;
  };

  void Word(const char* word) {
    out_ += '\\';
    out_ += word;
  }
  void Word(const char* word, long long parameter) {
    Word(word);
    out_ += std::to_string(parameter);
  }

  void WriteFontTable() {
    if (doc_.fonts.empty()) return;
    static constexpr const char* kFamilies[] = {"fnil",    "froman", "fswiss", "fmodern",
                                                "fscript", "fdecor", "ftech",  "fbidi"};
    out_ += "{\\fonttbl";
    for (std::size_t i = 0; i < doc_.fonts.size(); ++i) {
      const TRtfFont& font = doc_.fonts[i];
      out_ += '{';
      Word("f", static_cast<long long>(i));
      Word(kFamilies[static_cast<int>(font.family)]);
      Word("fcharset", font.charset);
      if (font.pitch) Word("fprq", font.pitch);
      if (font.codePage) Word("cpg", font.codePage);
      out_ += ' ';
      WriteText(font.name, true);
      out_ += ";}";
    }
    out_ += "}\n";
  }

  void WriteColorTable() {
    if (doc_.colors.empty()) return;
    out_ += "{\\colortbl";
    for (const TRtfColor& color : doc_.colors) {
      if (!color.isAuto) {
        Word("red", color.red);
        Word("green", color.green);
        Word("blue", color.blue);
      }
      out_ += ';';
    }
    out_ += "}\n";
  }

  void WriteParagraphFormat(const TRtfParaFormat& format) {
    Word("pard");
    switch (format.alignment) {
      case TRtfAlignment::alLeft:
        break;
      case TRtfAlignment::alCenter:
        Word("qc");
        break;
      case TRtfAlignment::alRight:
        Word("qr");
        break;
      case TRtfAlignment::alJustify:
        Word("qj");
        break;
    }
    if (format.leftIndent) Word("li", format.leftIndent);
    if (format.rightIndent) Word("ri", format.rightIndent);
    if (format.firstIndent) Word("fi", format.firstIndent);
    if (format.spaceBefore) Word("sb", format.spaceBefore);
    if (format.spaceAfter) Word("sa", format.spaceAfter);
    switch (format.lineSpacingRule) {
      case TRtfLineSpacingRule::lsSingle:
        break;
      case TRtfLineSpacingRule::lsAtLeast:
        Word("sl", format.lineSpacing), Word("slmult", 0);
        break;
      case TRtfLineSpacingRule::lsExactly:
        Word("sl", -format.lineSpacing), Word("slmult", 0);
        break;
      case TRtfLineSpacingRule::lsMultiple:
        Word("sl", format.lineSpacing), Word("slmult", 1);
        break;
    }
    for (const TRtfTabStop& tab : format.tabs) {
      switch (tab.kind) {
        case TRtfTabKind::tkLeft:
          break;
        case TRtfTabKind::tkCenter:
          Word("tqc");
          break;
        case TRtfTabKind::tkRight:
          Word("tqr");
          break;
        case TRtfTabKind::tkDecimal:
          Word("tqdec");
          break;
      }
      Word("tx", tab.position);
    }
  }

  static std::string Roman(int n, bool upper) {
    static constexpr struct {
      int value;
      const char* digits;
    } kRoman[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
                  {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    std::string out;
    for (const auto& r : kRoman) {
      for (; n >= r.value; n -= r.value)
        out += r.digits;
    }
    if (upper) {
      for (char& c : out)
        c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
  }

  static std::string Letters(int n, bool upper) {
    std::string out;
    for (; n > 0; n = (n - 1) / 26)
      out.insert(out.begin(), static_cast<char>((upper ? 'A' : 'a') + (n - 1) % 26));
    return out;
  }

  void WriteNumbering(const TRtfParaFormat& format, TNumberCounter& counter) {
    if (format.numbering == TRtfNumbering::nmNone) {
      counter = TNumberCounter();
      return;
    }
    if (format.numbering != counter.numbering || format.numberingStart != counter.start) {
      counter = TNumberCounter{format.numbering, format.numberingStart, format.numberingStart};
    }
    const int number = counter.next++;
    std::string label;
    const char* style = "pndec";
    switch (format.numbering) {
      case TRtfNumbering::nmNone:
      case TRtfNumbering::nmBullet:
        break;
      case TRtfNumbering::nmDecimal:
        label = std::to_string(number);
        break;
      case TRtfNumbering::nmLowerAlpha:
        label = Letters(number, false), style = "pnlcltr";
        break;
      case TRtfNumbering::nmUpperAlpha:
        label = Letters(number, true), style = "pnucltr";
        break;
      case TRtfNumbering::nmLowerRoman:
        label = Roman(number, false), style = "pnlcrm";
        break;
      case TRtfNumbering::nmUpperRoman:
        label = Roman(number, true), style = "pnucrm";
        break;
    }
    if (format.numbering == TRtfNumbering::nmBullet) {
      out_ += "{\\pntext\\u8226?\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\u8226?}}";
      return;
    }
    out_ += "{\\pntext " + label + ".\\tab}{\\*\\pn\\pnlvlbody";
    Word(style);
    Word("pnstart", format.numberingStart);
    out_ += "{\\pntxta .}}";
  }

  void WriteParagraph(const TRtfParagraph& paragraph, TNumberCounter& counter) {
    WriteParagraphFormat(paragraph.format);
    WriteNumbering(paragraph.format, counter);
    int openLink = -1;
    for (const TRtfInline& item : paragraph.items) {
      const int link = doc_.LinkAt(item.format.linkIndex) ? item.format.linkIndex : -1;
      if (link != openLink) {
        if (openLink >= 0) out_ += "}}";
        if (link >= 0) {
          out_ += "{\\field{\\*\\fldinst{";
          WriteText(HyperlinkInstructionOf(doc_.links[static_cast<std::size_t>(link)]));
          out_ += "}}{\\fldrslt";
        }
        openLink = link;
      }
      WriteItem(item);
    }
    if (openLink >= 0) out_ += "}}";
    Word("par");
    out_ += '\n';
  }

  void WriteCharFormat(const TRtfCharFormat& format) {
    static constexpr const char* kUnderlines[] = {"ulnone", "ul",     "uldb", "uld",
                                                  "uldash", "ulwave", "ulw",  "ulth"};
    if (format.bold) Word("b");
    if (format.italic) Word("i");
    if (format.strikeOut) Word("strike");
    if (format.underline != TRtfUnderline::ulNone) Word(kUnderlines[static_cast<int>(format.underline)]);
    if (format.verticalAlign == TRtfVerticalAlign::vaSuperscript) Word("super");
    if (format.verticalAlign == TRtfVerticalAlign::vaSubscript) Word("sub");
    if (format.fontIndex >= 0) Word("f", format.fontIndex);
    if (format.halfPoints > 0) Word("fs", format.halfPoints);
    if (format.colorIndex) Word("cf", format.colorIndex);
    if (format.highlightIndex) Word("highlight", format.highlightIndex);
  }

  void WriteItem(const TRtfInline& item) {
    out_ += '{';
    const std::size_t before = out_.size();
    WriteCharFormat(item.format);
    switch (item.kind) {
      case TRtfInlineKind::ikText:
        if (out_.size() != before) out_ += ' ';
        WriteText(item.text);
        break;
      case TRtfInlineKind::ikTab:
        Word("tab");
        break;
      case TRtfInlineKind::ikLineBreak:
        Word("line");
        break;
      case TRtfInlineKind::ikPageBreak:
        Word("page");
        break;
      case TRtfInlineKind::ikPicture:
        if (const TRtfPicture* picture = doc_.PictureAt(item.pictureIndex)) {
          if (picture->IsObject()) {
            WriteObject(*picture);
          } else {
            WritePicture(*picture);
          }
        }
        break;
    }
    out_ += '}';
  }

  void WriteHex(const std::vector<std::uint8_t>& data) {
    static constexpr char kHex[] = "0123456789abcdef";
    out_.reserve(out_.size() + data.size() * 2 + data.size() / 64 + 4);
    for (std::size_t i = 0; i < data.size(); ++i) {
      if (i % 64 == 0) out_ += '\n';
      out_ += kHex[data[i] >> 4];
      out_ += kHex[data[i] & 15];
    }
  }

  // An embedded object: its class, name and bytes, and the picture that shows it as the result.
  void WriteObject(const TRtfPicture& picture) {
    out_ += "{\\object\\objemb";
    Word("objw", picture.DisplayWidth());
    Word("objh", picture.DisplayHeight());
    out_ += "{\\*\\objclass ";
    WriteText(picture.object.className);
    out_ += '}';
    if (!picture.object.name.empty()) {
      out_ += "{\\*\\objname ";
      WriteText(picture.object.name);
      out_ += '}';
    }
    out_ += "{\\*\\objdata";
    WriteHex(picture.object.data);
    out_ += "}{\\result ";
    WritePicture(picture);
    out_ += "}}";
  }

  void WritePicture(const TRtfPicture& picture) {
    out_ += "{\\pict";
    switch (picture.kind) {
      case TRtfPictureKind::pkUnknown:
        break;
      case TRtfPictureKind::pkPng:
        Word("pngblip");
        break;
      case TRtfPictureKind::pkJpeg:
        Word("jpegblip");
        break;
      case TRtfPictureKind::pkEmf:
        Word("emfblip");
        break;
      case TRtfPictureKind::pkWmf:
        Word("wmetafile", picture.kindParameter);
        break;
      case TRtfPictureKind::pkDib:
        Word("dibitmap", picture.kindParameter);
        break;
      case TRtfPictureKind::pkBitmap:
        Word("wbitmap", picture.kindParameter);
        break;
    }
    Word("picw", picture.width);
    Word("pich", picture.height);
    Word("picwgoal", picture.goalWidth);
    Word("pichgoal", picture.goalHeight);
    if (picture.scaleX != 100) Word("picscalex", picture.scaleX);
    if (picture.scaleY != 100) Word("picscaley", picture.scaleY);
    WriteHex(picture.data);
    out_ += '}';
  }

  void WriteUnicodeUnit(char32_t unit) {
    // \u takes a signed 16-bit number.
    const int value = unit > 0x7FFF ? static_cast<int>(unit) - 0x10000 : static_cast<int>(unit);
    Word("u", value);
    out_ += '?';
  }

  // `fontName`: a ";" would end the name, so it is written as an escaped byte.
  void WriteText(const std::string& text, bool fontName = false) {
    std::size_t pos = 0;
    while (pos < text.size()) {
      const char c = text[pos];
      if (fontName && c == ';') {
        out_ += "\\'3b";
        ++pos;
        continue;
      }
      if (c >= 0x20 && c < 0x7F) {
        if (c == '\\' || c == '{' || c == '}') out_ += '\\';
        out_ += c;
        ++pos;
        continue;
      }
      const char32_t cp = DecodeUtf8(text, pos);
      if (cp == '\t') {
        out_ += "\\tab ";
      } else if (cp == '\n' || cp == 0x2028 || cp == 0x2029) {
        out_ += "\\line ";
      } else if (cp < 0x20 || cp == 0x7F) {
        // Control characters carry nothing in a document.
      } else if (cp > 0xFFFF) {
        WriteUnicodeUnit(0xD800 + ((cp - 0x10000) >> 10));
        WriteUnicodeUnit(0xDC00 + ((cp - 0x10000) & 0x3FF));
      } else {
        WriteUnicodeUnit(cp);
      }
    }
  }

  const TRtfDocument& doc_;
  std::string out_;
};

}  // namespace

std::string WriteRtf(const TRtfDocument& document) {
  return TRtfWriter(document).Write();
}
