// A mine going off: the warning, the flames over its block, and the collapse.
#include <algorithm>

#include "game.h"

namespace quabe {

void Game::ExplodeMine(int row, int col) {
    EventBusy = true;
    PaintCell(Picture::Mine, row, col);
    ui.RefreshBoard();
    ui.PlayCue("Explode.wav", kCueStart);
    WaitSeconds(1);

    // The 3 x 3 block around the mine, cut off at the board's edges.
    const int top = std::max(row - 1, 1);
    const int bottom = std::min(row + 1, kRows);
    const int left = std::max(col - 1, 1);
    const int right = std::min(col + 1, kCols);

    Grid<bool> exploded{};
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            PaintCell(Picture::Fire, r, c);
            exploded[r][c] = true;
        }
    }
    ui.RefreshBoard();
    ui.PlayCue("Explode.wav", kCueWait);
    WaitSeconds(1);

    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            Board[r][c] = 0;
            PaintCell(Picture::Piece0, r, c);
        }
    }
    CollapseMarked(exploded, false);
    CloseEmptyColumns();
    EventBusy = false;
    EndOfMove();
}

}  // namespace quabe
