#include "plot/PlotWindow.h"

#include "controls/MessagePresenter.h"
#include "engine/ModelState.h"
#include "plot/CurveData.h"
#include "plot/HydrographComparison.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QToolBar>
#include <QVBoxLayout>

#include <qcustomplot.h>

#include <algorithm>

namespace velmaro {

namespace {

const QColor kRainColour(70, 110, 200);
const QColor kRunoffColour(200, 60, 40);
// Pictures saved or copied before the window was ever laid out get this size.
constexpr QSize kDefaultPicture(900, 640);
// Shares of the upper panel: the bars take its top part, the hydrograph stays below them.
constexpr double kIntensityHeadroom = 2.5;
constexpr double kDischargeHeadroom = 1.6;

// The range from 0 (or the lowest value below it) to the highest value times `headroom`.
QCPRange RangeOf(const std::vector<const std::vector<double> *> &series, double headroom)
{
    double low = 0, high = 0;
    for (const auto *values : series)
        for (const double value : *values) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    return high > low ? QCPRange(low, low + (high - low) * headroom) : QCPRange(0, 1);
}

QString Utf8(const std::string &text) { return QString::fromStdString(text); }

// The library wants as many times as values: a curve not drawn is handed neither.
template <class Plottable>
void ShowCurve(Plottable *curve, bool drawn, const QVector<double> &times, const std::vector<double> &values)
{
    if (drawn)
        curve->setData(times, ToVector(values), true);
    else
        curve->data()->clear();
}

QCPAxis *Axis(QCPAxisRect *rect, QCPAxis::AxisType type) { return rect->axis(type); }

} // namespace

PlotWindow::PlotWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("PlotWindow"));
    setWindowTitle(QStringLiteral("Velmaro - Plot"));
    AskSavePath = [](QWidget *owner) {
        QString filter;
        QString path = QFileDialog::getSaveFileName(
            owner, QStringLiteral("Save plot"), QStringLiteral("hydrograph.png"),
            QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"), &filter);
        // A name typed without a suffix takes the one of the chosen format.
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += filter.section(QStringLiteral("*"), 1, 1).chopped(1);
        return path;
    };
    BuildPlot();
    BuildButtons();
    resize(kDefaultPicture);
}

PlotWindow::~PlotWindow() = default;

