// A move: the press on the board, the group search, the blink, the removal with
// the fall of the pieces above, and the closing of empty columns.
#include <algorithm>
#include <cstring>

#include "game.h"

namespace quabe {

namespace {

constexpr int kLeftButton = 1;
constexpr int kBlinks = 5;
constexpr int kBlinkHalfMs = 120;
constexpr int kComputerPauseMs = 300;

bool RowMarked(const Grid<bool>& marked, int row) {
    for (int col = 1; col <= kCols; ++col) {
        if (marked[row][col]) return true;
    }
    return false;
}

}  // namespace

int FloodFill(const Grid<int16_t>& board, int16_t* rows, int16_t* cols, Grid<bool>& marks) {
    int next = 2;
    auto join = [&](int row, int col, int kind) {
        if (board[row][col] != kind || marks[row][col]) return;
        rows[next] = static_cast<int16_t>(row);
        cols[next] = static_cast<int16_t>(col);
        marks[row][col] = true;
        ++next;
    };
    for (int i = 1; i < next && i < kCells; ++i) {
        const int row = rows[i];
        const int col = cols[i];
        const int kind = board[row][col];
        if (row > 1) join(row - 1, col, kind);
        if (row < kRows) join(row + 1, col, kind);
        if (col > 1) join(row, col - 1, kind);
        if (col < kCols) join(row, col + 1, kind);
    }
    return next;
}

void Game::BoardMouseDown(int button, double x, double y) {
    if (!GameActive || MoveBusy) return;
    int row = 0;
    int col = 0;
    if (!CellFromPoint(x, y, row, col)) return;

    if (button == kLeftButton) {
        const bool moved = MakeMove(row, col, false);
        // A move that ended the game gets no reply: the board is finished.
        if (moved && TwoPlayers && GameActive) {
            if (ui.OptionOn(Option::Flash)) WaitMs(kComputerPauseMs);
            ComputerMove();
        }
        return;
    }

    // Any other button previews the group under the pointer without moving.
    ClearGroup();
    GroupRow[1] = static_cast<int16_t>(row);
    GroupCol[1] = static_cast<int16_t>(col);
    InGroup[row][col] = true;
    FlashGroup(FindGroup());
}

bool Game::MakeMove(int row, int col, bool byComputer) {
    if (!byComputer && EventBusy) return false;
    if (Board[row][col] == 0) return false;

    ClearGroup();
    ui.SetHourglass(true);
    MoveBusy = true;
    GroupRow[1] = static_cast<int16_t>(row);
    GroupCol[1] = static_cast<int16_t>(col);
    InGroup[row][col] = true;

    if (HasMine[row][col]) {
        if (!byComputer) ++Tally.MinesSetOff;
        MoveBusy = false;
        ExplodeMine(row, col);
        ui.SetHourglass(false);
        return true;
    }

    const int nextFree = FindGroup();
    Grid<bool> marked{};
    for (int k = 1; k < nextFree; ++k) marked[GroupRow[k]][GroupCol[k]] = true;
    const int size = nextFree - 1;

    // The computer's choice always blinks, so the player sees what it took.
    if (ui.OptionOn(Option::Flash) || byComputer) FlashGroup(nextFree);
    if (size == 1) {
        MoveBusy = false;
        ui.SetHourglass(false);
        return false;
    }

    if (!byComputer) {
        std::memcpy(UndoBoard, Board, sizeof Board);
        UndoReady = true;
        Tally.BiggestGroup = std::max(Tally.BiggestGroup, size);
    }
    CollapseMarked(marked, true);
    CloseEmptyColumns();
    CreditMove(byComputer, size);
    if (ShiftClock == 0) ShiftClock = std::max<int64_t>(ui.TickCount(), 1);  // 0 means unstarted
    ui.RefreshBoard();
    ui.SetHourglass(false);
    MoveBusy = false;
    EndOfMove();
    return true;
}

void Game::ClearGroup() {
    std::memset(GroupRow, 0, sizeof GroupRow);
    std::memset(GroupCol, 0, sizeof GroupCol);
    std::memset(InGroup, 0, sizeof InGroup);
}

int Game::FindGroup() {
    return FloodFill(Board, GroupRow, GroupCol, InGroup);
}

void Game::FlashGroup(int nextFree) {
    for (int blink = 0; blink < kBlinks; ++blink) {
        for (int k = 1; k < nextFree; ++k) PaintCell(Picture::Piece0, GroupRow[k], GroupCol[k]);
        ui.RefreshBoard();
        WaitMs(kBlinkHalfMs);
        for (int k = 1; k < nextFree; ++k) PaintKind(GroupRow[k], GroupCol[k]);
        ui.RefreshBoard();
        WaitMs(kBlinkHalfMs);
    }
}

// Takes out every marked cell one at a time, from the bottom row up, letting
// everything above it in its column drop by one. A marked piece that drops into
// the row being handled is taken out by another pass over the same row.
void Game::CollapseMarked(Grid<bool>& marked, bool bleep) {
    int row = kRows;
    while (row >= 1) {
        for (int col = 1; col <= kCols; ++col) {
            if (!marked[row][col]) continue;
            for (int g = row; g >= 2; --g) {
                PaintCell(PieceOf(Board[g - 1][col]), g, col);
                Board[g][col] = Board[g - 1][col];
                marked[g][col] = marked[g - 1][col];
            }
            PaintCell(Picture::Piece0, 1, col);
            Board[1][col] = 0;
            if (bleep) ui.PlayCue("Bleep.wav", kCueStart);
            marked[1][col] = false;
        }
        if (!RowMarked(marked, row)) --row;
    }
}

// Moves every column that still holds a piece to the left, keeping their order;
// the empty columns collect at the right.
void Game::CloseEmptyColumns() {
    int16_t empty[kCols + 1] = {};
    for (int col = 1; col <= kCols; ++col) {
        for (int row = 1; row <= kRows; ++row) empty[col] += Board[row][col] == 0;
    }
    int last = kCols;
    while (last >= 1 && empty[last] == kRows) --last;

    for (int col = last; col >= 1; --col) {
        if (empty[col] != kRows) continue;
        for (int h = col; h < kCols; ++h) {
            empty[h] = empty[h + 1];
            for (int row = 1; row <= kRows; ++row) {
                Board[row][h] = Board[row][h + 1];
                PaintKind(row, h);
            }
        }
        for (int row = 1; row <= kRows; ++row) {
            Board[row][kCols] = 0;
            PaintCell(Picture::Piece0, row, kCols);
        }
    }
}

void Game::WaitMs(int milliseconds) {
    const int64_t end = ui.TickCount() + milliseconds;
    for (int64_t now = ui.TickCount(); now < end; now = ui.TickCount()) {
        ui.Sleep(static_cast<int>(end - now));
    }
}

void Game::WaitSeconds(int seconds) {
    WaitMs(seconds * 1000);
}

}  // namespace quabe
