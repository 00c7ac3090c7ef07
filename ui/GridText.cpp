#include "GridText.h"

#include "NumberText.h"
#include "ResultGrid.h"

#include <string>

namespace velmaro {

namespace {

constexpr const char *kCsvLineEnd = "\r\n";

// A field holding a comma, a quote or a line break is quoted, its quotes doubled.
std::string CsvField(const QString &text)
{
    const std::string field = text.toStdString();
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

QString GridCopyText(const ResultGridModel &cells)
{
    QString text;
    for (int row = 0; row < cells.RowCount(); ++row) {
        for (int column = 0; column < cells.columnCount(); ++column) {
            if (column > 0)
                text += QLatin1Char('\t');
            text += cells.Cell(column, row);
        }
        text += QLatin1Char('\n');
    }
    return text;
}

QByteArray GridCsv(const ResultGridModel &cells)
{
    const int columns = cells.columnCount();
    std::string csv;
    // About 24 characters a number at most; one reservation spares the regrowth of long tables.
    csv.reserve(static_cast<std::size_t>(cells.RowCount()) * static_cast<std::size_t>(columns) * 24);
    for (int column = 0; column < columns; ++column) {
        if (column > 0)
            csv += ',';
        csv += CsvField(cells.CsvHeading(column));
    }
    csv += kCsvLineEnd;
    for (int row = 1; row < cells.RowCount(); ++row) {
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                csv += ',';
            if (const auto value = cells.ShownValue(column, row))
                csv += ShortestText(*value);
        }
        csv += kCsvLineEnd;
    }
    return QByteArray::fromStdString(csv);
}

} // namespace velmaro
