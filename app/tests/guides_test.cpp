// What the game explains of itself, in the real window: the pointed group's worth,
// the board-cleared moment, the last position and who won, the hint, the marks, the
// notes under the options and the how-to-play page, and what readers are told.
#include <gtest/gtest.h>

#include <QApplication>

#include "board_cursor.h"
#include "shown_window.h"

namespace quabe::testing {
namespace {

// Lone pieces everywhere but a group of three bottom left, (9, 1), (10, 1) and
// (10, 2), and an empty cell top right.
void LayOutAnLAndAGap(MainWindow& w) {
    LayOutAnL(w);
    w.game.Board[1][15] = 0;
    w.game.DrawBoard(false);
}

// Nothing on the board but a pair: a press on it clears the board.
void LayOutAPair(MainWindow& w) {
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kCols; ++col) w.game.Board[row][col] = 0;
    w.game.Board[10][1] = w.game.Board[10][2] = 3;
    w.game.DrawBoard(false);
}

QPoint OnCell(int row, int col) {
    return CellOnWindow(row, col) + QPoint(16, 16);
}

bool Black(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0) return false;
    return true;
}

// A gap beside a piece of the group, where its outline runs.
QRgb BesideTheGroup(MainWindow& w) {
    return Shot(w).pixel(CellOnWindow(9, 1) + QPoint(33, 16)) & 0xFFFFFF;
}

TEST(Guides, ThePointedGroupShowsItsWorthAndOutlineAndNothingElseDoes) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    Click(w, w.pctNew);
    LayOutAnLAndAGap(w);
    const QRgb board = w.game.BoardColor & 0xFFFFFF;
    const QImage unmarked = Shot(w);

    PointAt(w, OnCell(10, 2));
    ASSERT_TRUE(w.pctGroupWorth->isVisible());
    const QImage shot = Shot(w);
    EXPECT_TRUE(Shows(shot, w.graphics.Digits[3].toImage(), {660, 146})) << "3 in the units column";
    EXPECT_TRUE(Shows(shot, (*w.graphics.Equals).toImage(), {640, 174}));
    EXPECT_TRUE(Shows(shot, w.graphics.Digits[8].toImage(), {660, 174})) << "= 8 points under it";
    EXPECT_TRUE(Black(shot.copy(560, 146, 100, 28))) << "nothing left of the size";
    EXPECT_EQ(ReaderName(w.pctGroupWorth), "Group of 3, 8 points");
    EXPECT_NE(BesideTheGroup(w), board) << "the group is outlined in the gaps";
    EXPECT_TRUE(BoardShowsGrid(w)) << "and no piece is covered";

    // A lone piece, an empty cell and the side panel show nothing at all.
    for (QPoint elsewhere : {OnCell(5, 5), OnCell(1, 15), QPoint(620, 300)}) {
        PointAt(w, elsewhere);
        EXPECT_FALSE(w.pctGroupWorth->isVisible()) << elsewhere.x() << "," << elsewhere.y();
        EXPECT_EQ(Shot(w), unmarked);
    }

    // Another screen shows nothing; the keyboard cursor points as the pointer does.
    PointAt(w, OnCell(10, 2));
    Click(w, w.pctHelp);
    EXPECT_FALSE(w.pctGroupWorth->isVisible());
    Click(w, w.pctAboutText);
    PointAt(w, QPoint(620, 300));
    EXPECT_FALSE(w.pctGroupWorth->isVisible());
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.windowHandle(), Qt::Key_Up);  // the cursor shows at (10, 1)
    EXPECT_TRUE(w.pctGroupWorth->isVisible());
    EXPECT_EQ(ReaderName(w.pctGroupWorth), "Group of 3, 8 points");
}

// The board repainted during a move, as the player sees it.
class WatchedWindow : public MainWindow {
  public:
    void RefreshBoard() override {
        MainWindow::RefreshBoard();
        worthDuringMove.push_back(Shot(*this).copy(pctGroupWorth->geometry()));
    }
    std::vector<QImage> worthDuringMove;
};

TEST(Guides, TheWorthGoesAtThePressAndComesBackForWhatLiesUnderThePointer) {
    QFile::remove(SettingsLocation());
    WatchedWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    Click(w, w.pctNew);
    // A pair at the bottom left, and above it a pair of another kind, which falls
    // into its place.
    LayOutAnLAndAGap(w);
    w.game.Board[9][1] = w.game.Board[8][1] = 2;
    w.game.DrawBoard(false);
    PointAt(w, OnCell(10, 1));
    ASSERT_TRUE(w.pctGroupWorth->isVisible());

    ClickCell(w, 10, 1);
    EXPECT_EQ(w.game.Score1, Points(2));
    ASSERT_FALSE(w.worthDuringMove.empty());
    for (const QImage& worth : w.worthDuringMove) EXPECT_TRUE(Black(worth)) << "nothing mid-move";
    ASSERT_EQ(GroupSizeAt(w.game, 10, 1), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.pctGroupWorth->isVisible(); }, 2000))
        << "the pair now under the pointer, which has not moved";
    EXPECT_TRUE(Shows(Shot(w), w.graphics.Digits[2].toImage(), {660, 146}));
}

