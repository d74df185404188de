#include "platform/help/fuzz/help_fuzz_body.h"

#include <exception>
#include <string_view>

#include "core/exceptions.h"
#include "platform/help/help_file.h"

namespace {

std::size_t Count(std::string_view Text, std::string_view Part) {
  std::size_t n = 0;
  for (std::size_t at = Text.find(Part); at != std::string_view::npos; at = Text.find(Part, at + Part.size()))
    ++n;
  return n;
}

// What the HTML of a topic holds besides the tags the viewer writes must be escaped text, and its
// bold marks must pair up.
std::string CheckHtml(const std::string& Html) {
  if (Count(Html, "<b>") != Count(Html, "</b>")) return "unpaired bold tags in: " + Html;
  if (Count(Html, "<ul>") != Count(Html, "</ul>")) return "unpaired list tags in: " + Html;
  std::string text = Html;
  for (std::string_view tag :
       {"<h2>", "</h2>", "<ul>", "</ul>", "<li>", "</li>", "<p>", "</p>", "<b>", "</b>"}) {
    for (std::size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at))
      text.erase(at, tag.size());
  }
  if (text.find_first_of("<>") != std::string::npos) return "unescaped text in: " + Html;
  return {};
}

}  // namespace

std::string CheckHelpInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  THelpFile file;
  try {
    file = ParseHelpFile(text, "fuzz.hlp");
  } catch (const EReadError&) {
    return {};  // refused with a clear message: what a malformed file should get
  } catch (const std::exception& e) {
    return std::string("an error other than a read error: ") + e.what();
  }
  for (const THelpTopic& topic : file.Topics) {
    if (std::string fault = CheckHtml(TopicToHtml(topic)); !fault.empty()) return fault;
  }
  return {};
}
