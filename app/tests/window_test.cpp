// The window itself: where every control stands, what it shows and points with,
// the frameless look, dragging, minimising and the exit paths.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QSettings>
#include <QSignalSpy>
#include <csignal>

#include "exit_signals.h"
#include "shown_window.h"

namespace quabe::testing {
namespace {

struct Expected {
    const char* name;
    QRect geometry;
    bool shown;
    bool hand;
    const char* tooltip;
};

// The layout as the game's design fixes it, in window pixels.
std::vector<std::pair<QWidget*, Expected>> Layout(MainWindow& w) {
    return {
        {w.pctQuabe, {"pctQuabe", {208, 16, 204, 47}, true, false, ""}},
        {w.pctMinimizeIcon, {"pctMinimizeIcon", {636, 12, 20, 20}, true, true, ""}},
        {w.pctExitIcon, {"pctExitIcon", {658, 12, 20, 20}, true, true, ""}},
        {w.imgScore[0], {"imgScore(0)", {660, 84, 20, 28}, true, false, ""}},
        {w.imgScore[5], {"imgScore(5)", {560, 84, 20, 28}, true, false, ""}},
        {w.imgScore[6], {"imgScore(6)", {660, 110, 20, 28}, true, false, ""}},
        {w.imgScore[11], {"imgScore(11)", {560, 110, 20, 28}, true, false, ""}},
        {w.pctOk, {"pctOk", {630, 132, 32, 32}, false, true, "Ok"}},
        {w.pctGameOver, {"pctGameOver", {590, 144, 73, 42}, false, true, ""}},
        {w.pctReset, {"pctReset", {630, 168, 32, 32}, false, true, "Reset"}},
        {w.pctNew, {"pctNew", {580, 233, 32, 32}, true, true, "New"}},
        {w.pctSound, {"pctSound", {630, 233, 32, 32}, true, true, "Sound On/Off"}},
        {w.pctUndo, {"pctUndo", {580, 273, 32, 32}, true, true, "Undo"}},
        {w.pctHighScores, {"pctHighScores", {630, 273, 32, 32}, true, true, "High Scores"}},
        {w.pctSet, {"pctSet", {580, 313, 32, 32}, true, true, "Game Set"}},
        {w.pctPlayers, {"pctPlayers", {630, 313, 32, 32}, true, true, "1 or 2 Players"}},
        {w.pctEvents, {"pctEvents", {580, 353, 32, 32}, true, true, "Events/Options"}},
        {w.pctHelp, {"pctHelp", {580, 393, 32, 32}, true, true, "Help"}},
        {w.pctExit, {"pctExit", {630, 393, 32, 32}, true, true, "Exit"}},
        {w.pctBoard, {"pctBoard", {12, 82, 538, 362}, true, true, ""}},
        {w.pctHighScore, {"pctHighScore", {434, 32, 69, 37}, false, false, ""}},
        // The options screen: a row for each event, its switch, its name, a line under both.
        {w.pctRowShiftsSelection, {"pctRowShiftsSelection", {210, 150, 38, 25}, false, true, ""}},
        {w.pctRowShifts, {"pctRowShifts", {266, 150, 171, 27}, false, false, ""}},
        {w.pctRowShiftsNote, {"pctRowShiftsNote", {269, 179, 276, 14}, false, false, ""}},
        {w.pctColumnShiftsSelection,
         {"pctColumnShiftsSelection", {210, 200, 38, 25}, false, true, ""}},
        {w.pctColumnShifts, {"pctColumnShifts", {266, 198, 171, 30}, false, false, ""}},
        {w.pctColumnShiftsNote, {"pctColumnShiftsNote", {269, 229, 276, 14}, false, false, ""}},
        {w.pctMinesSelection, {"pctMinesSelection", {210, 250, 38, 25}, false, true, ""}},
        {w.pctMines, {"pctMines", {266, 250, 171, 23}, false, false, ""}},
        {w.pctMinesNote, {"pctMinesNote", {269, 279, 276, 14}, false, false, ""}},
        {w.pctFlashSelection, {"pctFlashSelection", {210, 300, 38, 25}, false, true, ""}},
        {w.pctFlash, {"pctFlash", {266, 300, 163, 22}, false, false, ""}},
        {w.pctFlashNote, {"pctFlashNote", {269, 329, 276, 14}, false, false, ""}},
        {w.pctNextBoardNote, {"pctNextBoardNote", {210, 360, 336, 14}, false, false, ""}},
        {w.pctAboutText, {"pctAboutText", {150, 396, 165, 41}, false, true, ""}},
        {w.pctVersion[0], {"pctVersion(0)", {32, 106, 21, 23}, false, false, ""}},
        {w.pctVersion[2], {"pctVersion(2)", {80, 106, 21, 23}, false, false, ""}},
        {w.pctHelpText, {"pctHelpText", {20, 290, 108, 52}, false, true, ""}},
        {w.pctYes, {"pctYes", {244, 296, 50, 25}, false, false, ""}},
        {w.pctNo, {"pctNo", {296, 296, 38, 25}, false, false, ""}},
        {w.pctFire, {"pctFire", {390, 340, 32, 32}, false, false, ""}},
        {w.pctMine, {"pctMine", {434, 342, 32, 32}, false, false, ""}},
        {w.pctDeal, {"pctDeal", {560, 429, 122, 16}, false, false, "Deal number"}},
        {w.pctStatistics, {"pctStatistics", {630, 204, 32, 32}, false, true, "Statistics"}},
        // What the game explains of itself: under the scores, on the bar beside them,
        // in the free slot beside Events, over the board and under GAME OVER.
        {w.pctGroupWorth, {"pctGroupWorth", {560, 146, 122, 56}, false, false, ""}},
        {w.pctRowMark[0], {"pctRowMark(0)", {552, 86, 10, 22}, false, false, ""}},
        {w.pctRowMark[1], {"pctRowMark(1)", {552, 112, 10, 22}, false, false, ""}},
        {w.pctEventMarks, {"pctEventMarks", {630, 353, 32, 32}, true, false, ""}},
        {w.pctStartHint, {"pctStartHint", {81, 213, 400, 100}, true, false, ""}},
        {w.pctBoardCleared, {"pctBoardCleared", {131, 227, 300, 72}, false, false, ""}},
        {w.pctWinner, {"pctWinner", {572, 192, 110, 16}, false, false, ""}},
        {w.pctClickToGoOn, {"pctClickToGoOn", {572, 210, 110, 14}, false, true, ""}},
    };
}

TEST(Window, EveryControlStandsWhereTheLayoutPutsIt) {
    ShownWindow shown;
    for (const auto& [control, want] : Layout(shown.window)) {
        SCOPED_TRACE(want.name);
        EXPECT_EQ(control->geometry(), want.geometry);
        EXPECT_EQ(control->isVisible(), want.shown);
        EXPECT_EQ(control->toolTip(), QString(want.tooltip));
        const QCursor cursor = control->cursor();
        if (want.hand) {
            EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
            EXPECT_EQ(cursor.hotSpot(), QPoint(12, 1));
        } else {
            EXPECT_EQ(cursor.shape(), Qt::ArrowCursor);
        }
    }
}

TEST(Window, FirstRunShowsAFramelessWindowWithAnEmptyBoardAndSoundOff) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    EXPECT_EQ(w.size(), QSize(690, 458));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "not resizable";
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.windowTitle(), "Quabe Pro");
    const QList<QSize> shipped = {{32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.windowIcon().availableSizes() == shipped; }))
        << "every shipped icon size once the window is up";

    const QImage shot = Shot(w);
    EXPECT_TRUE(Shows(shot, ShippedPicture("pctSoundOff.gif", {32, 32}), {630, 233}));
    EXPECT_TRUE(Shows(shot, ShippedPicture("pct1Player.gif", {32, 32}), {630, 313}));
    EXPECT_TRUE(Shows(shot, w.graphics.Window.copy(0, 0, 690, 8), {0, 0})) << "the frame's top bar";
    const QImage board = shot.copy(12, 82, 538, 362);
    QImage hint(board.size(), QImage::Format_RGB32);
    hint.fill(Qt::black);
    QPainter(&hint).drawPixmap(w.pctStartHint->pos() - QPoint(12, 82), w.pctStartHint->Picture());
    EXPECT_EQ(board, hint) << "no board is dealt at start-up, only the hint to deal one";
    EXPECT_TRUE(w.pctBoard->Image().isNull()) << "nor an image made for it";
    for (PictureBox* cell : w.imgScore) EXPECT_TRUE(cell->Picture().isNull());
    EXPECT_FALSE(w.game.GameActive);
}

