#pragma once
// The board cursor of keyboard play: the cell it stands on, and the frames that
// show it and the group under it in the gutters between the pieces.
#include <QRegion>
#include <QWidget>

#include "game.h"

namespace quabe {

// The cursor keeps its row and column whatever the pieces do around it.
struct BoardCursor {
    int Row = kRows;  // it first appears bottom left
    int Col = 1;
    bool Shown = false;
};

// One step of the cursor, stopping at the board's edges: false when it stood there.
bool StepCursor(BoardCursor& cursor, int rows, int cols);

// The frames, in the pixels of a picture that has the board's cell (1, 1) at
// `origin`. Each is three pixels wide and lies in the gutters next to its cells;
// the group's is empty when the cell holds no group of two or more.
QRegion CellFrame(const Game& game, QPoint origin, int row, int col);
QRegion GroupFrame(const Game& game, QPoint origin, int row, int col);

// The number of pieces in the cell's group: 0 for an empty cell, 1 for a lone piece.
int GroupSizeAt(const Game& game, int row, int col);

// The cell whose group the player points at: the cursor's while it shows, else the
// pointer's. None while no game runs or a move or an event is under way.
const BoardCursor* PointedCell(const Game& game, const BoardCursor& cursor,
                               const BoardCursor& pointer);

// Paints the cursor and the pointed group's frame above the board picture, so that
// what the rules paint never changes. It covers the frame picture's whole board
// area: the board picture has no gutter of its own left of column 1 or above row 1.
class BoardOverlay : public QWidget {
  public:
    BoardOverlay(QWidget* window, const QWidget& board, const Game& game, const BoardCursor& cursor,
                 const BoardCursor& pointer);
    // What it paints, in its own pixels.
    QRegion Frames() const;
    // The strips beside the board picture, which the board's own repaints miss.
    QRegion Margins() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QWidget& board_;
    const Game& game_;
    const BoardCursor& cursor_;
    const BoardCursor& pointer_;
};

}  // namespace quabe
