// The two plotting libraries Debian packages for Qt 6, side by side on the plot window's heaviest
// job: a line of 100000 ordinates replaced and drawn into an image, and the same drawn into SVG.
// The plot window uses the faster one; this program keeps the comparison repeatable.

#include <QApplication>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QSvgGenerator>

#include <qcustomplot.h>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int kOrdinates = 100000;
constexpr QSize kPicture(900, 600);

struct Curve {
    QVector<double> hours, discharge;
};

// A hydrograph-like hump with a little ripple, so that neighbouring pixels differ.
Curve MakeCurve(int shift)
{
    Curve curve;
    curve.hours.resize(kOrdinates);
    curve.discharge.resize(kOrdinates);
    for (int j = 0; j < kOrdinates; ++j) {
        const double t = j / 60.0;
        curve.hours[j] = t;
        curve.discharge[j] = 600 * std::exp(-std::pow((t - 400) / 200, 2)) + 5 * std::sin(j + shift);
    }
    return curve;
}

// Paints one picture with `draw`, into an SVG document in memory or into an image.
template <class Painter, class Draw>
void Paint(bool svg, Draw draw)
{
    if (svg) {
        QBuffer out;
        QSvgGenerator generator;
        generator.setOutputDevice(&out);
        generator.setSize(kPicture);
        Painter painter(&generator);
        draw(painter);
        painter.end();
        benchmark::DoNotOptimize(out.size());
    } else {
        QImage image(kPicture, QImage::Format_ARGB32_Premultiplied);
        Painter painter(&image);
        draw(painter);
    }
}

void DrawQCustomPlot(benchmark::State &state, bool svg)
{
    QCustomPlot plot;
    plot.resize(kPicture);
    QCPGraph *graph = plot.addGraph();
    int shift = 0;
    for (auto _ : state) {
        const Curve curve = MakeCurve(++shift);
        graph->setData(curve.hours, curve.discharge, true);
        plot.rescaleAxes();
        Paint<QCPPainter>(svg, [&plot](QCPPainter &painter) {
            plot.toPainter(&painter, kPicture.width(), kPicture.height());
        });
    }
}

void DrawQtCharts(benchmark::State &state, bool svg)
{
    auto *series = new QLineSeries;
    auto *chart = new QChart;
    chart->addSeries(series);
    chart->createDefaultAxes();
    QChartView view(chart);
    view.resize(kPicture);
    int shift = 0;
    for (auto _ : state) {
        const Curve curve = MakeCurve(++shift);
        QList<QPointF> points(kOrdinates);
        for (int j = 0; j < kOrdinates; ++j)
            points[j] = {curve.hours[j], curve.discharge[j]};
        series->replace(points);
        chart->axes(Qt::Horizontal).front()->setRange(0, curve.hours.back());
        chart->axes(Qt::Vertical).front()->setRange(-10, 610);
        Paint<QPainter>(svg, [&view](QPainter &painter) { view.render(&painter); });
    }
}

void BM_QCustomPlot_Redraw100000(benchmark::State &state) { DrawQCustomPlot(state, false); }
void BM_QtCharts_Redraw100000(benchmark::State &state) { DrawQtCharts(state, false); }
void BM_QCustomPlot_Svg100000(benchmark::State &state) { DrawQCustomPlot(state, true); }
void BM_QtCharts_Svg100000(benchmark::State &state) { DrawQtCharts(state, true); }
BENCHMARK(BM_QCustomPlot_Redraw100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtCharts_Redraw100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QCustomPlot_Svg100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtCharts_Svg100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
