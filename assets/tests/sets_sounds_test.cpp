// The shipped piece sets and wave files, as the set loader and the sound
// cues will find them beside the game.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <set>

namespace {

const QDir kAssets(QUABE_ASSETS_DIR);

QImage Piece(int set, int kind) {
    return QImage(kAssets.filePath(QString("sets/Set%1/Piece%2.gif").arg(set).arg(kind)));
}

TEST(AssetsSets, ThreeCompleteSetsWithDistinctOneLineTitles) {
    std::set<QByteArray> titles;
    for (int set = 1; set <= 3; ++set) {
        SCOPED_TRACE(set);
        QFile title(kAssets.filePath(QString("sets/Set%1/Title.txt").arg(set)));
        ASSERT_TRUE(title.open(QIODevice::ReadOnly));
        const QByteArray text = title.readAll();
        ASSERT_TRUE(text.endsWith('\n'));
        const QByteArray line = text.chopped(1);
        EXPECT_FALSE(line.isEmpty());
        EXPECT_FALSE(line.contains('\n') || line.contains(',') || line.contains('"'))
            << "the title must read whole as one delimited field";
        EXPECT_TRUE(titles.insert(line).second);
        for (int kind = 0; kind <= 6; ++kind) EXPECT_EQ(Piece(set, kind).size(), QSize(32, 32));
    }
    EXPECT_FALSE(QDir(kAssets.filePath("sets/Set4")).exists());  // numbering without gaps
}

TEST(AssetsSets, EmptyCellIsOneFlatBoardColourAndPiecesStandOnIt) {
    for (int set = 1; set <= 3; ++set) {
        SCOPED_TRACE(set);
        const QImage empty = Piece(set, 0);
        const QRgb board = empty.pixel(0, 0);
        if (set == 1) {
            EXPECT_EQ(board, qRgb(0, 0, 0)) << "the first set plays on black";
        }
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) ASSERT_EQ(empty.pixel(x, y), board);
        // The pieces' corners are board, so a full board shows no seams.
        for (int kind = 1; kind <= 6; ++kind) EXPECT_EQ(Piece(set, kind).pixel(0, 0), board);
    }
    EXPECT_NE(Piece(2, 0).pixel(0, 0), Piece(3, 0).pixel(0, 0));
    EXPECT_NE(Piece(2, 0).pixel(0, 0), Piece(1, 0).pixel(0, 0));
}

TEST(AssetsSets, KindsDifferAlsoInLightnessForRedGreenBlindPlayers) {
    // Without hue, kinds 1 (green) and 4 (red) must still differ in how much
    // of the cell they cover or how light they are.
    for (int set = 1; set <= 3; ++set) {
        SCOPED_TRACE(set);
        const QImage green = Piece(set, 1), red = Piece(set, 4);
        long differing = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                differing += std::abs(qGray(green.pixel(x, y)) - qGray(red.pixel(x, y))) > 40;
        EXPECT_GT(differing, 150);
    }
}

TEST(AssetsSets, BuiltInPiecesMatchTheFirstSet) {
    for (int kind = 1; kind <= 6; ++kind)
        EXPECT_EQ(QImage(kAssets.filePath(QString("pictures/pctPiece%1.gif").arg(kind))),
                  Piece(1, kind));
}

struct Wave {
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0;
    double seconds = 0;
    int peak = 0;
};

Wave ReadWave(const QString& name) {
    QFile file(kAssets.filePath("sounds/" + name));
    Wave wave;
    if (!file.open(QIODevice::ReadOnly)) return wave;
    const QByteArray bytes = file.readAll();
    auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    if (bytes.size() < 44 || bytes.left(4) != "RIFF" || bytes.mid(8, 8) != "WAVEfmt ") return wave;
    if (u32(4) != quint32(bytes.size() - 8) || bytes.mid(36, 4) != "data") return wave;
    if (u32(40) != quint32(bytes.size() - 44)) return wave;
    wave.format = u16(20), wave.channels = u16(22), wave.rate = u32(24), wave.bits = u16(34);
    if (u32(28) != wave.rate * wave.channels * wave.bits / 8) return Wave{};
    const int samples = (bytes.size() - 44) / 2;
    wave.seconds = double(samples) / wave.rate;
    for (int i = 0; i < samples; ++i)
        wave.peak = std::max(wave.peak, std::abs(int(qint16(u16(44 + 2 * i)))));
    return wave;
}

TEST(AssetsSounds, ThreeMonoSixteenBitPcmWavesOfTheirLengths) {
    struct Expected {
        const char* name;
        double shortest, longest;
    };
    const Expected waves[] = {
        {"Bleep.wav", 0.02, 0.1},   // one per removed piece: must not drag on
        {"Explode.wav", 0.8, 1.5},  // about a second of blast
        {"Bazooka.wav", 0.3, 0.8},  // played twice per shift while play waits
    };
    for (const Expected& e : waves) {
        SCOPED_TRACE(e.name);
        const Wave wave = ReadWave(e.name);
        EXPECT_EQ(wave.format, 1);
        EXPECT_EQ(wave.channels, 1);
        EXPECT_EQ(wave.bits, 16);
        EXPECT_EQ(wave.rate, 22050u);
        EXPECT_GT(wave.seconds, e.shortest);
        EXPECT_LT(wave.seconds, e.longest);
        EXPECT_GT(wave.peak, 8000) << "audible";
        EXPECT_LT(wave.peak, 32767) << "not clipped";
    }
    EXPECT_EQ(QDir(kAssets.filePath("sounds")).entryList(QDir::Files).size(), 3);
}

}  // namespace
