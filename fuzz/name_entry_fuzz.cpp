// The high-score table and the typing of a name: any table and any keys draw only the
// pictures there are, in the table's cells, and type only letters and digits.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "high_score_table.h"

namespace {

using namespace quabe;

bool IsRowY(int y) {
    for (int row = 1; row <= kTableRows; ++row)
        if (y == RowY(row)) return true;
    return false;
}

bool IsNameX(int x) {
    for (int column = 1; column <= kNameLength; ++column)
        if (x == NameCellX(column)) return true;
    return false;
}

bool IsScoreX(int x) {
    for (int digit = 1; digit <= kScoreDigits; ++digit)
        if (x == ScoreDigitX(digit)) return true;
    return false;
}

class CheckingCanvas : public TableCanvas {
  public:
    void PaintLetter(int index, int x, int y) override {
        if (index < 0 || index > 26 || !IsNameX(x) || !IsRowY(y)) std::abort();
    }
    void PaintDigit(int digit, int x, int y) override {
        if (digit < 0 || digit > 9 || !(IsNameX(x) || IsScoreX(x)) || !IsRowY(y)) std::abort();
    }
    void PaintBlack(int x, int y) override {
        if (!IsNameX(x) || !IsRowY(y)) std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    HighScoreTable table;
    for (int row = 1; row <= kTableRows; ++row) {
        table.HighScoreNames[row] = input.ConsumeRandomLengthString(24);
        table.HighScores[row] = input.ConsumeIntegral<int32_t>();
    }
    CheckingCanvas canvas;
    DrawHighScores(table, canvas);

    NameEntry entry;
    const int row = InsertHighScore(table, input.ConsumeIntegral<int32_t>());
    entry.Start(table, row, canvas);
    while (entry.EnteringName() && input.remaining_bytes() > 0) {
        const int code = input.ConsumeIntegral<int16_t>();
        if (code == -1) {
            entry.Stop();
            break;
        }
        entry.KeyPress(code);
        const std::string& name = table.HighScoreNames[row];
        if (name.size() > kNameLength) std::abort();
        for (const char c : name)
            if (!(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9')) std::abort();
        if (entry.EnteringName() &&
            (entry.EntryColumn() != static_cast<int>(name.size()) + 1 || entry.Row() != row))
            std::abort();
    }
    DrawHighScores(table, canvas);
    return 0;
}
