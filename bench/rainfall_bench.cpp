// Rainfall series from files: the import preview of a logger's record of 100 000 lines from the
// file until it is laid out and painted, and taking 100 heights, from the text until the series'
// table shows them.

#include "rainfall/RainfallSeriesDialog.h"
#include "rainfall/SeriesImportDialog.h"
#include "rainfall/SeriesReading.h"

#include <QApplication>
#include <QFile>
#include <QListView>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

using namespace velmaro::rainfall;

// Five-minute steps from 1 May 2024 on: "01/05/2024 13:05;0,25".
std::string LoggerRecord(int lines)
{
    std::string text = "Date;Rain [mm]\r\n";
    for (int i = 0; i < lines; ++i) {
        const int minutes = i * 5;
        const int day = 1 + minutes / 1440;
        char line[64];
        std::snprintf(line, sizeof line, "%02d/%02d/2024 %02d:%02d;%d,%02d\r\n", (day - 1) % 28 + 1,
                      5 + (day - 1) / 28, minutes / 60 % 24, minutes % 60, i % 7, i % 100);
        text += line;
    }
    return text;
}

void BM_ImportPreviewOf100000Lines(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("logger.csv");
    QFile file(path);
    const std::string record = LoggerRecord(100000);
    if (!file.open(QIODevice::WriteOnly) || file.write(record.data(), static_cast<qint64>(record.size())) < 0) {
        state.SkipWithError("the record could not be written");
        return;
    }
    file.close();
    for (auto _ : state) {
        SeriesImportDialog preview(ReadSeriesBytes(QFile::encodeName(path).toStdString()), "logger.csv",
                                   ImportTarget{SeriesKind::Partial, 5, 1, "mm"});
        preview.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(preview.grab());
        if (preview.LinesView()->model()->rowCount() != 100001)
            state.SkipWithError("the preview does not show every line");
    }
}
BENCHMARK(BM_ImportPreviewOf100000Lines)->Unit(benchmark::kMillisecond);

// A plain column pastes at once: read, checked and shown in the series' table.
void BM_Take100Heights(benchmark::State &state)
{
    RainfallSeries series;
    series.stepCount = 100;
    RainfallSeriesDialog dialog(series, SeriesDisplay{});
    dialog.show();
    QApplication::processEvents();
    QString columns[2];
    for (int k = 0; k < 100; ++k) {
        columns[0] += QString::number(k * 0.37, 'g', 17) + '\n';
        columns[1] += QString::number(k * 0.41, 'g', 17) + '\n';
    }
    int taken = 0;
    for (auto _ : state) {
        dialog.Table()->setCurrentIndex({});
        if (!dialog.PasteText(columns[taken++ & 1]))
            state.SkipWithError("the heights were not taken");
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Take100Heights)->Unit(benchmark::kMicrosecond);

// The reading alone, as the runner's @FILE does it.
void BM_Read100HeightsWithTimes(benchmark::State &state)
{
    const std::string record = LoggerRecord(100);
    for (auto _ : state) {
        const SeriesSource source(record);
        const ReadingOptions guess = GuessOptions(source, SeriesKind::Partial);
        benchmark::DoNotOptimize(HeightsAs(ReadSeries(source, guess), guess.kind, SeriesKind::Partial));
    }
}
BENCHMARK(BM_Read100HeightsWithTimes)->Unit(benchmark::kMicrosecond);

} // namespace
