#pragma once
// The model's font and colour tables, hyperlink targets and default tab width, kept as properties of a
// QTextDocument between loading a model and reading it back. Internal to the bridge.

#include <QTextDocument>

#include "rtf_document.h"

// A document with the tables of the given one and no paragraphs.
TRtfDocument TablesOf(const TRtfDocument& model);

// The tables kept with the document (none for a document this bridge did not load).
TRtfDocument LoadTables(const QTextDocument& document);
void StoreTables(const TRtfDocument& tables, QTextDocument& document);