// Once the pointer rests, nothing is painted again: the outline never asks for
// another repaint of the board it lies on.
TEST(Guides, APointerAtRestCostsNothing) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    Click(w, w.pctNew);
    LayOutAnLAndAGap(w);
    PointAt(w, OnCell(10, 2));
    QTest::qWait(100);
    struct Counter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    w.pctBoard->installEventFilter(&counter);
    w.boardOverlay->installEventFilter(&counter);
    QTest::qWait(300);
    EXPECT_EQ(counter.paints, 0);
}

TEST(Guides, AClearedBoardKeepsItsScoreInViewWithAMomentAPressCutsShort) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    Click(w, w.pctNew);
    w.game.Score1 = 100;
    LayOutAPair(w);
    ClickCell(w, 10, 1);
    ASSERT_EQ(w.game.Tally.BoardsCleared, 1);
    EXPECT_TRUE(w.pctBoardCleared->isVisible());
    EXPECT_EQ(ReaderName(w.pctBoardCleared), "Board cleared, the score is kept");
    EXPECT_TRUE(Shows(Shot(w), w.graphics.Digits[4].toImage(), {660, 84}))
        << "the fresh board shows 000104, not 000000";
    EXPECT_TRUE(Shows(Shot(w), w.graphics.Digits[1].toImage(), {620, 84}));

    // A press on a group of the fresh board ends the moment and is a move.
    int row = 0, col = 0;
    for (int r = 1; r <= kRows && !row; ++r)
        for (int c = 1; c <= kCols && !row; ++c)
            if (GroupSizeAt(w.game, r, c) >= 2) row = r, col = c;
    ASSERT_NE(row, 0);
    ClickCell(w, row, col);
    EXPECT_FALSE(w.pctBoardCleared->isVisible());
    EXPECT_GT(w.game.Score1, 104);

    // Left alone, the moment passes by itself.
    LayOutAPair(w);
    ClickCell(w, 10, 1);
    ASSERT_TRUE(w.pctBoardCleared->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.pctBoardCleared->isVisible(); }, 5000));
    EXPECT_TRUE(BoardShowsGrid(w));
}

TEST(Guides, TheLastPositionStaysWithPressesDroppedThenWhoWonUnderGameOver) {
    struct Ending {
        int32_t player, computer;
        const char* picture;
        const char* words;
    };
    const Ending endings[] = {{1234, 907, "pctYouWin.gif", "You win"},
                              {500, 907, "pctComputerWins.gif", "Computer wins"},
                              {907, 907, "pctDraw.gif", "Draw"}};
    for (const Ending& end : endings) {
        SCOPED_TRACE(end.words);
        ShownWindow shown;
        MainWindow& w = shown.window;
        w.settings.OnePlayer = false;
        Click(w, w.pctNew);
        w.game.Score1 = end.player;
        w.game.Score2 = end.computer;
        const QImage last = Shot(w).copy(w.pctBoard->geometry());
        w.game.GameOver();

        // The finished board stays; a press on New meanwhile is dropped.
        Click(w, w.pctNew);
        EXPECT_FALSE(w.game.GameActive) << "New was dropped";
        EXPECT_FALSE(w.pctGameOver->isVisible());
        EXPECT_EQ(Shot(w).copy(w.pctBoard->geometry()), last);
        ASSERT_TRUE(WaitForGameOver(w));

        const QImage shot = Shot(w);
        EXPECT_TRUE(Shows(shot, LoadPicture(end.picture, {110, 16}).toImage(), {572, 192}));
        EXPECT_TRUE(Shows(shot, w.pctClickToGoOn->Picture().toImage(), {572, 210}));
        EXPECT_EQ(ReaderName(w.pctWinner), end.words);
        EXPECT_TRUE(w.pctRowMark[0]->isVisible() && w.pctRowMark[1]->isVisible());
    }

    // One player: no winner, and the pointer over GAME OVER and the line under it is
    // the hand, with no hourglass left over the window; the line clicks as GAME OVER.
    ShownWindow shown;
    MainWindow& w = shown.window;
    Click(w, w.pctNew);
    w.game.GameOver();
    ASSERT_TRUE(WaitForGameOver(w));
    EXPECT_FALSE(w.pctWinner->isVisible());
    EXPECT_FALSE(w.pctRowMark[0]->isVisible()) << "marks only tell two rows apart";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    for (QWidget* line :
         {static_cast<QWidget*>(w.pctGameOver), static_cast<QWidget*>(w.pctClickToGoOn)}) {
        QWidget* under = w.childAt(line->geometry().center());
        EXPECT_EQ(under, line);
        EXPECT_EQ(under->cursor().shape(), Qt::BitmapCursor);
    }
    Click(w, w.pctClickToGoOn);
    EXPECT_FALSE(w.pctGameOver->isVisible());
    EXPECT_FALSE(w.celebration()->Running());
}

