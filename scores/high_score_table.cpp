#include "high_score_table.h"

#include <algorithm>

namespace quabe {

void ClearHighScores(HighScoreTable& table) {
    for (int row = 1; row <= kTableRows; ++row) {
        table.HighScoreNames[row].clear();
        table.HighScores[row] = 0;
    }
}

int InsertHighScore(HighScoreTable& table, int32_t score) {
    for (int row = 1; row <= kTableRows; ++row) {
        if (score < table.HighScores[row]) continue;
        for (int from = kTableRows; from > row; --from) {
            table.HighScoreNames[from] = table.HighScoreNames[from - 1];
            table.HighScores[from] = table.HighScores[from - 1];
        }
        table.HighScoreNames[row].clear();
        table.HighScores[row] = score;
        return row;
    }
    return 0;
}

namespace {

// A name comes from the store as UTF-8; each character, not each byte, takes a cell.
void DrawName(const std::string& name, int y, TableCanvas& canvas) {
    int column = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        auto byte = static_cast<unsigned char>(name[i]);
        if ((byte & 0xC0) == 0x80) continue;  // rest of a multi-byte character
        if (++column > kNameLength) return;
        int x = NameCellX(column);
        if (byte >= 'A' && byte <= 'Z') {
            canvas.PaintLetter(byte - 'A' + 1, x, y);
        } else if (byte >= '0' && byte <= '9') {
            canvas.PaintDigit(byte - '0', x, y);
        }
    }
}

void DrawScore(int32_t score, int y, TableCanvas& canvas) {
    // Six digit cells and no minus sign: show what fits rather than a cut-off number.
    const int32_t shown = std::clamp<int32_t>(score, 0, 999999);
    for (int digit = 1, place = 100000; digit <= kScoreDigits; ++digit, place /= 10) {
        canvas.PaintDigit(shown / place % 10, ScoreDigitX(digit), y);
    }
}

}  // namespace

void DrawHighScores(const HighScoreTable& table, TableCanvas& canvas) {
    for (int row = 1; row <= kTableRows; ++row) {
        DrawName(table.HighScoreNames[row], RowY(row), canvas);
        DrawScore(table.HighScores[row], RowY(row), canvas);
    }
}

void NameEntry::Start(HighScoreTable& table, int row, TableCanvas& canvas) {
    entering_ = false;
    if (row < 1 || row > kTableRows) return;
    table_ = &table;
    canvas_ = &canvas;
    row_ = row;
    column_ = 1;
    entering_ = true;
    // The typed name always holds column - 1 characters, so it starts empty.
    table.HighScoreNames[row].clear();
    for (int column = 1; column <= kNameLength; ++column) {
        canvas.PaintBlack(NameCellX(column), RowY(row));
    }
    DrawCursor();
}

void NameEntry::KeyPress(int code) {
    if (!entering_) return;
    if (code >= 'a' && code <= 'z') code -= 32;
    if (code >= 'A' && code <= 'Z') {
        Type(code - 64, true, static_cast<char>(code));
    } else if (code >= '0' && code <= '9') {
        Type(code - 48, false, static_cast<char>(code));
    } else if (code == 13) {
        EraseCursor();
        End();
    } else if (code == 8) {
        std::string& name = table_->HighScoreNames[row_];
        EraseCursor();
        if (column_ == 1) {
            name.clear();
        } else {
            name.resize(column_ - 2);
            --column_;
        }
        DrawCursor();
    }
}

void NameEntry::Stop() {
    entering_ = false;
}

void NameEntry::Type(int picture, bool isLetter, char character) {
    int x = NameCellX(column_), y = RowY(row_);
    if (isLetter) {
        canvas_->PaintLetter(picture, x, y);
    } else {
        canvas_->PaintDigit(picture, x, y);
    }
    table_->HighScoreNames[row_] += character;
    if (++column_ > kNameLength) {
        End();  // the eighth character fills the row: no cursor after it
    } else {
        DrawCursor();
    }
}

void NameEntry::DrawCursor() {
    canvas_->PaintLetter(0, NameCellX(column_), RowY(row_));
}

void NameEntry::EraseCursor() {
    canvas_->PaintBlack(NameCellX(column_), RowY(row_));
}

void NameEntry::End() {
    entering_ = false;
    row_ = 0;
}

}  // namespace quabe
