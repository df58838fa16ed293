// The generator's own tools: the palette reduction every GIF goes through,
// and the lettering's measurements that every label is laid out by.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>

#include "gif_writer.h"
#include "lettering.h"

namespace {

using artwork::EncodeGif;
using artwork::Quantise;
using artwork::Transparency;

QRgb Rebuilt(const artwork::Indexed& indexed, int x, int y) {
    return indexed.palette[indexed.pixels[size_t(y * indexed.width + x)]];
}

int Distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

TEST(AssetsPalette, FewColoursSurviveExactly) {
    QImage image(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) image.setPixel(x, y, qRgb(x * 16, y * 16, (x ^ y) * 8));
    const auto indexed = Quantise(image, Transparency::None, 256);
    ASSERT_EQ(indexed.palette.size(), 256u);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(Rebuilt(indexed, x, y), image.pixel(x, y));
}

TEST(AssetsPalette, ManyColoursStayCloseAndDominantOnesExact) {
    // A smooth field of colours under two that fill most of the picture, as
    // black and a bar's white do in a frame; a heavy colour at either end of
    // a box must not leave the other half of a cut empty.
    QImage image(128, 128, QImage::Format_RGB32);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            image.setPixel(x, y,
                           y < 96 ? (x < 64 ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
                                  : qRgb(x * 2, (y - 96) * 8, 255 - x));
    for (int colours : {256, 16}) {
        const auto indexed = Quantise(image, Transparency::None, colours);
        EXPECT_LE(int(indexed.palette.size()), colours);
        EXPECT_EQ(Rebuilt(indexed, 0, 0), qRgb(0, 0, 0));
        EXPECT_EQ(Rebuilt(indexed, 127, 0), qRgb(255, 255, 255));
        int worst = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                worst = std::max(worst, Distance(Rebuilt(indexed, x, y), image.pixel(x, y)));
        EXPECT_LE(worst, colours == 256 ? 16 : 80) << colours << " colours";
    }
}

TEST(AssetsPalette, ClearPixelsTakeTheBlackTransparentEntry) {
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 0));        // clear, whatever its colour
    image.setPixel(1, 0, qRgba(255, 255, 255, 100));  // mostly clear
    image.setPixel(2, 0, qRgba(200, 100, 50, 200));   // mostly opaque: seen over black
    image.setPixel(3, 0, qRgb(0, 0, 0));              // opaque black stays opaque
    const auto indexed = Quantise(image, Transparency::Clear, 256);
    ASSERT_TRUE(indexed.keyed);
    EXPECT_EQ(indexed.palette[0], qRgb(0, 0, 0));
    EXPECT_EQ(indexed.pixels[0], 0);
    EXPECT_EQ(indexed.pixels[1], 0);
    EXPECT_NE(indexed.pixels[2], 0);
    EXPECT_LE(Distance(Rebuilt(indexed, 2, 0), qRgb(157, 78, 39)), 1);
    EXPECT_NE(indexed.pixels[3], 0);
    EXPECT_EQ(Rebuilt(indexed, 3, 0), qRgb(0, 0, 0));
}

TEST(AssetsPalette, EncodedGifDecodesToTheSamePixels) {
    QImage image(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) image.setPixel(x, y, qRgb(40 * x, 80 * y, 7));
    const QImage back = QImage::fromData(EncodeGif(image, Transparency::None), "GIF");
    ASSERT_EQ(back.size(), image.size());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(back.pixel(x, y) | 0xff000000u, image.pixel(x, y));
}

TEST(AssetsLettering, EveryGlyphInksExactlyTheWidthItIsLaidOutBy) {
    const QString characters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.!?_";
    for (const artwork::TextStyle style : {artwork::TextStyle{22}, artwork::TextStyle{17, 0.8}}) {
        for (QChar ch : characters) {
            // Within its box, and filling it but for the rounding of diagonal ends.
            const QRectF ink = artwork::TextPath(ch, style).boundingRect();
            const double width = artwork::TextWidth(ch, style);
            EXPECT_GE(ink.left(), -0.05) << ch.toLatin1();
            EXPECT_LE(ink.right(), width + 0.05) << ch.toLatin1();
            EXPECT_GE(ink.width(), width - 0.2) << ch.toLatin1();
            EXPECT_GE(ink.top(), -0.05) << ch.toLatin1();
            if (ch != QChar('_') && ch != QChar('Q')) {  // only these reach below the line
                EXPECT_NEAR(ink.bottom(), style.capHeight, 0.2) << ch.toLatin1();
            }
        }
        const QString word = "QUABE PRO";
        EXPECT_NEAR(artwork::TextPath(word, style).boundingRect().width(),
                    artwork::TextWidth(word, style), 0.05);
    }
}

// Lettering squeezed to a width must end inside it: the strokes keep their
// thickness, so squeezing only the letters' own widths by the overrun falls short.
TEST(AssetsLettering, FittedWordsEndWithinTheirWidth) {
    const std::pair<QString, double> lines[] = {
        {"EVERY 10 TO 20 S THE PIECES ROLL DOWN A ROW", 274}, {"COMPUTER WINS", 80}};
    for (const auto& [text, width] : lines) {
        const double fitted = artwork::TextWidth(text, artwork::Fitted(text, {9}, width));
        EXPECT_NEAR(fitted, width, 0.01) << text.toStdString() << ": no wider, no narrower";
    }
    EXPECT_EQ(artwork::Fitted("OK", {9}, 100).squeeze, 1.0) << "words that fit keep their shape";
}

// A character without a shape of its own is drawn as a question mark.
TEST(AssetsLettering, PunctuationOfTheHelpHasItsOwnShapes) {
    const QPainterPath unknown = artwork::TextPath("?", {18});
    for (QChar ch : QString("=+-,:;()/")) {
        EXPECT_NE(artwork::TextPath(ch, {18}), unknown) << ch.toLatin1();
        EXPECT_FALSE(artwork::TextPath(ch, {18}).isEmpty()) << ch.toLatin1();
    }
}

}  // namespace
