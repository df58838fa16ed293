#pragma once
// The sentences a player who follows the game by ear hears: a cell of the board,
// what a press on the board did, a shift, the end of a game. Each is made from the
// game's plain state alone, so the rules never learn that anyone is listening.
#include <QString>

#include "game.h"
#include "piece_sets.h"
#include "settings_store.h"

namespace quabe {

// The set's name for a kind, or "piece N" where the set names none.
QString PieceName(const PieceNames& names, int kind);

// "row 3, column 5, green ball, group of 4, 14 points"; "..., no group"; "..., empty".
QString DescribeCell(const Game& game, const PieceNames& names, int row, int col);

// The board and the scores as they stood before a press on the cell (row, col).
struct BeforePress {
    BeforePress(const Game& game, int row, int col);

    Grid<int16_t> board{};
    Grid<bool> mines{};
    int32_t score1 = 0;
    int32_t score2 = 0;
    bool active = false;
    int row = 0;
    int col = 0;
};

// What the press did, in the order it happened: the player's group or the mine, a
// cleared board and the deal that followed, the computer's reply, that the game is
// over. Empty when nothing happened.
QString MoveWords(const BeforePress& before, const Game& after, const PieceNames& names);

// The end of a game: the final score; with two players both scores and who won.
QString GameOverWords(const Game& game);

// The events that are on: "Events on: Row Shifts, Mines"; "No events on".
QString EventsOnWords(const Settings& s);

// A new game dealt, with its deal number and the events that are on; the deal
// dealt again from its start; a move taken back.
QString NewGameWords(const Game& game, const Settings& s);
QString ReplayWords(const Game& game);
QString UndoWords(const Game& game);

// A deal number that was offered and refused.
QString RefusedDealWords();

// The high-score table emptied by Reset.
QString TableClearedWords();

// A shift of the rows (kind 0) or of the columns (kind 1).
QString ShiftWords(int kind);

// An arrow key that met the board's edge: rows or cols is the step it asked for.
QString EdgeWords(int rows, int cols);

}  // namespace quabe
