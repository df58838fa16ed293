// Group search, removal with the fall of the pieces above, column closing and
// the bookkeeping of one move.
#include <gtest/gtest.h>

#include "fake_platform.h"

namespace quabe::test {
namespace {

using Cells = std::vector<std::pair<int, int>>;

TEST(GroupSearch, VisitsBreadthFirstUpDownLeftRight) {
    Table t;
    t.Deal({".1", ".1", "111", ".12", "31"});
    t.game.ClearGroup();
    t.game.GroupRow[1] = 8;
    t.game.GroupCol[1] = 2;
    t.game.InGroup[8][2] = true;
    const int next = t.game.FindGroup();

    Cells found;
    for (int k = 1; k < next; ++k) found.emplace_back(t.game.GroupRow[k], t.game.GroupCol[k]);
    EXPECT_EQ(found, (Cells{{8, 2}, {7, 2}, {9, 2}, {8, 1}, {8, 3}, {6, 2}, {10, 2}}));
    EXPECT_EQ(t.game.GroupSize(8, 2), 7);
    EXPECT_EQ(t.game.GroupSize(10, 1), 1);
    EXPECT_EQ(t.game.GroupSize(1, 1), 0);
    EXPECT_EQ(t.game.GroupRow[2], 7);  // measuring leaves the move's queue alone
}

TEST(Removal, GroupInOneColumnFallsPieceByPiece) {
    Table t;
    t.Deal({"42", "12", "13", "13"});
    EXPECT_TRUE(t.game.MakeMove(10, 1, false));

    EXPECT_EQ(t.Rows(4), Padded({".2", ".2", ".3", "43"}));
    EXPECT_EQ(t.ui.bleeps, 3);
    // The bottom piece goes first: every cell above it moves down one, then the top empties.
    const std::vector<std::string> first(t.ui.log.begin() + 1, t.ui.log.begin() + 12);
    EXPECT_EQ(first, (std::vector<std::string>{"P1@10,1", "P1@9,1", "P4@8,1", "P0@7,1", "P0@6,1",
                                               "P0@5,1", "P0@4,1", "P0@3,1", "P0@2,1", "P0@1,1",
                                               "cue Bleep.wav 1"}));
    EXPECT_EQ(t.Count("P"), 30);
}

TEST(Removal, LShapedGroupLeavesPiecesAboveInOrder) {
    Table t;
    t.Deal({"3..", "12.", "156", "111", "222"});
    EXPECT_TRUE(t.game.MakeMove(7, 1, false));
    EXPECT_EQ(t.Rows(4), Padded({"...", ".2.", "356", "222"}));
    EXPECT_EQ(t.ui.bleeps, 5);
    EXPECT_EQ(t.game.Score1, 22);
}

TEST(Removal, EmptyColumnsCloseToTheLeftInOrder) {
    struct Case {
        std::string before;
        int col;
        std::string after;
    };
    const Case cases[] = {
        {"11234", 1, "234"},                      // at the far left
        {"34115", 3, "345"},                      // in the middle
        {"3112245", 2, "32245"},                  // two side by side
        {"345611", 5, "3456"},                    // the rightmost: nothing moves
        {"113456123456124", 1, "3456123456124"},  // the last column moves too
    };
    for (const auto& c : cases) {
        Table t;
        t.Deal({c.before, c.before});
        t.game.MakeMove(10, c.col, false);
        EXPECT_EQ(t.Rows(2), Padded({c.after, c.after})) << c.before;
        EXPECT_TRUE(t.TopRowsEmpty(8));
    }
    Table t;
    t.Deal({"345611"});
    t.game.MakeMove(10, 5, false);
    for (int col = 1; col <= 4; ++col) {
        EXPECT_EQ(t.Count("P" + std::to_string(col + 2) + "@10," + std::to_string(col)), 0)
            << "column " << col << " was repainted";
    }
}

TEST(Scoring, PointsTable) {
    const std::pair<int, int> table[] = {{2, 4},  {3, 8},   {4, 14},   {5, 22},
                                         {6, 32}, {10, 92}, {20, 382}, {150, 22352}};
    for (auto [n, points] : table) EXPECT_EQ(Points(n), points) << n;
}

TEST(Move, WholeBoardOfOneKindScoresAndDealsAfresh) {
    Table t;
    t.Deal(std::vector<std::string>(kRows, std::string(kCols, '4')));
    EXPECT_TRUE(t.game.MakeMove(5, 7, false));
    EXPECT_EQ(t.ui.bleeps, kCells);
    EXPECT_EQ(t.game.Score1, 22352);
    EXPECT_EQ(t.Count("load set"), 1);  // the fresh board
    EXPECT_NE(t.game.Board[10][1], 0);
}

TEST(Move, LonePieceOrEmptyCellChangesNothing) {
    Table t;
    t.Deal({"12", "21"});
    EXPECT_FALSE(t.game.MakeMove(10, 1, false));
    EXPECT_FALSE(t.game.MakeMove(1, 1, false));
    EXPECT_EQ(t.Rows(2), Padded({"12", "21"}));
    EXPECT_EQ(t.ui.refreshes, 0);
    EXPECT_FALSE(t.game.MoveBusy);
    EXPECT_FALSE(t.ui.hourglass);
    EXPECT_EQ(t.Calls("hourglass").size(), 1u);  // the empty cell does not even show it

    t.ui.options = {Option::Flash};
    const int64_t start = t.ui.clock;
    EXPECT_FALSE(t.game.MakeMove(10, 1, false));
    EXPECT_EQ(t.ui.refreshes, 10);  // five blinks, each hidden and shown
    EXPECT_EQ(t.ui.clock - start, 10 * 120);
    EXPECT_EQ(t.ui.image[10][1], 2);
    EXPECT_EQ(t.game.Score1, 0);
}

TEST(Move, OtherButtonsPreviewWithoutMoving) {
    Table t;
    t.Deal({"11.", "223"});
    t.Press(10, 1, 2);
    EXPECT_EQ(t.ui.refreshes, 10);  // blinks with Flash off
    t.Press(1, 5, 4);               // the empty area blinks too
    EXPECT_EQ(t.ui.refreshes, 20);
    EXPECT_EQ(t.Rows(2), Padded({"11.", "223"}));
    EXPECT_EQ(t.ui.image[9][1], 1);
    EXPECT_EQ(t.ui.bleeps, 0);
    EXPECT_EQ(t.game.Score1, 0);
}

TEST(Move, ShowsBusyAndStartsTheShiftClockOnce) {
    Table t;
    t.Deal({"11", "22", "33"});
    bool busyDuringRemoval = false;
    t.ui.onCue = [&] { busyDuringRemoval = t.game.MoveBusy && t.ui.hourglass; };
    t.ui.clock = 0;  // a tick count of 0 must still start the clock
    EXPECT_TRUE(t.game.MakeMove(8, 1, false));
    EXPECT_TRUE(busyDuringRemoval);
    EXPECT_FALSE(t.game.MoveBusy);
    EXPECT_FALSE(t.ui.hourglass);
    EXPECT_EQ(t.game.ShiftClock, 1);
    EXPECT_EQ(t.ui.refreshes, 1);
    EXPECT_EQ(t.ui.log.back(), "pointer");
    t.ui.log.pop_back();
    EXPECT_EQ(t.ui.log.back(), "refresh") << "the screen shows the move once it is complete";

    t.ui.clock = 9000;
    t.game.MakeMove(10, 1, false);
    EXPECT_EQ(t.game.ShiftClock, 1);
}

TEST(Move, PlayerIsRefusedWhileAnEventRunsButNotTheComputer) {
    Table t;
    t.Deal({"11", "22"});
    t.game.EventBusy = true;
    EXPECT_FALSE(t.game.MakeMove(10, 1, false));
    EXPECT_EQ(t.Rows(2), Padded({"11", "22"}));
    EXPECT_TRUE(t.game.MakeMove(10, 1, true));
    EXPECT_EQ(t.game.Score2, 4);
}

}  // namespace
}  // namespace quabe::test
