#include "rtf_bench_document.h"

#include <random>

namespace {

const char* const kWords[] = {"question",   "answer",   "planet",  "river",    "Mercury", "the",
                              "of",         "and",      "capital", "mountain", "ocean",   "century",
                              "painter",    "a",        "is",      "which",    "largest", "smallest",
                              "discovered", "language", "Everest", "Nile",     "1969",    "quiz"};

// A small PNG as hexadecimal, the way pictures are embedded.
const char kPictureHex[] =
    "89504e470d0a1a0a0000000d4948445200000010000000100802000000909168360000001d49444154789c63fcff"
    "ff3f0335c0c4400a30a2d40e0320c318a8a8000052ef1ff1e0e1a6d90000000049454e44ae426082";

}  // namespace

std::string GenerateBenchDocument(std::size_t bytes) {
  std::mt19937 random(42);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  std::string rtf;
  rtf.reserve(bytes + 4096);
  rtf +=
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
      "{\\f1\\froman\\fcharset0 Times New Roman;}{\\f2\\fmodern\\fcharset0 Courier New;}"
      "{\\f3\\fswiss\\fcharset238 Arial CE;}{\\f4\\fnil\\fcharset2 Symbol;}}\n"
      "{\\colortbl "
      ";\\red192\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;\\red255\\green255\\blue0;}\n"
      "{\\*\\generator Bench;}\\viewkind4\\uc1\n";
  int paragraph = 0;
  while (rtf.size() < bytes) {
    ++paragraph;
    rtf += "\\pard";
    switch (pick(5)) {
      case 0:
        rtf += "\\qc";
        break;
      case 1:
        rtf += "\\qj\\li360\\ri360";
        break;
      case 2:
        rtf += "\\fi-360\\li720\\tx720";
        break;
      case 3:
        rtf += "\\sb120\\sa120\\sl360\\slmult1";
        break;
      default:
        break;
    }
    if (paragraph % 7 == 0)
      rtf += "{\\pntext\\f4\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf4\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li720";
    if (paragraph % 11 == 0) rtf += "\\tx1440\\tqr\\tx5760";
    rtf += "\\plain\\f" + std::to_string(pick(4)) + "\\fs" + std::to_string(18 + 2 * pick(6)) + ' ';
    const int runs = 3 + pick(8);
    for (int r = 0; r < runs; ++r) {
      switch (pick(9)) {
        case 0:
          rtf += "{\\b ";
          break;
        case 1:
          rtf += "{\\i ";
          break;
        case 2:
          rtf += "{\\ul\\cf3 ";
          break;
        case 3:
          rtf += "{\\cf" + std::to_string(1 + pick(3)) + ' ';
          break;
        case 4:
          rtf += "{\\highlight4 ";
          break;
        case 5:
          rtf += "{\\f" + std::to_string(pick(3)) + "\\fs" + std::to_string(16 + 2 * pick(10)) + ' ';
          break;
        default:
          rtf += "{";
          break;
      }
      const int words = 2 + pick(12);
      for (int w = 0; w < words; ++w) {
        rtf += kWords[pick(static_cast<int>(std::size(kWords)))];
        switch (pick(40)) {
          case 0:
            rtf += " caf\\'e9";
            break;
          case 1:
            rtf += " \\u8364?";
            break;
          case 2:
            rtf += "\\tab ";
            break;
          case 3:
            rtf += "\\line ";
            break;
          case 4:
            rtf += " \\{x\\}";
            break;
          default:
            break;
        }
        rtf += ' ';
      }
      rtf += '}';
    }
    if (paragraph % 13 == 0) {
      rtf += " {\\field{\\*\\fldinst{HYPERLINK \"https://example.org/" + std::to_string(paragraph) +
             "\"}}{\\fldrslt{\\ul\\cf3 link}}}";
    }
    if (paragraph % 97 == 0) {
      rtf += "{\\pict\\pngblip\\picw16\\pich16\\picwgoal240\\pichgoal240\n";
      rtf += kPictureHex;
      rtf += "}";
    }
    rtf += "\\par\n";
  }
  rtf += "}\n";
  return rtf;
}
