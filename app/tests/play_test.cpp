// Playing in the real window: dealing, a move, Undo, the preview, a shift and a
// mine, judged by what the window shows.
#include <gtest/gtest.h>

#include <QPainter>
#include <functional>

#include "busy_clock.h"
#include "shown_window.h"

namespace quabe::testing {
namespace {

// Keeps a picture of the window at every refresh of the board, the moments a
// player sees during a move.
class RecordingWindow : public MainWindow {
  public:
    void RefreshBoard() override {
        MainWindow::RefreshBoard();
        frames.push_back(Shot(*this));
        if (onRefresh) onRefresh();
    }
    std::vector<QImage> frames;
    std::function<void()> onRefresh;
};

struct Playing {
    explicit Playing(uint64_t seed) {
        QFile::remove(SettingsLocation());
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.random.Seed(seed);
        Click(w, w.pctNew);
    }
    RecordingWindow w;
};

// The six digits of a score row as the window shows them; -1 for a cell without a
// digit. Neighbouring cells overlap by two pixels, so only the middles are compared.
int ShownScore(MainWindow& w, int y) {
    const QImage shot = Shot(w);
    int value = 0;
    for (int cell = 5; cell >= 0; --cell) {
        int digit = -1;
        for (int d = 0; d <= 9 && digit < 0; ++d) {
            const QImage middle = w.graphics.Digits[d].toImage().copy(3, 0, 16, 28);
            if (Shows(shot, middle, {660 - 20 * cell + 3, y})) digit = d;
        }
        if (digit < 0) return -1;
        value = value * 10 + digit;
    }
    return value;
}

// A cell of the smallest group of two or more on the board.
QPoint SmallGroup(MainWindow& w, int* size) {
    QPoint found;
    *size = 1000;
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kCols; ++col)
            if (int n = w.game.GroupSize(row, col); n >= 2 && n < *size)
                *size = n, found = {col, row};
    return found;
}

int Pieces(const std::vector<int>& cells) {
    return static_cast<int>(std::count_if(cells.begin(), cells.end(), [](int k) { return k; }));
}

// The window with the board and the score rows painted over, to compare the rest.
QImage Surroundings(MainWindow& w) {
    QImage shot = Shot(w);
    QPainter painter(&shot);
    painter.fillRect(w.pctBoard->geometry(), Qt::black);
    painter.fillRect(QRect(560, 84, 122, 54), Qt::black);
    return shot;
}

TEST(Play, NewDealsAFullBoardPaintedPieceByPiece) {
    Playing play(11);
    MainWindow& w = play.w;
    EXPECT_TRUE(w.game.GameActive);
    for (int kind : BoardCells(w)) EXPECT_TRUE(kind >= 1 && kind <= 6);
    EXPECT_TRUE(BoardShowsGrid(w));
    EXPECT_EQ(ShownScore(w, 84), 0);
    EXPECT_FALSE(w.imgScore[6]->isVisible());

    // The same seed deals the same board.
    const std::vector<int> dealt = BoardCells(w);
    w.random.Seed(11);
    Click(w, w.pctNew);
    EXPECT_EQ(BoardCells(w), dealt);
}

TEST(Play, AGroupPressChangesTheBoardAndScoreOnlyAndUndoTakesItBack) {
    Playing play(5);
    MainWindow& w = play.w;
    const std::vector<int> dealt = BoardCells(w);
    const QImage surroundings = Surroundings(w);
    int size = 0;
    const QPoint cell = SmallGroup(w, &size);
    ASSERT_LT(size, 1000);

    ClickCell(w, cell.y(), cell.x());
    EXPECT_EQ(Pieces(BoardCells(w)), Pieces(dealt) - size);
    EXPECT_TRUE(BoardShowsGrid(w));
    EXPECT_EQ(w.game.Score1, size * (size - 1) + 2);
    EXPECT_EQ(ShownScore(w, 84), w.game.Score1);
    EXPECT_EQ(Surroundings(w), surroundings) << "nothing else on the window changed";

    Click(w, w.pctUndo);
    EXPECT_EQ(BoardCells(w), dealt);
    EXPECT_TRUE(BoardShowsGrid(w));
    EXPECT_EQ(ShownScore(w, 84), 0);
}

// Column 1 holds pairs stacked from the bottom; every other cell is a lone piece.
void StackPairs(MainWindow& w) {
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kCols; ++col) w.game.Board[row][col] = (row + col) % 2 ? 5 : 6;
    for (int row = 10, kind = 1; row >= 3; row -= 2, ++kind) {
        w.game.Board[row][1] = w.game.Board[row - 1][1] = static_cast<int16_t>(kind);
    }
}

