// The shipped pictures against the catalogue the window and the image holder
// are built on: names, sizes, GIF format and transparency.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

enum class Clear { No, Some, All };

struct Expected {
    std::string name;
    int width, height;
    Clear clear;
};

std::vector<Expected> Catalogue() {
    std::vector<Expected> pictures = {
        {"frmMain", 690, 457, Clear::No},
        {"frmSets", 478, 324, Clear::No},
        {"pctQuabe", 204, 47, Clear::No},
        {"pctMinimizeIcon", 20, 20, Clear::No},
        {"pctExitIcon", 20, 20, Clear::No},
        {"pctNew", 32, 32, Clear::Some},
        {"pctUndo", 32, 32, Clear::Some},
        {"pctHighScores", 32, 32, Clear::No},
        {"pctSet", 32, 32, Clear::No},
        {"pctEvents", 32, 32, Clear::Some},
        {"pctHelp", 32, 32, Clear::Some},
        {"pctExit", 32, 32, Clear::Some},
        {"pctReset", 32, 32, Clear::Some},
        {"pctOk", 32, 32, Clear::Some},
        {"pct1Player", 32, 32, Clear::No},
        {"pct2Player", 32, 32, Clear::No},
        {"pctSoundOn", 32, 32, Clear::Some},
        {"pctSoundOff", 32, 32, Clear::No},
        {"pctGameOver", 73, 42, Clear::No},
        {"pctYes", 50, 25, Clear::No},
        {"pctNo", 38, 25, Clear::No},
        {"pctRowShifts", 171, 27, Clear::No},
        {"pctColumnShifts", 171, 30, Clear::No},
        {"pctMines", 171, 23, Clear::No},
        {"pctFlash", 163, 22, Clear::No},
        {"pctFire", 32, 32, Clear::No},
        {"pctMine", 32, 32, Clear::No},
        {"pctAboutText", 343, 123, Clear::No},
        {"pctHelpText", 292, 172, Clear::No},
        {"pctStatistics", 32, 32, Clear::Some},
        {"pctStatisticsText", 300, 341, Clear::No},
        {"pctBoard", 32, 32, Clear::All},
        {"pctHighScore", 32, 32, Clear::All},
        {"pctBlack", 32, 32, Clear::All},
        {"pctPiece0", 32, 32, Clear::All},
        {"imgEquals", 22, 28, Clear::No},
        {"pctYouWin", 110, 16, Clear::No},
        {"pctComputerWins", 110, 16, Clear::No},
        {"pctDraw", 110, 16, Clear::No},
        {"pctClickToGoOn", 110, 14, Clear::No},
        {"pctBoardCleared", 300, 72, Clear::No},
        {"pctStartHint", 400, 100, Clear::No},
        {"pctHowToPlayLink", 180, 32, Clear::No},
        {"pctHowToPlay", 538, 362, Clear::No},
        {"pctRowShiftsNote", 276, 14, Clear::No},
        {"pctColumnShiftsNote", 276, 14, Clear::No},
        {"pctMinesNote", 276, 14, Clear::No},
        {"pctFlashNote", 276, 14, Clear::No},
        {"pctNextBoardNote", 336, 14, Clear::No},
        {"pctMarkRowShifts", 14, 14, Clear::No},
        {"pctMarkColumnShifts", 14, 14, Clear::No},
        {"pctMarkMines", 14, 14, Clear::No},
        {"pctMarkFlash", 14, 14, Clear::No},
        {"pctMarkPlayer", 10, 22, Clear::No},
        {"pctMarkComputer", 10, 22, Clear::No},
    };
    for (int k = 1; k <= 6; ++k)
        pictures.push_back({"pctPiece" + std::to_string(k), 32, 32, Clear::No});
    for (int d = 0; d <= 10; ++d)
        pictures.push_back({"imgDigit" + std::to_string(d), 22, 28, Clear::No});
    for (int k = 0; k <= 26; ++k)
        pictures.push_back({"pctAlphabet" + std::to_string(k), 22, 28, Clear::No});
    for (int d = 0; d <= 9; ++d)
        pictures.push_back({"imgSmallDigit" + std::to_string(d), 12, 16, Clear::No});
    return pictures;
}

