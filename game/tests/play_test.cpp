// Whole games under random play: a seed replays a game exactly, and no sequence
// of presses, previews, Undo and shifts can bend the board out of shape.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "fake_platform.h"

namespace quabe::test {
namespace {

// Pieces rest on pieces, occupied columns stand side by side from column 1, kinds
// stay in 0..6, and while the game runs the board image shows the grid.
::testing::AssertionResult InShape(const Table& t) {
    const Game& game = t.game;
    bool gapSeen = false;
    for (int col = 1; col <= kCols; ++col) {
        bool pieceAbove = false;
        for (int row = 1; row <= kRows; ++row) {
            const int kind = game.Board[row][col];
            if (kind < 0 || kind > 6) return ::testing::AssertionFailure() << "kind " << kind;
            if (kind != 0) pieceAbove = true;
            if (kind == 0 && pieceAbove) {
                return ::testing::AssertionFailure() << "piece floats above " << row << "," << col;
            }
            if (game.GameActive && t.ui.image[row][col] != kind) {
                return ::testing::AssertionFailure() << "image differs at " << row << "," << col;
            }
        }
        const bool occupied = game.Board[kRows][col] != 0;
        if (occupied && gapSeen)
            return ::testing::AssertionFailure() << "gap before column " << col;
        gapSeen = gapSeen || !occupied;
    }
    return ::testing::AssertionSuccess();
}

int32_t PointsOrZero(int n) {
    return n >= 2 ? Points(n) : 0;
}

// How many pieces of each kind the board holds.
std::array<int, 7> KindCounts(const Game& game) {
    std::array<int, 7> counts{};
    for (int row = 1; row <= kRows; ++row) {
        for (int col = 1; col <= kCols; ++col) ++counts[game.Board[row][col]];
    }
    return counts;
}

int Pieces(const Game& game) {
    return kCells - KindCounts(game)[0];
}

bool HasPair(const Game& game, int row, int col) {
    const int kind = game.Board[row][col];
    return kind != 0 && ((row < kRows && game.Board[row + 1][col] == kind) ||
                         (col < kCols && game.Board[row][col + 1] == kind) ||
                         (row > 1 && game.Board[row - 1][col] == kind) ||
                         (col > 1 && game.Board[row][col - 1] == kind));
}

struct Played {
    std::vector<std::string> log;
    std::vector<std::string> rows;
    int32_t score1 = 0;
    int32_t score2 = 0;
    int moves = 0;
    bool over = false;
};

// Plays one game with every event on, checking the board after every step.
Played Play(uint64_t seed, bool logging) {
    Table t;
    t.ui.logging = logging;
    t.ui.fresh.Seed(seed);  // the deals, and so every board of the game
    t.ui.cueWaitMs = 400;
    t.ui.options = {Option::RowShifts, Option::ColumnShifts, Option::Mines, Option::Flash};
    if (seed % 2 == 0) t.ui.options.insert(Option::TwoPlayers);
    Random dice(seed ^ 0xD1CE);
    auto roll = [&](int sides) { return static_cast<int>(dice.NextBits() % sides); };

    Played played;
    t.game.NewGame();
    for (int step = 0; step < 300 && t.game.GameActive; ++step) {
        const int action = roll(20);
        const int32_t score1 = t.game.Score1;
        const int32_t score2 = t.game.Score2;
        if (action < 14) {
            int row = roll(kRows) + 1;
            int col = roll(kCols) + 1;
            // Half the presses look for a group from there, so that games reach their end.
            for (int k = 0; action % 2 == 0 && k < kCells && !HasPair(t.game, row, col); ++k) {
                col = col % kCols + 1;
                row = col == 1 ? row % kRows + 1 : row;
            }
            const bool onMine = t.game.HasMine[row][col];
            const int group = onMine ? 0 : t.game.GroupSize(row, col);
            const int bleeps = t.ui.bleeps;
            const int fires = t.ui.fires;
            const int deals = t.ui.deals;
            const int pieces = Pieces(t.game);
            t.Press(row, col);
            // Every removed piece bleeps once: what the player did not take, the computer did.
            const int player = group >= 2 ? group : 0;
            const int computer = t.ui.bleeps - bleeps - player;
            EXPECT_EQ(t.game.Score1 - score1, PointsOrZero(player)) << "seed " << seed;
            EXPECT_EQ(t.game.Score2 - score2, PointsOrZero(computer)) << "seed " << seed;
            if (!t.game.TwoPlayers) {
                EXPECT_EQ(computer, 0);
            }
            played.moves += player > 0;
            // Only removals and blasts take pieces away; a blast takes at most a piece per flame.
            if (t.ui.deals == deals) {
                const int taken = pieces - Pieces(t.game) - (t.ui.bleeps - bleeps);
                EXPECT_GE(taken, 0) << "seed " << seed;
                EXPECT_LE(taken, t.ui.fires - fires) << "seed " << seed;
            }
        } else if (action < 15) {
            const auto before = t.Rows();
            t.Press(roll(kRows) + 1, roll(kCols) + 1, 2);
            EXPECT_EQ(t.Rows(), before);
        } else if (action < 16) {
            const bool ready = t.game.UndoReady;
            t.game.Undo();
            if (ready) {
                EXPECT_EQ(t.game.Score1, t.game.UndoScore1);
                EXPECT_EQ(std::memcmp(t.game.Board, t.game.UndoBoard, sizeof t.game.Board), 0);
            }
        } else {
            const auto counts = KindCounts(t.game);
            t.ui.clock += roll(12000);
            t.game.TimerTick();
            EXPECT_EQ(KindCounts(t.game), counts) << "a shift only moves pieces";
            EXPECT_EQ(t.game.Score1, score1);
            EXPECT_EQ(t.game.Score2, score2);
        }
        EXPECT_TRUE(InShape(t)) << "seed " << seed << " step " << step;
        if (::testing::Test::HasFailure()) break;
    }
    played.log = t.ui.log;
    played.rows = t.Rows();
    played.score1 = t.game.Score1;
    played.score2 = t.game.Score2;
    played.over = !t.game.GameActive;
    return played;
}

TEST(Play, SameSeedAndPressesReplayTheSameGame) {
    const Played first = Play(42, true);
    const Played again = Play(42, true);
    ASSERT_GT(first.moves, 3);
    EXPECT_EQ(first.log, again.log);
    EXPECT_EQ(first.rows, again.rows);
    EXPECT_EQ(first.score1, again.score1);
    EXPECT_EQ(first.score2, again.score2);
    EXPECT_NE(Play(43, true).log, first.log);
}

TEST(Play, RandomGamesKeepTheBoardInShapeAndScoreOnlyRemovals) {
    int moves = 0;
    int finished = 0;
    for (uint64_t seed = 1; seed <= 2000 && !HasFailure(); ++seed) {
        const Played played = Play(seed, false);
        moves += played.moves;
        finished += played.over;
    }
    EXPECT_GT(moves, 2000 * 20);
    EXPECT_GT(finished, 1000);
}

}  // namespace
}  // namespace quabe::test
