// The screens of the one window: main, about, options, game over, the table,
// a change of piece set during a game, and the player's own sets.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QScopeGuard>
#include <QTimer>

#include "piece_sets.h"
#include "shown_window.h"

namespace quabe::testing {
namespace {

std::vector<QWidget*> MainScreen(MainWindow& w) {
    std::vector<QWidget*> controls = {w.pctBoard,   w.pctExit, w.pctNew,    w.pctHighScores,
                                      w.pctSound,   w.pctSet,  w.pctEvents, w.pctHelp,
                                      w.pctPlayers, w.pctUndo};
    for (int cell = 0; cell < 6; ++cell) controls.push_back(w.imgScore[cell]);
    return controls;
}

void ExpectMainScreen(MainWindow& w, bool shown) {
    for (QWidget* control : MainScreen(w)) EXPECT_EQ(control->isVisible(), shown);
    for (QWidget* always : {w.pctQuabe, w.pctMinimizeIcon, w.pctExitIcon})
        EXPECT_TRUE(always->isVisible());
}

TEST(Screens, AboutScreenCentresThePictureWithTheVersionUnderIt) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    Click(w, w.pctHelp);
    ExpectMainScreen(w, false);
    EXPECT_EQ(w.pctAboutText->geometry(), QRect(173, 167, 343, 123));
    const QPoint digits[3] = {{323, 290}, {345, 290}, {367, 290}};
    const int pictures[3] = {1, 10, 1};  // reads 1.1
    const QImage shot = Shot(w);
    EXPECT_TRUE(Shows(shot, w.pctAboutText->Picture().toImage(), {173, 167}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(w.pctVersion[i]->geometry(), QRect(digits[i], QSize(22, 28)));
        EXPECT_TRUE(Shows(shot, w.graphics.Digits[pictures[i]].toImage(), digits[i])) << i;
    }

    // A click on the dot closes it; the board comes back as 150 empty cells.
    Click(w, w.pctVersion[1]);
    EXPECT_FALSE(w.pctAboutText->isVisible());
    for (PictureBox* digit : w.pctVersion) EXPECT_FALSE(digit->isVisible());
    ExpectMainScreen(w, true);
    for (int cell = 6; cell < 12; ++cell) EXPECT_FALSE(w.imgScore[cell]->isVisible());
    EXPECT_TRUE(w.pctStartHint->isVisible()) << "until the first deal";
    w.pctStartHint->hide();
    EXPECT_TRUE(BoardShowsGrid(w));
    EXPECT_EQ(Shot(w).pixel(12 + 33, 82 + 33) & 0xFFFFFF, w.game.BoardColor & 0xFFFFFF)
        << "the gaps between cells show the board colour";
}

TEST(Screens, OptionsScreenSwitchesTheEventsAndOkReturns) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    Click(w, w.pctEvents);
    ExpectMainScreen(w, false);
    for (PictureBox* control :
         {w.pctRowShiftsSelection, w.pctRowShifts, w.pctColumnShiftsSelection, w.pctColumnShifts,
          w.pctMinesSelection, w.pctMines, w.pctFlashSelection, w.pctFlash, w.pctOk})
        EXPECT_TRUE(control->isVisible());

    auto expectShifts = [&](bool row, bool column) {
        EXPECT_EQ(w.OptionOn(Option::RowShifts), row);
        EXPECT_EQ(w.OptionOn(Option::ColumnShifts), column);
        const auto yesNo = [](bool on) {
            return on ? ShippedPicture("pctYes.gif", {50, 25})
                      : ShippedPicture("pctNo.gif", {38, 25});
        };
        const QImage shot = Shot(w);
        EXPECT_TRUE(Shows(shot, yesNo(row), {210, 150}));
        EXPECT_TRUE(Shows(shot, yesNo(column), {210, 200}));
    };
    Click(w, w.pctRowShiftsSelection);
    expectShifts(true, false);
    Click(w, w.pctColumnShiftsSelection);
    expectShifts(false, true);
    Click(w, w.pctColumnShiftsSelection);
    expectShifts(false, false);
    Click(w, w.pctRowShiftsSelection);
    expectShifts(true, false);

    Click(w, w.pctMinesSelection);
    Click(w, w.pctFlashSelection);
    Click(w, w.pctFlashSelection);
    EXPECT_TRUE(w.OptionOn(Option::Mines));
    EXPECT_FALSE(w.OptionOn(Option::Flash));

