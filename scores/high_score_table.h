#pragma once
// The ten best scores with their names, how they are drawn from letter and digit
// pictures, and the typing of a new name straight onto the table.
#include <cstdint>
#include <string>

namespace quabe {

constexpr int kTableRows = 10;
constexpr int kNameLength = 8;  // name cells per row
constexpr int kScoreDigits = 6;

struct HighScoreTable {                          // rows 1..10; row 0 never used
    std::string HighScoreNames[kTableRows + 1];  // UTF-8, as stored
    int32_t HighScores[kTableRows + 1] = {};
};

void ClearHighScores(HighScoreTable& table);

// Offers a score to the table and returns the row it took (NewEntryRow), or 0 when
// it earned none. Ties go to the newcomer; the old row 10 drops out.
int InsertHighScore(HighScoreTable& table, int32_t score);

// Where the table's pictures go, in table units (15 to a pixel).
constexpr int RowY(int row) {
    return 100 + (row - 1) * 510;
}
constexpr int NameCellX(int column) {
    return 1000 + (column - 1) * 330;
}
constexpr int ScoreDigitX(int digit) {
    return 4440 + (digit - 1) * 330;
}

// What the table is painted with; positions in table units.
class TableCanvas {
  public:
    virtual ~TableCanvas() = default;
    virtual void PaintLetter(int index, int x,
                             int y) = 0;  // pctAlphabet(index): 0 cursor, 1..26 A..Z
    virtual void PaintDigit(int digit, int x, int y) = 0;  // imgDigit(digit)
    virtual void PaintBlack(int x, int y) = 0;             // pctBlack
};

// Every row's name and six score digits, onto a cleared table. A name character
// with no picture leaves its cell blank; only the first eight characters are drawn.
void DrawHighScores(const HighScoreTable& table, TableCanvas& canvas);

// Typing a name into the row a new score took.
class NameEntry {
  public:
    void Start(HighScoreTable& table, int row, TableCanvas& canvas);  // StartNameEntry
    // A character code as the table's key press delivers it (13 Enter, 8 Backspace).
    void KeyPress(int code);
    void Stop();  // OK pressed: entry ends, the name typed so far is kept

    bool EnteringName() const { return entering_; }
    int EntryColumn() const { return column_; }
    int Row() const {
        return row_;
    }  // NewEntryRow: 0 once Enter or the eighth character ends entry

  private:
    void Type(int picture, bool isLetter, char character);
    void DrawCursor();
    void EraseCursor();
    void End();

    HighScoreTable* table_ = nullptr;
    TableCanvas* canvas_ = nullptr;
    int row_ = 0;
    int column_ = 1;
    bool entering_ = false;
};

}  // namespace quabe