void PlotWindow::BuildPlot()
{
    plot_ = new QCustomPlot(this);
    plot_->setObjectName(QStringLiteral("plot"));
    plot_->setMinimumSize(400, 300);
    plot_->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);

    rates_ = plot_->axisRect();
    depths_ = new QCPAxisRect(plot_);
    plot_->plotLayout()->addElement(1, 0, depths_);
    plot_->plotLayout()->setRowStretchFactors({2, 1});
    auto *margins = new QCPMarginGroup(plot_);
    rates_->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
    depths_->setMarginGroup(QCP::msLeft | QCP::msRight, margins);

    QCPAxis *ratesTime = Axis(rates_, QCPAxis::atBottom);
    QCPAxis *depthsTime = Axis(depths_, QCPAxis::atBottom);
    QCPAxis *intensityAxis = Axis(rates_, QCPAxis::atRight);
    // One time axis: zooming or panning either panel moves both.
    connect(ratesTime, qOverload<const QCPRange &>(&QCPAxis::rangeChanged), depthsTime,
            qOverload<const QCPRange &>(&QCPAxis::setRange));
    connect(depthsTime, qOverload<const QCPRange &>(&QCPAxis::rangeChanged), ratesTime,
            qOverload<const QCPRange &>(&QCPAxis::setRange));
    depthsTime->setLabel(QStringLiteral("Time [h]"));
    intensityAxis->setVisible(true);
    intensityAxis->setRangeReversed(true); // the hyetogram hangs from the top
    rates_->setRangeDragAxes({ratesTime}, {Axis(rates_, QCPAxis::atLeft), intensityAxis});
    rates_->setRangeZoomAxes({ratesTime}, {Axis(rates_, QCPAxis::atLeft), intensityAxis});

    hyetogram_ = new QCPBars(ratesTime, intensityAxis);
    hyetogram_->setName(QStringLiteral("Hyetogram"));
    hyetogram_->setPen(QPen(kRainColour.darker(130)));
    hyetogram_->setBrush(kRainColour.lighter(150));

    hydrograph_ = plot_->addGraph(ratesTime, Axis(rates_, QCPAxis::atLeft));
    hydrograph_->setName(QStringLiteral("Runoff hydrograph"));
    hydrograph_->setPen(QPen(kRunoffColour, 2));

    peakMark_ = new QCPItemTracer(plot_);
    peakMark_->position->setAxes(ratesTime, Axis(rates_, QCPAxis::atLeft));
    peakMark_->setStyle(QCPItemTracer::tsCircle);
    peakMark_->setSize(9);
    peakMark_->setPen(QPen(kRunoffColour.darker(150), 1.5));
    peakLabel_ = new QCPItemText(plot_);
    peakLabel_->position->setParentAnchor(peakMark_->position);
    peakLabel_->position->setCoords(8, -6);
    peakLabel_->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
    peakLabel_->setBrush(QColor(255, 255, 255, 210));
    peakLabel_->setPadding(QMargins(3, 1, 3, 1));
    volumeCheck_ = new QCPItemText(plot_);
    volumeCheck_->position->setParentAnchor(peakLabel_->bottomLeft);
    volumeCheck_->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
    volumeCheck_->setBrush(peakLabel_->brush());
    volumeCheck_->setPadding(peakLabel_->padding());
    comparison_ = std::make_unique<HydrographComparison>(hydrograph_);

    notDrawn_ = new QCPItemText(plot_);
    notDrawn_->position->setType(QCPItemPosition::ptAxisRectRatio);
    notDrawn_->position->setCoords(0.5, 0.5);
    notDrawn_->setPositionAlignment(Qt::AlignCenter);
    notDrawn_->setTextAlignment(Qt::AlignLeft);
    notDrawn_->setColor(QColor(160, 0, 0));
    notDrawn_->setBrush(QColor(255, 255, 255, 230));
    notDrawn_->setPen(QPen(QColor(160, 0, 0)));
    notDrawn_->setPadding(QMargins(6, 4, 6, 4));

    cumulativeRain_ = plot_->addGraph(depthsTime, Axis(depths_, QCPAxis::atLeft));
    cumulativeRain_->setName(QStringLiteral("Cumulative rainfall"));
    cumulativeRain_->setPen(QPen(kRainColour, 2));
    cumulativeRunoff_ = plot_->addGraph(depthsTime, Axis(depths_, QCPAxis::atLeft));
    cumulativeRunoff_->setName(QStringLiteral("Cumulative runoff depth"));
    cumulativeRunoff_->setPen(QPen(kRunoffColour, 2));
    Axis(depths_, QCPAxis::atLeft)->setLabel(QStringLiteral("Cumulative depth [mm]"));

    // The corners the curves leave free: the hydrograph outlasts the rainfall, so the top right
    // is clear of bars and stays above the discharge; rising cumulative depths never reach the
    // bottom right.
    plot_->legend->setVisible(true);
    rates_->insetLayout()->setInsetAlignment(0, Qt::AlignRight | Qt::AlignTop);
    auto *depthLegend = new QCPLegend;
    depths_->insetLayout()->addElement(depthLegend, Qt::AlignRight | Qt::AlignBottom);
    depthLegend->setLayer(QStringLiteral("legend"));
    for (QCPGraph *graph : {cumulativeRain_, cumulativeRunoff_}) {
        graph->removeFromLegend(plot_->legend);
        graph->addToLegend(depthLegend);
    }

    connect(plot_, &QCustomPlot::mouseMove, this, &PlotWindow::ShowValuesUnderPointer);
    connect(plot_, &QCustomPlot::mousePress, this, [this] { userView_ = true; });
    connect(plot_, &QCustomPlot::mouseWheel, this, [this] { userView_ = true; });
    connect(plot_, &QCustomPlot::mouseDoubleClick, this, &PlotWindow::ResetView);
}

