// Lines drawn into the board's image.
#include <gtest/gtest.h>

#include <QImage>

#include "image_line_sink.h"

namespace quabe {
namespace {

TEST(ImageLineSink, DrawsOnePixelLinesAtFifteenUnitsAPixelClippedByTheImage) {
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::black);
    int refreshes = 0;
    ImageLineSink sink(&image, [&] { ++refreshes; });

    sink.Line(0, 0, 150, 0, 255, 255, 0);
    for (int x = 0; x <= 10; ++x) EXPECT_EQ(image.pixel(x, 0), qRgb(255, 255, 0)) << x;
    EXPECT_EQ(image.pixel(11, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 0));

    sink.Line(29.9, 15, 29.9, 44.9, 10, 20, 30);  // units 15..29 are pixel 1
    EXPECT_EQ(image.pixel(1, 1), qRgb(10, 20, 30));
    EXPECT_EQ(image.pixel(1, 2), qRgb(10, 20, 30));
    EXPECT_EQ(image.pixel(1, 3), qRgb(0, 0, 0));

    sink.Line(-3000, 75, 3000, 75, 0, 0, 255);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(image.pixel(x, 5), qRgb(0, 0, 255)) << x;

    sink.Line(-1e12, -1e12, 1e12, 1e12, 255, 0, 0);
    EXPECT_EQ(image.pixel(7, 7), qRgb(255, 0, 0));

    EXPECT_EQ(refreshes, 0);
    sink.Refresh();
    EXPECT_EQ(refreshes, 1);
}

}  // namespace
}  // namespace quabe
