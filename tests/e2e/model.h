#pragma once
// The rules engine with a silent desktop: predicts what a move must leave on the board.
#include "desktop.h"
#include "game/game.h"

namespace e2e {

class SilentPlatform : public quabe::Platform {
public:
    void Paint(quabe::Picture, int, int) override {}
    void SetBoardBackground(uint32_t) override {}
    void RefreshBoard() override {}
    void SetHourglass(bool) override {}
    void PlayCue(const char*, int) override {}
    int64_t TickCount() override { return now_; }
    void Sleep(int ms) override { now_ += ms; }
    double Rnd() override { return 0.5; }
    bool OptionOn(quabe::Option option) override { return option == quabe::Option::TwoPlayers && twoPlayers; }
    void SetTimerEnabled(bool) override {}
    void SetScoreDigit(int, int) override {}
    void HideMainScreen() override {}
    void ShowMainScreen() override {}
    void ShowGameOver() override {}
    void StopCelebration() override {}
    uint32_t LoadPieceSet() override { return 0; }

    bool twoPlayers = false;

private:
    int64_t now_ = 1000;
};

// A game in progress whose board is the one read from the screen.
struct Model {
    SilentPlatform platform;
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
