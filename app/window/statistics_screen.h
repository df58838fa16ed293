#pragma once
// The player's statistics over the board: the names of the figures in the
// game's lettering, each figure beside its name in the score digits. A click
// on it, like Escape, leaves it.
#include "graphics.h"
#include "picture_box.h"
#include "statistics.h"

namespace quabe {

class StatisticsScreen : public DrawingBox {
  public:
    StatisticsScreen(QWidget* window, const Graphics& graphics);
    void Draw(const Statistics& statistics);  // at the screen's present size
    // A figure's row, from its name to its last digit, in the screen's pixels.
    QRect LineRect(int row) const;

  private:
    const Graphics& graphics_;
    QPixmap names_;
};

}  // namespace quabe
