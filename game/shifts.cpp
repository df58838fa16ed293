// Row and column shifts, driven by the window's one-second timer once the
// board's first group has been removed.
#include "game.h"
#include "numeric.h"

namespace quabe {

namespace {

constexpr int kRowShift = 0;
constexpr int kColumnShift = 1;

// 10000 .. 20001 ms after the reference time.
int32_t ShiftDelay(Platform& ui) {
    return CLng(ui.Rnd() * 10001 + 10000);
}

}  // namespace

// Always draws, so the sequence of draws does not depend on the options.
void Game::ArmShift(int kind) {
    const int32_t delay = ShiftDelay(ui);
    if (kind == kRowShift && ui.OptionOn(Option::RowShifts)) {
        ShiftInterval[kRowShift] = delay;
    } else if (kind == kColumnShift && ui.OptionOn(Option::ColumnShifts)) {
        ShiftInterval[kColumnShift] = delay;
    }
}

void Game::TimerTick() {
    // During a move the shift waits for the next tick; moves never yield, so
    // this only guards against a timer firing from inside one.
    if (ShiftClock == 0 || !GameActive || MoveBusy) return;
    const int64_t now = ui.TickCount();
    for (int kind = kRowShift; kind <= kColumnShift; ++kind) {
        if (ShiftInterval[kind] != 0 && now - ShiftClock >= ShiftInterval[kind]) {
            ShiftBoard(kind);
            ShiftClock = now;
        }
    }
}

void Game::ShiftBoard(int kind) {
    if (kind != kRowShift && kind != kColumnShift) return;
    ui.SetTimerEnabled(false);
    EventBusy = true;

    if (kind == kRowShift) {
        // Each pile of two or more turns down by one: its bottom piece goes on top.
        ui.PlayCue("Bazooka.wav", kCueWait);
        for (int col = 1; col <= kCols; ++col) {
            int top = 1;
            while (top < kRows && Board[top][col] == 0) ++top;
            if (top == kRows) continue;
            const int16_t bottom = Board[kRows][col];
            for (int v = kRows; v > top; --v) {
                PaintCell(PieceOf(Board[v - 1][col]), v, col);
                Board[v][col] = Board[v - 1][col];
            }
            PaintCell(PieceOf(bottom), top, col);
            Board[top][col] = bottom;
            ui.RefreshBoard();
        }
        ui.PlayCue("Bazooka.wav", kCueWait);
    } else {
        // The occupied columns turn right by one: the last goes to column 1.
        int last = 0;
        while (last < kCols && Board[kRows][last + 1] != 0) ++last;
        if (last >= 2) {
            ui.PlayCue("Bazooka.wav", kCueWait);
            for (int row = 1; row <= kRows; ++row) {
                const int16_t end = Board[row][last];
                for (int e = last; e >= 2; --e) {
                    PaintCell(PieceOf(Board[row][e - 1]), row, e);
                    Board[row][e] = Board[row][e - 1];
                }
                PaintCell(PieceOf(end), row, 1);
                Board[row][1] = end;
            }
            ui.PlayCue("Bazooka.wav", kCueWait);
        }
    }

    ShiftInterval[kind] = ShiftDelay(ui);
    EventBusy = false;
    ui.SetTimerEnabled(true);
}

}  // namespace quabe
