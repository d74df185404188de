// Embedded objects: pictures inserted from files, files carried whole (packages) shown as an icon
// with their name, the object the selection is, and what a drop does.

#include <QBuffer>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QTextCursor>

#include "richtext/edit/rich_edit_internal.h"

namespace {

// A picture wider or taller than this is scaled down as it is inserted: the document keeps what
// a page can show, not a photograph's every pixel.
constexpr int kMaxPictureSide = 4096;
// Pixels are taken at 96 per inch.
constexpr int kTwipsPerPixel = 15;

constexpr int kIconWidth = 120;
constexpr int kIconHeight = 64;

bool IsPictureFormat(const QByteArray& Format) {
  return Format == "png" || Format == "jpeg" || Format == "jpg" || Format == "gif" || Format == "bmp" ||
         Format == "svg" || Format == "svgz";
}

QImage DecodePicture(const std::string& Bytes) {
  QByteArray data = QByteArray::fromRawData(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  if (!IsPictureFormat(reader.format())) return {};
  const QSize size = reader.size();
  if (size.isValid() && (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide))
    reader.setScaledSize(size.scaled(kMaxPictureSide, kMaxPictureSide, Qt::KeepAspectRatio));
  // A picture too large for the reader's memory limit comes back null.
  return reader.read();
}

std::vector<std::uint8_t> PngBytes(const QImage& Image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  Image.save(&buffer, "PNG");
  return {png.begin(), png.end()};
}

TRtfPicture PngPicture(const QImage& Image) {
  TRtfPicture picture;
  picture.kind = TRtfPictureKind::pkPng;
  picture.width = Image.width();
  picture.height = Image.height();
  picture.goalWidth = Image.width() * kTwipsPerPixel;
  picture.goalHeight = Image.height() * kTwipsPerPixel;
  picture.data = PngBytes(Image);
  return picture;
}

// A sheet of paper with a folded corner and the file's name under it.
QImage PackageIcon(const QString& FileName) {
  QImage image(kIconWidth, kIconHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF sheet(kIconWidth / 2.0 - 12, 2, 24, 32);
  const double fold = 8;
  QPainterPath outline;
  outline.moveTo(sheet.topLeft());
  outline.lineTo(sheet.right() - fold, sheet.top());
  outline.lineTo(sheet.right(), sheet.top() + fold);
  outline.lineTo(sheet.bottomRight());
  outline.lineTo(sheet.bottomLeft());
  outline.closeSubpath();
  painter.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.2));
  painter.setBrush(QColor(0xF4, 0xF4, 0xF4));
  painter.drawPath(outline);
  painter.drawLine(QPointF(sheet.right() - fold, sheet.top()),
                   QPointF(sheet.right() - fold, sheet.top() + fold));
  painter.drawLine(QPointF(sheet.right() - fold, sheet.top() + fold),
                   QPointF(sheet.right(), sheet.top() + fold));
  for (int i = 0; i < 4; ++i) {
    const double y = sheet.top() + 14 + i * 4.5;
    painter.drawLine(QPointF(sheet.left() + 5, y), QPointF(sheet.right() - 5, y));
  }
  QFont font(QString::fromStdString(ResolveFontFamily("MS Sans Serif", fpDefault)));
  font.setPixelSize(11);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QFontMetrics metrics(font);
  const QString shown = metrics.elidedText(FileName, Qt::ElideMiddle, kIconWidth - 6);
  painter.drawText(QRectF(0, sheet.bottom() + 4, kIconWidth, kIconHeight - sheet.bottom() - 4),
                   Qt::AlignHCenter | Qt::AlignTop, shown);
  return image;
}

}  // namespace

bool TRichEditBox::InsertPicture(const std::string& Bytes) {
  const QImage image = DecodePicture(Bytes);
  if (image.isNull()) return false;
  QTextCursor cursor = textCursor();
  if (!ChangeAllowed(cursor.selectionStart(), cursor.selectionEnd())) return false;
  TRtfDocument model;
  model.pictures.push_back(PngPicture(image));
  model.paragraphs.emplace_back();
  AppendItem(model.paragraphs.back(), TRtfInlineKind::ikPicture, TRtfCharFormat(), 0);
  InsertModelAt(model, cursor, TRtfQtUnits());
  setTextCursor(cursor);
  return true;
}

