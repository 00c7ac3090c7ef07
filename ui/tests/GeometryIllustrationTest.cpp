#include "ui/GeometryIllustration.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

int CountPixels(const QImage &image, bool (*matches)(QColor))
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
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
    const int land = CountPixels(image, [](QColor c) {
        return c.green() > 225 && c.green() > c.red() + 6 && c.green() > c.blue() + 10;
    });
    const int streams = CountPixels(image, [](QColor c) {
        return c.blue() > 150 && c.blue() > c.red() + 70;
    });
    const int measures = CountPixels(image, [](QColor c) {
        return c.red() > 120 && c.red() > c.green() + 70 && c.red() > c.blue() + 70;
    });
    EXPECT_GT(land, area / 8);
    EXPECT_GT(streams, 1500);
    EXPECT_GT(measures, 800);
}

} // namespace
