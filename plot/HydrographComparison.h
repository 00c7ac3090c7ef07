#pragma once

// The hydrographs of the unit hydrographs not chosen, drawn over the plot's own when the user
// compares them: each a dashed line in its own colour with its peak marked, and the legend
// naming every unit hydrograph with its peak, the chosen one on the plot's own line.

#include "plot/PlotSeries.h"

#include <QString>

#include <vector>

class QCPAxis;
class QCPGraph;
class QCPItemTracer;

namespace velmaro {

class HydrographComparison {
public:
    // Draws on the axes of `chosen`, the plot's own hydrograph, and names it while comparing.
    explicit HydrographComparison(QCPGraph *chosen);

    // Nothing compared puts the plot's own line back under its own name.
    void Draw(const std::vector<ComparedHydrograph> &compared, const PlotUnits &units);

private:
    struct Line {
        QCPGraph *graph;
        QCPItemTracer *peak;
    };

    QCPGraph *chosen_;
    QString chosenName_;
    std::vector<Line> lines_; // one for each unit hydrograph, by code
};

} // namespace velmaro
