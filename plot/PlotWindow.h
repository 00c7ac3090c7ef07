#pragma once

// The plot window: the hyetogram hanging from the top over the runoff hydrograph, and below them
// the cumulative rainfall and runoff depth, all on one time axis in hours. It works on its own
// copy of the model, so following the main window never changes what the main window holds.

#include "plot/PlotSeries.h"

#include <QWidget>

#include <functional>
#include <memory>

class QCPAxisRect;
class QCPBars;
class QCPGraph;
class QCPItemText;
class QCPItemTracer;
class QCPLegend;
class QCustomPlot;
class QCheckBox;
class QLabel;
class QMouseEvent;

namespace velmaro {

class HydrographComparison;

class PlotWindow final : public QWidget {
    Q_OBJECT

public:
    explicit PlotWindow(QWidget *parent = nullptr);
    ~PlotWindow() override;

    // Runs every stage on a copy of `model` and redraws.
    void Follow(const ModelState &model, const PlotUnits &units);

    const PlotCurves &Curves() const { return curves_; }
    QCustomPlot *Plot() const { return plot_; }
    // The lines shown in the plot for the curves that could not be drawn.
    QString NotDrawnText() const;
    QString PeakText() const;
    // The Runoff tab's volume check, under the peak label.
    QString VolumeCheckLine() const;
    QString PointerText() const;

    // Writes the picture; the file's suffix (.png, .svg, .pdf) chooses the format. A failure is
    // shown in a message naming the file, and nothing is left half-written.
    bool SaveTo(const QString &path);
    void CopyToClipboard();
    // Back to the whole of every curve.
    void ResetView();

    // Asks the user for the file name to save to; empty cancels. Tests answer it themselves.
    std::function<QString(QWidget *)> AskSavePath;

private:
    void BuildPlot();
    void BuildButtons();
    void Redraw();
    void FitView();
    void ShowValuesUnderPointer(QMouseEvent *event);
    void SaveWithDialog();
    QByteArray Picture(const QString &suffix);

    PlotUnits units_;
    PlotCurves curves_;
    bool userView_ = false;

    QCustomPlot *plot_;
    QCPAxisRect *rates_, *depths_;
    QCPBars *hyetogram_;
    QCPGraph *hydrograph_, *cumulativeRain_, *cumulativeRunoff_;
    QCPItemTracer *peakMark_;
    QCPItemText *peakLabel_, *notDrawn_;
    QLabel *pointer_;

    // "Compare": every unit hydrograph's hydrograph, computed again from the model last followed.
    void FollowAgain();
    std::unique_ptr<ModelState> followed_;
    QCheckBox *compare_;
    std::unique_ptr<HydrographComparison> comparison_;
    QCPItemText *volumeCheck_;
};

} // namespace velmaro
