#include "ui/GeometryIllustration.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace velmaro {
namespace {

// The watershed lies along the axis from its farthest point (upper left, the high end) to its
// outlet (lower right, the low end); every shape below is placed along that axis.
const QPointF kFarthest(122, 116);
const QPointF kOutlet(600, 274);
constexpr double kUpperHalfWidth = 78;
constexpr double kLowerHalfWidth = 70;
constexpr double kDimensionOffset = 98;

const QColor kBackground(255, 255, 255);
const QColor kFrame(185, 194, 204);
const QColor kLand(234, 244, 228);
const QColor kDivide(90, 143, 78);
const QColor kMainStream(29, 95, 166);
const QColor kTributary(61, 132, 198);
const QColor kMinorStream(106, 163, 214);
const QColor kMeasure(155, 44, 44);
const QColor kGuide(130, 130, 130);
const QColor kText(34, 34, 34);

struct Axis {
    QPointF along; // unit vector from the farthest point to the outlet
    QPointF across; // unit normal, pointing to the lower side

    QPointF At(double t, double offset) const
    {
        return kFarthest + (kOutlet - kFarthest) * t + across * offset;
    }
};

Axis WatershedAxis()
{
    const QPointF d = kOutlet - kFarthest;
    const double length = std::hypot(d.x(), d.y());
    const QPointF along = d / length;
    return {along, QPointF(-along.y(), along.x())};
}

double AxisAngleDegrees()
{
    const QPointF d = kOutlet - kFarthest;
    return std::atan2(d.y(), d.x()) * 180.0 / std::numbers::pi;
}

// Half-width of the watershed at axis position t (0 = farthest point, 1 = outlet): pear-shaped,
// widest upstream of the middle, with gentle lobes where the sub-basins bulge.
double HalfWidth(double t, int side)
{
    const double full = side < 0 ? kUpperHalfWidth : kLowerHalfWidth;
    const double phase = side < 0 ? 0.6 : 2.1;
    const double body = std::pow(std::sin(std::numbers::pi * t), 0.6) * (1.0 - 0.3 * t);
    const double lobes = 1.0 + 0.07 * std::sin(6.0 * std::numbers::pi * t + phase);
    return full * body * lobes;
}

QPolygonF DivideOutline(const Axis &axis)
{
    constexpr int steps = 160;
    QPolygonF outline;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        outline << axis.At(t, -HalfWidth(t, -1));
    }
    for (int i = steps - 1; i > 0; --i) {
        const double t = double(i) / steps;
        outline << axis.At(t, HalfWidth(t, 1));
    }
    return outline;
}

constexpr double kChannelHead = 0.1;

// Lateral offset of the main channel from the axis: it meanders and ends at the outlet.
double ChannelOffset(double t)
{
    return 10.0 * std::sin(3.3 * std::numbers::pi * t) * (1.0 - t);
}

QPointF ChannelPoint(const Axis &axis, double t)
{
    return axis.At(t, ChannelOffset(t));
}

