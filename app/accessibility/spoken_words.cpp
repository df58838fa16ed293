#include "spoken_words.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace quabe {

namespace {

// The size of the group of same-kind pieces that holds (row, col), as a move finds it.
int GroupSizeAt(const Grid<int16_t>& board, int row, int col) {
    if (board[row][col] == 0) return 0;
    int16_t rows[kCells + 1]{};
    int16_t cols[kCells + 1]{};
    Grid<bool> marks{};
    rows[1] = static_cast<int16_t>(row);
    cols[1] = static_cast<int16_t>(col);
    marks[row][col] = true;
    return FloodFill(board, rows, cols, marks) - 1;
}

int PieceCount(const Grid<int16_t>& board) {
    int count = 0;
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kCols; ++col) count += board[row][col] != 0;
    return count;
}

// The pieces in the mine's block, cut off at the board's edges, as the explosion takes them.
int PiecesInBlock(const Grid<int16_t>& board, int row, int col) {
    int count = 0;
    for (int r = std::max(row - 1, 1); r <= std::min(row + 1, kRows); ++r)
        for (int c = std::max(col - 1, 1); c <= std::min(col + 1, kCols); ++c)
            count += board[r][c] != 0;
    return count;
}

// The group size that earns `points`, or 0 when no size does.
int SizeForPoints(int32_t points) {
    const int size = static_cast<int>(std::lround((1 + std::sqrt(4.0 * points - 7)) / 2));
    return size >= 2 && Points(size) == points ? size : 0;
}

QString Pieces(int count) {
    return count == 1 ? QStringLiteral("1 piece") : QStringLiteral("%1 pieces").arg(count);
}

QString FreshBoard(const Game& game) {
    return QStringLiteral("The board is clear: a fresh board is dealt, deal %1.")
        .arg(game.DealNumber);
}

// Both scores in a two-player game, the player's alone in another.
QString Scores(const Game& game) {
    if (!game.TwoPlayers) return QStringLiteral("score %1").arg(game.Score1);
    return QStringLiteral("score %1, the computer %2").arg(game.Score1).arg(game.Score2);
}

}  // namespace

QString PieceName(const PieceNames& names, int kind) {
    const bool named = kind >= 1 && kind < static_cast<int>(names.size()) && !names[kind].isEmpty();
    return named ? names[kind] : QStringLiteral("piece %1").arg(kind);
}

QString DescribeCell(const Game& game, const PieceNames& names, int row, int col) {
    const QString where = QStringLiteral("row %1, column %2").arg(row).arg(col);
    const int kind = game.Board[row][col];
    if (kind == 0) return where + QStringLiteral(", empty");
    const QString piece = where + ", " + PieceName(names, kind);
    const int size = GroupSizeAt(game.Board, row, col);
    if (size < 2) return piece + QStringLiteral(", no group");
    return piece + QStringLiteral(", group of %1, %2 points").arg(size).arg(Points(size));
}

BeforePress::BeforePress(const Game& game, int row, int col)
    : score1(game.Score1), score2(game.Score2), active(game.GameActive), row(row), col(col) {
    std::memcpy(board, game.Board, sizeof board);
    std::memcpy(mines, game.HasMine, sizeof mines);
}

QString MoveWords(const BeforePress& before, const Game& after, const PieceNames& names) {
    const int kind = before.board[before.row][before.col];
    if (!before.active || kind == 0) return {};
    QStringList words;
    int piecesLeft = PieceCount(before.board);
    if (before.mines[before.row][before.col]) {
        const int taken = PiecesInBlock(before.board, before.row, before.col);
        words << QStringLiteral("A mine went off and took %1.").arg(Pieces(taken));
        piecesLeft -= taken;
    } else if (after.Score1 != before.score1) {
        const int size = GroupSizeAt(before.board, before.row, before.col);
        words << QStringLiteral("Removed the %1 group of %2: %3 points, score %4.")
                     .arg(PieceName(names, kind))
                     .arg(size)
                     .arg(after.Score1 - before.score1)
                     .arg(after.Score1);
        piecesLeft -= size;
    } else {
        return QStringLiteral("A single piece is no group: nothing removed.");
    }
    if (piecesLeft == 0) {
        words << FreshBoard(after);
        piecesLeft = kCells;
    }
    if (after.Score2 != before.score2) {
        const int32_t points = after.Score2 - before.score2;
        const int size = SizeForPoints(points);
        words << QStringLiteral("The computer removed a group of %1: %2 points, its score %3.")
                     .arg(size)
                     .arg(points)
                     .arg(after.Score2);
        if (size == piecesLeft) words << FreshBoard(after);
    }
    // The game-over picture takes the focus a moment later, and says the scores.
    if (!after.GameActive) words << QStringLiteral("Game over.");
    return words.join(u' ');
}

QString GameOverWords(const Game& game) {
    if (!game.TwoPlayers) return QStringLiteral("Game over: your score %1.").arg(game.Score1);
    const QString scores =
        QStringLiteral("Game over: you %1, the computer %2. ").arg(game.Score1).arg(game.Score2);
    switch (Winner(game.Score1, game.Score2)) {
        case Outcome::PlayerWins:
            return scores + QStringLiteral("You win.");
        case Outcome::ComputerWins:
            return scores + QStringLiteral("The computer wins.");
        case Outcome::Draw:
            break;
    }
    return scores + QStringLiteral("A draw.");
}

QString EventsOnWords(const Settings& s) {
    QStringList on;
    if (s.RowShifts) on << QStringLiteral("Row Shifts");
    if (s.ColumnShifts) on << QStringLiteral("Column Shifts");
    if (s.Mines) on << QStringLiteral("Mines");
    if (s.Flash) on << QStringLiteral("Flash Pieces");
    return on.isEmpty() ? QStringLiteral("No events on")
                        : QStringLiteral("Events on: ") + on.join(QStringLiteral(", "));
}

QString NewGameWords(const Game& game, const Settings& s) {
    QString words = game.TwoPlayers ? QStringLiteral("New game, two players, deal %1.")
                                    : QStringLiteral("New game, deal %1.");
    words = words.arg(game.DealNumber);
    // A game without events, as most are, is told no more.
    if (s.RowShifts || s.ColumnShifts || s.Mines || s.Flash) words += ' ' + EventsOnWords(s) + '.';
    return words;
}

QString ReplayWords(const Game& game) {
    return QStringLiteral("Deal %1 again from its start: %2.")
        .arg(game.DealNumber)
        .arg(Scores(game));
}

QString UndoWords(const Game& game) {
    return (game.TwoPlayers ? QStringLiteral("Moves taken back: %1.")
                            : QStringLiteral("Move taken back: %1."))
        .arg(Scores(game));
}

QString RefusedDealWords() {
    return QStringLiteral("No such deal: deals are numbered from %1 to %2.")
        .arg(kFirstDeal)
        .arg(QLocale(QLocale::English).toString(kLastDeal));
}

QString TableClearedWords() {
    return QStringLiteral("The ten best scores are cleared.");
}

QString ShiftWords(int kind) {
    return kind == 0 ? QStringLiteral("The rows shifted.") : QStringLiteral("The columns shifted.");
}

QString EdgeWords(int rows, int cols) {
    if (rows < 0) return QStringLiteral("Top edge.");
    if (rows > 0) return QStringLiteral("Bottom edge.");
    return cols < 0 ? QStringLiteral("Left edge.") : QStringLiteral("Right edge.");
}

}  // namespace quabe
