// Deal numbers and the player's statistics in the real window: the number under
// the buttons, Ctrl+G, Ctrl+R and --deal; games counted into the player's file,
// and the statistics screen from the main screen and from the table.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <cstring>

#include "deals.h"
#include "game/tests/null_platform.h"
#include "shown_window.h"
#include "statistics_screen.h"

namespace quabe::testing {
namespace {

// Keys carry QTest's own timestamps, which run ahead of a real clock: a test
// presses the board with the mouse only before its first key, lest the press be
// taken for one made during the last move.
struct KeyedWindow : ShownWindow {
    KeyedWindow() {
        QFile::remove(StatisticsLocation());
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    ~KeyedWindow() { QFile::remove(StatisticsLocation()); }
};

void Key(MainWindow& w, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(w.windowHandle(), key, modifiers);
}

void Type(MainWindow& w, const char* keys) {
    for (const char* k = keys; *k; ++k) Key(w, static_cast<Qt::Key>(Qt::Key_0 + (*k - '0')));
}

QString Name(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// The board deal `number` gives, whatever the window.
std::vector<int> BoardOfDeal(int32_t number) {
    NullPlatform platform;
    Game game{platform};
    game.NextDeal = number;
    game.NewGame();
    std::vector<int> cells;
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kCols; ++col) cells.push_back(game.Board[row][col]);
    return cells;
}

// No two neighbours alike but a pair standing in column 1, and another in
// column 15 when asked: taking either leaves no new pair behind it.
void LayOutPairs(MainWindow& w, bool second) {
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kCols; ++col) w.game.Board[row][col] = (row + 3 * col) % 6 + 1;
    w.game.Board[9][1] = w.game.Board[10][1];
    if (second) w.game.Board[9][15] = w.game.Board[10][15];
    w.game.DrawBoard(false);
}

TEST(Deals, TheNumberStandsUnderTheButtonsInSmallDigitsAndIsNamed) {
    KeyedWindow shown;
    MainWindow& w = shown.window;
    EXPECT_FALSE(w.pctDeal->isVisible()) << "no deal before the first New";
    w.game.NextDeal = 904;
    Key(w, Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(w.pctDeal->isVisible());
    const QRect strip = w.pctDeal->geometry();
    EXPECT_GE(strip.top(), w.pctExit->geometry().bottom() + 1);
    EXPECT_LE(strip.bottom(), 448) << "above the frame";
    const QImage shot = Shot(w);
    const QPoint first(560 + (122 - 3 * 12) / 2, 429);
    EXPECT_TRUE(Shows(shot, w.graphics.SmallDigits[9].toImage(), first));
    EXPECT_TRUE(Shows(shot, w.graphics.SmallDigits[0].toImage(), first + QPoint(12, 0)));
    EXPECT_TRUE(Shows(shot, w.graphics.SmallDigits[4].toImage(), first + QPoint(24, 0)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Name(w.pctDeal) == "Deal 904"; }));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.pctDeal)->role(), QAccessible::StaticText);

    Click(w, w.pctEvents);  // other screens hide it with the main screen
    EXPECT_FALSE(w.pctDeal->isVisible());
}