    Click(w, w.pctOk);
    EXPECT_FALSE(w.pctRowShiftsSelection->isVisible());
    EXPECT_FALSE(w.pctOk->isVisible());
    ExpectMainScreen(w, true);
}

TEST(Screens, SidePanelTogglesShowPlayersAndSound) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    Click(w, w.pctPlayers);
    Click(w, w.pctSound);
    EXPECT_TRUE(w.OptionOn(Option::TwoPlayers));
    EXPECT_TRUE(w.OptionOn(Option::Sound));
    QImage shot = Shot(w);
    EXPECT_TRUE(Shows(shot, ShippedPicture("pct2Player.gif", {32, 32}), {630, 313}));
    EXPECT_TRUE(Shows(shot, ShippedPicture("pctSoundOn.gif", {32, 32}), {630, 233}));

    // A two-player game shows the second score; the main screen keeps it shown.
    w.settings.Sound = false;
    Click(w, w.pctNew);
    for (int cell = 0; cell < 12; ++cell) EXPECT_TRUE(w.imgScore[cell]->isVisible()) << cell;
    Click(w, w.pctPlayers);
    EXPECT_FALSE(w.OptionOn(Option::TwoPlayers));
    EXPECT_TRUE(w.game.TwoPlayers) << "takes effect at the next New";
}

// Ends the game running in the window with player 1 holding `score`.
void EndGame(MainWindow& w, int32_t score) {
    Click(w, w.pctNew);
    w.game.Score1 = score;
    w.game.GameOver();
    ASSERT_TRUE(WaitForGameOver(w));
}

bool AnyLineOnBoard(MainWindow& w) {
    const QImage board = Shot(w).copy(w.pctBoard->geometry());
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            if ((board.pixel(x, y) & 0xFFFFFF) != 0) return true;
    return false;
}

TEST(Screens, GameOverFireworksThenTheTableTakesATypedName) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    EndGame(w, 1234);
    EXPECT_TRUE(w.pctGameOver->isVisible());
    EXPECT_TRUE(w.pctBoard->isVisible());
    EXPECT_FALSE(w.pctNew->isVisible());
    EXPECT_TRUE(w.imgScore[0]->isVisible());
    EXPECT_FALSE(w.imgScore[6]->isVisible());
    EXPECT_TRUE(w.celebration()->Running());
    EXPECT_TRUE(QTest::qWaitFor([&] { return AnyLineOnBoard(w); }, 3000))
        << "the fireworks draw on the board";

    Click(w, w.pctGameOver);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.celebration()->Running(); }, 1000));
    EXPECT_FALSE(w.pctGameOver->isVisible());
    ASSERT_TRUE(w.pctHighScore->isVisible());
    EXPECT_EQ(w.pctHighScore->geometry(), w.pctBoard->geometry());
    EXPECT_TRUE(w.pctOk->isVisible());
    EXPECT_FALSE(w.pctReset->isVisible());
    EXPECT_EQ(w.NewEntryRow, 1);

    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.pctHighScore);
    QTest::keyClicks(QApplication::focusWidget(), "ab1 ?");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(w.settings.Table.HighScoreNames[1], "AB1");
    EXPECT_FALSE(w.nameEntry.EnteringName());
    const QImage table = Shot(w).copy(w.pctHighScore->geometry());
    EXPECT_TRUE(Shows(table, w.graphics.Alphabet[1].toImage(), {67, 7})) << "A in row 1";
    EXPECT_TRUE(Shows(table, w.graphics.Digits[1].toImage(), {340, 7})) << "001234";

    Click(w, w.pctOk);
    EXPECT_FALSE(w.pctHighScore->isVisible());
    ExpectMainScreen(w, true);
    EXPECT_EQ(w.settings.Table.HighScores[1], 1234);
}

TEST(Screens, AScoreThatEarnsNoRowGoesBackToTheMainScreen) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    for (int row = 1; row <= 10; ++row) w.settings.Table.HighScores[row] = 500;
    EndGame(w, 499);
    Click(w, w.pctGameOver);
    EXPECT_EQ(w.NewEntryRow, 0);
    EXPECT_FALSE(w.pctHighScore->isVisible());
    ExpectMainScreen(w, true);
}

