// The board grid: dealing a new board with its mines, repainting it in the
// current set's pictures, and finding the cell under a point.
#include <algorithm>
#include <cstring>

#include "game.h"
#include "numeric.h"

namespace quabe {

namespace {

// Int(r * span + 1) for a draw r in [0, 1); the clamp keeps a generator that
// strays outside [0, 1) from indexing past the grid.
int DrawIndex(Platform& ui, int span) {
    return std::clamp(Int(ui.Rnd() * span + 1), 1, span);
}

}  // namespace

void Game::PaintCell(Picture picture, int row, int col) {
    ui.Paint(picture, CellX[row][col], CellY[row][col]);
}

void Game::DrawBoard(bool newGame) {
    ui.SetBoardBackground(BoardColor);
    ui.SetHourglass(true);
    if (newGame) {
        GameActive = true;
        // Every cell to zero, then the scores: zeros after New, and after a cleared
        // board the scores the game keeps, which a player would take for lost.
        for (int cell = 0; cell < kScoreCells; ++cell) ui.SetScoreDigit(cell, 0);
        ShowScore();
    }

    for (int row = 1; row <= kRows; ++row) {
        for (int col = 1; col <= kCols; ++col) {
            const int x = (col - 1) * kCellPitch;
            const int y = (row - 1) * kCellPitch;
            if (newGame) {
                const int kind = std::clamp(Int(ui.Rnd() * 6) + 1, 1, 6);
                ui.Paint(PieceOf(kind), x, y);
                Board[row][col] = static_cast<int16_t>(kind);
                CellX[row][col] = static_cast<int16_t>(x);
                CellY[row][col] = static_cast<int16_t>(y);
            } else if (GameActive) {
                ui.Paint(PieceOf(Board[row][col]), x, y);
            }
        }
    }

    if (newGame) {
        ShiftClock = 0;
        for (int kind = 0; kind < 2; ++kind) {
            ShiftInterval[kind] = 0;
            ArmShift(kind);
        }
        std::memset(HasMine, 0, sizeof HasMine);
        if (ui.OptionOn(Option::Mines)) {
            // 1..11 for a draw in [0, 1); clamped so a stray draw cannot ask for
            // more mines than there are cells.
            int count = std::clamp<int>(CInt(ui.Rnd() * 10 + 1), 0, 11);
            while (count != 0) {
                const int col = DrawIndex(ui, kCols);
                const int row = DrawIndex(ui, kRows);
                if (HasMine[row][col]) continue;
                HasMine[row][col] = true;
                --count;
            }
        }
        MoveBusy = false;
        EventBusy = false;
    }
    ui.SetHourglass(false);
}

bool Game::CellFromPoint(double x, double y, int& row, int& col) const {
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kCols; ++c) {
            if (CellX[r][c] <= x && x <= CellX[r][c] + kPieceSize && CellY[r][c] <= y &&
                y <= CellY[r][c] + kPieceSize) {
                row = r;
                col = c;
                return true;
            }
        }
    }
    return false;
}

}  // namespace quabe
