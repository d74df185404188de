#pragma once
// The bridge between the document model and QTextDocument: loading a model into a document (whole, or
// into a cursor's selection, as streaming in replaces the selection) and reading a document (whole, or a
// selection) back into a model for writing it as RTF or plain text.
//
// What a QTextDocument shows of a model: fonts by name (a missing font falls back to the generic family
// of its kind), sizes in points, text and highlight colours, bold, italic, underline, strike-out, super-
// and subscript, alignment, indents, space before and after, line spacing, tab stops, bullets and
// numbering as lists, pictures (PNG and JPEG; other kinds as a grey placeholder of their size) as image
// resources of the document, hyperlinks as anchors, line breaks, and page breaks as a block that starts a
// new page. The model's own values ride along in user properties of the Qt formats and in properties of
// the document (its font and colour tables, hyperlink targets, default tab width), so that
//   QTextDocumentToModel(document) == model   after   ModelToQTextDocument(model, document)
// for any model the RTF reader makes, with one exception: a model whose only paragraph is empty comes
// back with no paragraphs, as an empty QTextDocument still holds one empty block.

#include <QTextCursor>
#include <QTextDocument>
#include <string>

#include "rtf_document.h"
#include "rtf_qt_formats.h"

// Replaces the document's whole content (and its undo history) with the model.
void ModelToQTextDocument(const TRtfDocument& model, QTextDocument& document,
                          const TRtfQtUnits& units = TRtfQtUnits());

// Inserts the model at the cursor, replacing its selection, as one undo step; the cursor ends after the
// inserted content. The model's first paragraph joins the paragraph at the cursor and takes its
// paragraph format only when more paragraphs follow; its last paragraph joins what followed the cursor.
void InsertModelAt(const TRtfDocument& model, QTextCursor& cursor, const TRtfQtUnits& units = TRtfQtUnits());

// The whole document as a model.
TRtfDocument QTextDocumentToModel(const QTextDocument& document, const TRtfQtUnits& units = TRtfQtUnits());

// The cursor's selection as a model (no paragraphs when nothing is selected). A selection that ends
// just after a paragraph break ends with an empty paragraph, so that inserting it inserts the break.
TRtfDocument QTextSelectionToModel(const QTextCursor& cursor, const TRtfQtUnits& units = TRtfQtUnits());

// The document's text as the control streams plain text out: CR LF between paragraphs.
std::string QTextDocumentToPlainText(const QTextDocument& document);
