#include "ui/GridText.h"

#include "text/CsvText.h"
#include "ui/ResultGrid.h"

#include <string>

namespace velmaro {

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
        AppendCsvField(csv, cells.CsvHeading(column).toStdString());
    }
    EndCsvRecord(csv);
    for (int row = 1; row < cells.RowCount(); ++row) {
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                csv += ',';
            if (const auto value = cells.ShownValue(column, row))
                AppendCsvNumber(csv, *value);
        }
        EndCsvRecord(csv);
    }
    return QByteArray::fromStdString(csv);
}

} // namespace velmaro