TEST(Deals, CtrlGPlaysATypedNumberAndRefusesOneOutOfRangeOnTheBoard) {
    KeyedWindow shown;
    MainWindow& w = shown.window;
    Key(w, Qt::Key_N, Qt::ControlModifier);
    const int32_t dealt = w.game.DealNumber;
    const std::vector<int> board = BoardCells(w);

    Key(w, Qt::Key_G, Qt::ControlModifier);
    ASSERT_TRUE(w.pctDealEntry && w.pctDealEntry->isVisible());
    EXPECT_EQ(w.pctDealEntry->geometry(), w.pctBoard->geometry());
    EXPECT_FALSE(w.pctBoard->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), w.pctDealEntry);
    Type(w, "000");
    Key(w, Qt::Key_Return);
    EXPECT_TRUE(w.pctDealEntry->isVisible()) << "0 is no deal";
    EXPECT_TRUE(w.pctDealEntry->Refused());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.pctDealEntry)->text(QAccessible::Value),
              "000");
    const QImage refusal = Shot(w).copy(w.pctDealEntry->geometry());
    EXPECT_TRUE(Shows(refusal, w.graphics.Alphabet['F' - 'A' + 1].toImage(), {60, 210}));
    EXPECT_EQ(w.game.DealNumber, dealt);
    EXPECT_EQ(BoardCells(w), board);

    // Backspace takes digits back; a tenth digit finds no cell.
    for (int k = 0; k < 3; ++k) Key(w, Qt::Key_Backspace);
    Type(w, "0424200001");
    EXPECT_EQ(w.pctDealEntry->Typed(), "042420000");
    EXPECT_FALSE(w.pctDealEntry->Refused());
    for (int k = 0; k < 4; ++k) Key(w, Qt::Key_Backspace);
    Key(w, Qt::Key_Return);
    EXPECT_FALSE(w.pctDealEntry->isVisible());
    EXPECT_TRUE(w.pctBoard->isVisible());
    EXPECT_EQ(w.game.DealNumber, 4242);
    EXPECT_EQ(BoardCells(w), BoardOfDeal(4242));

    // Escape, like a click, leaves it and changes nothing.
    Key(w, Qt::Key_G, Qt::ControlModifier);
    Type(w, "77");
    Key(w, Qt::Key_Escape);
    EXPECT_TRUE(w.pctBoard->isVisible());
    EXPECT_EQ(w.game.DealNumber, 4242);
    EXPECT_EQ(w.game.NextDeal, 0);
    Key(w, Qt::Key_G, Qt::ControlModifier);
    Click(w, w.pctDealEntry);
    EXPECT_TRUE(w.pctBoard->isVisible());
}

