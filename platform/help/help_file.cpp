#include "platform/help/help_file.h"

#include <algorithm>

#include "core/exceptions.h"
#include "core/text.h"

namespace {

std::string Escape(std::string_view Text) {
  std::string out;
  for (char c : Text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Escapes the text and turns each **...** pair into bold; an unpaired mark stays as it is.
std::string Inline(std::string_view Text) {
  std::string out;
  size_t pos = 0;
  for (;;) {
    const size_t open = Text.find("**", pos);
    const size_t close = open == std::string_view::npos ? open : Text.find("**", open + 2);
    if (close == std::string_view::npos) {
      out += Escape(Text.substr(pos));
      return out;
    }
    out += Escape(Text.substr(pos, open - pos));
    out += "<b>" + Escape(Text.substr(open + 2, close - open - 2)) + "</b>";
    pos = close + 2;
  }
}

}  // namespace

THelpFile ParseHelpFile(std::string_view Text, std::string_view Name) {
  THelpFile file;
  int lineNo = 0;
  bool header = false;
  bool inParagraph = false;
  size_t pos = 0;
  auto fail = [&](const std::string& What) {
    throw EReadError(std::string(Name) + ", line " + std::to_string(lineNo) + ": " + What);
  };
  while (pos <= Text.size()) {
    size_t end = Text.find('\n', pos);
    if (end == std::string_view::npos) end = Text.size();
    const std::string_view line = TrimRight(Text.substr(pos, end - pos));
    pos = end + 1;
    ++lineNo;
    if (!header) {
      if (line.empty() || line.front() == '#') continue;
      if (line != "help 1") fail("a help file starts with the line \"help 1\"");
      header = true;
      continue;
    }
    if (!line.empty() && line.front() == '#') continue;
    if (line.find_first_not_of(' ') == std::string_view::npos) {
      inParagraph = false;
      continue;
    }
    if (line.rfind("title:", 0) == 0 && file.Topics.empty()) {
      file.Title = std::string(line.substr(line.find_first_not_of(' ', 6) == std::string_view::npos
                                               ? line.size()
                                               : line.find_first_not_of(' ', 6)));
      continue;
    }
    if (line.rfind("= ", 0) == 0) {
      file.Topics.push_back(THelpTopic{std::string(line.substr(2)), {}});
      inParagraph = false;
      continue;
    }
    if (file.Topics.empty()) fail("text before the first topic (a line starting \"= \")");
    auto& blocks = file.Topics.back().Blocks;
    if (line.rfind("- ", 0) == 0) {
      blocks.push_back({THelpBlock::TKind::Bullet, std::string(line.substr(2))});
      inParagraph = false;
      continue;
    }
    // An indented line after a list item carries on that item.
    const bool continuesItem =
        !blocks.empty() && blocks.back().Kind == THelpBlock::TKind::Bullet && line.front() == ' ';
    if (inParagraph || continuesItem) {
      blocks.back().Text += ' ';
      blocks.back().Text += line.substr(line.find_first_not_of(' '));
    } else {
      blocks.push_back({THelpBlock::TKind::Paragraph, std::string(line)});
      inParagraph = true;
    }
  }
  if (!header) fail("empty help file");
  if (file.Topics.empty()) fail("a help file needs at least one topic");
  return file;
}

std::string TopicToHtml(const THelpTopic& Topic) {
  std::string html = "<h2>" + Escape(Topic.Title) + "</h2>\n";
  bool inList = false;
  for (const THelpBlock& block : Topic.Blocks) {
    const bool bullet = block.Kind == THelpBlock::TKind::Bullet;
    if (bullet && !inList) html += "<ul>\n";
    if (!bullet && inList) html += "</ul>\n";
    inList = bullet;
    html += bullet ? "<li>" + Inline(block.Text) + "</li>\n" : "<p>" + Inline(block.Text) + "</p>\n";
  }
  if (inList) html += "</ul>\n";
  return html;
}

bool TopicMatches(const THelpTopic& Topic, std::string_view Words) {
  const std::string needle = LowerCase(Words);
  if (needle.empty()) return true;
  if (LowerCase(Topic.Title).find(needle) != std::string::npos) return true;
  return std::any_of(Topic.Blocks.begin(), Topic.Blocks.end(), [&](const THelpBlock& b) {
    return LowerCase(b.Text).find(needle) != std::string::npos;
  });
}
