// The computer's choice of move and what its move does differently.
#include <gtest/gtest.h>

#include "fake_platform.h"

namespace quabe::test {
namespace {

TEST(Computer, TakesTheLeftmostThenTopmostOfTheLargestGroups) {
    Table t;
    t.Deal({"1.4.5", "32245"});  // pairs reaching column 2 and column 5
    t.game.ComputerMove();
    EXPECT_EQ(t.Rows(2), Padded({"1..5", "3445"}));
    EXPECT_EQ(t.game.Score2, 4);

    Table u;
    u.Deal({"..4", "..4", "1.45", "2355"});  // threes both reaching column 3: the higher wins
    u.game.ComputerMove();
    EXPECT_EQ(u.Rows(2), Padded({"1..5", "2355"}));
}

TEST(Computer, WithOnlyLonePiecesBlinksTheFirstOrSetsOffItsMine) {
    Table t;
    t.Deal({"12", "21"});
    t.game.ComputerMove();
    EXPECT_EQ(t.Rows(2), Padded({"12", "21"}));
    EXPECT_EQ(t.Calls("P0@9,1").size(), 5u);  // the piece at column 1, row 9 blinked
    EXPECT_EQ(t.Count("P0@"), 5);

    t.game.HasMine[9][1] = true;
    t.ui.log.clear();
    t.game.ComputerMove();
    EXPECT_EQ(t.Count("Mine@9,1"), 1);
    EXPECT_EQ(t.game.Score2, 0);
}

TEST(Computer, DoesNothingOnAnEmptyBoard) {
    Table t;
    t.Deal({});
    t.game.ComputerMove();
    EXPECT_TRUE(t.ui.log.empty());
}

TEST(Computer, MoveBlinksScoresForPlayerTwoAndKeepsPlayerOnesUndo) {
    Table t;
    t.Deal({"113", "223"});
    t.game.Score2 = 10;
    t.game.UndoScore1 = 7;
    t.game.UndoBoard[1][1] = 5;
    t.game.HasMine[10][2] = true;  // on the group, but not on the chosen cell
    t.game.ComputerMove();

    EXPECT_EQ(t.ui.refreshes, 11);  // five blinks with Flash off, then the move
    EXPECT_EQ(t.game.Score2, 14);
    EXPECT_EQ(t.game.UndoScore2, 10);
    EXPECT_EQ(t.game.UndoScore1, 7);
    EXPECT_EQ(t.game.UndoBoard[1][1], 5);
    EXPECT_TRUE(t.game.HasMine[10][2]);
    EXPECT_EQ(t.Count("Mine"), 0);
}

}  // namespace
}  // namespace quabe::test