TEST(Window, PressOnTheBareSurfaceDragsButNotOnAPicture) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    QWindow* handle = w.windowHandle();
    const QPoint start = w.pos();

    for (QPoint onPicture :
         {QPoint(300, 30), QPoint(590, 240), QPoint(665, 95), QPoint(100, 200)}) {
        QTest::mousePress(handle, Qt::LeftButton, {}, onPicture);
        QTest::mouseMove(handle, onPicture + QPoint(-30, 20));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, onPicture + QPoint(-30, 20));
        EXPECT_EQ(w.pos(), start) << onPicture.x() << "," << onPicture.y();
    }

    // The right button drags as well as the left; the frame at (4, 4) is bare.
    // The window follows the pointer, so the pointer ends where it began on the window.
    QTest::mousePress(handle, Qt::RightButton, {}, QPoint(4, 4));
    QTest::mouseMove(handle, QPoint(54, 24));
    QTest::mouseRelease(handle, Qt::RightButton, {}, QPoint(4, 4));
    EXPECT_EQ(w.pos(), start + QPoint(50, 20));
}

TEST(Window, MinimiseAndRestoreKeepTheGameAndTheFramelessTitle) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    w.settings.Sound = false;
    Click(w, w.pctNew);
    const int firstPiece = w.game.Board[1][1];

    Click(w, w.pctMinimizeIcon);
    EXPECT_TRUE(w.isMinimized());
    w.setWindowTitle("changed while minimised");
    w.showNormal();
    EXPECT_FALSE(w.isMinimized());
    EXPECT_EQ(w.windowTitle(), "Quabe Pro");
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w.game.GameActive);
    EXPECT_EQ(w.game.Board[1][1], firstPiece);
}