const QDir kAssets(QUABE_ASSETS_DIR);

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using Gif = std::unique_ptr<GifFileType, GifCloser>;

Gif Slurp(const QString& path) {
    int error = 0;
    Gif gif(DGifOpenFileName(QFile::encodeName(path).constData(), &error));
    if (gif && DGifSlurp(gif.get()) != GIF_OK) gif.reset();
    return gif;
}

int TransparentIndex(GifFileType* gif) {
    GraphicsControlBlock control;
    if (DGifSavedExtensionToGCB(gif, 0, &control) != GIF_OK) return NO_TRANSPARENT_COLOR;
    return control.TransparentColor;
}

// The format every picture of the game shares, checked on one file.
void CheckGif(const QString& path, int width, int height, Clear clear) {
    SCOPED_TRACE(path.toStdString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(6), QByteArray("GIF89a"));
    Gif gif = Slurp(path);
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->ImageCount, 1);
    const SavedImage& image = gif->SavedImages[0];
    EXPECT_EQ(gif->SWidth, width);
    EXPECT_EQ(gif->SHeight, height);
    EXPECT_EQ(image.ImageDesc.Width, width);
    EXPECT_EQ(image.ImageDesc.Height, height);
    EXPECT_FALSE(image.ImageDesc.Interlace);
    const ColorMapObject* map =
        image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    ASSERT_TRUE(map);
    EXPECT_LE(map->ColorCount, 256);

    const int key = TransparentIndex(gif.get());
    if (clear == Clear::No) {
        EXPECT_EQ(key, NO_TRANSPARENT_COLOR);
        return;
    }
    ASSERT_NE(key, NO_TRANSPARENT_COLOR);
    ASSERT_LT(key, map->ColorCount);
    const GifColorType colour = map->Colors[key];
    EXPECT_EQ(colour.Red + colour.Green + colour.Blue, 0) << "the transparent entry must be black";
    long keyed = 0;
    for (long i = 0; i < long(width) * height; ++i) keyed += image.RasterBits[i] == key;
    if (clear == Clear::All) {
        EXPECT_EQ(keyed, long(width) * height);
    }
    if (clear == Clear::Some) {
        EXPECT_GT(keyed, 0);
        EXPECT_LT(keyed, long(width) * height);
    }
}

TEST(AssetsPictures, EveryCatalogueEntryHasItsSizeFormatAndTransparency) {
    for (const Expected& e : Catalogue())
        CheckGif(kAssets.filePath("pictures/" + QString::fromStdString(e.name) + ".gif"), e.width,
                 e.height, e.clear);
}

TEST(AssetsPictures, FolderHoldsExactlyTheCatalogueAndTheDesktopPictures) {
    std::set<QString> expected = {
        "hand.png",    "icon32.png",  "icon48.png",      "icon64.png",
        "icon128.png", "icon256.png", "pctHowToPlay.txt"};  // the page's words, for readers
    for (const Expected& e : Catalogue()) expected.insert(QString::fromStdString(e.name) + ".gif");
    const QStringList found = QDir(kAssets.filePath("pictures")).entryList(QDir::Files);
    EXPECT_EQ(std::set<QString>(found.begin(), found.end()), expected);
}

QImage Load(const QString& name) {
    return QImage(kAssets.filePath("pictures/" + name));
}

TEST(AssetsPictures, LetterOAndDigitZeroAreTheSameArtwork) {
    EXPECT_EQ(Load("pctAlphabet15.gif"), Load("imgDigit0.gif"));
    EXPECT_NE(Load("pctAlphabet15.gif"), Load("pctAlphabet17.gif"));  // Q keeps its tail
}