TEST(Play, EachPressOfADoubleClickIsOneMove) {
    Playing play(5);
    MainWindow& w = play.w;
    StackPairs(w);
    QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {},
                       w.pctBoard->mapTo(&w, QPoint(16, 9 * 36 + 16)));
    EXPECT_EQ(w.game.Board[10][1], 3) << "two presses took the two lowest pairs, no more";
    EXPECT_EQ(w.game.Score1, 8);
}

// A left press and release on a cell, queued as the window system queues them and
// stamped with the time they were made.
void QueueClick(MainWindow& w, int row, int col, qint64 made) {
    const QPointF at = w.pctBoard->mapTo(&w, QPoint((col - 1) * 36 + 16, (row - 1) * 36 + 16));
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        auto* event =
            new QMouseEvent(type, at, w.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        event->setTimestamp(static_cast<quint64>(made));
        QCoreApplication::postEvent(w.windowHandle(), event);
    }
}

// A key press queued the same way, for the window's focused control.
void QueueKey(MainWindow& w, Qt::Key key, qint64 made) {
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        auto* event = new QKeyEvent(type, key, Qt::NoModifier);
        event->setTimestamp(static_cast<quint64>(made));
        QCoreApplication::postEvent(w.windowHandle(), event);
    }
}

// With Flash on, `press` takes the lowest pair of column 1; a second one made
// half-way through its blinks is dropped, and one made a millisecond after the
// work ended counts.
void PressDuringAndJustAfterABlink(Playing& play, const std::function<void(qint64)>& press) {
    MainWindow& w = play.w;
    play.w.onRefresh = [&] {
        if (play.w.frames.size() == 5) press(TestClockMs());
    };
    press(TestClockMs());
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    play.w.onRefresh = nullptr;
    EXPECT_EQ(w.game.Board[10][1], 2) << "the press made during the blink took no pair";

    const qint64 made = TestClockMs() + 1;
    while (TestClockMs() < made + 1) QTest::qSleep(1);
    press(made);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(w.game.Board[10][1], 3) << "two pairs taken: the first press and the last";
    EXPECT_EQ(w.game.Score1, 8);
}

TEST(Play, APressMadeDuringABlinkIsDroppedAndOneMadeJustAfterCounts) {
    Playing play(5);
    play.w.settings.Flash = true;
    StackPairs(play.w);
    PressDuringAndJustAfterABlink(play, [&](qint64 made) { QueueClick(play.w, 10, 1, made); });
}

TEST(Play, AKeyPressedDuringABlinkIsDroppedAndOneJustAfterCounts) {
    Playing play(5);
    play.w.settings.Flash = true;
    StackPairs(play.w);
    QueueKey(play.w, Qt::Key_Up, TestClockMs());  // shows the cursor at row 10, column 1
    QCoreApplication::sendPostedEvents();
    ASSERT_TRUE(play.w.boardCursor.Shown);
    PressDuringAndJustAfterABlink(play,
                                  [&](qint64 made) { QueueKey(play.w, Qt::Key_Return, made); });
}

