#include "rtf_qt_pictures.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QUrl>
#include <QVariantList>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>

namespace {

constexpr int kMaxDisplayTwips = 31680;  // 22 inches
constexpr int kPlaceholderTwips = 480;   // a picture that states no size at all

// The size a picture is shown at, in pixels; empty when it states none (the image's own size then).
QSizeF DisplayPixels(const TRtfPicture& picture, const TRtfQtUnits& units) {
  const int width = std::min(picture.DisplayWidth(), kMaxDisplayTwips);
  const int height = std::min(picture.DisplayHeight(), kMaxDisplayTwips);
  if (width <= 0 || height <= 0) return {};
  return QSizeF(units.ToPixels(width), units.ToPixels(height));
}

// A grey box with a frame and a cross, for the kinds of picture that are not shown.
QImage Placeholder(QSize size) {
  QImage image(size.expandedTo(QSize(2, 2)), QImage::Format_RGB32);
  image.fill(QColor(0xE8, 0xE8, 0xE8));
  QPainter painter(&image);
  painter.setPen(QColor(0x90, 0x90, 0x90));
  painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
  painter.drawLine(0, 0, image.width() - 1, image.height() - 1);
  painter.drawLine(0, image.height() - 1, image.width() - 1, 0);
  return image;
}

QVariantList MetadataOf(const TRtfPicture& picture) {
  return QVariantList{static_cast<int>(picture.kind),
                      picture.kindParameter,
                      picture.width,
                      picture.height,
                      picture.goalWidth,
                      picture.goalHeight,
                      picture.scaleX,
                      picture.scaleY};
}

QVariantList ObjectOf(const TRtfEmbeddedObject& object) {
  return QVariantList{QString::fromStdString(object.className), QString::fromStdString(object.name),
                      QByteArray(reinterpret_cast<const char*>(object.data.data()),
                                 static_cast<qsizetype>(object.data.size()))};
}

void ReadObject(const QTextImageFormat& format, TRtfPicture& picture) {
  const QVariantList object = format.property(rqpObject).toList();
  if (object.size() != 3) return;
  picture.object.className = object[0].toString().toStdString();
  picture.object.name = object[1].toString().toStdString();
  const QByteArray data = object[2].toByteArray();
  picture.object.data.assign(data.begin(), data.end());
}

}  // namespace

QTextImageFormat AddPictureResource(const TRtfPicture& picture, const QTextCharFormat& base,
                                    const TRtfQtUnits& units, QTextDocument& document) {
  static std::atomic<unsigned long long> serial{0};
  const QString name = QStringLiteral("rtfpicture:%1").arg(++serial);
  const QSizeF size = DisplayPixels(picture, units);

  QImage image;
  if (picture.IsShowable()) {
    image.loadFromData(picture.data.data(),
                       static_cast<int>(std::min<std::size_t>(picture.data.size(), INT_MAX)));
  }
  if (image.isNull()) {
    const QSizeF shown =
        size.isEmpty() ? QSizeF(units.ToPixels(kPlaceholderTwips), units.ToPixels(kPlaceholderTwips)) : size;
    image = Placeholder(shown.toSize());
  }
  document.addResource(QTextDocument::ImageResource, QUrl(name), image);

  QTextImageFormat format;
  format.merge(base);
  format.setName(name);
  if (!size.isEmpty()) {
    format.setWidth(size.width());
    format.setHeight(size.height());
  }
  format.setProperty(rqpPicture, MetadataOf(picture));
  format.setProperty(rqpPictureData, QByteArray(reinterpret_cast<const char*>(picture.data.data()),
                                                static_cast<qsizetype>(picture.data.size())));
  if (picture.IsObject()) format.setProperty(rqpObject, ObjectOf(picture.object));
  return format;
}

bool PictureOfFormat(const QTextImageFormat& format, const QTextDocument& document, const TRtfQtUnits& units,
                     TRtfPicture& picture) {
  const QVariantList meta = format.property(rqpPicture).toList();
  if (meta.size() == 8) {
    picture = TRtfPicture();
    picture.kind = static_cast<TRtfPictureKind>(std::clamp(meta[0].toInt(), 0, 6));
    picture.kindParameter = meta[1].toInt();
    picture.width = meta[2].toInt();
    picture.height = meta[3].toInt();
    picture.goalWidth = meta[4].toInt();
    picture.goalHeight = meta[5].toInt();
    picture.scaleX = meta[6].toInt();
    picture.scaleY = meta[7].toInt();
    const QByteArray data = format.property(rqpPictureData).toByteArray();
    picture.data.assign(data.begin(), data.end());
    const QSizeF size = DisplayPixels(picture, units);
    const bool unchanged = size.isEmpty() ? !format.hasProperty(QTextFormat::ImageWidth)
                                          : std::abs(format.width() - size.width()) < 1e-6 &&
                                                std::abs(format.height() - size.height()) < 1e-6;
    if (!unchanged && format.width() > 0 && format.height() > 0) {
      picture.goalWidth = units.ToTwips(format.width());
      picture.goalHeight = units.ToTwips(format.height());
      picture.scaleX = picture.scaleY = 100;
    }
    ReadObject(format, picture);
    return true;
  }

  const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
  QImage image = resource.value<QImage>();
  if (image.isNull()) image.loadFromData(resource.toByteArray());
  if (image.isNull()) return false;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  picture = TRtfPicture();
  picture.kind = TRtfPictureKind::pkPng;
  picture.width = image.width();
  picture.height = image.height();
  picture.goalWidth = units.ToTwips(format.width() > 0 ? format.width() : image.width());
  picture.goalHeight = units.ToTwips(format.height() > 0 ? format.height() : image.height());
  picture.data.assign(png.begin(), png.end());
  return true;
}
