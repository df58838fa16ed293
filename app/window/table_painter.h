#pragma once
// The high-score table is painted from the letter, digit and blank pictures of
// the image holder into the table picture's retained image.
#include "graphics.h"
#include "high_score_table.h"
#include "picture_box.h"

namespace quabe {

class TablePainter : public TableCanvas {
  public:
    TablePainter(DrawingBox& table, const Graphics& graphics)
        : table_(table), graphics_(graphics) {}
    void PaintLetter(int index, int x, int y) override;
    void PaintDigit(int digit, int x, int y) override;
    void PaintBlack(int x, int y) override;

  private:
    DrawingBox& table_;
    const Graphics& graphics_;
};

}  // namespace quabe