TEST(Guides, TheHintStandsUntilTheFirstDealAndTheMarksShowWhatIsOn) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    EXPECT_TRUE(w.pctStartHint->isVisible());
    EXPECT_TRUE(ReaderName(w.pctStartHint).contains("Ctrl+N"));
    Click(w, w.pctHelp);
    EXPECT_FALSE(w.pctStartHint->isVisible());
    Click(w, w.pctAboutText);
    EXPECT_TRUE(w.pctStartHint->isVisible()) << "still no board";
    Click(w, w.pctNew);
    EXPECT_FALSE(w.pctStartHint->isVisible());
    for (int row = 1; row <= 10; ++row) w.settings.Table.HighScores[row] = 500;
    w.game.GameOver();
    ASSERT_TRUE(WaitForGameOver(w));
    Click(w, w.pctGameOver);
    ASSERT_TRUE(w.pctNew->isVisible());
    EXPECT_FALSE(w.pctStartHint->isVisible()) << "not after a game";

    // The options screen says what each switch does; the side panel, which are on.
    const QRect slot = w.pctEventMarks->geometry();
    EXPECT_TRUE(Black(Shot(w).copy(slot))) << "no event on";
    Click(w, w.pctEvents);
    for (PictureBox* note : {w.pctRowShiftsNote, w.pctColumnShiftsNote, w.pctMinesNote,
                             w.pctFlashNote, w.pctNextBoardNote})
        EXPECT_TRUE(Shows(Shot(w), note->Picture().toImage(), note->pos()));
    Click(w, w.pctMinesSelection);
    Click(w, w.pctOk);
    const QImage mine = (*w.graphics.EventMarks[2]).toImage();
    EXPECT_TRUE(Shows(Shot(w), mine, slot.topLeft() + QPoint(1, 17)));
    EXPECT_TRUE(Black(Shot(w).copy(slot.x(), slot.y(), 32, 16))) << "the shifts' marks stay off";
    EXPECT_EQ(ReaderName(w.pctEventMarks), "Events on: Mines");
}

TEST(Guides, HowToPlayIsMadeWhenFirstWantedAndOpensByF1AndFromTheAboutScreen) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(w.pctHowToPlay, nullptr) << "start-up does not pay for it";
    EXPECT_EQ(w.pctHowToPlayLink, nullptr);

    Click(w, w.pctHelp);
    ASSERT_NE(w.pctHowToPlayLink, nullptr);
    Click(w, w.pctHowToPlayLink);
    ASSERT_NE(w.pctHowToPlay, nullptr);
    EXPECT_TRUE(w.pctHowToPlay->isVisible());
    EXPECT_FALSE(w.pctAboutText->isVisible());
    EXPECT_FALSE(w.pctHowToPlayLink->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), w.pctHowToPlay) << "a reader starts on its words";
    EXPECT_EQ(ReaderName(w.pctHowToPlay), "How to play");
    QStringList words;  // the page's parts, as a reader reads them one by one
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(w.pctHowToPlay);
    for (int part = 0; part < page->childCount(); ++part)
        words << page->child(part)->text(QAccessible::Name);
    for (const char* part : {"Aim.", "Scoring.", "n times n minus 1, plus 2", "right button",
                             "Computer.", "Mines:", "Flash pieces:", "Ctrl+Z undo"})
        EXPECT_TRUE(words.join(' ').contains(part)) << part;

    Click(w, w.pctHowToPlay);
    EXPECT_TRUE(w.pctNew->isVisible());
    QTest::keyClick(w.windowHandle(), Qt::Key_F1);
    EXPECT_TRUE(w.pctHowToPlay->isVisible());
    QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(w.pctHowToPlay->isVisible());
    EXPECT_TRUE(w.pctNew->isVisible());
}

}  // namespace
}  // namespace quabe::testing
