#include "richtext/editor/content_files.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/exceptions.h"
#include "core/format.h"
#include "core/streams.h"
#include "richtext/controls/richtext_strings.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/controls/ww_rich_edit_strings.h"

namespace {

// Whether the first bytes of a file look like RTF, or like text (no NUL byte).
bool LooksLikeText(const std::string& FileName) {
  std::ifstream in(FileName, std::ios::binary);
  char head[4096];
  in.read(head, sizeof head);
  const std::streamsize n = in.gcount();
  if (n >= 5 && std::string_view(head, 5) == "{\\rtf") return true;
  return std::find(head, head + n, '\0') == head + n;
}

}  // namespace

void CheckEditableFile(const std::string& FileName) {
  TFileStream probe(FileName, fmOpenRead);
  if (probe.Size() > int64_t{kMaxEditableFileMegabytes} << 20)
    throw EFOpenError(Format(LoadResString(SRichEditTooLarge), FileName, kMaxEditableFileMegabytes));
  if (!LooksLikeText(FileName)) throw EFOpenError(Format(LoadResString(SRichEditNotText), FileName));
}

void LoadEditableFile(TwwCustomRichEdit& Control, const std::string& FileName) {
  CheckEditableFile(FileName);
  Control.RichEditLines()->LoadContentFile(FileName);
}

void SaveContentFileReplacing(TwwCustomRichEdit& Control, const std::string& FileName) {
  namespace fs = std::filesystem;
  const fs::path target(FileName);
  // The temporary name keeps the extension: it picks the conversion.
  const fs::path temporary = target.parent_path() / ("." + target.stem().string() + "-" +
                                                     std::to_string(getpid()) + target.extension().string());
  try {
    Control.RichEditLines()->SaveContentFile(temporary.string());
  } catch (const EFCreateError& e) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    // The user chose the file, not the temporary beside it: the message names theirs.
    std::string message = e.Message();
    const std::string hidden = temporary.string();
    if (const size_t at = message.find(hidden); at != std::string::npos)
      message.replace(at, hidden.size(), FileName);
    throw EFCreateError(message);
  } catch (...) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw;
  }
  std::error_code error;
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    throw EFCreateError(Format("Cannot create file \"%s\". %s", FileName, error.message()));
  }
}