TEST(Screens, TableFromTheSidePanelCanBeReset) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    w.settings.Table.HighScoreNames[1] = "ZED";
    w.settings.Table.HighScores[1] = 900;
    Click(w, w.pctHighScores);
    ExpectMainScreen(w, false);
    EXPECT_TRUE(w.pctHighScore->isVisible());
    EXPECT_TRUE(w.pctReset->isVisible());
    QImage table = Shot(w).copy(w.pctHighScore->geometry());
    EXPECT_TRUE(Shows(table, w.graphics.Alphabet[26].toImage(), {67, 7}));

    // Keys do nothing while the table is only viewed.
    QTest::keyClicks(w.pctHighScore, "q");
    EXPECT_EQ(w.settings.Table.HighScoreNames[1], "ZED");

    Click(w, w.pctReset);
    EXPECT_EQ(w.settings.Table.HighScores[1], 0);
    EXPECT_EQ(w.settings.Table.HighScoreNames[1], "");
    table = Shot(w).copy(w.pctHighScore->geometry());
    EXPECT_FALSE(Shows(table, w.graphics.Alphabet[26].toImage(), {67, 7}));
    EXPECT_TRUE(Shows(table, w.graphics.Digits[0].toImage(), {296, 7}));
    EXPECT_TRUE(w.pctReset->isVisible());
}

// Picks `number` in the chooser once it is open, and takes it with its Ok button.
void ChooseInDialog(int number) {
    QTimer::singleShot(0, [number] {
        QWidget* chooser = QApplication::activeModalWidget();
        ASSERT_NE(chooser, nullptr);
        auto* list = chooser->findChild<QListWidget*>("lstSets");
        auto* ok = chooser->findChild<QAbstractButton*>("pctOk");
        ASSERT_TRUE(list && ok);
        list->setCurrentRow(number - 1);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
}

TEST(Screens, AnotherSetMidGameRepaintsTheRunningBoard) {
    if (!QDir(ProgramFolder()).exists("Set2")) GTEST_SKIP() << "needs the shipped sets";
    ShownWindow shown;
    MainWindow& w = shown.window;
    Click(w, w.pctNew);
    w.game.Score1 = 42;
    const QImage oldPiece = w.graphics.Pieces[1];
    const std::vector<int> before = BoardCells(w);

    ChooseInDialog(2);
    Click(w, w.pctSet);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(w.settings.SetNumber, 2);
    EXPECT_NE(w.graphics.Pieces[1], oldPiece);
    EXPECT_EQ(BoardCells(w), before);
    EXPECT_EQ(w.game.Score1, 42);
    EXPECT_TRUE(w.game.GameActive);
    EXPECT_TRUE(BoardShowsGrid(w));
    EXPECT_EQ(Shot(w).pixel(12 + 33, 82 + 33) & 0xFFFFFF, w.game.BoardColor & 0xFFFFFF);
}

// A set in the player's data folder stands in for the program's set of its number, for
// the set loaded at start-up and for the chooser alike.
TEST(Screens, APlayersOwnSetStandsInForTheProgramsOne) {
    const QDir program(ProgramFolder());
    if (!program.exists("Set2")) GTEST_SKIP() << "needs the shipped sets";
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("XDG_DATA_HOME"));
    const QString mine = qEnvironmentVariable("XDG_DATA_HOME") + "/quabe-pro/Set1";
    const auto cleanup = qScopeGuard([&] { QDir(mine).removeRecursively(); });
    ASSERT_TRUE(QDir().mkpath(mine));
    for (int kind = 0; kind < 7; ++kind) {
        const QString name = QString("Piece%1.gif").arg(kind);
        ASSERT_TRUE(QFile::copy(program.filePath("Set2/" + name), mine + "/" + name));
    }
    QFile title(mine + "/Title.txt");
    ASSERT_TRUE(title.open(QIODevice::WriteOnly) && title.write("Mine\n") == 5);
    title.close();

    ShownWindow shown;
    MainWindow& w = shown.window;
    EXPECT_EQ(w.settings.SetNumber, 1);
    EXPECT_EQ(w.graphics.Pieces[1], LoadPieceSet({program.path()}, 2, {}).pieces[1]);

    QStringList labels, selected;
    QTimer::singleShot(0, [&] {
        QWidget* chooser = QApplication::activeModalWidget();
        ASSERT_NE(chooser, nullptr);
        auto* list = chooser->findChild<QListWidget*>("lstSets");
        ASSERT_NE(list, nullptr);
        for (int row = 0; row < list->count(); ++row) labels.append(list->item(row)->text());
        for (QListWidgetItem* item : list->selectedItems()) selected.append(item->text());
        QTest::mouseClick(chooser->findChild<QAbstractButton*>("pctReset"), Qt::LeftButton);
    });
    Click(w, w.pctSet);
    EXPECT_EQ(labels.size(), 3);
    EXPECT_EQ(labels.value(0), "Mine");
    EXPECT_EQ(selected, QStringList{"Mine"});
}

}  // namespace
}  // namespace quabe::testing
