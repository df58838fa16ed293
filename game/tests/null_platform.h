#pragma once
// A desktop that shows and plays nothing: it only keeps time and draws numbers,
// so what remains is the rules' own work.
#include "game.h"
#include "random.h"

namespace quabe {

class NullPlatform : public Platform {
public:
    void Paint(Picture, int, int) override {}
    void SetBoardBackground(uint32_t) override {}
    void RefreshBoard() override {}
    void SetHourglass(bool) override {}
    void PlayCue(const char*, int) override {}
    int64_t TickCount() override { return ++clock_; }
    void Sleep(int milliseconds) override { clock_ += milliseconds; }
    double Rnd() override { return random_.Rnd(); }
    void SeedRnd(uint64_t seed) override { random_.Seed(seed); }
    uint64_t FreshBits() override { return fresh_.NextBits(); }
    bool OptionOn(Option) override { return false; }
    void SetTimerEnabled(bool) override {}
    void SetScoreDigit(int, int) override {}
    void HideMainScreen() override {}
    void ShowMainScreen() override {}
    void ShowGameOver() override {}
    void StopCelebration() override {}
    uint32_t LoadPieceSet() override { return 0; }

private:
    int64_t clock_ = 1;
    Random random_{2024};
    Random fresh_{2025};
};

}  // namespace quabe
