#pragma once
// Pictures of the model as images of a QTextDocument. Internal to the bridge.

#include <QTextDocument>
#include <QTextImageFormat>

#include "rtf_document.h"
#include "rtf_qt_formats.h"

// Adds the picture to the document as an image resource and returns the format that shows it, built on
// the given character format.
QTextImageFormat AddPictureResource(const TRtfPicture& picture, const QTextCharFormat& base,
                                    const TRtfQtUnits& units, QTextDocument& document);

// The picture an image format of the document shows: the model's own picture when the format came from
// AddPictureResource (resized, if it was resized since), else the image resource as PNG. False when the
// format names no image the document has.
bool PictureOfFormat(const QTextImageFormat& format, const QTextDocument& document, const TRtfQtUnits& units,
                     TRtfPicture& picture);
