#pragma once

// A result grid's whole table as text for other programs: tab-separated for the clipboard, CSV
// for files. Built from the grid's model alone, so no widget is needed.

#include <QByteArray>
#include <QString>

namespace velmaro {

class ResultGridModel;

// The heading row, then every row as the grid shows it; cells split by tabs, rows by newlines.
QString GridCopyText(const ResultGridModel &cells);

// RFC 4180 CSV in UTF-8: a header naming each column with its unit ("time [h]"), then every row
// with each number written as the shortest text that reads back to the same double.
QByteArray GridCsv(const ResultGridModel &cells);

} // namespace velmaro
