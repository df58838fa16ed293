// Mines: the sequence of an explosion, the block it destroys, and what follows.
#include <gtest/gtest.h>

#include "fake_platform.h"

namespace quabe::test {
namespace {

// A full board whose kinds differ in every column and row, so no two pieces match.
std::vector<std::string> FullBoard() {
    std::vector<std::string> rows;
    for (int row = 0; row < kRows; ++row) {
        std::string line;
        for (int col = 0; col < kCols; ++col) line += static_cast<char>('1' + (row + col) % 6);
        rows.push_back(line);
    }
    return rows;
}

TEST(Mine, ExplodesInStepsWithWaitsAndCues) {
    Table t;
    t.Deal(FullBoard());
    t.game.HasMine[5][5] = true;
    bool busyAtCues = true;
    t.ui.onCue = [&] { busyAtCues = busyAtCues && t.game.EventBusy && !t.game.MoveBusy; };
    EXPECT_TRUE(t.game.MakeMove(5, 5, false));  // a lone piece on a mine still counts

    std::vector<std::string> steps;
    for (const auto& entry : t.ui.log) {
        if (entry.rfind("Fire", 0) == 0 && !steps.empty() && steps.back() == "fire") continue;
        if (entry.rfind("P", 0) == 0) break;
        steps.push_back(entry.rfind("Fire", 0) == 0 ? "fire" : entry);
    }
    EXPECT_EQ(steps, (std::vector<std::string>{"hourglass", "Mine@5,5", "refresh",
                                               "cue Explode.wav 1", "sleep 1000", "fire", "refresh",
                                               "cue Explode.wav 0", "sleep 1000"}));
    EXPECT_EQ(t.Count("Fire"), 9);
    EXPECT_EQ(t.Count("refresh"), 2);  // the collapse shows at the next refresh
    EXPECT_EQ(t.ui.log.back(), "pointer");
    EXPECT_TRUE(busyAtCues);
    EXPECT_FALSE(t.game.EventBusy);
    EXPECT_EQ(t.ui.bleeps, 0);
    EXPECT_EQ(t.game.Score1, 0);
    EXPECT_EQ(t.game.ShiftClock, 0);
    EXPECT_TRUE(t.game.HasMine[5][5]);
}

TEST(Mine, DestroysItsBlockClippedAtTheEdges) {
    const std::pair<int, int> mines[] = {{5, 7}, {10, 4}, {3, 15}, {10, 15}, {1, 1}, {1, 8}};
    for (auto [mineRow, mineCol] : mines) {
        Table t;
        const auto board = FullBoard();
        t.Deal(board);
        t.game.HasMine[mineRow][mineCol] = true;
        t.game.MakeMove(mineRow, mineCol, false);

        // Each column keeps its pieces outside the block, in order, at the bottom.
        for (int col = 1; col <= kCols; ++col) {
            std::string expected;
            for (int row = 1; row <= kRows; ++row) {
                const bool blasted = std::abs(row - mineRow) <= 1 && std::abs(col - mineCol) <= 1;
                if (!blasted) expected += board[row - 1][col - 1];
            }
            expected.insert(0, kRows - expected.size(), '.');
            std::string actual;
            for (const auto& line : t.Rows()) actual += line[col - 1];
            EXPECT_EQ(actual, expected)
                << "mine at " << mineRow << "," << mineCol << " column " << col;
        }
        for (int row = 1; row <= kRows; ++row) {
            for (int col = 1; col <= kCols; ++col) {
                ASSERT_EQ(t.ui.image[row][col], t.game.Board[row][col]) << row << "," << col;
            }
        }
    }
}

TEST(Mine, GoesOffAgainUnderThePieceThatFellOntoIt) {
    Table t;
    t.Deal({"5", "4", "3", "21", "1233"});
    t.game.HasMine[10][1] = true;
    t.Press(10, 1);
    EXPECT_EQ(t.Rows(3), Padded({"5", "4", "333"}));
    EXPECT_TRUE(t.game.GameActive);
    t.ui.log.clear();
    t.Press(10, 1);
    EXPECT_EQ(t.Count("Mine@10,1"), 1);
    EXPECT_EQ(t.Rows(2), Padded({"", "53"}));
}

TEST(Mine, ThatEmptiesTheBoardDealsAFreshOneWithTheScoresKept) {
    Table t;
    t.Deal({"12", "34"});
    t.game.Score1 = 40;
    t.game.HasMine[10][1] = true;
    t.game.MakeMove(10, 1, false);
    EXPECT_EQ(t.Count("load set"), 1);
    EXPECT_TRUE(t.game.GameActive);
    EXPECT_EQ(t.game.Score1, 40);
    EXPECT_NE(t.game.Board[1][1], 0);
}

TEST(Mine, ThatLeavesNoPairEndsTheGameAndClosesColumns) {
    Table t;
    t.Deal({"1213", "3456"});
    t.game.HasMine[10][1] = true;
    t.game.MakeMove(10, 1, false);
    EXPECT_EQ(t.Rows(2), Padded({"13", "56"}));
    EXPECT_EQ(t.ui.gameOvers, 1);
    EXPECT_FALSE(t.game.GameActive);
}

TEST(Mine, SetOffByThePlayerGetsTheComputersReply) {
    Table t;
    t.Deal({"5", "4", "44", "123", "3456"}, {Option::TwoPlayers});
    t.game.HasMine[10][4] = true;
    t.Press(10, 4);
    EXPECT_EQ(t.Count("Mine"), 1);
    EXPECT_EQ(t.game.Score1, 0);
    EXPECT_EQ(t.game.Score2, 8);  // the three 4s that the blast brought together
}

}  // namespace
}  // namespace quabe::test
