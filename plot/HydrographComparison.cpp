#include "plot/HydrographComparison.h"

#include "engine/UnitHydrograph.h"
#include "plot/CurveData.h"

#include <qcustomplot.h>

#include <array>

namespace velmaro {

namespace {

// By code; the triangle's is the plot's own red when another is chosen.
const std::array<QColor, kUnitHydrographKinds> kLineColours{QColor(200, 60, 40), QColor(130, 60, 170),
                                                            QColor(30, 140, 90)};

} // namespace

HydrographComparison::HydrographComparison(QCPGraph *chosen) : chosen_(chosen), chosenName_(chosen->name())
{
    QCustomPlot *plot = chosen->parentPlot();
    for (const QColor &colour : kLineColours) {
        QCPGraph *graph = plot->addGraph(chosen->keyAxis(), chosen->valueAxis());
        graph->setPen(QPen(colour, 1.5, Qt::DashLine));
        graph->setVisible(false);
        graph->removeFromLegend();
        auto *peak = new QCPItemTracer(plot);
        peak->position->setAxes(chosen->keyAxis(), chosen->valueAxis());
        peak->setStyle(QCPItemTracer::tsCircle);
        peak->setSize(7);
        peak->setPen(QPen(colour, 1.5));
        peak->setVisible(false);
        lines_.push_back({graph, peak});
    }
}

void HydrographComparison::Draw(const std::vector<ComparedHydrograph> &compared, const PlotUnits &units)
{
    chosen_->setName(chosenName_);
    for (std::size_t code = 0; code < lines_.size(); ++code) {
        const Line &line = lines_[code];
        const ComparedHydrograph *c = code < compared.size() ? &compared[code] : nullptr;
        const bool drawn = c && !c->chosen;
        line.graph->setVisible(drawn);
        line.graph->removeFromLegend();
        line.peak->setVisible(drawn && c->peak.has_value());
        if (c && c->chosen)
            chosen_->setName(QString::fromStdString(ComparedLabel(*c, units)));
        if (!drawn) {
            line.graph->data()->clear();
            continue;
        }
        line.graph->setData(ToVector(c->ordinateHours), ToVector(c->discharge), true);
        line.graph->setName(QString::fromStdString(ComparedLabel(*c, units)));
        line.graph->addToLegend();
        if (c->peak)
            line.peak->position->setCoords(c->peak->hours, c->peak->discharge);
    }
}

} // namespace velmaro
