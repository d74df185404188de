#include "render.h"

#include <memory>

#include "core/exceptions.h"
#include "core/layout/layout_parser.h"
#include "core/layout/layout_reader.h"
#include "core/rtti.h"
#include "core/streams.h"
#include "gui/forms/form.h"
#include "gui/forms/snapshot.h"

void RenderLayout(const TRenderRequest& Request) {
  const std::unique_ptr<TLayoutEntry> top = ParseLayout(Request.LayoutText, Request.LayoutName);
  const TClassInfo* cls = TClassRegistry::Find(top->ClassName);
  if (cls == nullptr || !cls->Create) throw EInvalidArgument("unknown window class " + top->ClassName);
  if (!cls->InheritsFrom(TCustomForm::StaticClassInfo())) {
    throw EInvalidArgument(top->ClassName + " is not a window class");
  }
  std::unique_ptr<TCustomForm> form(static_cast<TCustomForm*>(cls->Create(nullptr)));
  TLayoutReader::ReadInto(*form, Request.LayoutText, Request.LayoutName);
  const TControl* control = nullptr;
  if (!Request.Component.empty()) {
    control = dynamic_cast<TControl*>(form->FindComponent(Request.Component));
    if (control == nullptr) {
      throw EInvalidArgument(Request.LayoutName + " has no control named " + Request.Component);
    }
  }
  const TBytes png = SnapshotForm(*form, control);
  TFileStream out(Request.OutputFile, fmCreate);
  out.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
}
