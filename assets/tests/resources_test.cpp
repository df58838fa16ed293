// Linking quabe_pictures must be enough to reach every committed picture at
// :/pictures/<name>, and each GIF ready to draw at :/ready/<name>.raw, with no
// initialisation call in the program.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QResource>

#include "ready_picture.h"

namespace {

TEST(AssetsResources, EveryCommittedPictureIsCompiledInAndLoads) {
    const QStringList committed = QDir(QUABE_PICTURES_DIR).entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(committed.isEmpty());
    EXPECT_EQ(QDir(":/pictures").entryList(QDir::Files, QDir::Name), committed);
    for (const QString& name : committed) {
        if (name.endsWith(".txt")) continue;  // words for readers, not a picture
        QImage picture(":/pictures/" + name);
        EXPECT_FALSE(picture.isNull()) << qPrintable(name);
    }
}

// The pixels the window has always shown: the GIF's, with transparent ones black.
QImage OnBlack(const QImage& gif) {
    const QImage argb = gif.convertToFormat(QImage::Format_ARGB32);
    QImage shown(argb.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = argb.pixel(x, y);
            shown.setPixel(x, y, qAlpha(pixel) == 0 ? qRgb(0, 0, 0) : pixel | 0xFF000000u);
        }
    }
    return shown;
}

TEST(AssetsResources, EveryGifIsReadyToDrawWithTheSamePixelsOnBlack) {
    const QStringList gifs = QDir(":/pictures").entryList({"*.gif"}, QDir::Files);
    ASSERT_FALSE(gifs.isEmpty());
    for (const QString& name : gifs) {
        const QResource packed(":/ready/" + QFileInfo(name).completeBaseName() + ".raw");
        const QImage ready = quabe::UnpackReadyPicture(packed.uncompressedData());
        ASSERT_FALSE(ready.isNull()) << qPrintable(name);
        EXPECT_EQ(ready, OnBlack(QImage(":/pictures/" + name))) << qPrintable(name);
    }
}

QImage Sample() {
    QImage flat(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) flat.setPixel(x, y, qRgb(40 * x, 100 * y, 7));
    return flat;
}

TEST(ReadyPicture, IsDrawnWhereItLiesAndCopiedOnlyWhenMisaligned) {
    const QByteArray packed = quabe::PackReadyPicture(Sample());
    const QImage inPlace = quabe::UnpackReadyPicture(packed);
    EXPECT_EQ(inPlace, Sample());
    EXPECT_EQ(inPlace.constBits(), reinterpret_cast<const uchar*>(packed.constData()) + 8)
        << "no second copy of the pixels";

    const QByteArray shifted = ' ' + packed;
    const QImage copied =
        quabe::UnpackReadyPicture(QByteArray::fromRawData(shifted.constData() + 1, packed.size()));
    EXPECT_EQ(copied, Sample());
    EXPECT_EQ(reinterpret_cast<quintptr>(copied.constBits()) % 4, 0u);
}

TEST(ReadyPicture, BytesThatAreNoPackedPictureGiveNone) {
    const QByteArray packed = quabe::PackReadyPicture(Sample());
    EXPECT_TRUE(quabe::UnpackReadyPicture({}).isNull());
    EXPECT_TRUE(quabe::UnpackReadyPicture(packed.first(7)).isNull());
    EXPECT_TRUE(quabe::UnpackReadyPicture(packed.chopped(1)).isNull());
    EXPECT_TRUE(quabe::UnpackReadyPicture(packed + 'x').isNull());
    EXPECT_TRUE(quabe::UnpackReadyPicture(quabe::PackReadyPicture(QImage())).isNull());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // the GIF reader is a plugin found through the application
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
