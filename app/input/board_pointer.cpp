#include "board_pointer.h"

#include <QEnterEvent>
#include <QMouseEvent>

#include "main_window.h"

namespace quabe {

BoardPointer::BoardPointer(MainWindow& window) : w_(window) {
    w_.pctBoard->setMouseTracking(true);
    w_.pctBoard->installEventFilter(this);
    boardChanged_.setSingleShot(true);
    boardChanged_.setInterval(0);
    connect(&boardChanged_, &QTimer::timeout, this, [this] { w_.ShowPointedGroup(); });
}

bool BoardPointer::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove:
            PointAt(static_cast<QMouseEvent&>(*event).position());
            break;
        case QEvent::Enter:
            PointAt(static_cast<QEnterEvent&>(*event).position());
            break;
        case QEvent::Leave:
        case QEvent::Hide:
            w_.boardPointer.Shown = false;
            w_.ShowPointedGroup();
            break;
        case QEvent::Paint:
        case QEvent::Show:
            // The pieces under a pointer that stays put may have changed; the fireworks
            // of a finished game, painting all the time, change nothing here.
            if ((w_.game.GameActive || w_.PointedGroup != 0) && !boardChanged_.isActive())
                boardChanged_.start();
            break;
        default:
            break;
    }
    return false;
}

// The gaps between pieces belong to the piece left of them and above them, so the
// outline holds steady as the pointer crosses a gap.
void BoardPointer::PointAt(QPointF position) {
    const double x = position.x() * DrawingBox::kUnitsPerPixel;
    const double y = position.y() * DrawingBox::kUnitsPerPixel;
    BoardCursor& pointer = w_.boardPointer;
    const int row = static_cast<int>(y / kCellPitch) + 1;
    const int col = static_cast<int>(x / kCellPitch) + 1;
    const bool onBoard = x >= 0 && y >= 0 && row <= kRows && col <= kCols;
    if (onBoard == pointer.Shown && (!onBoard || (row == pointer.Row && col == pointer.Col)))
        return;
    pointer.Shown = onBoard;
    if (onBoard) {
        pointer.Row = row;
        pointer.Col = col;
    }
    w_.ShowPointedGroup();
}

}  // namespace quabe