TEST(AssetsPictures, CharacterInkLeavesTheOverlapOfScoreCellsBlack) {
    // Score digits stand 20 pixels apart in 22-pixel pictures, so the two
    // outer columns on each side must stay black or a neighbour is clipped.
    QStringList names = {"imgDigit10.gif"};
    for (int d = 0; d <= 9; ++d) names << QString("imgDigit%1.gif").arg(d);
    for (int k = 0; k <= 26; ++k) names << QString("pctAlphabet%1.gif").arg(k);
    for (const QString& name : names) {
        const QImage cell = Load(name);
        ASSERT_EQ(cell.size(), QSize(22, 28)) << qPrintable(name);
        int ink = 0;
        for (int y = 0; y < 28; ++y) {
            for (int x : {0, 1, 20, 21}) EXPECT_EQ(qGray(cell.pixel(x, y)), 0) << qPrintable(name);
            for (int x = 2; x < 20; ++x) ink += qGray(cell.pixel(x, y)) > 64;
        }
        EXPECT_GT(ink, 15) << qPrintable(name);
    }
}

// The deal number's digits stand 12 pixels apart: their ink keeps off both edges.
TEST(AssetsPictures, SmallDigitsKeepTheirInkInsideTheirCells) {
    for (int d = 0; d <= 9; ++d) {
        const QImage cell = Load(QString("imgSmallDigit%1.gif").arg(d));
        int ink = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x : {0, 11}) EXPECT_EQ(qGray(cell.pixel(x, y)), 0) << d;
            for (int x = 1; x < 11; ++x) ink += qGray(cell.pixel(x, y)) > 64;
        }
        EXPECT_GT(ink, 8) << d;
    }
}

TEST(AssetsPictures, EveryCharacterHasItsOwnArtwork) {
    std::set<QByteArray> seen;
    QStringList names;
    for (int d = 0; d <= 9; ++d) names << QString("imgSmallDigit%1.gif").arg(d);
    for (int d = 1; d <= 10; ++d) names << QString("imgDigit%1.gif").arg(d);
    for (int k = 0; k <= 26; ++k) names << QString("pctAlphabet%1.gif").arg(k);
    for (const QString& name : names) {
        QFile file(kAssets.filePath("pictures/" + name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(seen.insert(file.readAll()).second) << qPrintable(name) << " repeats another";
    }
}

TEST(AssetsPictures, HandPointerHasSixteenColoursAndItsTipAtTheHotSpot) {
    const QImage hand = Load("hand.png");
    ASSERT_EQ(hand.size(), QSize(32, 32));
    ASSERT_EQ(hand.format(), QImage::Format_Indexed8);
    EXPECT_LE(hand.colorCount(), 16);
    EXPECT_EQ(qAlpha(hand.pixel(12, 1)), 255) << "the hot spot lies on the finger";
    for (int x = 0; x < 32; ++x) EXPECT_EQ(qAlpha(hand.pixel(x, 0)), 0) << "nothing above the tip";
    for (int y = 0; y < 32; ++y) EXPECT_EQ(qAlpha(hand.pixel(0, y)), 0);
}

TEST(AssetsPictures, WindowIconsAreMagentaStrokesOnTransparentAtEverySize) {
    for (int size : {32, 48, 64, 128, 256}) {
        const QImage icon = Load(QString("icon%1.png").arg(size));
        SCOPED_TRACE(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        if (size == 32) {
            EXPECT_LE(icon.colorCount(), 16);
        }
        long clear = 0, magenta = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb px = icon.pixel(x, y);
                if (qAlpha(px) == 0)
                    ++clear;
                else if (qRed(px) > 2 * qGreen(px) && qBlue(px) > 2 * qGreen(px))
                    ++magenta;
            }
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
        EXPECT_GT(clear, long(size) * size / 2);
        EXPECT_GT(magenta, long(size) * size / 10);
    }
}

}  // namespace
