// The computer's turn: measure the group at every cell and play the largest.
#include <cstring>

#include "game.h"

namespace quabe {

int Game::GroupSize(int row, int col) {
    if (Board[row][col] == 0) return 0;
    std::memset(Measured, 0, sizeof Measured);
    MeasureRow[1] = static_cast<int16_t>(row);
    MeasureCol[1] = static_cast<int16_t>(col);
    Measured[row][col] = true;
    return FloodFill(Board, MeasureRow, MeasureCol, Measured) - 1;
}

// Column by column, top to bottom, keeping only a strictly larger group: ties
// go to the leftmost column and then the topmost cell.
void Game::ComputerMove() {
    int best = 0;
    int bestRow = 0;
    int bestCol = 0;
    for (int col = 1; col <= kCols; ++col) {
        for (int row = 1; row <= kRows; ++row) {
            const int size = GroupSize(row, col);
            if (size > best) {
                best = size;
                bestRow = row;
                bestCol = col;
            }
        }
    }
    if (best != 0) MakeMove(bestRow, bestCol, true);
}

}  // namespace quabe
