// Dealing and repainting the board, and the hit test.
#include <gtest/gtest.h>

#include "fake_platform.h"

namespace quabe::test {
namespace {

int MineCount(const Game& game) {
    int count = 0;
    for (int row = 1; row <= kRows; ++row) {
        for (int col = 1; col <= kCols; ++col) count += game.HasMine[row][col];
    }
    return count;
}

// Scripts the 150 kinds and the two shift draws of a deal, then the mine count draw.
void ScriptDealUpToMines(FakePlatform& ui, double mineCountDraw) {
    for (int k = 0; k < kCells + 2; ++k) ui.script.push_back(0.0);
    ui.script.push_back(mineCountDraw);
}

TEST(Deal, DrawsInOrderWithTheGamesFormulas) {
    Table t;
    t.ui.options = {Option::Mines, Option::ColumnShifts};
    for (int k = 0; k < kCells; ++k) t.ui.script.push_back((k % 6) / 6.0 + 0.01);
    t.ui.script.push_back(0.0);  // row shift: drawn although row shifts are off
    t.ui.script.push_back(0.5);  // column shift: 5000.5 + 10000 rounds to the even 15000
    t.ui.script.push_back(0.1);  // two mines
    // (column, row) pairs: the repeat of (15, 10) is drawn again.
    for (double r : {0.99, 0.95, 0.99, 0.95, 0.0, 0.0}) t.ui.script.push_back(r);
    t.game.NewGame();

    EXPECT_TRUE(t.ui.script.empty());
    for (int row = 1; row <= kRows; ++row) {
        for (int col = 1; col <= kCols; ++col) {
            ASSERT_EQ(t.game.Board[row][col], ((row - 1) * kCols + col - 1) % 6 + 1);
        }
    }
    EXPECT_EQ(t.game.ShiftInterval[0], 0);
    EXPECT_EQ(t.game.ShiftInterval[1], 15000);
    EXPECT_EQ(MineCount(t.game), 2);
    EXPECT_TRUE(t.game.HasMine[10][15]);
    EXPECT_TRUE(t.game.HasMine[1][1]);
    EXPECT_EQ(t.game.CellX[1][15], 7560);
    EXPECT_EQ(t.game.CellY[10][1], 4860);
}

TEST(Deal, MineCountRoundsHalfToEven) {
    const std::pair<double, int> cases[] = {{0.0, 1}, {0.15, 2}, {0.25, 4}, {0.75, 8}, {0.999, 11}};
    for (auto [draw, mines] : cases) {
        Table t;
        t.ui.options = {Option::Mines};
        ScriptDealUpToMines(t.ui, draw);
        t.game.NewGame();
        EXPECT_EQ(MineCount(t.game), mines) << "draw " << draw;
    }
}

TEST(Deal, NewBoardReplacesEverythingButTheScores) {
    Table t;
    t.ui.options = {Option::Mines, Option::RowShifts, Option::ColumnShifts};
    t.game.NewGame();
    t.game.Score1 = 120;
    t.game.ShiftClock = 777;
    t.ui.options = {};
    t.game.StartBoard();

    EXPECT_EQ(MineCount(t.game), 0);  // the last board's mines are gone
    EXPECT_EQ(t.game.Score1, 120);
    EXPECT_EQ(t.ui.Digits(0), "000120") << "the kept score stays in view";
    EXPECT_EQ(t.ui.Digits(6), "000000");
    EXPECT_EQ(t.game.ShiftClock, 0);
    EXPECT_EQ(t.game.ShiftInterval[0], 0);
    EXPECT_TRUE(t.game.GameActive);
    EXPECT_EQ(t.game.BoardColor, t.ui.setColor);
    for (int row = 1; row <= kRows; ++row) {
        for (int col = 1; col <= kCols; ++col) {
            ASSERT_GE(t.game.Board[row][col], 1);
            ASSERT_LE(t.game.Board[row][col], 6);
            ASSERT_EQ(t.ui.image[row][col], t.game.Board[row][col]);
        }
    }
    EXPECT_EQ(t.Count("refresh"), 0);
    EXPECT_FALSE(t.ui.hourglass);
}

TEST(Deal, RepaintShowsTheGridOnlyDuringAGame) {
    Table t;
    t.game.DrawBoard(false);
    EXPECT_EQ(t.Count("P"), 0);
    EXPECT_EQ(t.Calls("background"), std::vector<std::string>{"background 0"});

    t.Deal({"12", "3.45"});
    t.game.HasMine[10][2] = true;
    t.ui.EraseImage();
    const auto before = t.Rows();
    t.game.DrawBoard(false);
    EXPECT_EQ(t.Count("P"), kCells);
    EXPECT_EQ(t.Rows(), before);
    EXPECT_TRUE(t.game.HasMine[10][2]);
    EXPECT_EQ(t.ui.image[10][2], 0);  // the empty-cell picture
    EXPECT_EQ(t.ui.image[10][3], 4);
}

TEST(HitTest, PieceEdgesHitAndGapsMiss) {
    Table t;
    t.Deal({});
    int row = 0;
    int col = 0;
    ASSERT_TRUE(t.game.CellFromPoint(480, 480, row, col));
    EXPECT_EQ(std::make_pair(row, col), std::make_pair(1, 1));
    EXPECT_FALSE(t.game.CellFromPoint(481, 100, row, col));
    EXPECT_FALSE(t.game.CellFromPoint(100, 539, row, col));
    ASSERT_TRUE(t.game.CellFromPoint(540, 1080, row, col));
    EXPECT_EQ(std::make_pair(row, col), std::make_pair(3, 2));
    ASSERT_TRUE(t.game.CellFromPoint(7560 + 480, 4860 + 480, row, col));
    EXPECT_EQ(std::make_pair(row, col), std::make_pair(10, 15));
    EXPECT_FALSE(t.game.CellFromPoint(8041, 10, row, col));
    EXPECT_FALSE(t.game.CellFromPoint(-1, 10, row, col));
    EXPECT_FALSE(t.game.CellFromPoint(10, 5341, row, col));
}

}  // namespace
}  // namespace quabe::test
