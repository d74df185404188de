// The readable markup of quiz texts, turned into RTF.
//
//   = A title line                  a title paragraph (bold, 12 pt); other paragraphs are 10 pt
//   **bold** //italic// __underline__ {red|coloured words}
//   \x                              the character x itself (for a literal *, /, _, {, } or \)
//
// Colours: red, green, blue, navy, maroon, purple, teal, olive, gray, black. Each line is one paragraph;
// an empty line is an empty paragraph. Spans nest but must close on the line that opens them.
#pragma once

#include <string>
#include <vector>

// The RTF document for the lines of a block. Throws EQuizError "<where>:<line>: <problem>", with the line
// number firstLine + the index of the offending line.
std::string MarkupToRtf(const std::vector<std::string>& lines, const std::string& where, int firstLine);