void PlotWindow::BuildButtons()
{
    auto *tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [this, tools](const QString &caption, const QKeySequence &keys, auto action) {
        QAction *item = tools->addAction(caption);
        item->setShortcut(keys);
        item->setToolTip(caption + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) +
                         QLatin1Char(')'));
        connect(item, &QAction::triggered, this,
                [this, action] { GuardEntryPoint(this, [this, action] { (this->*action)(); }); });
    };
    add(QStringLiteral("Reset view"), QKeySequence(Qt::CTRL | Qt::Key_0), &PlotWindow::ResetView);
    add(QStringLiteral("Save..."), QKeySequence::Save, &PlotWindow::SaveWithDialog);
    add(QStringLiteral("Copy"), QKeySequence::Copy, &PlotWindow::CopyToClipboard);

    compare_ = new QCheckBox(QStringLiteral("Compare"), tools);
    compare_->setObjectName(QStringLiteral("compare"));
    compare_->setToolTip(QStringLiteral("The hydrographs of the three unit hydrographs together, with their peaks"));
    tools->addWidget(compare_);
    connect(compare_, &QCheckBox::toggled, this, [this] { GuardEntryPoint(this, [this] { FollowAgain(); }); });

    pointer_ = new QLabel(this);
    pointer_->setObjectName(QStringLiteral("pointerValues"));
    pointer_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tools);
    layout->addWidget(plot_, 1);
    layout->addWidget(pointer_);
}

void PlotWindow::Follow(const ModelState &model, const PlotUnits &units)
{
    followed_ = std::make_unique<ModelState>(model);
    units_ = units;
    FollowAgain();
}

void PlotWindow::FollowAgain()
{
    if (!followed_)
        return;
    ModelState copy = *followed_;
    curves_ = ComputePlotCurves(copy, units_, compare_->isChecked());
    Redraw();
}

