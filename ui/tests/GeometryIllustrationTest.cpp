#include "ui/GeometryIllustration.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

int CountPixels(const QImage &image, const QRect &area, bool (*matches)(QColor))
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += matches(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

TEST(GeometryIllustrationTest, IsTheSizeTheGeometryTabGivesIt)
{
    const QPixmap picture = velmaro::GeometryIllustration();
    EXPECT_EQ(picture.size(), QSize(663, 368));
}

TEST(GeometryIllustrationTest, ShowsALandAreaStreamsAndMeasures)
{
    const QImage image = velmaro::GeometryIllustration().toImage();
    const int area = image.width() * image.height();
    // Light green land, blue streams and the dark red measure arrows each take a visible share.
    const int land = CountPixels(image, image.rect(), [](QColor c) {
        return c.green() > 225 && c.green() > c.red() + 6 && c.green() > c.blue() + 10;
    });
    const int streams = CountPixels(image, image.rect(), [](QColor c) {
        return c.blue() > 150 && c.blue() > c.red() + 70;
    });
    const int measures = CountPixels(image, image.rect(), [](QColor c) {
        return c.red() > 120 && c.red() > c.green() + 70 && c.red() > c.blue() + 70;
    });
    EXPECT_GT(land, area / 8);
    EXPECT_GT(streams, 1500);
    EXPECT_GT(measures, 800);
}

struct TextPlace {
    const char *text;
    QRect area;
};

// Where each text of the picture stands.
const TextPlace kTextPlaces[] = {
    {"L: distance from the farthest point to the outlet", QRect(250, 20, 300, 120)},
    {"H: level difference", QRect(36, 120, 24, 150)},
    {"Farthest point", QRect(28, 88, 94, 24)},
    {"Outlet", QRect(598, 280, 50, 24)},
    {"Legend", QRect(170, 330, 400, 22)},
};

// The picture is drawn with whatever font the application has: the window's is sized in pixels,
// Qt's default in points; the texts must not depend on either.
TEST(GeometryIllustrationTest, DrawsEveryTextWhateverTheApplicationsFont)
{
    const QFont original = QApplication::font();
    QFont inPixels(QStringLiteral("Liberation Sans"));
    inPixels.setPixelSize(11);
    const QFont inPoints(QStringLiteral("DejaVu Sans"), 9);
    for (const QFont &font : {inPixels, inPoints}) {
        QApplication::setFont(font);
        const QImage image = velmaro::GeometryIllustration().toImage();
        for (const TextPlace &place : kTextPlaces) {
            // Nothing but the texts is as dark as their grey.
            const int ink = CountPixels(image, place.area, [](QColor c) {
                return c.red() < 100 && c.green() < 100 && c.blue() < 100;
            });
            EXPECT_GT(ink, 30) << place.text << " with the font " << font.toString().toStdString();
        }
    }
    QApplication::setFont(original);
}

} // namespace