// The stored values after leaving by each path, read back from the store.
QString StoredSound() {
    QSettings store(SettingsLocation(), QSettings::IniFormat);
    return store.value("Settings/Sound").toString();
}

// Each exit path ends the running event loop, as leaving the program does, and
// saves once: a later request (the session quitting after a close) saves nothing.
// Ctrl+Q leaves as the exit pictures do.
TEST(Window, EveryExitPathSavesOnceAndEndsTheEventLoop) {
    for (int path = 0; path < 4; ++path) {
        SCOPED_TRACE(path);
        ShownWindow shown;
        MainWindow& w = shown.window;
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        Click(w, w.pctSound);
        QTimer::singleShot(0, [&] {
            if (path == 0) Click(w, w.pctExit);
            if (path == 1) Click(w, w.pctExitIcon);
            if (path == 2) w.close();
            if (path == 3) QTest::keyClick(w.windowHandle(), Qt::Key_Q, Qt::ControlModifier);
        });
        QTimer::singleShot(5000, &w, [] { QCoreApplication::exit(99); });  // a path that fails
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_TRUE(w.Exiting());
        EXPECT_FALSE(w.Timer1.isActive());
        EXPECT_EQ(StoredSound(), "1");

        w.settings.Sound = false;
        w.ExitGame();
        EXPECT_EQ(StoredSound(), "1");
    }
}

TEST(Window, ASaveThatFailsEndsWithAFailureStatus) {
    ShownWindow shown;
    ASSERT_TRUE(QDir().mkpath(SettingsLocation()));  // a folder where the store's file should be
    QTimer::singleShot(0, [&] { Click(shown.window, shown.window.pctExit); });
    EXPECT_EQ(QApplication::exec(), 1);
    EXPECT_TRUE(QDir(SettingsLocation()).removeRecursively());
}

TEST(Window, TerminationSignalsArriveThroughTheEventLoop) {
    ExitSignals exitSignals;
    QSignalSpy requested(&exitSignals, &ExitSignals::requested);
    for (int number : {SIGTERM, SIGHUP, SIGINT}) {
        ASSERT_EQ(::raise(number), 0);
        ASSERT_TRUE(requested.wait(2000)) << number;
        EXPECT_EQ(requested.takeFirst().at(0).toInt(), number);
    }
}

}  // namespace
}  // namespace quabe::testing
