// Playing from the keyboard in the real window: a whole game by keys, the cursor
// framed in the gutters, Escape on each screen and the Tab order. Every key reaches the window the
// way the desktop sends it.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>

#include "game/tests/null_platform.h"
#include "shown_window.h"

namespace quabe::testing {
namespace {

// The window as a first run shows it, and active, so that it has the keyboard.
struct KeyedWindow : ShownWindow {
    KeyedWindow() {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

void Key(MainWindow& w, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(w.windowHandle(), key, modifiers);
}

QWidget* Focus() {
    return QApplication::focusWidget();
}

std::vector<int> Cells(const Game& game) {
    std::vector<int> cells;
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kCols; ++col) cells.push_back(game.Board[row][col]);
    return cells;
}

// The rules on a desktop that shows nothing, playing the window's board.
struct Rules {
    void Take(const MainWindow& w) {
        std::memcpy(game.Board, w.game.Board, sizeof game.Board);
        std::memcpy(game.CellX, w.game.CellX, sizeof game.CellX);
        std::memcpy(game.CellY, w.game.CellY, sizeof game.CellY);
        game.GameActive = true;
    }
    // A cell of the smallest group, so that the game ends soon; false when none is left.
    bool SmallestGroup(int& row, int& col) {
        int best = kCells + 1;
        for (int r = 1; r <= kRows; ++r)
            for (int c = 1; c <= kCols; ++c)
                if (int n = game.GroupSize(r, c); n >= 2 && n < best) best = n, row = r, col = c;
        return best <= kCells;
    }
    NullPlatform platform;
    Game game{platform};
};

TEST(Keys, AWholeGamePlayedByKeysFollowsTheRulesIntoTheTable) {
    KeyedWindow shown;
    MainWindow& w = shown.window;
    w.random.Seed(17);
    Key(w, Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(w.game.GameActive);
    Rules rules;
    rules.Take(w);

    // The first arrow shows the cursor bottom left, and it stops at the edges.
    Key(w, Qt::Key_Up);
    Key(w, Qt::Key_Down);
    Key(w, Qt::Key_Left);
    int row = kRows, col = 1;
    auto walkTo = [&](int r, int c) {
        for (; row < r; ++row) Key(w, Qt::Key_Down);
        for (; row > r; --row) Key(w, Qt::Key_Up);
        for (; col < c; ++col) Key(w, Qt::Key_Right);
        for (; col > c; --col) Key(w, Qt::Key_Left);
    };

    bool undone = false;
    for (int move = 1; w.game.GameActive; ++move) {
        ASSERT_LT(move, 400) << "the game should have ended";
        int r = 0, c = 0;
        ASSERT_TRUE(rules.SmallestGroup(r, c)) << "no group left, yet the game goes on";
        const std::vector<int> cells = Cells(rules.game);
        const bool clears =
            rules.game.GroupSize(r, c) == kCells - std::count(cells.begin(), cells.end(), 0);
        walkTo(r, c);
        rules.game.MakeMove(r, c, false);
        Key(w, Qt::Key_Return);
        if (clears) {
            rules.Take(w);  // a fresh board, dealt by the window's own generator
        } else {
            ASSERT_EQ(Cells(w.game), Cells(rules.game)) << "move " << move;
        }
        ASSERT_EQ(w.game.Score1, rules.game.Score1) << "move " << move;
        if (!undone && w.game.GameActive) {
            undone = true;
            Key(w, Qt::Key_Z, Qt::ControlModifier);
            rules.game.Undo();
            EXPECT_EQ(Cells(w.game), Cells(rules.game));
            EXPECT_EQ(w.game.Score1, 0);
        }
    }

    // From the game-over picture into the table, and back with Escape.
    ASSERT_TRUE(WaitForGameOver(w));
    ASSERT_EQ(Focus(), w.pctGameOver);
    Key(w, Qt::Key_Return);
    ASSERT_TRUE(w.nameEntry.EnteringName());
    for (Qt::Key letter : {Qt::Key_K, Qt::Key_E, Qt::Key_Y, Qt::Key_S}) Key(w, letter);
    Key(w, Qt::Key_Escape);
    EXPECT_FALSE(w.pctHighScore->isVisible());
    EXPECT_TRUE(w.pctNew->isVisible());
    EXPECT_EQ(w.settings.Table.HighScoreNames[1], "KEYS");
    EXPECT_EQ(w.settings.Table.HighScores[1], rules.game.Score1);
}

TEST(Keys, TheCursorAndItsGroupAreFramedInTheGuttersUntilAMousePress) {
    KeyedWindow shown;
    MainWindow& w = shown.window;
    Key(w, Qt::Key_N, Qt::ControlModifier);
    LayOutAnL(w);
    const QImage unmarked = Shot(w);

    Key(w, Qt::Key_Up);
    EXPECT_TRUE(BoardShowsGrid(w)) << "no frame covers a piece";
    const QImage shot = Shot(w);
    auto colour = [&](QPoint at) { return shot.pixel(at) & 0xFFFFFF; };
    const QPoint cursor = CellOnWindow(10, 1);
    const QRgb cursorColour = colour(cursor + QPoint(-2, 16));  // beside the board picture
    const QRgb groupColour = colour(CellOnWindow(9, 1) + QPoint(16, -2));
    const QRgb board = w.game.BoardColor & 0xFFFFFF;
    EXPECT_NE(cursorColour, board);
    EXPECT_NE(groupColour, board);
    EXPECT_NE(cursorColour, groupColour);
    for (QPoint side : {QPoint(33, 16), QPoint(16, -2), QPoint(16, 33)})
        EXPECT_EQ(colour(cursor + side), cursorColour) << side.x() << "," << side.y();
    EXPECT_EQ(colour(CellOnWindow(10, 2) + QPoint(33, 16)), groupColour);
    EXPECT_EQ(colour(CellOnWindow(9, 1) + QPoint(33, 16)), groupColour);
    EXPECT_EQ(colour(CellOnWindow(8, 1) + QPoint(33, 16)), board) << "beside no piece of the group";

    // A press on a lone piece moves nothing and takes the frames away; the next
    // arrow brings the cursor back where it stood.
    ClickCell(w, 1, 15);
    EXPECT_EQ(Shot(w), unmarked);
    Key(w, Qt::Key_Right);
    EXPECT_EQ(Shot(w), shot);
}

// Ends the running game with a score for the table, and Enter on GAME OVER starts
// the name.
void StartANameAfterTheGame(MainWindow& w) {
    w.game.Score1 = 1234;
    w.game.GameOver();
    ASSERT_TRUE(WaitForGameOver(w));
    Key(w, Qt::Key_Return);
    ASSERT_TRUE(w.nameEntry.EnteringName());
}

TEST(Keys, EscapeLeavesEachScreenItsOwnWayAndANameKeepsItsKeys) {
    KeyedWindow shown;
    MainWindow& w = shown.window;
    Click(w, w.pctHelp);
    ASSERT_TRUE(w.pctAboutText->isVisible());
    Key(w, Qt::Key_Escape);
    EXPECT_FALSE(w.pctAboutText->isVisible());
    EXPECT_TRUE(w.pctNew->isVisible());
    const QImage main = Shot(w);
    Key(w, Qt::Key_F1);
    ASSERT_TRUE(w.pctHowToPlay && w.pctHowToPlay->isVisible());
    Key(w, Qt::Key_Escape);
    EXPECT_FALSE(w.pctHowToPlay->isVisible());
    EXPECT_EQ(Shot(w), main);
    Key(w, Qt::Key_Escape);
    EXPECT_EQ(Shot(w), main) << "Escape does nothing on the main screen";

    Click(w, w.pctEvents);
    Key(w, Qt::Key_Escape);
    EXPECT_FALSE(w.pctRowShiftsSelection->isVisible());
    EXPECT_EQ(Shot(w), main);

    Key(w, Qt::Key_H, Qt::ControlModifier);
    ASSERT_TRUE(w.pctReset->isVisible());
    Key(w, Qt::Key_Escape);
    EXPECT_FALSE(w.pctHighScore->isVisible());
    EXPECT_EQ(Shot(w), main);

    // While a name is typed every other key goes to the table: desktops type
    // Backspace with Ctrl+H, and it rubs out a letter rather than open the table.
    Key(w, Qt::Key_N, Qt::ControlModifier);
    StartANameAfterTheGame(w);
    Key(w, Qt::Key_A);
    Key(w, Qt::Key_B);
    QTest::sendKeyEvent(QTest::Click, w.windowHandle(), Qt::Key_H, QStringLiteral("\b"),
                        Qt::ControlModifier);
    EXPECT_EQ(w.settings.Table.HighScoreNames[1], "A");
    Key(w, Qt::Key_Escape);
    EXPECT_FALSE(w.nameEntry.EnteringName());
    EXPECT_FALSE(w.pctHighScore->isVisible());
    EXPECT_TRUE(w.pctNew->isVisible());
    EXPECT_EQ(w.settings.Table.HighScoreNames[1], "A");
}

TEST(Keys, TabWalksTheClickablePicturesWithARingAndSpaceOrEnterClicks) {
    KeyedWindow shown;
    MainWindow& w = shown.window;
    EXPECT_EQ(Focus(), w.pctBoard) << "the board has the focus when the window shows";
    for (QWidget* next : std::vector<QWidget*>{
             w.pctNew, w.pctSound, w.pctUndo, w.pctHighScores, w.pctSet, w.pctPlayers, w.pctEvents,
             w.pctHelp, w.pctExit, w.pctMinimizeIcon, w.pctExitIcon, w.pctBoard}) {
        Key(w, Qt::Key_Tab);
        EXPECT_EQ(Focus(), next) << next->toolTip().toStdString();
    }
    Key(w, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Focus(), w.pctExitIcon);

    // The ring stands in the margin round the focused picture, never over it; a
    // mouse press takes it away.
    Key(w, Qt::Key_Tab);
    Key(w, Qt::Key_Tab);
    Key(w, Qt::Key_Tab);
    ASSERT_EQ(Focus(), w.pctSound);
    const QImage ringed = Shot(w);
    EXPECT_TRUE(Shows(ringed, ShippedPicture("pctSoundOff.gif", {32, 32}), {630, 233}));
    EXPECT_NE(ringed.pixel(628, 249) & 0xFFFFFF, 0u) << "left of the picture";
    EXPECT_NE(ringed.pixel(646, 231) & 0xFFFFFF, 0u) << "above the picture";
    Key(w, Qt::Key_Space);
    EXPECT_TRUE(w.settings.Sound);
    Click(w, w.pctQuabe);
    EXPECT_EQ(Shot(w).pixel(628, 249) & 0xFFFFFF, 0u);

    // Enter on Events/Options opens them with the focus on the first toggle.
    for (int step = 0; step < 5; ++step) Key(w, Qt::Key_Tab);
    ASSERT_EQ(Focus(), w.pctEvents);
    Key(w, Qt::Key_Return);
    EXPECT_EQ(Focus(), w.pctRowShiftsSelection);
    for (QWidget* next :
         std::vector<QWidget*>{w.pctColumnShiftsSelection, w.pctMinesSelection, w.pctFlashSelection,
                               w.pctOk, w.pctMinimizeIcon, w.pctExitIcon, w.pctRowShiftsSelection,
                               w.pctColumnShiftsSelection, w.pctMinesSelection}) {
        Key(w, Qt::Key_Tab);
        EXPECT_EQ(Focus(), next);
    }
    Key(w, Qt::Key_Space);
    EXPECT_TRUE(w.settings.Mines);
    Key(w, Qt::Key_Tab);
    Key(w, Qt::Key_Tab);
    ASSERT_EQ(Focus(), w.pctOk);
    Key(w, Qt::Key_Return);
    EXPECT_TRUE(w.pctNew->isVisible());
    EXPECT_EQ(Focus(), w.pctBoard);

    // The arrows take the focus back to the board from any picture.
    Key(w, Qt::Key_Tab);
    ASSERT_EQ(Focus(), w.pctNew);
    Key(w, Qt::Key_Left);
    EXPECT_EQ(Focus(), w.pctBoard);

    // The table, read row by row, then its OK, then Reset.
    w.settings.Table.HighScores[1] = 900;
    Key(w, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(Focus(), w.pctHighScore);
    Key(w, Qt::Key_Tab);
    EXPECT_EQ(Focus(), w.pctOk);
    Key(w, Qt::Key_Tab);
    EXPECT_EQ(Focus(), w.pctReset);
    Key(w, Qt::Key_Space);
    EXPECT_EQ(w.settings.Table.HighScores[1], 0);
}

// The ring round a switch shows whole on all four sides, whether the switch says
// YES or NO: neither its name beside it nor the line under it covers any of it.
TEST(Keys, TheRingRoundEveryOptionSwitchShowsWhole) {
    KeyedWindow shown;
    MainWindow& w = shown.window;
    w.settings.RowShifts = w.settings.Mines = true;  // YES is wider than NO
    Click(w, w.pctEvents);
    Key(w, Qt::Key_Tab, Qt::ShiftModifier);
    Key(w, Qt::Key_Tab);  // a key in use: the ring shows
    for (PictureBox* toggle : {w.pctRowShiftsSelection, w.pctColumnShiftsSelection,
                               w.pctMinesSelection, w.pctFlashSelection}) {
        ASSERT_EQ(Focus(), toggle);
        const QRect at = toggle->geometry();
        const QImage shot = Shot(w);
        const QPoint sides[] = {{at.left() - 2, at.center().y()},
                                {at.right() + 2, at.center().y()},
                                {at.center().x(), at.top() - 2},
                                {at.center().x(), at.bottom() + 2}};
        for (QPoint side : sides)
            EXPECT_EQ(shot.pixel(side) & 0xFFFFFF, 0xFFFFFFu)
                << toggle->accessibleName().toStdString() << " at " << side.x() << "," << side.y();
        Key(w, Qt::Key_Tab);
    }
}

TEST(Keys, TabToTheBoardShowsTheCursorAndEnterAfterANameLeavesTheTable) {
    KeyedWindow shown;
    MainWindow& w = shown.window;
    Key(w, Qt::Key_N, Qt::ControlModifier);
    Key(w, Qt::Key_Tab);
    ASSERT_EQ(Focus(), w.pctNew);
    EXPECT_FALSE(w.boardCursor.Shown);
    Key(w, Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(Focus(), w.pctBoard);
    EXPECT_TRUE(w.boardCursor.Shown) << "the board shows where the keys act";
    EXPECT_FALSE(w.boardOverlay->Frames().isEmpty());

    StartANameAfterTheGame(w);
    Key(w, Qt::Key_A);
    Key(w, Qt::Key_Return);
    EXPECT_FALSE(w.nameEntry.EnteringName());
    EXPECT_EQ(Focus(), w.pctOk);
    Key(w, Qt::Key_Return);
    EXPECT_FALSE(w.pctHighScore->isVisible()) << "a second Enter leaves the table";
    EXPECT_EQ(w.settings.Table.HighScoreNames[1], "A");
}

}  // namespace
}  // namespace quabe::testing
