#include "board_cursor.h"

#include <QPainter>
#include <algorithm>

#include "picture_box.h"

namespace quabe {

namespace {

// The frame picture's board area, in window pixels (x 8..551, y 79..448).
const QRect kBoardArea(8, 79, 544, 370);

constexpr int kFrameWidth = 3;  // of the 4-pixel gutter, leaving one of board colour
// White for the cursor and amber for its group stand out on every shipped
// board colour (black, deep blue, dark green) and tell the two apart.
const QColor kCursorColour(255, 255, 255);
const QColor kGroupColour(255, 200, 0);

QRect CellRect(const Game& game, QPoint origin, int row, int col) {
    const int side = UnitsToPixels(kPieceSize);
    return {
        origin + QPoint(UnitsToPixels(game.CellX[row][col]), UnitsToPixels(game.CellY[row][col])),
        QSize(side, side)};
}

// The group of the cell, found the way a move finds it; 0 cells for an empty one.
struct Group {
    int16_t rows[kCells + 1]{};
    int16_t cols[kCells + 1]{};
    Grid<bool> in{};
    int size = 0;
};

void FindGroupAt(const Game& game, int row, int col, Group& group) {
    if (game.Board[row][col] == 0) return;
    group.rows[1] = static_cast<int16_t>(row);
    group.cols[1] = static_cast<int16_t>(col);
    group.in[row][col] = true;
    group.size = FloodFill(game.Board, group.rows, group.cols, group.in) - 1;
}

}  // namespace

bool StepCursor(BoardCursor& cursor, int rows, int cols) {
    const BoardCursor before = cursor;
    cursor.Row = std::clamp(cursor.Row + rows, 1, kRows);
    cursor.Col = std::clamp(cursor.Col + cols, 1, kCols);
    return cursor.Row != before.Row || cursor.Col != before.Col;
}

QRegion CellFrame(const Game& game, QPoint origin, int row, int col) {
    const QRect cell = CellRect(game, origin, row, col);
    const int w = kFrameWidth;
    return QRegion(cell.adjusted(-w, -w, w, w)) - QRegion(cell);
}

// Every cell's frame together, less the cells and the gutters between two cells
// of the group: what is left runs round the group's outside only.
QRegion GroupFrame(const Game& game, QPoint origin, int row, int col) {
    Group group;
    FindGroupAt(game, row, col, group);
    if (group.size < 2) return {};
    const int w = kFrameWidth;
    const int gap = UnitsToPixels(kCellPitch - kPieceSize);
    QRegion outside;
    QRegion inside;
    for (int k = 1; k <= group.size; ++k) {
        const int r = group.rows[k];
        const int c = group.cols[k];
        const QRect cell = CellRect(game, origin, r, c);
        outside += cell.adjusted(-w, -w, w, w);
        inside += cell;
        const bool right = c < kCols && group.in[r][c + 1];
        const bool below = r < kRows && group.in[r + 1][c];
        if (right) inside += QRect(cell.right() + 1, cell.top(), gap, cell.height());
        if (below) inside += QRect(cell.left(), cell.bottom() + 1, cell.width(), gap);
        if (right && below && group.in[r + 1][c + 1])
            inside += QRect(cell.right() + 1, cell.bottom() + 1, gap, gap);
    }
    return outside - inside;
}

int GroupSizeAt(const Game& game, int row, int col) {
    Group group;
    FindGroupAt(game, row, col, group);
    return group.size;
}

const BoardCursor* PointedCell(const Game& game, const BoardCursor& cursor,
                               const BoardCursor& pointer) {
    if (!game.GameActive || game.MoveBusy || game.EventBusy) return nullptr;
    if (cursor.Shown) return &cursor;
    return pointer.Shown ? &pointer : nullptr;
}

BoardOverlay::BoardOverlay(QWidget* window, const QWidget& board, const Game& game,
                           const BoardCursor& cursor, const BoardCursor& pointer)
    : QWidget(window), board_(board), game_(game), cursor_(cursor), pointer_(pointer) {
    setGeometry(kBoardArea);
    setAttribute(Qt::WA_TransparentForMouseEvents);  // presses reach the board beneath
}

QRegion BoardOverlay::Margins() const {
    return QRegion(rect()) - QRegion(board_.geometry().translated(-pos()));
}

QRegion BoardOverlay::Frames() const {
    if (!game_.GameActive) return {};
    const QPoint origin = board_.pos() - pos();
    QRegion frames;
    if (const BoardCursor* at = PointedCell(game_, cursor_, pointer_))
        frames += GroupFrame(game_, origin, at->Row, at->Col);
    if (cursor_.Shown) frames += CellFrame(game_, origin, cursor_.Row, cursor_.Col);
    return frames;
}

void BoardOverlay::paintEvent(QPaintEvent*) {
    if (!game_.GameActive) return;
    const QPoint origin = board_.pos() - pos();
    QPainter painter(this);
    if (const BoardCursor* at = PointedCell(game_, cursor_, pointer_)) {
        for (const QRect& strip : GroupFrame(game_, origin, at->Row, at->Col))
            painter.fillRect(strip, kGroupColour);
    }
    if (!cursor_.Shown) return;
    for (const QRect& strip : CellFrame(game_, origin, cursor_.Row, cursor_.Col))
        painter.fillRect(strip, kCursorColour);
}

}  // namespace quabe
