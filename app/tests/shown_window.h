#pragma once
// The real main window on the offscreen desktop, with the helpers the tests use
// to press on it and to read what it shows.
#include <QAccessible>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QWindow>

#include "main_window.h"
#include "settings_store.h"

namespace quabe::testing {

// A window as a first run shows it: the store is emptied before and after.
struct ShownWindow {
    ShownWindow() {
        QFile::remove(SettingsLocation());
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        // The piece set and the sound come just after the first paint.
        EXPECT_TRUE(QTest::qWaitFor([this] { return window.StartedUp(); }));
    }
    ~ShownWindow() { QFile::remove(SettingsLocation()); }
    MainWindow window;
};

// Milliseconds of a real clock, never 0. The window judges a board press by when
// it was made, so the tests stamp their presses with real times as a window system
// does; QTest's own clock steps half a second a click, however long a move took.
inline qint64 TestClockMs() {
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed() + 1;
}

// A press and release sent to the window the way the desktop sends them, so
// that the window finds the control under the point.
inline void ClickAt(MainWindow& window, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::lastMouseTimestamp = static_cast<int>(TestClockMs()) - 1;  // QTest adds 1
    QTest::mouseClick(window.windowHandle(), button, {}, at);
}

// The pointer moved to `at` of the window, as the desktop reports it.
inline void PointAt(MainWindow& window, QPoint at) {
    QTest::mouseMove(window.windowHandle(), at);
    QCoreApplication::processEvents();
}

inline void Click(MainWindow& window, QWidget* control) {
    ASSERT_TRUE(control->isVisible()) << control->metaObject()->className();
    ClickAt(window, control->mapTo(&window, control->rect().center()));
}

inline void ClickCell(MainWindow& window, int row, int col,
                      Qt::MouseButton button = Qt::LeftButton) {
    const QPoint inBoard((col - 1) * 36 + 16, (row - 1) * 36 + 16);
    ClickAt(window, window.pctBoard->mapTo(&window, inBoard), button);
}

inline QImage Shot(MainWindow& window) {
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Whether `picture` stands pixel for pixel at `at` of the window picture `shot`.
inline bool Shows(const QImage& shot, const QImage& picture, QPoint at) {
    const QImage flat = picture.convertToFormat(QImage::Format_RGB32);
    return shot.copy(QRect(at, flat.size())) == flat;
}

// The game-over display follows the end of a game once the finished board has
// been in view for a moment.
inline bool WaitForGameOver(MainWindow& window) {
    return QTest::qWaitFor([&] { return window.pctGameOver->isVisible(); }, 5000);
}

// What a screen reader is told a control is called.
inline QString ReaderName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

inline std::vector<int> BoardCells(const MainWindow& window) {
    std::vector<int> cells;
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kCols; ++col) cells.push_back(window.game.Board[row][col]);
    return cells;
}

inline QPoint CellOnWindow(int row, int col) {
    return {12 + (col - 1) * 36, 82 + (row - 1) * 36};
}

// Lone pieces everywhere but a group of three bottom left: (9, 1), (10, 1), (10, 2).
inline void LayOutAnL(MainWindow& window) {
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kCols; ++col)
            window.game.Board[row][col] = (row + col) % 2 ? 5 : 6;
    window.game.Board[9][1] = window.game.Board[10][1] = window.game.Board[10][2] = 1;
    window.game.DrawBoard(false);
}

// Whether every cell of the board shows the piece its grid entry names.
inline bool BoardShowsGrid(MainWindow& window) {
    const QImage shot = Shot(window);
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kCols; ++col)
            if (!Shows(shot, window.graphics.Pieces[window.game.Board[row][col]],
                       CellOnWindow(row, col)))
                return false;
    return true;
}

}  // namespace quabe::testing
