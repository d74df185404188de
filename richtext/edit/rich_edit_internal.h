#pragma once
// Helpers shared by the parts of the edit layer. Internal to richtext/edit.

#include <QMimeData>
#include <QTextCharFormat>
#include <QTextDocument>
#include <string>

#include "gui/qt/qt_convert.h"
#include "richtext/edit/rich_edit_box.h"
#include "rtf_document.h"
#include "rtf_plain_text.h"
#include "rtf_qt.h"
#include "rtf_reader.h"
#include "rtf_writer.h"

// Our own property of character formats: the text is protected (TRichCharFormat::Protected).
inline constexpr int kRichProtectedProperty = QTextFormat::UserProperty + 0x5300;
// Our own property of character formats: the text is drawn in the window-text colour whatever the
// default format's colour is (the colour it carries is that colour as it was when set).
inline constexpr int kRichAutoColorProperty = QTextFormat::UserProperty + 0x5301;

// Makes Qt draw the families that RTF and layouts name ("MS Sans Serif") with the same installed
// family the framework uses for them. Runs once.
void RegisterRichFontSubstitutes();

// The whole text, CR LF between paragraphs.
std::string PlainTextOf(const QTextDocument& Document);
// Replaces the box's whole content with the model, clears the undo history and puts the caret at
// the start. Text without a style of its own takes the default format's.
void ReplaceContent(TRichEditBox& Box, TRtfDocument Model);

// Whether any character from Start to End is protected; for an insertion (Start == End), whether
// the text it joins is.
bool RangeProtected(const QTextDocument& Document, int Start, int End);

TClipboardKind ClipboardKindOf(const QString& MimeType);
bool HasRtf(const QMimeData& Data);
std::string RtfOf(const QMimeData& Data);
