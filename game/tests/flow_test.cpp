// New, fresh boards, turns, the end-of-move check, game over, Undo and the score display.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_platform.h"

namespace quabe::test {
namespace {

TEST(NewGame, ResetsScoresAndDealsInOrder) {
    Table t;
    t.game.Score1 = 50;
    t.game.Score2 = 60;
    t.game.BoardColor = 7;
    t.ui.options = {Option::TwoPlayers};
    t.game.NewGame();
    EXPECT_TRUE(t.game.TwoPlayers);
    EXPECT_EQ(t.game.Score1, 0);
    EXPECT_EQ(t.game.Score2, 0);
    EXPECT_EQ(t.game.BoardColor, t.ui.setColor);
    const std::vector<std::string> start(t.ui.log.begin(), t.ui.log.begin() + 6);
    EXPECT_EQ(start, (std::vector<std::string>{
                         "stop celebration", "background 7", "show main", "load set",
                         "background " + std::to_string(t.ui.setColor), "hourglass"}));
    EXPECT_EQ(t.Count("P"), kCells);
    EXPECT_EQ(t.ui.log.back(), "pointer");
    EXPECT_EQ(t.ui.Digits(0), "000000");
    EXPECT_EQ(t.ui.Digits(6), "000000");
}

TEST(ScoreDisplay, SixDigitsPerPlayerUnitsFirst) {
    Table t;
    t.game.Score1 = 1234;
    t.game.ShowScore();
    EXPECT_EQ(t.ui.Digits(0), "001234");
    EXPECT_EQ(t.ui.digits[0], 4);
    EXPECT_EQ(t.ui.Digits(6), "------") << "player 2's cells untouched in a one-player game";

    t.game.TwoPlayers = true;
    t.game.Score1 = 1234567;  // no seventh cell: shows the largest six-digit score
    t.game.Score2 = 0;
    t.game.ShowScore();
    EXPECT_EQ(t.ui.Digits(0), "999999");
    EXPECT_EQ(t.ui.Digits(6), "000000");
}

TEST(Turns, ComputerAnswersOnlyAMoveThatMoved) {
    Table t;
    t.Deal({"3", "12", "11", "2233"}, {Option::TwoPlayers});
    t.Press(10, 4);
    EXPECT_EQ(t.game.Score1, 4);
    EXPECT_EQ(t.game.Score2, 8) << "the computer took the three 1s";
    EXPECT_EQ(t.ui.Digits(6), "000008");

    Table lone;
    lone.Deal({"12", "21", "33"}, {Option::TwoPlayers});
    lone.Press(9, 1);
    EXPECT_EQ(lone.game.Score2, 0);
    EXPECT_EQ(lone.Count("P0"), 0);
}

TEST(Turns, WithFlashTheComputerWaitsBeforeItsBlink) {
    Table t;
    t.Deal({"5", "12", "11", "2233"}, {Option::TwoPlayers, Option::Flash});
    t.Press(10, 4);
    const auto& log = t.ui.log;
    auto playerDone = std::find(log.begin(), log.end(), "pointer");
    ASSERT_NE(playerDone, log.end());
    EXPECT_EQ(*(playerDone + 1), "sleep 300");
    EXPECT_EQ((playerDone + 2)->rfind("hourglass", 0), 0u);
}

TEST(EndOfMove, DetectsPairsEmptyBoardsAndDeadEnds) {
    struct Case {
        std::vector<std::string> rows;
        bool empty;
        bool moves;
    };
    const Case cases[] = {
        {{}, true, false},
        {{"121", "212"}, false, false},
        {{"1", "1"}, false, true},
        {{"12345612345612"
          "3",
          "23456123456123"
          "3"},
         false,
         true},  // a pair in column 15
        {{"1", "2", "3", "4", "5", "6", "1", "2", "3", "45"}, false, false},
    };
    for (const auto& c : cases) {
        Table t;
        t.Deal(c.rows);
        bool empty = !c.empty;
        bool moves = !c.moves;
        t.game.CheckMovesLeft(empty, moves);
        EXPECT_EQ(empty, c.empty);
        EXPECT_EQ(moves, c.moves);
    }
}

TEST(EndOfMove, ClearedBoardDealsAfreshAndTheComputerMovesFirstOnIt) {
    Table t;
    t.Deal({"11"});
    t.game.Score1 = 100;
    t.Press(10, 1);
    EXPECT_TRUE(t.game.GameActive);
    EXPECT_EQ(t.game.Score1, 104);
    EXPECT_EQ(t.ui.Digits(0), "000104") << "the fresh board shows the score the game keeps";

    Table two;
    two.Deal({"22"}, {Option::TwoPlayers});
    two.game.Score2 = 30;
    two.ui.log.clear();
    two.Press(10, 1);
    EXPECT_EQ(two.Count("load set"), 1);
    EXPECT_GT(two.game.Score2, 30);
    EXPECT_EQ(two.game.Score1, 4);
    const auto& log = two.ui.log;
    const auto deal = std::find(log.begin(), log.end(), "load set");
    EXPECT_EQ(std::count(deal, log.end(), "refresh"), 11) << "the computer's blink and move";
}

TEST(GameOver, EndsTheGameAndIgnoresPressesAndUndo) {
    Table t;
    t.Deal({"3", "11", "23"}, {Option::TwoPlayers});
    t.Press(9, 1);
    EXPECT_EQ(t.ui.gameOvers, 1);
    EXPECT_FALSE(t.game.GameActive);
    EXPECT_EQ(t.ui.refreshes, 1) << "no reply on a finished board";

    t.game.HasMine[10][1] = true;
    t.ui.log.clear();
    t.Press(10, 1);
    t.game.Undo();
    EXPECT_TRUE(t.ui.log.empty());
}

TEST(GameOver, ComputersMoveCanEndTheGameInsideThePress) {
    Table t;
    t.Deal({"1.5", "22355"}, {Option::TwoPlayers});
    t.Press(10, 1);
    EXPECT_EQ(t.game.Score1, 4);
    EXPECT_EQ(t.game.Score2, 4);
    EXPECT_EQ(t.ui.gameOvers, 1);
    EXPECT_FALSE(t.game.GameActive);
}

TEST(Undo, RestoresThePositionBeforeThePlayersLastRemoval) {
    Table t;
    t.ui.options = {Option::TwoPlayers};
    t.game.NewGame();
    const auto before = t.Rows();
    int row = 1;
    int col = 1;
    while (t.game.GroupSize(row, col) < 2) col = col % kCols + 1, row += col == 1;
    t.Press(row, col);  // the player's removal and the computer's reply
    ASSERT_GT(t.game.Score1, 0);
    ASSERT_GT(t.game.Score2, 0);
    t.game.HasMine[10][8] = true;
    t.game.MakeMove(10, 8, true);  // the computer sets off a mine
    t.game.ShiftBoard(0);
    t.game.ShiftBoard(1);
    ASSERT_TRUE(t.game.GameActive);

    for (int press = 0; press < 2; ++press) {
        t.ui.log.clear();
        t.game.Undo();
        EXPECT_EQ(t.Rows(), before);
        EXPECT_EQ(t.game.Score1, 0);
        EXPECT_EQ(t.game.Score2, 0);
        EXPECT_EQ(t.ui.Digits(0), "000000");
        EXPECT_EQ(t.Count("P"), kCells);
        EXPECT_EQ(t.Count("refresh"), 1);
        EXPECT_TRUE(t.game.HasMine[10][8]);
    }
}

TEST(Undo, NeverBringsBackTheLastGamesScores) {
    Table t;
    t.game.UndoScore1 = 77;  // left by a two-player game
    t.game.UndoScore2 = 99;
    t.Deal({"22", "133"});  // a one-player game: the computer never scores
    t.Press(9, 1);
    ASSERT_TRUE(t.game.GameActive);
    t.game.Undo();
    EXPECT_EQ(t.game.Score1, 0);
    EXPECT_EQ(t.game.Score2, 0);
}

TEST(Undo, OnlyAfterTheFirstRemovalOfThisGame) {
    Table t;
    t.Deal({"11", "23"});
    t.Press(10, 1);  // a lone piece: nothing to undo yet
    t.Press(9, 1);
    t.game.NewGame();
    const auto fresh = t.Rows();
    t.ui.log.clear();
    t.game.Undo();
    EXPECT_TRUE(t.ui.log.empty()) << "the last game's position must not come back";
    EXPECT_EQ(t.Rows(), fresh);

    t.SetBoard({"66"});
    t.Press(10, 1);  // clears the board: a fresh one is dealt
    ASSERT_NE(t.game.Board[1][1], 0);
    t.game.Undo();
    EXPECT_EQ(t.Rows(2), Padded({"", "66"}));
    EXPECT_TRUE(t.TopRowsEmpty(9));
    EXPECT_EQ(t.game.Score1, 0);
}

}  // namespace
}  // namespace quabe::test
