// Embedded objects: inserting a picture or a file, and the verbs of the selected one (open a
// temporary copy with the desktop's handler, save a copy).

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/format.h"
#include "core/streams.h"
#include "core/text.h"
#include "gui/dialogs/file_dialog.h"
#include "gui/forms/screen.h"
#include "platform/desktop/desktop_open.h"
#include "richtext/controls/richtext_strings.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

namespace {

// A file larger than this is not carried inside a document.
constexpr int kMaxEmbeddedMegabytes = 32;
constexpr int64_t kMaxEmbeddedBytes = int64_t{kMaxEmbeddedMegabytes} << 20;

bool HasPictureExtension(const std::string& Path) {
  const std::string extension = std::filesystem::path(Path).extension().string();
  for (const char* known : {".png", ".jpg", ".jpeg", ".gif", ".bmp", ".svg", ".svgz"}) {
    if (SameText(extension, known)) return true;
  }
  return false;
}

std::string ReadWholeFile(const std::string& Path) {
  TFileStream file(Path, fmOpenRead);
  const int64_t size = file.Size();
  if (size > kMaxEmbeddedBytes)
    throw EInvalidOperation(Format(LoadResString(SObjectTooLarge), Path, kMaxEmbeddedMegabytes));
  std::string bytes(static_cast<size_t>(size), '\0');
  if (size > 0) file.ReadBuffer(bytes.data(), size);
  return bytes;
}

void WriteWholeFile(const std::string& Path, const std::string& Bytes) {
  TFileStream file(Path, fmCreate);
  if (!Bytes.empty()) file.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
}

// The object's name as a file name of its own: no folders, no control characters, never empty.
// The name comes from the document, which may come from anywhere.
std::string SafeFileName(const std::string& Name) {
  std::string name =
      Name.substr(Name.find_last_of("/\\") == std::string::npos ? 0 : Name.find_last_of("/\\") + 1);
  name.erase(std::remove_if(name.begin(), name.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }),
             name.end());
  if (name.size() > 200) name.erase(0, name.size() - 200);
  if (name.empty() || name == "." || name == "..") name = "object";
  return name;
}

// The folders of the temporary copies opened this run; they go when the program ends.
class TTemporaryCopies {
 public:
  ~TTemporaryCopies() {
    std::error_code ignored;
    for (const std::filesystem::path& folder : Folders_)
      std::filesystem::remove_all(folder, ignored);
  }
  // A new private folder (only this user can look into it).
  std::filesystem::path NewFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "brevant-object-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw EFCreateError(Format(LoadResString(SObjectCannotWrite), pattern));
    Folders_.emplace_back(pattern);
    return Folders_.back();
  }

 private:
  std::vector<std::filesystem::path> Folders_;
};

TTemporaryCopies& TemporaryCopies() {
  static TTemporaryCopies copies;
  return copies;
}

}  // namespace

bool TwwCustomRichEdit::ExecuteInsertObject() {
  if (EffectiveReadOnly() || OleOptions().Contains(reoDisableOLE)) return false;
  TOpenDialog dialog(nullptr);
  dialog.SetTitle(LoadResString(SInsertObjectTitle));
  dialog.SetFilter(LoadResString(SInsertObjectFilter));
  dialog.SetOptions(dialog.Options() + TOpenOptions{ofFileMustExist});
  if (!dialog.Execute()) return false;
  const std::string path = dialog.FileName();
  const std::string bytes = [&]() {
    TCursorScope wait(crHourGlass);
    return ReadWholeFile(path);
  }();
  TRichEditBox* box = EditBox();
  BeginFieldEdit();
  const int at = box->SelStart();
  box->SetSelection(at, at);
  {
    TCursorScope wait(crHourGlass);
    // A picture that cannot be shown (damaged, or too large) is still carried, as a file.
    if (!HasPictureExtension(path) || !box->InsertPicture(bytes)) box->InsertPackage(path, bytes);
  }
  if (CanFocus()) SetFocus();
  const int start = std::max(0, box->SelStart() - 1);
  box->SetSelection(start, start + 1);
  Invalidate();
  return true;
}

void TwwCustomRichEdit::ExecuteObjectVerb(int Position) {
  const int verb = Position == kDefaultObjectVerb ? 0 : Position;
  TRichEmbeddedObject object;
  const bool selected = HandleAllocated() && EditBox()->SelectedObject(object);
  // Every object has the same two verbs: open a copy, save a copy.
  if (!selected || verb < 0 || verb > 1) throw EOleError(LoadResString(SInvalidVerb));
  if (verb == 0) {
    OpenObjectCopy();
  } else {
    SaveObjectCopy();
  }
}

void TwwCustomRichEdit::OpenObjectCopy() {
  TRichEmbeddedObject object;
  if (!EditBox()->SelectedObject(object)) return;
  TCursorScope wait(crHourGlass);
  const std::filesystem::path file = TemporaryCopies().NewFolder() / SafeFileName(object.Name);
  WriteWholeFile(file.string(), object.Data);
  // The copy is the user's to read, never a program to run: no execute permission.
  std::filesystem::permissions(file,
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  if (!OpenFileWithDesktop(file.string()))
    throw EOleError(Format(LoadResString(SObjectCannotOpen), file.filename().string()));
}

void TwwCustomRichEdit::SaveObjectCopy() {
  TRichEmbeddedObject object;
  if (!EditBox()->SelectedObject(object)) return;
  TSaveDialog dialog(nullptr);
  dialog.SetFileName(SafeFileName(object.Name));
  dialog.SetOptions(dialog.Options() + TOpenOptions{ofOverwritePrompt});
  if (!dialog.Execute()) return;
  TCursorScope wait(crHourGlass);
  WriteWholeFile(dialog.FileName(), object.Data);
}