void DrawMainChannel(QPainter &painter, const Axis &axis)
{
    constexpr int steps = 120;
    QPointF previous = ChannelPoint(axis, kChannelHead);
    for (int i = 1; i <= steps; ++i) {
        const double t = kChannelHead + (1.0 - kChannelHead) * i / steps;
        const QPointF next = ChannelPoint(axis, t);
        // The channel widens downstream as it gathers its tributaries.
        painter.setPen(QPen(kMainStream, 1.6 + 2.2 * t, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(previous, next);
        previous = next;
    }
    // Overland flow from the farthest point of the divide down to the head of the channel.
    QPen overland(kMainStream, 1.3, Qt::DotLine, Qt::RoundCap);
    painter.setPen(overland);
    painter.drawLine(kFarthest, ChannelPoint(axis, kChannelHead));
}

struct Tributary {
    double junction; // axis position where it joins the main channel
    int side;        // -1 upper, +1 lower
    double reach;    // how far upstream its source lies, in axis units
    double spread;   // fraction of the half-width it reaches across
};

const Tributary kTributaries[] = {
    {0.20, -1, 0.08, 0.78}, {0.27, 1, 0.10, 0.80}, {0.40, -1, 0.11, 0.84},
    {0.47, 1, 0.07, 0.70},  {0.58, -1, 0.09, 0.82}, {0.68, 1, 0.11, 0.82},
    {0.78, -1, 0.06, 0.70}, {0.86, 1, 0.06, 0.66}, {0.93, -1, 0.04, 0.50},
};

QPointF Lerp(QPointF a, QPointF b, double f)
{
    return a + (b - a) * f;
}

// A stream from its junction to its source, bending slightly so that it is not a ruler line.
QPainterPath StreamPath(QPointF junction, QPointF source, double bend)
{
    const QPointF chord = source - junction;
    const QPointF normal(-chord.y(), chord.x());
    QPainterPath path(junction);
    path.quadTo(Lerp(junction, source, 0.5) + normal * bend, source);
    return path;
}

QPointF Direction(double degrees)
{
    const double radians = degrees * std::numbers::pi / 180.0;
    return {std::cos(radians), -std::sin(radians)};
}

// A minor stream joins a tributary at an acute angle; it is shortened until its
// source lies well inside the divide.
void DrawMinorStream(QPainter &painter, const QPolygonF &divide, const QPainterPath &tributary,
                     double joinsAt, double relativeLength, double turnDegrees)
{
    const QPointF junction = tributary.pointAtPercent(joinsAt);
    const QPointF heading = Direction(tributary.angleAtPercent(joinsAt) + turnDegrees);
    double length = relativeLength * tributary.length();
    const auto inside = [&](QPointF p) {
        return divide.containsPoint(p, Qt::OddEvenFill) &&
               divide.containsPoint(p + heading * 6.0, Qt::OddEvenFill);
    };
    while (length > 6.0 && !inside(junction + heading * length))
        length *= 0.8;
    painter.setPen(QPen(kMinorStream, 1.1, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(StreamPath(junction, junction + heading * length, 0.08));
}

void DrawTributaries(QPainter &painter, const Axis &axis, const QPolygonF &divide)
{
    painter.setBrush(Qt::NoBrush);
    for (const Tributary &tributary : kTributaries) {
        const double sourceAt = tributary.junction - tributary.reach;
        const QPointF junction = ChannelPoint(axis, tributary.junction);
        const QPointF source =
            axis.At(sourceAt, tributary.side * tributary.spread * HalfWidth(sourceAt, tributary.side));
        const QPainterPath stream = StreamPath(junction, source, 0.12 * tributary.side);
        painter.setPen(QPen(kTributary, 1.7, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(stream);
        // Minor streams come in from the divide side and from upstream.
        DrawMinorStream(painter, divide, stream, 0.5, 0.45, 40.0 * tributary.side);
        DrawMinorStream(painter, divide, stream, 0.25, 0.3, -30.0 * tributary.side);
    }
    // The channel's head forks into two first-order streams below the farthest point.
    const QPointF head = ChannelPoint(axis, kChannelHead);
    painter.setPen(QPen(kTributary, 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int side : {-1, 1}) {
        constexpr double sourceAt = 0.045;
        painter.drawPath(StreamPath(head, axis.At(sourceAt, side * 0.55 * HalfWidth(sourceAt, side)),
                                    0.1 * side));
    }
}

QFont IllustrationFont(int pixelSize, bool bold)
{
    QFont font(QGuiApplication::font().family());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void DrawArrowHead(QPainter &painter, QPointF tip, QPointF from)
{
    const QPointF d = tip - from;
    const double length = std::hypot(d.x(), d.y());
    const QPointF along = d / length;
    const QPointF across(-along.y(), along.x());
    constexpr double headLength = 11;
    constexpr double headHalfWidth = 4.5;
    const QPointF base = tip - along * headLength;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kMeasure);
    painter.drawPolygon(QPolygonF{tip, base + across * headHalfWidth, base - across * headHalfWidth});
    painter.setBrush(Qt::NoBrush);
}

void DrawMeasureLine(QPainter &painter, QPointF from, QPointF to, bool bothEnds)
{
    painter.setPen(QPen(kMeasure, 1.6, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, to);
    DrawArrowHead(painter, to, from);
    if (bothEnds)
        DrawArrowHead(painter, from, to);
}

void DrawGuide(QPainter &painter, QPointF from, QPointF to)
{
    painter.setPen(QPen(kGuide, 1.0, Qt::DashLine, Qt::FlatCap));
    painter.drawLine(from, to);
}

// A measure's caption: its symbol in bold, then its meaning, centred on centre and turned
// to the measure's direction.
void DrawCaption(QPainter &painter, QPointF centre, double angleDegrees, const QString &symbol,
                 const QString &meaning)
{
    const QFont symbolFont = IllustrationFont(15, true);
    const QFont meaningFont = IllustrationFont(13, false);
    const QString spacedMeaning = QStringLiteral("  ") + meaning;
    const double symbolWidth = QFontMetricsF(symbolFont).horizontalAdvance(symbol);
    const double meaningWidth = QFontMetricsF(meaningFont).horizontalAdvance(spacedMeaning);
    const double baseline = QFontMetricsF(meaningFont).ascent() / 2.0 - 1.0;

    painter.save();
    painter.translate(centre);
    painter.rotate(angleDegrees);
    painter.setPen(kMeasure);
    painter.setFont(symbolFont);
    const double left = -(symbolWidth + meaningWidth) / 2.0;
    painter.drawText(QPointF(left, baseline), symbol);
    painter.setPen(kText);
    painter.setFont(meaningFont);
    painter.drawText(QPointF(left + symbolWidth, baseline), spacedMeaning);
    painter.restore();
}

void DrawPointLabel(QPainter &painter, QPointF anchor, Qt::Alignment alignment, const QString &text)
{
    painter.setPen(kText);
    painter.setFont(IllustrationFont(13, false));
    const QRectF box(anchor.x() - 150, anchor.y() - 40, 300, 80);
    QRectF placed = box;
    if (alignment & Qt::AlignLeft)
        placed.moveLeft(anchor.x());
    else if (alignment & Qt::AlignRight)
        placed.moveRight(anchor.x());
    if (alignment & Qt::AlignTop)
        placed.moveTop(anchor.y());
    else if (alignment & Qt::AlignBottom)
        placed.moveBottom(anchor.y());
    painter.drawText(placed, int(alignment), text);
}

void DrawMarker(QPainter &painter, QPointF at, const QColor &fill, double radius)
{
    painter.setPen(QPen(Qt::white, 1.6));
    painter.setBrush(fill);
    painter.drawEllipse(at, radius, radius);
    painter.setBrush(Qt::NoBrush);
}

// The distance: a dimension line beside the watershed, parallel to its axis, joined to the
// farthest point and to the outlet by extension lines.
void DrawFlowLength(QPainter &painter, const Axis &axis)
{
    const QPointF lift = -axis.across;
    const QPointF start = kFarthest + lift * kDimensionOffset;
    const QPointF end = kOutlet + lift * kDimensionOffset;
    DrawGuide(painter, kFarthest + lift * 8, start + lift * 8);
    DrawGuide(painter, kOutlet + lift * 8, end + lift * 8);
    DrawMeasureLine(painter, start, end, false);
    DrawCaption(painter, Lerp(start, end, 0.5) + lift * 14, AxisAngleDegrees(), QStringLiteral("L"),
                QStringLiteral("Distance from the farthest point to the outlet"));
}

// The level difference: a vertical dimension on the left between the level of the farthest
// point and the level of the outlet.
void DrawLevelDifference(QPainter &painter)
{
    constexpr double x = 66;
    const QPointF top(x, kFarthest.y());
    const QPointF bottom(x, kOutlet.y());
    DrawMeasureLine(painter, top, bottom, true);
    DrawCaption(painter, QPointF(x - 16, (top.y() + bottom.y()) / 2.0), -90.0, QStringLiteral("H"),
                QStringLiteral("Level difference"));
}

void DrawLevelGuides(QPainter &painter)
{
    DrawGuide(painter, QPointF(56, kFarthest.y()), kFarthest);
    DrawGuide(painter, QPointF(56, kOutlet.y()), kOutlet);
}

void DrawLegend(QPainter &painter)
{
    constexpr double y = 342;
    painter.setFont(IllustrationFont(12, false));
    const QFontMetricsF metrics(painter.font());
    double x = 150;
    const auto caption = [&](const QString &text) {
        painter.setPen(kText);
        painter.drawText(QPointF(x, y + metrics.ascent() / 2.0 - 1.0), text);
        x += metrics.horizontalAdvance(text) + 26;
    };

    painter.setPen(QPen(kDivide, 2));
    painter.setBrush(kLand);
    painter.drawRect(QRectF(x, y - 6, 22, 12));
    painter.setBrush(Qt::NoBrush);
    x += 30;
    caption(QStringLiteral("Watershed"));

    painter.setPen(QPen(kMainStream, 3.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(x, y), QPointF(x + 22, y));
    x += 30;
    caption(QStringLiteral("Main channel"));

    painter.setPen(QPen(kTributary, 1.7, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(x, y), QPointF(x + 22, y));
    x += 30;
    caption(QStringLiteral("Tributaries"));

    DrawMarker(painter, QPointF(x + 6, y), kMainStream, 5);
    x += 18;
    caption(QStringLiteral("Outlet"));
}

void DrawWatershed(QPainter &painter, const Axis &axis)
{
    painter.setPen(QPen(kDivide, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kLand);
    const QPolygonF divide = DivideOutline(axis);
    painter.drawPolygon(divide);
    painter.setBrush(Qt::NoBrush);
    DrawTributaries(painter, axis, divide);
    DrawMainChannel(painter, axis);
}

} // namespace

QPixmap GeometryIllustration()
{
    QPixmap picture(kIllustrationWidth, kIllustrationHeight);
    picture.fill(kBackground);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QPen(kFrame, 1.0));
    painter.drawRect(QRectF(0.5, 0.5, kIllustrationWidth - 1.0, kIllustrationHeight - 1.0));

    const Axis axis = WatershedAxis();
    DrawLevelGuides(painter);
    DrawWatershed(painter, axis);
    DrawFlowLength(painter, axis);
    DrawLevelDifference(painter);

    DrawMarker(painter, kFarthest, kMeasure, 4.5);
    DrawPointLabel(painter, kFarthest + QPointF(-6, -8), Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("Farthest point"));
    DrawMarker(painter, kOutlet, kMainStream, 5.5);
    DrawPointLabel(painter, kOutlet + QPointF(4, 10), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("Outlet"));
    DrawLegend(painter);
    return picture;
}

} // namespace velmaro
