#pragma once

// Our reader of RTF into a QTextDocument (Qt has none), for what report templates use:
// character and paragraph formatting, font and colour tables, Windows-1252 text and \uN.
// Destinations it does not show (\info, \stylesheet, \pict, {\* ...}) are skipped. Any input
// loads: nesting is capped, numbers are clamped, a truncated or unbalanced file shows what
// was read.

#include <QByteArray>

class QTextDocument;

namespace velmaro {

// Replaces the document's content with the RTF in bytes, which the document keeps for saving.
// A run of like paragraphs with no space between them is held as the lines of a few shared
// blocks: it lays out and prints the same, and a long listing costs far less memory.
void ReadRtf(QTextDocument &document, const QByteArray &bytes);

// As the report view loads its buffer: RTF when the bytes start as RTF, else plain
// Windows-1252 text.
void LoadReportDocument(QTextDocument &document, const QByteArray &bytes);

bool LooksLikeRtf(QByteArrayView bytes);

} // namespace velmaro
