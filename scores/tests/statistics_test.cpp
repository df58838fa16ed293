// The player's statistics: counting games and play, and the file that keeps
// them, damaged files included.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef __linux__
#include <sys/stat.h>
#endif

#include "statistics.h"

namespace quabe {
namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool Zero(const Statistics& s) {
    return StatisticsText(s) == StatisticsText(Statistics{});
}

TEST(Statistics, CountFinishedOneAndTwoPlayerGamesAndPlay) {
    Statistics s;
    CountGame(s, 120, 0, false);
    CountGame(s, 50, 80, true);   // lost to the computer
    CountGame(s, 90, 90, true);   // drawn
    CountGame(s, 101, 20, true);  // won
    CountPlay(s, {2, 7, 1});
    CountPlay(s, {1, 5, 0});
    EXPECT_EQ(s.GamesOnePlayer, 1);
    EXPECT_EQ(s.GamesTwoPlayers, 3);
    EXPECT_EQ(GamesPlayed(s), 4);
    EXPECT_EQ(s.BestScore, 120);
    EXPECT_EQ(AverageScore(s), 90);  // 361 / 4 = 90.25
    EXPECT_EQ(s.Wins, 1);
    EXPECT_EQ(s.Losses, 1);
    EXPECT_EQ(s.Draws, 1);
    EXPECT_EQ(s.BoardsCleared, 3);
    EXPECT_EQ(s.BiggestGroup, 7);
    EXPECT_EQ(s.MinesSetOff, 1);

    CountGame(s, 3, 0, false);  // 364 / 5 = 72.8
    EXPECT_EQ(AverageScore(s), 73);
    EXPECT_EQ(AverageScore(Statistics{}), 0);
}

TEST(StatisticsFile, KeepsEveryFigureAndPassesOverALaterGamesFigures) {
    QTemporaryDir dir;
    const QString path = dir.filePath("data/quabe-pro/statistics.txt");  // folders made
    Statistics s;
    int64_t value = 1;
    for (int64_t* figure :
         {&s.GamesOnePlayer, &s.GamesTwoPlayers, &s.BoardsCleared, &s.BestScore, &s.ScoreTotal,
          &s.Wins, &s.Losses, &s.Draws, &s.BiggestGroup, &s.MinesSetOff})
        *figure = value *= 7;
    ASSERT_TRUE(SaveStatistics(s, path));
    const LoadedStatistics loaded = LoadStatistics(path);
    EXPECT_EQ(StatisticsText(loaded.statistics), StatisticsText(s));
    EXPECT_TRUE(loaded.setAside.isEmpty());

    const std::optional<Statistics> later =
        ReadStatisticsText("Streak=4\r\n" + StatisticsText(s) + "  \n# note\n");
    ASSERT_TRUE(later);
    EXPECT_EQ(StatisticsText(*later), StatisticsText(s));

    const LoadedStatistics none = LoadStatistics(dir.filePath("none.txt"));
    EXPECT_TRUE(Zero(none.statistics));
    EXPECT_TRUE(none.saveable);
    EXPECT_FALSE(QFile::exists(dir.filePath("none.txt")));
}

TEST(StatisticsFile, ADamagedFileIsSetAsideAndKeptAndCountingStartsAfresh) {
    QTemporaryDir dir;
    const QString path = dir.filePath("statistics.txt");
    Statistics some;
    some.Wins = 3;
    const QByteArray whole = StatisticsText(some);
    const QByteArray damaged[] = {
        "not statistics at all",
        whole.left(whole.size() - 15),            // cut short: the last figure is gone
        QByteArray(whole).replace("=3", "=-3"),   // not a whole number
        QByteArray(whole).replace("=3", "=3e2"),  // nor this
        QByteArray(whole).replace("=3", "=9999999999999999999"),
        whole + QByteArray(5000, '#'),  // far larger than the game writes
        "",
    };
    int n = 0;
    for (const QByteArray& bytes : damaged) {
        Write(path, bytes);
        const LoadedStatistics loaded = LoadStatistics(path);
        const QString kept = path + (++n == 1 ? ".damaged" : QString(".damaged-%1").arg(n));
        EXPECT_EQ(loaded.setAside, kept) << n;
        EXPECT_EQ(Contents(kept), bytes) << n;
        EXPECT_TRUE(Zero(loaded.statistics)) << n;
        EXPECT_TRUE(loaded.saveable) << n;
        EXPECT_FALSE(QFile::exists(path)) << n;
    }
    EXPECT_EQ(Contents(path + ".damaged"), "not statistics at all");  // never overwritten

    // A folder in its place is never opened, and is kept the same way.
    ASSERT_TRUE(QDir().mkpath(path + "/inside"));
    EXPECT_EQ(LoadStatistics(path).setAside, path + ".damaged-8");
    EXPECT_TRUE(QFileInfo::exists(path + ".damaged-8/inside"));
}

TEST(StatisticsFile, ADamagedFileWithNoNameLeftIsNeitherMovedNorOverwritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("statistics.txt");
    Write(path + ".damaged", "first");
    for (int n = 2; n <= 100; ++n) Write(path + QString(".damaged-%1").arg(n), "more");
    Write(path, "garbage");
    const LoadedStatistics loaded = LoadStatistics(path);
    EXPECT_FALSE(loaded.saveable);
    EXPECT_TRUE(loaded.setAside.isEmpty());
    EXPECT_EQ(Contents(path), "garbage");
}

#ifdef __linux__
TEST(StatisticsFile, APipeInItsPlaceDoesNotHoldUpTheRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath("statistics.txt");
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const LoadedStatistics loaded = LoadStatistics(path);  // would wait for a writer forever
    EXPECT_EQ(loaded.setAside, path + ".damaged");
    EXPECT_TRUE(Zero(loaded.statistics));
}
#endif

}  // namespace
}  // namespace quabe
