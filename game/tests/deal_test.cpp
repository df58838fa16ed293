// Numbered deals: a number names its board, fresh numbers, the replay of a
// deal, the reading of a typed number, and the tally of the person's play.
#include <gtest/gtest.h>

#include <cstring>

#include "fake_platform.h"

namespace quabe::test {
namespace {

const std::set<Option> kEveryEvent = {Option::Mines, Option::RowShifts, Option::Flash};

bool SameBoard(const Game& a, const Game& b) {
    return std::memcmp(a.Board, b.Board, sizeof a.Board) == 0;
}

bool SameDeal(const Game& a, const Game& b) {
    return SameBoard(a, b) && std::memcmp(a.HasMine, b.HasMine, sizeof a.HasMine) == 0 &&
           a.ShiftInterval[0] == b.ShiftInterval[0] && a.ShiftInterval[1] == b.ShiftInterval[1];
}

void DealNumber(Table& t, int32_t number, std::set<Option> options = kEveryEvent) {
    t.ui.options = std::move(options);
    t.game.NextDeal = number;
    t.game.NewGame();
}

TEST(Deal, ANumberGivesTheSameBoardMinesShiftsAndRepliesWhateverCameBefore) {
    Table first, second, other;
    DealNumber(first, 123456789);
    // The other one has drawn numbers before, fresh and for the board.
    second.ui.fresh.Seed(77);
    second.game.NewGame();
    for (int k = 0; k < 1000; ++k) second.ui.Rnd();
    DealNumber(second, 123456789);
    DealNumber(other, 123456788);

    EXPECT_EQ(second.game.DealNumber, 123456789);
    EXPECT_TRUE(SameDeal(first.game, second.game));
    EXPECT_FALSE(SameBoard(first.game, other.game));
    EXPECT_NE(first.game.ShiftInterval[0], 0);

    // The same presses bring the same computer replies, shifts and re-armed intervals.
    for (Table* t : {&first, &second}) {
        t->game.TwoPlayers = true;
        for (int press = 0; press < 40 && t->game.GameActive; ++press) {
            t->Press(kRows - press % kRows, 1 + press % kCols);
            if (press % 10 == 9) t->game.ShiftBoard(0);
        }
    }
    EXPECT_TRUE(SameDeal(first.game, second.game));
    EXPECT_EQ(first.game.Score1, second.game.Score1);
    EXPECT_EQ(first.game.Score2, second.game.Score2);
    EXPECT_GT(first.game.Score2, 0);
}

TEST(Deal, FreshNumbersComeFromTheClockSeededGeneratorAlone) {
    Table quiet, busy;
    for (Table* t : {&quiet, &busy}) {
        t->ui.fresh.Seed(5);
        t->Deal({"11"});
    }
    for (int k = 0; k < 500; ++k) busy.ui.Rnd();  // a board's draws take none of them
    quiet.Press(10, 1);
    busy.Press(10, 1);  // clears the board: a fresh deal
    EXPECT_EQ(busy.game.DealNumber, quiet.game.DealNumber);
    EXPECT_GE(busy.game.DealNumber, kFirstDeal);
    EXPECT_LE(busy.game.DealNumber, kLastDeal);
    EXPECT_TRUE(SameBoard(quiet.game, busy.game));
}

TEST(Replay, RestoresTheScoresTheDealBeganWith) {
    Table t;
    t.Deal({"11"}, {Option::TwoPlayers});
    t.Press(10, 1);  // clears the board; the computer then moves on the fresh one
    const int32_t cleared = t.game.DealNumber;
    ASSERT_EQ(t.game.Score1, 4);
    ASSERT_GT(t.game.Score2, 0);
    t.game.Score1 = 900;
    t.game.Score2 = 700;
    t.ui.options = {};  // one player from now on: the running game keeps two

    t.game.Replay();
    Table dealt;
    DealNumber(dealt, cleared, {});
    EXPECT_EQ(t.game.DealNumber, cleared);
    EXPECT_TRUE(SameBoard(t.game, dealt.game));
    EXPECT_EQ(t.game.Score1, 4);
    EXPECT_EQ(t.game.Score2, 0);
    EXPECT_EQ(t.ui.Digits(0), "000004");
    EXPECT_TRUE(t.game.TwoPlayers);
    t.game.Undo();  // nothing of the abandoned try comes back
    EXPECT_TRUE(SameBoard(t.game, dealt.game));
}

TEST(Replay, OfTheFirstBoardIsANewGame) {
    Table t;
    DealNumber(t, 4242, {});
    Table dealt;
    DealNumber(dealt, 4242, {Option::TwoPlayers});
    t.game.Score1 = 300;
    t.ui.options = {Option::TwoPlayers};
    t.game.GameOver();

    t.game.Replay();
    EXPECT_EQ(t.game.DealNumber, 4242);
    EXPECT_TRUE(SameBoard(t.game, dealt.game));
    EXPECT_TRUE(t.game.GameActive);
    EXPECT_TRUE(t.game.TwoPlayers);
    EXPECT_EQ(t.game.Score1, 0);
    EXPECT_TRUE(t.game.DealOpensGame);

    Table none;
    none.game.Replay();  // nothing dealt yet: nothing to replay
    EXPECT_FALSE(none.game.GameActive);
    EXPECT_EQ(none.ui.deals, 0);
}

TEST(Deal, ReadsOnlyDigitsNamingADeal) {
    EXPECT_EQ(ReadDealNumber("42"), 42);
    EXPECT_EQ(ReadDealNumber("0000000042"), 42);
    EXPECT_EQ(ReadDealNumber("1"), kFirstDeal);
    EXPECT_EQ(ReadDealNumber("999999999"), kLastDeal);
    for (const char* refused : {"", "0", "000", "1000000000", "99999999999999999999999", "-5", "+5",
                                "4 2", " 42", "42x", "4.2", "0x2A"}) {
        EXPECT_EQ(ReadDealNumber(refused), std::nullopt) << '"' << refused << '"';
    }
}

TEST(Tally, CountsThePersonsGroupsAndMinesAndEveryClearedBoard) {
    Table t;
    t.Deal({"111", "2222"}, {Option::TwoPlayers});
    t.Press(9, 1);  // three, then the computer takes four and clears the board
    EXPECT_EQ(t.game.Tally.BiggestGroup, 3);
    EXPECT_EQ(t.game.Tally.BoardsCleared, 1);

    t.SetBoard({"123", "456"});
    t.game.HasMine[10][1] = true;
    t.game.HasMine[10][3] = true;
    t.game.MakeMove(10, 3, true);  // the computer's mine is not the person's
    t.game.MakeMove(10, 1, false);
    EXPECT_EQ(t.game.Tally.MinesSetOff, 1);
    EXPECT_EQ(t.game.Tally.BiggestGroup, 3);
}

}  // namespace
}  // namespace quabe::test
