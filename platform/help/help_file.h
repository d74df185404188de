#pragma once
// The help file format of this platform: plain UTF-8 text, easy to write by hand.
//
//   help 1
//   title: Brevant Pack Number 2
//   # a comment
//   = How to play                 a line starting "= " opens a topic
//   Words of a paragraph, which   consecutive lines form one paragraph;
//   may run over several lines.   a blank line ends it
//   - a bullet item               a line starting "- " is a list item;
//     carried on when indented    indented lines right after it carry it on
//   **bold** words                **...** marks bold text
//
// Parsing needs no display; the viewer (help_viewer.h) shows a parsed file.

#include <string>
#include <string_view>
#include <vector>

struct THelpBlock {
  enum class TKind { Paragraph, Bullet };
  TKind Kind = TKind::Paragraph;
  std::string Text;  // may hold **bold** marks
};

struct THelpTopic {
  std::string Title;
  std::vector<THelpBlock> Blocks;
};

struct THelpFile {
  std::string Title;
  std::vector<THelpTopic> Topics;
};

// Raises EReadError "<name>, line N: <problem>" for a file that is not in this format.
THelpFile ParseHelpFile(std::string_view Text, std::string_view Name);

// A topic as HTML for the viewer (text escaped, bold marks turned into <b>).
std::string TopicToHtml(const THelpTopic& Topic);

// True when the topic's title or text contains Words (regardless of case).
bool TopicMatches(const THelpTopic& Topic, std::string_view Words);