void PlotWindow::Redraw()
{
    const double step = curves_.stepLength;
    QVector<double> barCentres;
    barCentres.reserve(static_cast<qsizetype>(curves_.stepHours.size()));
    for (const double end : curves_.stepHours)
        barCentres.push_back(end - step / 2);
    hyetogram_->setWidth(step);
    const QVector<double> stepEnds = ToVector(curves_.stepHours);
    ShowCurve(hyetogram_, curves_.rainfallDrawn, barCentres, curves_.intensity);
    ShowCurve(cumulativeRain_, curves_.rainfallDrawn, stepEnds, curves_.cumulativeRain);
    ShowCurve(cumulativeRunoff_, curves_.runoffDepthDrawn, stepEnds, curves_.cumulativeRunoff);
    ShowCurve(hydrograph_, curves_.hydrographDrawn, ToVector(curves_.ordinateHours), curves_.discharge);

    Axis(rates_, QCPAxis::atLeft)->setLabel(Utf8("Discharge [" + units_.discharge + "]"));
    Axis(rates_, QCPAxis::atRight)->setLabel(Utf8("Intensity [" + units_.intensity + "]"));
    Axis(depths_, QCPAxis::atLeft)->setLabel(Utf8("Cumulative depth [" + units_.depth + "]"));

    peakMark_->setVisible(curves_.peak.has_value());
    peakLabel_->setVisible(curves_.peak.has_value());
    if (curves_.peak) {
        peakMark_->position->setCoords(curves_.peak->hours, curves_.peak->discharge);
        peakLabel_->setText(PeakText());
    }
    volumeCheck_->setVisible(curves_.peak.has_value());
    volumeCheck_->setText(VolumeCheckLine());
    comparison_->Draw(curves_.compared, units_);
    notDrawn_->setVisible(!curves_.notDrawn.empty());
    notDrawn_->setText(NotDrawnText());

    if (!userView_)
        FitView();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void PlotWindow::FitView()
{
    std::vector<const std::vector<double> *> timeSeries{&curves_.stepHours, &curves_.ordinateHours};
    std::vector<const std::vector<double> *> dischargeSeries{&curves_.discharge};
    for (const ComparedHydrograph &compared : curves_.compared) {
        timeSeries.push_back(&compared.ordinateHours);
        dischargeSeries.push_back(&compared.discharge);
    }
    double first = 0, last = 0;
    for (const auto *times : timeSeries)
        if (!times->empty()) {
            first = std::min({first, times->front() - curves_.stepLength, times->back()});
            last = std::max({last, times->front(), times->back()});
        }
    Axis(rates_, QCPAxis::atBottom)->setRange(last > first ? QCPRange(first, last) : QCPRange(0, 1));
    Axis(rates_, QCPAxis::atRight)->setRange(RangeOf({&curves_.intensity}, kIntensityHeadroom));
    Axis(rates_, QCPAxis::atLeft)->setRange(RangeOf(dischargeSeries, kDischargeHeadroom));
    Axis(depths_, QCPAxis::atLeft)
        ->setRange(RangeOf({&curves_.cumulativeRain, &curves_.cumulativeRunoff}, 1.1));
}

void PlotWindow::ResetView()
{
    userView_ = false;
    FitView();
    plot_->replot();
}

QString PlotWindow::NotDrawnText() const
{
    QStringList lines;
    for (const std::string &line : curves_.notDrawn)
        lines.append(Utf8(line));
    return lines.join(QLatin1Char('\n'));
}

QString PlotWindow::PeakText() const
{
    return curves_.peak ? Utf8(PeakLabel(*curves_.peak, units_)) : QString();
}

QString PlotWindow::VolumeCheckLine() const { return Utf8(curves_.volumeCheck); }

QString PlotWindow::PointerText() const { return pointer_->text(); }

void PlotWindow::ShowValuesUnderPointer(QMouseEvent *event)
{
    const double hours = Axis(rates_, QCPAxis::atBottom)->pixelToCoord(event->position().x());
    pointer_->setText(Utf8(ValuesAt(curves_, units_, hours)));
}

QByteArray PlotWindow::Picture(const QString &suffix)
{
    const QSize size = plot_->isVisible() ? plot_->size() : kDefaultPicture;
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    if (suffix == QLatin1String("png")) {
        plot_->toPixmap(size.width(), size.height()).save(&out, "PNG");
        return bytes;
    }
    // Vector formats: every line and letter stays a path, so the picture scales without steps.
    const auto drawVector = [this, size](QPaintDevice *device) {
        QCPPainter painter(device);
        painter.setMode(QCPPainter::pmVectorized);
        painter.setMode(QCPPainter::pmNoCaching);
        plot_->toPainter(&painter, size.width(), size.height());
    };
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(windowTitle());
        drawVector(&svg);
    } else if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(&out);
        pdf.setTitle(windowTitle());
        pdf.setCreator(QStringLiteral("Velmaro"));
        pdf.setResolution(72); // one pixel of the plot is one point of the page
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
        drawVector(&pdf);
    }
    return bytes;
}

bool PlotWindow::SaveTo(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const auto refuse = [this, &path](const QString &reason) {
        ShowErrorMessage(QStringLiteral("The plot could not be saved to \"%1\": %2").arg(path, reason), this);
        return false;
    };
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg") && suffix != QLatin1String("pdf"))
        return refuse(QStringLiteral("the name must end in .png, .svg or .pdf."));
    const QByteArray picture = Picture(suffix);
    if (picture.isEmpty())
        return refuse(QStringLiteral("the picture could not be drawn."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(picture) != picture.size() || !file.commit())
        return refuse(file.errorString());
    return true;
}

void PlotWindow::SaveWithDialog()
{
    const QString path = AskSavePath(this);
    if (!path.isEmpty())
        SaveTo(path);
}

void PlotWindow::CopyToClipboard()
{
    const QSize size = plot_->isVisible() ? plot_->size() : kDefaultPicture;
    QGuiApplication::clipboard()->setImage(plot_->toPixmap(size.width(), size.height()).toImage());
}

} // namespace velmaro
