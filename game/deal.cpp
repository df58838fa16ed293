// Numbered deals: the number every board is dealt from, and the replay of one.
#include <utility>

#include "game.h"

namespace quabe {

std::optional<int32_t> ReadDealNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kLastDeal) return std::nullopt;
    }
    if (value < kFirstDeal) return std::nullopt;
    return static_cast<int32_t>(value);
}

// The number asked for, or a fresh one; a replay restores the scores of now.
void Game::ChooseDeal() {
    const int32_t asked = std::exchange(NextDeal, 0);
    if (asked >= kFirstDeal && asked <= kLastDeal) {
        DealNumber = asked;
    } else {
        DealNumber = kFirstDeal + static_cast<int32_t>(ui.FreshBits() % kLastDeal);
    }
    DealScore1 = Score1;
    DealScore2 = Score2;
    DealOpensGame = false;
}

void Game::Replay() {
    if (DealNumber == 0) return;
    NextDeal = DealNumber;
    if (DealOpensGame) {
        NewGame();
        return;
    }
    Score1 = DealScore1;
    Score2 = DealScore2;
    // Undo must not bring back the abandoned try.
    UndoReady = false;
    StartBoard();
    ShowScore();
}

}  // namespace quabe
