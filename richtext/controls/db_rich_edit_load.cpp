// Loading the bound blob into the control, and copying content to another control.

#include "core/exceptions.h"
#include "core/format.h"
#include "data/fields/blob_field.h"
#include "data/links/field_data_link.h"
#include "gui/forms/screen.h"
#include "richtext/controls/db_rich_edit.h"
#include "richtext/controls/rich_memory_stream.h"
#include "richtext/controls/richtext_strings.h"
#include "richtext/controls/ww_rich_edit_strings.h"
#include "richtext/edit/rich_edit_box.h"

namespace {

// A blob this long takes more than a frame to show: the hourglass says so while it loads.
constexpr int64_t kLongLoadBytes = 128 * 1024;

// While a blob loads, every change of protected text is allowed: the blob replaces it all.
class TRichProtectClass {
 public:
  TRichEditProtectChange Handler() {
    return [](TObject*, int, int, bool& AllowChange) { AllowChange = true; };
  }
};

// Puts the control's protected-change handler, its InternalUpdate and the screen cursor back,
// whatever happens.
class TLoadScope {
 public:
  explicit TLoadScope(TwwDBRichEdit& Control)
      : Control_(Control),
        Quiet_(Control),
        Cursor_(Screen != nullptr ? Screen->Cursor() : crDefault),
        Protect_(std::move(Control.OnProtectChange)) {
    Control.OnProtectChange = Helper_.Handler();
  }
  ~TLoadScope() {
    RestoreProtect();
    if (Screen != nullptr) Screen->SetCursor(Cursor_);
  }
  void RestoreProtect() {
    if (Restored_) return;
    Control_.OnProtectChange = std::move(Protect_);
    Restored_ = true;
  }

 private:
  TwwDBRichEdit& Control_;
  TInternalUpdateScope Quiet_;
  TCursor Cursor_;
  TRichProtectClass Helper_;
  TRichEditProtectChange Protect_;
  bool Restored_ = false;
};

}  // namespace

void TwwDBRichEdit::LoadFieldContent() {
  auto* blob = dynamic_cast<TBlobField*>(GetBoundField());
  if (blob == nullptr || ContentLoaded_) return;
  {
    TLoadScope scope(*this);
    ContentLoaded_ = true;
    try {
      TwwRichMemoryStream stream;
      blob->CopyToStream(stream);
      if (stream.Size() > kLongLoadBytes && Screen != nullptr) Screen->SetCursor(crHourGlass);
      stream.SetPosition(0);
      RichEditLines()->Clear();
      RichEditLines()->LoadContent(stream);
      scope.RestoreProtect();
      if (stream.Size() == 0) {
        // An empty or NULL blob: an empty control that starts plainly.
        ParagraphFormat()->SetNumbering(nsNone);
        ParagraphFormat()->SetAlignment(taLeftJustify);
        DefaultFormat()->SetColor(clBlack);
      }
    } catch (const EOutOfResources& e) {
      scope.RestoreProtect();
      SetText(Format(LoadResString(SRichEditPlaceholder), e.Message()));
    }
  }
  HandleEditingChange();
  SetModified(false);
}

void TwwDBRichEdit::CopyContentTo(TwwCustomRichEdit* Target) {
  auto* blob = dynamic_cast<TBlobField*>(GetBoundField());
  if (blob == nullptr || ContentLoaded_) {
    TwwCustomRichEdit::CopyContentTo(Target);
    return;
  }
  // Not shown yet: the target reads the blob itself.
  TCursorScope wait(crHourGlass);
  TwwRichMemoryStream stream;
  blob->CopyToStream(stream);
  stream.SetPosition(0);
  Target->RichEditLines()->Clear();
  Target->RichEditLines()->LoadContent(stream);
}
