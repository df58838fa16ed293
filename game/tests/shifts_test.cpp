// Row and column shifts and the timer that fires them.
#include <gtest/gtest.h>

#include "fake_platform.h"

namespace quabe::test {
namespace {

TEST(RowShift, TurnsEachPileDownByOne) {
    Table t;
    t.Deal({"1", "2", "3", "4", "5..6"});
    bool busy = false;
    t.ui.onCue = [&] { busy = t.game.EventBusy && !t.ui.timerEnabled; };
    t.game.ShiftBoard(0);
    // A pile in rows 6..10: the bottom piece goes to row 6; single pieces stay.
    EXPECT_EQ(t.Rows(5), Padded({"5", "1", "2", "3", "4..6"}));
    EXPECT_TRUE(busy);
    EXPECT_FALSE(t.game.EventBusy);
    EXPECT_TRUE(t.ui.timerEnabled);
    EXPECT_EQ(t.Calls("cue"), (std::vector<std::string>{"cue Bazooka.wav 0", "cue Bazooka.wav 0"}));
    EXPECT_EQ(t.ui.refreshes, 1);  // once per column that moved
    EXPECT_EQ(t.Count("P"), 5);
    EXPECT_EQ(t.ui.log.front(), "timer off");
    EXPECT_EQ(t.ui.log.back(), "timer on");

    t.SetBoard({"1.2"});
    t.game.ShiftBoard(0);
    EXPECT_EQ(t.Count("cue"), 2);  // sounds even when nothing can move
    EXPECT_EQ(t.Count("P"), 0);
}

TEST(ColumnShift, TurnsTheOccupiedColumnsRightByOne) {
    Table t;
    t.Deal({"1", "12345612345612", "23456123456123"});
    t.game.ShiftBoard(1);
    EXPECT_EQ(t.Rows(3), Padded({".1", "21234561234561", "32345612345612"}));
    EXPECT_EQ(t.Count("cue"), 2);
    EXPECT_EQ(t.ui.refreshes, 0);  // shown at the next refresh
    EXPECT_EQ(t.Count("P"), 14 * kRows);

    for (const char* board : {"", "4"}) {
        t.SetBoard({board});
        t.ui.script = {0.5};
        t.game.ShiftBoard(1);
        EXPECT_EQ(t.ui.log, (std::vector<std::string>{"timer off", "timer on"})) << board;
        EXPECT_EQ(t.game.ShiftInterval[1], 15000);  // re-armed all the same
    }
}

struct TimerTable : Table {
    TimerTable(std::set<Option> options) {
        Deal({"114", "223", "545"}, options);
        ui.cueWaitMs = 700;
    }
    // Advances the clock to ms after the shift clock and lets the timer tick.
    void TickAt(int64_t ms) {
        ui.clock = game.ShiftClock + ms;
        game.TimerTick();
    }
};

TEST(ShiftTimer, WaitsForTheFirstRemovalAndTheInterval) {
    TimerTable t({Option::RowShifts});
    const int32_t interval = t.game.ShiftInterval[0];
    ASSERT_GE(interval, 10000);
    ASSERT_LE(interval, 20001);
    EXPECT_EQ(t.game.ShiftInterval[1], 0);
    t.ui.clock += 1000000;
    t.game.TimerTick();
    EXPECT_EQ(t.Count("cue"), 0) << "no shift before the board's first removal";

    t.game.MakeMove(8, 1, false);
    const int64_t started = t.game.ShiftClock;
    t.TickAt(interval - 1);
    EXPECT_EQ(t.Count("cue Bazooka"), 0);
    t.game.MoveBusy = true;  // a move in progress: try again at the next tick
    t.TickAt(interval);
    EXPECT_EQ(t.Count("cue Bazooka"), 0);
    t.game.MoveBusy = false;
    t.TickAt(interval);
    EXPECT_EQ(t.Count("cue Bazooka"), 2);
    EXPECT_EQ(t.game.ShiftClock, started + interval) << "measured from before the shift";
}

TEST(ShiftTimer, RowShiftWinsATieAndRestartsBothWaits) {
    TimerTable t({Option::RowShifts, Option::ColumnShifts});
    t.game.MakeMove(8, 1, false);
    t.game.ShiftInterval[0] = 12000;
    t.game.ShiftInterval[1] = 11000;
    t.TickAt(12000);
    EXPECT_EQ(t.Count("cue Bazooka"), 2);
    EXPECT_EQ(t.Count("refresh"), 1 + 3);  // the move, then three piles turned; no column shift
    t.ui.log.clear();
    t.game.ShiftInterval[0] = 20000;
    t.TickAt(10999);
    EXPECT_EQ(t.Count("cue"), 0);
    t.TickAt(11000);
    EXPECT_EQ(t.Count("cue"), 2);
    EXPECT_EQ(t.Count("refresh"), 0);  // the column shift
}

TEST(ShiftTimer, NeverFiresWhenOffOrAfterTheGame) {
    TimerTable off({});
    off.game.MakeMove(8, 1, false);
    off.TickAt(30000);
    EXPECT_EQ(off.Count("cue Bazooka"), 0);

    TimerTable over({Option::RowShifts});
    over.SetBoard({"11", "23"});
    over.game.MakeMove(9, 1, false);  // leaves no pair
    ASSERT_FALSE(over.game.GameActive);
    over.TickAt(30000);
    EXPECT_EQ(over.Count("cue Bazooka"), 0);
}

}  // namespace
}  // namespace quabe::test