// Timestamps count whole milliseconds: a press stamped with the millisecond in which
// the work ended may have been made after it, and counts; one stamped a millisecond
// earlier was made during the work.
TEST(Play, APressStampedWithTheMillisecondTheWorkEndedCounts) {
    using namespace std::chrono;
    static BusyClock::Clock::time_point now;
    BusyClock busy([] { return now; });
    auto press = [&busy](quint64 made, bool handled) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        key.setTimestamp(made);
        if (handled) busy.Seen(key);
        return busy.MadeDuringWork(key);
    };
    now = BusyClock::Clock::time_point(seconds(100));
    press(1000, true);  // handled as it was made: event time 1000 ms is our 100 s
    now += milliseconds(2);
    busy.WorkBegan();
    now += microseconds(3300);  // ends 5.3 ms after the press, in event millisecond 1005
    busy.WorkEnded();
    EXPECT_FALSE(press(1005, false));
    EXPECT_TRUE(press(1004, false));
}

TEST(Play, ARightPressBlinksTheGroupAndChangesNothing) {
    Playing play(5);
    MainWindow& w = play.w;
    const QImage before = Shot(w);
    int size = 0;
    const QPoint cell = SmallGroup(w, &size);
    play.w.frames.clear();

    ClickCell(w, cell.y(), cell.x(), Qt::RightButton);
    ASSERT_EQ(play.w.frames.size(), 10u) << "five blinks, each hidden then shown";
    const QPoint at = CellOnWindow(cell.y(), cell.x());
    EXPECT_TRUE(Shows(play.w.frames[0], w.graphics.Pieces[0], at));
    EXPECT_TRUE(Shows(play.w.frames[1], w.graphics.Pieces[w.game.Board[cell.y()][cell.x()]], at));
    PointAt(w, {4, 4});  // off the board, where no group is outlined
    EXPECT_EQ(Shot(w), before);
    EXPECT_EQ(w.game.Score1, 0);
}

TEST(Play, ARowShiftShowsEachColumnAsItMoves) {
    Playing play(3);
    MainWindow& w = play.w;
    const std::vector<int> dealt = BoardCells(w);
    auto dealtAt = [&](int row, int col) { return dealt[(row - 1) * kCols + col - 1]; };
    play.w.frames.clear();

    w.game.ShiftBoard(0);
    ASSERT_EQ(play.w.frames.size(), static_cast<size_t>(kCols));
    // After the first column's turn, it has moved down by one and the second has not.
    const QImage& first = play.w.frames[0];
    EXPECT_TRUE(Shows(first, w.graphics.Pieces[dealtAt(10, 1)], CellOnWindow(1, 1)));
    EXPECT_TRUE(Shows(first, w.graphics.Pieces[dealtAt(1, 1)], CellOnWindow(2, 1)));
    EXPECT_TRUE(Shows(first, w.graphics.Pieces[dealtAt(1, 2)], CellOnWindow(1, 2)));
    for (int col = 1; col <= kCols; ++col) EXPECT_EQ(w.game.Board[1][col], dealtAt(10, col));
    EXPECT_TRUE(BoardShowsGrid(w));
}

TEST(Play, AMineShowsItselfThenFireOverItsBlock) {
    Playing play(9);
    MainWindow& w = play.w;
    const int before = Pieces(BoardCells(w));
    w.game.HasMine[5][5] = true;
    play.w.frames.clear();

    ClickCell(w, 5, 5);
    ASSERT_GE(play.w.frames.size(), 2u);
    EXPECT_TRUE(Shows(play.w.frames[0], (*w.graphics.Mine).toImage(), CellOnWindow(5, 5)));
    for (int row = 4; row <= 6; ++row)
        for (int col = 4; col <= 6; ++col)
            EXPECT_TRUE(
                Shows(play.w.frames[1], (*w.graphics.Fire).toImage(), CellOnWindow(row, col)));
    EXPECT_EQ(Pieces(BoardCells(w)), before - 9);
    EXPECT_EQ(w.game.Score1, 0) << "a mine scores nothing";
    EXPECT_TRUE(BoardShowsGrid(w));
}

}  // namespace
}  // namespace quabe::testing
