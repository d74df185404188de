#include "gui/forms/snapshot.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "gui/forms/form.h"

namespace {

// The control's rectangle in the coordinates of Form's widget (below its menu bar).
TRect RectInForm(const TControl& Control, const TCustomForm& Form) {
  TRect r = Control.BoundsRect();
  for (const TWinControl* p = Control.Parent(); p != nullptr && p != &Form; p = p->Parent())
    r = r.Offset(p->Left(), p->Top());
  return r.Offset(Form.ClientOffset().X, Form.ClientOffset().Y);
}

}  // namespace

TBytes SnapshotForm(TCustomForm& Form, const TControl* Control) {
  QWidget* widget = Form.Widget();
  if (!widget->isVisible()) {
    widget->setAttribute(Qt::WA_DontShowOnScreen);
    Form.Show();
  }
  QApplication::processEvents();
  QImage image = widget->grab().toImage();
  if (Control != nullptr) {
    const TRect r = RectInForm(*Control, Form);
    image = image.copy(r.Left, r.Top, r.Width(), r.Height());
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return TBytes(bytes.begin(), bytes.end());
}
