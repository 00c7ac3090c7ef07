// Studies: opening one of 100 steps until the window shows it with the chain run, saving it, and
// the text alone both ways.

#include "engine/ModelState.h"
#include "study/Study.h"
#include "text/FieldText.h"
#include "text/MachineText.h"
#include "ui/MainFormVelmaro.h"
#include "ui/ResultGrid.h"
#include "ui/StudyActions.h"

#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using velmaro::TMainFormVelmaro;

// Two studies of 100 steps that differ in every height, so that each opening changes the window.
struct TwoStudies {
    QTemporaryDir folder;
    QString paths[2];

    TwoStudies()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
        for (int k = 0; k < 2; ++k) {
            velmaro::study::Study study = velmaro::study::DefaultStudy();
            study.inputs.StepCount = velmaro::kSeriesSlots;
            for (int step = 1; step <= velmaro::kSeriesSlots; ++step)
                study.inputs.EnteredPartial[step] = (step % 17) * (1.1 + k) / 3;
            study.units["PeakDischargeUnit"] = k ? "l/s" : "m³/s";
            study.tab = k ? velmaro::study::Tab::Runoff : velmaro::study::Tab::Forcing;
            paths[k] = folder.filePath(QStringLiteral("study%1.velmaro").arg(k));
            QFile file(paths[k]);
            const std::string text = velmaro::study::WriteStudyText(study);
            if (file.open(QIODevice::WriteOnly))
                file.write(text.data(), static_cast<qint64>(text.size()));
        }
    }
};

void BM_OpenStudyOf100Steps(benchmark::State &state)
{
    const TwoStudies studies;
    velmaro::ModelState model;
    TMainFormVelmaro window(model);
    int next = 0;
    for (auto _ : state) {
        if (!window.Studies->OpenStudy(studies.paths[next ^= 1])) {
            state.SkipWithError("the study was not opened");
            break;
        }
    }
    if (model.StepCount != velmaro::kSeriesSlots || window.sgLlResultado->RowCount() != velmaro::kSeriesSlots + 1)
        state.SkipWithError("the window does not show the study");
}
BENCHMARK(BM_OpenStudyOf100Steps)->Unit(benchmark::kMillisecond);

void BM_SaveStudyOf100Steps(benchmark::State &state)
{
    const TwoStudies studies;
    velmaro::ModelState model;
    TMainFormVelmaro window(model);
    window.Studies->OpenStudy(studies.paths[0]);
    const QString path = studies.folder.filePath(QStringLiteral("saved.velmaro"));
    for (auto _ : state) {
        if (!window.Studies->SaveStudy(path)) {
            state.SkipWithError("the study was not saved");
            break;
        }
    }
}
BENCHMARK(BM_SaveStudyOf100Steps)->Unit(benchmark::kMillisecond);

void BM_StudyTextBothWays(benchmark::State &state)
{
    const TwoStudies studies;
    const velmaro::study::Study study = velmaro::study::ReadStudyFile(studies.paths[0].toStdString()).study;
    for (auto _ : state) {
        const std::string text = velmaro::study::WriteStudyText(study);
        benchmark::DoNotOptimize(velmaro::study::ReadStudyText(text, "study.velmaro"));
    }
}
BENCHMARK(BM_StudyTextBothWays)->Unit(benchmark::kMicrosecond);

} // namespace
