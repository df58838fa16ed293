#pragma once
// The rules of play: the board, moves, the computer's turn, mines, shifts,
// scoring and the flow of a game. All state is plain data; everything outside
// the rules goes through Platform.
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform.h"

namespace quabe {

constexpr int kRows = 10;
constexpr int kCols = 15;
constexpr int kCellPitch = 540;  // board units between cell corners
constexpr int kPieceSize = 480;  // board units of a piece's clickable square
constexpr int kCells = kRows * kCols;
constexpr int kScoreCells = 12;  // six digits for each player, units digit first

// Boards are dealt from numbers in this range; a number names its board.
constexpr int32_t kFirstDeal = 1;
constexpr int32_t kLastDeal = 999'999'999;

// The deal a text names: decimal digits only, from kFirstDeal to kLastDeal.
std::optional<int32_t> ReadDealNumber(std::string_view text);

// What the person's play has done, for their statistics: the window takes it
// when it counts and leaves it empty.
struct PlayTally {
    int32_t BoardsCleared = 0;  // by either player
    int32_t BiggestGroup = 0;   // the largest group the person removed
    int32_t MinesSetOff = 0;    // by the person
};

// A grid indexed [row][column] from 1; index 0 is never used.
template <typename T>
using Grid = T[kRows + 1][kCols + 1];

struct Game {
    explicit Game(Platform& platform) : ui(platform) {}

    // Handlers the window calls.
    void NewGame();                                       // pctNew_Click
    void BoardMouseDown(int button, double x, double y);  // pctBoard_MouseDown, board units
    void Undo();                                          // pctUndo_Click
    void TimerTick();                                     // Timer1_Timer
    // The current deal again from its start, with the scores it began with; as a
    // new game when it opened the game.
    void Replay();

    // Deals a new board (newGame) or repaints the current one in the set's pictures.
    void DrawBoard(bool newGame);
    void StartBoard();
    void ChooseDeal();

    // Rules, public so that tests can reach each one.
    bool CellFromPoint(double x, double y, int& row, int& col) const;
    bool MakeMove(int row, int col, bool byComputer);  // returns Moved
    void ComputerMove();
    int GroupSize(int row, int col);
    void ExplodeMine(int row, int col);
    void ShiftBoard(int kind);
    void CheckMovesLeft(bool& boardEmpty, bool& movesLeft) const;
    void ShowScore();
    void WaitMs(int milliseconds);

    // Steps shared between the handlers above.
    void ArmShift(int kind);
    void ClearGroup();
    int FindGroup();  // returns the next free queue entry
    void FlashGroup(int nextFree);
    void CollapseMarked(Grid<bool>& marked, bool bleep);
    void CloseEmptyColumns();
    void CreditMove(bool byComputer, int groupSize);
    void EndOfMove();
    void GameOver();
    void WaitSeconds(int seconds);
    void PaintCell(Picture picture, int row, int col);
    void PaintKind(int row, int col) { PaintCell(PieceOf(Board[row][col]), row, col); }

    Platform& ui;

    Grid<int16_t> Board{};
    Grid<bool> HasMine{};
    Grid<int16_t> CellX{};
    Grid<int16_t> CellY{};
    Grid<int16_t> UndoBoard{};

    bool GameActive = false;
    bool MoveBusy = false;
    bool EventBusy = false;
    int64_t ShiftClock = 0;  // 0: shifts not started on this board
    int32_t ShiftInterval[2] = {0, 0};
    uint32_t BoardColor = 0;

    int32_t Score1 = 0;
    int32_t Score2 = 0;
    int32_t UndoScore1 = 0;
    int32_t UndoScore2 = 0;
    bool TwoPlayers = false;
    // Undo has something of this game to restore: the player has removed a group
    // since New. Keeps Undo from bringing back a finished game's board.
    bool UndoReady = false;

    // The deal of the board in play (0 before the first), the number the next board
    // is dealt from (0: a fresh one from FreshBits), and what a replay restores.
    int32_t DealNumber = 0;
    int32_t NextDeal = 0;
    int32_t DealScore1 = 0;
    int32_t DealScore2 = 0;
    bool DealOpensGame = false;

    PlayTally Tally;

    // The group queue of the last search: entries 1 .. next free - 1.
    int16_t GroupRow[kRows * kCols + 1]{};
    int16_t GroupCol[kRows * kCols + 1]{};
    Grid<bool> InGroup{};

    // GroupSize's own queue and marks, so that measuring never disturbs the group queue.
    int16_t MeasureRow[kCells + 1]{};
    int16_t MeasureCol[kCells + 1]{};
    Grid<bool> Measured{};
};

// Points for removing a group of n pieces: n(n - 1) + 2.
int32_t Points(int n);

// Who won a two-player game: the higher score.
enum class Outcome { PlayerWins, ComputerWins, Draw };
Outcome Winner(int32_t score1, int32_t score2);

// Breadth-first search from the cell in queue entry 1 (already marked) over
// four-neighbours of the same kind: up, down, left, right. Returns the next free
// entry, so the group holds entries 1 .. result - 1.
int FloodFill(const Grid<int16_t>& board, int16_t* rows, int16_t* cols, Grid<bool>& marks);

}  // namespace quabe
