#include "table_painter.h"

namespace quabe {

void TablePainter::PaintLetter(int index, int x, int y) {
    if (index >= 0 && index < static_cast<int>(graphics_.Alphabet.size())) {
        table_.PaintPicture(graphics_.Alphabet[index], x, y);
    }
}

void TablePainter::PaintDigit(int digit, int x, int y) {
    if (digit >= 0 && digit <= 9) table_.PaintPicture(graphics_.Digits[digit], x, y);
}

void TablePainter::PaintBlack(int x, int y) {
    table_.PaintPicture(*graphics_.Black, x, y);
}

}  // namespace quabe
