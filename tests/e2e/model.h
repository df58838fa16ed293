#pragma once
// The rules engine on a desktop that shows nothing: predicts what a move must leave on the board.
#include "desktop.h"
#include "game/game.h"
#include "game/tests/null_platform.h"

namespace e2e {

// A game in progress whose board is the one read from the screen.
struct Model {
    quabe::NullPlatform platform;
    quabe::Game game{platform};

    void Load(const BoardGrid& board) {
        for (int r = 1; r <= quabe::kRows; ++r)
            for (int c = 1; c <= quabe::kCols; ++c) {
                game.Board[r][c] = static_cast<int16_t>(board[r][c]);
                game.CellX[r][c] = static_cast<int16_t>((c - 1) * quabe::kCellPitch);
                game.CellY[r][c] = static_cast<int16_t>((r - 1) * quabe::kCellPitch);
            }
        game.GameActive = true;
    }
    BoardGrid Board() const {
        BoardGrid board{};
        for (int r = 1; r <= quabe::kRows; ++r)
            for (int c = 1; c <= quabe::kCols; ++c) board[r][c] = game.Board[r][c];
        return board;
    }
};

}  // namespace e2e
