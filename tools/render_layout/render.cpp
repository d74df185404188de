#include "render.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <memory>

#include "core/exceptions.h"
#include "core/layout/layout_parser.h"
#include "core/layout/layout_reader.h"
#include "core/rtti.h"
#include "gui/forms/application.h"

namespace {

// The component's rectangle in the client coordinates of Form.
TRect RectInForm(const TControl& Control, const TCustomForm& Form) {
  TRect r = Control.BoundsRect();
  for (const TWinControl* p = Control.Parent(); p != nullptr && p != &Form; p = p->Parent())
    r = r.Offset(p->Left(), p->Top());
  return r;
}

}  // namespace

void RenderLayout(const TRenderRequest& Request) {
  const std::unique_ptr<TLayoutEntry> top = ParseLayout(Request.LayoutText, Request.LayoutName);
  const TClassInfo* cls = TClassRegistry::Find(top->ClassName);
  if (cls == nullptr || !cls->Create) throw EInvalidArgument("unknown window class " + top->ClassName);
  if (!cls->InheritsFrom(TCustomForm::StaticClassInfo())) {
    throw EInvalidArgument(top->ClassName + " is not a window class");
  }
  std::unique_ptr<TCustomForm> form(static_cast<TCustomForm*>(cls->Create(nullptr)));
  TLayoutReader::ReadInto(*form, Request.LayoutText, Request.LayoutName);

  // A window that is shown but never reaches the screen, so every child takes part.
  QWidget* widget = form->Widget();
  widget->setAttribute(Qt::WA_DontShowOnScreen);
  form->Show();
  QApplication::processEvents();
  QImage image = widget->grab().toImage();

  TRect area = Rect(0, 0, image.width(), image.height());
  if (!Request.Component.empty()) {
    auto* control = dynamic_cast<TControl*>(form->FindComponent(Request.Component));
    if (control == nullptr) {
      throw EInvalidArgument(Request.LayoutName + " has no control named " + Request.Component);
    }
    area = RectInForm(*control, *form);
  }
  const QImage part = image.copy(area.Left, area.Top, area.Width(), area.Height());
  if (!part.save(QString::fromStdString(Request.OutputFile), "PNG")) {
    throw EFCreateError("Cannot create file \"" + Request.OutputFile + "\".");
  }
}