TEST(Deals, CtrlRReplaysTheDealOnlyWhereNewIsOffered) {
    KeyedWindow shown;
    MainWindow& w = shown.window;
    w.game.NextDeal = 31337;
    Click(w, w.pctNew);
    LayOutPairs(w, true);
    ClickCell(w, 10, 1);
    ASSERT_EQ(w.game.Score1, 4);

    Click(w, w.pctEvents);
    Key(w, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(w.game.Score1, 4) << "not from the options screen";
    Click(w, w.pctOk);
    Key(w, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(w.game.Score1, 0);
    EXPECT_EQ(w.game.DealNumber, 31337);
    EXPECT_EQ(BoardCells(w), BoardOfDeal(31337));
    EXPECT_TRUE(BoardShowsGrid(w));
}

TEST(Statistics, FinishedGamesAreCountedWrittenAndShown) {
    KeyedWindow shown;
    MainWindow& w = shown.window;
    Click(w, w.pctNew);
    LayOutPairs(w, false);
    ClickCell(w, 10, 1);  // the only move: the game is over
    ASSERT_TRUE(WaitForGameOver(w));
    EXPECT_EQ(w.statistics.GamesOnePlayer, 1);
    EXPECT_EQ(w.statistics.BestScore, 4);
    EXPECT_EQ(w.statistics.BiggestGroup, 2);
    EXPECT_TRUE(LoadStatistics(StatisticsLocation()).statistics.GamesOnePlayer == 1)
        << "written when the game ends";

    // Two players: each takes a pair, and the game ends drawn.
    Click(w, w.pctGameOver);
    Click(w, w.pctOk);
    Click(w, w.pctPlayers);
    Click(w, w.pctNew);
    LayOutPairs(w, true);
    ClickCell(w, 10, 1);
    ASSERT_TRUE(WaitForGameOver(w));
    const Statistics kept = LoadStatistics(StatisticsLocation()).statistics;
    EXPECT_EQ(kept.GamesTwoPlayers, 1);
    EXPECT_EQ(kept.Draws, 1);
    EXPECT_EQ(kept.GamesOnePlayer, 1);

    // From the table by its picture, and back to it with a click.
    Click(w, w.pctGameOver);
    ASSERT_TRUE(w.nameEntry.EnteringName());
    Click(w, w.pctStatistics);
    ASSERT_TRUE(w.pctStatisticsScreen && w.pctStatisticsScreen->isVisible());
    EXPECT_FALSE(w.pctHighScore->isVisible());
    EXPECT_FALSE(w.pctOk->isVisible());
    EXPECT_EQ(w.pctStatisticsScreen->geometry(), w.pctBoard->geometry());
    const QImage screen = Shot(w).copy(w.pctStatisticsScreen->geometry());
    EXPECT_TRUE(Shows(screen, w.graphics.Digits[1].toImage(), {360 + 5 * 22, 7}));
    EXPECT_TRUE(Shows(screen, w.graphics.Digits[2].toImage(), {360 + 5 * 22, 7 + 8 * 34}))
        << "the biggest group";
    EXPECT_EQ(Name(w.pctStatisticsScreen), "Statistics");
    QAccessibleInterface* figures = QAccessible::queryAccessibleInterface(w.pctStatisticsScreen);
    ASSERT_EQ(figures->childCount(), kShownFigures);
    EXPECT_EQ(figures->child(0)->text(QAccessible::Name), "One-player games: 1");
    EXPECT_EQ(figures->child(1)->text(QAccessible::Name), "Two-player games: 1");
    Click(w, w.pctStatisticsScreen);
    EXPECT_TRUE(w.pctHighScore->isVisible());
    EXPECT_TRUE(w.pctStatistics->isVisible());
    EXPECT_FALSE(w.pctReset->isVisible()) << "the table as it was";

    // From the main screen by Ctrl+T, back with Escape.
    Key(w, Qt::Key_Escape);
    Key(w, Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(w.pctStatisticsScreen->isVisible());
    EXPECT_FALSE(w.pctNew->isVisible());
    Key(w, Qt::Key_Escape);
    EXPECT_FALSE(w.pctStatisticsScreen->isVisible());
    EXPECT_TRUE(w.pctNew->isVisible());
}

TEST(Statistics, AreReadAtStartADamagedFileKeptAsideAndLeavingWritesThePlaySoFar) {
    Statistics before;
    before.GamesOnePlayer = 5;
    before.BiggestGroup = 9;
    for (const QByteArray& file : {StatisticsText(before), QByteArray("GamesOnePlayer=lots\n")}) {
        const bool damaged = file.startsWith("Games");
        SCOPED_TRACE(damaged ? "damaged" : "whole");
        ASSERT_TRUE(QDir().mkpath(QFileInfo(StatisticsLocation()).path()));
        QFile stored(StatisticsLocation());
        ASSERT_TRUE(stored.open(QIODevice::WriteOnly));
        stored.write(file);
        stored.close();
        {
            ShownWindow shown;
            MainWindow& w = shown.window;
            EXPECT_EQ(w.statistics.GamesOnePlayer, damaged ? 0 : 5);
            QFile kept(StatisticsLocation() + ".damaged");
            EXPECT_EQ(kept.open(QIODevice::ReadOnly), damaged);
            if (damaged) {
                EXPECT_EQ(kept.readAll(), file);
            }

            Click(w, w.pctNew);
            LayOutPairs(w, true);
            ClickCell(w, 10, 15);  // a group, with the game going on
            QTimer::singleShot(0, [&] { Click(w, w.pctExit); });
            EXPECT_EQ(QApplication::exec(), 0);
        }
        const Statistics left = LoadStatistics(StatisticsLocation()).statistics;
        EXPECT_EQ(left.BiggestGroup, damaged ? 2 : 9);
        EXPECT_EQ(GamesPlayed(left), damaged ? 0 : 5) << "a game left unfinished is no game";
    }
    QFile::remove(StatisticsLocation());
    QFile::remove(StatisticsLocation() + ".damaged");
}

// The program itself, as a player starts it from a terminal.
TEST(CommandLine, ADealThatIsNoNumberOrOutOfRangeIsRefusedBeforeAnythingElse) {
    const QString program = QCoreApplication::applicationDirPath() + "/quabe-pro";
    for (const char* refused : {"abc", "0", "1000000000", "12x", "-3"}) {
        QProcess game;
        game.start(program, {"--deal", refused});
        EXPECT_TRUE(game.waitForFinished(30000)) << refused;
        if (game.state() != QProcess::NotRunning) game.kill();  // by its own process id
        EXPECT_NE(game.exitCode(), 0) << refused;
        EXPECT_EQ(QString(game.readAllStandardError()),
                  QString("quabe-pro: \"%1\" is not a deal number: deals are numbered 1 to "
                          "999999999\n")
                      .arg(refused));
    }
    EXPECT_FALSE(QFile::exists(SettingsLocation())) << "nothing else changes";
    EXPECT_FALSE(QFile::exists(StatisticsLocation()));

    QProcess game;  // a good number goes on to the options that follow it
    game.start(program, {"--deal", "999999999", "--help"});
    EXPECT_TRUE(game.waitForFinished(30000));
    if (game.state() != QProcess::NotRunning) game.kill();
    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_TRUE(game.readAllStandardOutput().contains("--deal <N>"));
}

}  // namespace
}  // namespace quabe::testing
