// The flow of a game: New, a fresh board, the check after every move, Undo and
// the end of the game.
#include "game.h"

namespace quabe {

void Game::NewGame() {
    TwoPlayers = ui.OptionOn(Option::TwoPlayers);
    Score1 = 0;
    Score2 = 0;
    // The undo copies belong to the abandoned game: Undo in the new one must
    // never bring back its scores or its board.
    UndoScore1 = 0;
    UndoScore2 = 0;
    UndoReady = false;
    StartBoard();
    DealOpensGame = true;
}

void Game::StartBoard() {
    ui.StopCelebration();
    ChooseDeal();
    ui.SetBoardBackground(BoardColor);
    ui.ShowMainScreen();
    BoardColor = ui.LoadPieceSet();
    // Right before the first draw, so that nothing else can come between.
    ui.SeedRnd(static_cast<uint64_t>(DealNumber));
    DrawBoard(true);
}

void Game::CheckMovesLeft(bool& boardEmpty, bool& movesLeft) const {
    boardEmpty = true;
    movesLeft = false;
    for (int col = 1; col <= kCols && !movesLeft; ++col) {
        for (int row = 1; row <= kRows && !movesLeft; ++row) {
            const int kind = Board[row][col];
            if (kind == 0) continue;
            boardEmpty = false;
            movesLeft = (row > 1 && Board[row - 1][col] == kind) ||
                        (row < kRows && Board[row + 1][col] == kind) ||
                        (col > 1 && Board[row][col - 1] == kind) ||
                        (col < kCols && Board[row][col + 1] == kind);
        }
    }
}

// Play on, deal a fresh board with the scores kept, or end the game.
void Game::EndOfMove() {
    bool boardEmpty = false;
    bool movesLeft = false;
    CheckMovesLeft(boardEmpty, movesLeft);
    if (movesLeft) return;
    if (boardEmpty) {
        ++Tally.BoardsCleared;
        StartBoard();
    } else {
        GameOver();
    }
}

// The window runs the celebration on its timer and returns at once; from here on
// presses, Undo and shifts are ignored until New.
void Game::GameOver() {
    ui.ShowGameOver();
    GameActive = false;
}

void Game::Undo() {
    if (!GameActive || !UndoReady) return;
    for (int col = 1; col <= kCols; ++col) {
        for (int row = 1; row <= kRows; ++row) {
            Board[row][col] = UndoBoard[row][col];
            PaintKind(row, col);
        }
    }
    ui.RefreshBoard();
    Score1 = UndoScore1;
    Score2 = UndoScore2;
    ShowScore();
}

}  // namespace quabe