void TRichEditBox::InsertPackage(const std::string& FileName, const std::string& Bytes) {
  QTextCursor cursor = textCursor();
  if (!ChangeAllowed(cursor.selectionStart(), cursor.selectionEnd())) return;
  const QString name = QFileInfo(QString::fromStdString(FileName)).fileName();
  TRtfPicture face = PngPicture(PackageIcon(name));
  face.object.className = "Package";
  face.object.name = name.toStdString();
  face.object.data.assign(Bytes.begin(), Bytes.end());
  TRtfDocument model;
  model.pictures.push_back(std::move(face));
  model.paragraphs.emplace_back();
  AppendItem(model.paragraphs.back(), TRtfInlineKind::ikPicture, TRtfCharFormat(), 0);
  InsertModelAt(model, cursor, TRtfQtUnits());
  setTextCursor(cursor);
}

int TRichEditBox::ObjectAtScreenPoint(int X, int Y) const {
  const QPoint at = viewport()->mapFromGlobal(QPoint(X, Y));
  return ObjectAt(at.x(), at.y());
}

bool TRichEditBox::SelectedObject(TRichEmbeddedObject& Object) const {
  const QTextCursor cursor = textCursor();
  if (cursor.selectionEnd() - cursor.selectionStart() != 1) return false;
  if (document()->characterAt(cursor.selectionStart()) != QChar::ObjectReplacementCharacter) return false;
  const TRtfDocument model = QTextSelectionToModel(cursor, TRtfQtUnits());
  if (model.pictures.size() != 1) return false;
  const TRtfPicture& picture = model.pictures.front();
  if (picture.IsObject()) {
    Object.ClassName = picture.object.className;
    Object.Name = picture.object.name;
    Object.Data.assign(picture.object.data.begin(), picture.object.data.end());
    return true;
  }
  Object.ClassName.clear();
  if (picture.kind == TRtfPictureKind::pkPng || picture.kind == TRtfPictureKind::pkJpeg) {
    Object.Name = picture.kind == TRtfPictureKind::pkPng ? "picture.png" : "picture.jpg";
    Object.Data.assign(picture.data.begin(), picture.data.end());
    return true;
  }
  // Kinds that are not shown are kept as they came; what is shown of them is a PNG.
  const QTextCharFormat format = [&]() {
    QTextCursor at(document());
    at.setPosition(cursor.selectionStart() + 1);
    return at.charFormat();
  }();
  const QImage shown =
      document()->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name())).value<QImage>();
  const std::vector<std::uint8_t> png = PngBytes(shown);
  Object.Name = "picture.png";
  Object.Data.assign(png.begin(), png.end());
  return !png.empty();
}

Qt::DropAction TRichEditBox::DropActionFor(Qt::KeyboardModifiers Modifiers, Qt::DropActions Allowed,
                                           Qt::DropAction Proposed) {
  // Ctrl and Shift together would link; an embedded copy is the nearest thing here.
  const Qt::DropAction wanted = Modifiers.testFlag(Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
  return Allowed.testFlag(wanted) ? wanted : Proposed;
}

void TRichEditBox::dragMoveEvent(QDragMoveEvent* E) {
  QTextEdit::dragMoveEvent(E);
  if (!E->isAccepted()) return;
  E->setDropAction(DropActionFor(E->modifiers(), E->possibleActions(), E->proposedAction()));
  E->accept();
}

void TRichEditBox::dropEvent(QDropEvent* E) {
  const Qt::DropAction action = DropActionFor(E->modifiers(), E->possibleActions(), E->proposedAction());
  // The text control removes a moved selection of this box itself before inserting.
  E->setDropAction(action);
  QTextEdit::dropEvent(E);
  if (!E->isAccepted()) return;
  // It accepted the drag's own proposal; the source learns what really happened.
  E->setDropAction(action);
  E->accept();
}
