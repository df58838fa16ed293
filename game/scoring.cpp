// Points for a removed group, crediting them to the mover, and the six-digit
// score display.
#include <algorithm>

#include "game.h"

namespace quabe {

namespace {

constexpr int32_t kLargestShown = 999999;  // six digit cells per player

// A score far beyond any real game stops at the largest value instead of overflowing.
int32_t AddPoints(int32_t score, int32_t points) {
    const int64_t sum = static_cast<int64_t>(score) + points;
    return static_cast<int32_t>(std::min<int64_t>(sum, INT32_MAX));
}

// Cell firstCell holds the units digit, firstCell + 5 the most significant. A
// score with a seventh digit shows as 999999 rather than losing its top digits.
void ShowDigits(Platform& ui, int32_t score, int firstCell) {
    const int32_t shown = std::clamp(score, 0, kLargestShown);
    int32_t scale = 100000;
    for (int cell = firstCell + 5; cell >= firstCell; --cell) {
        ui.SetScoreDigit(cell, shown / scale % 10);
        scale /= 10;
    }
}

}  // namespace

int32_t Points(int n) {
    return n * (n - 1) + 2;
}

Outcome Winner(int32_t score1, int32_t score2) {
    if (score1 == score2) return Outcome::Draw;
    return score1 > score2 ? Outcome::PlayerWins : Outcome::ComputerWins;
}

void Game::CreditMove(bool byComputer, int groupSize) {
    const int32_t points = Points(groupSize);
    if (!byComputer) {
        UndoScore1 = Score1;
        Score1 = AddPoints(Score1, points);
    } else {
        UndoScore2 = Score2;
        Score2 = AddPoints(Score2, points);
    }
    ShowScore();
}

void Game::ShowScore() {
    ShowDigits(ui, Score1, 0);
    if (TwoPlayers) ShowDigits(ui, Score2, 6);
}

}  // namespace quabe
