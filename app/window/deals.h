#pragma once
// Deal numbers on the screen: the number of the board in play, small in the
// side panel, and the entry on the board that asks for one.
#include <QString>
#include <cstdint>
#include <optional>

#include "graphics.h"
#include "picture_box.h"
#include "table_painter.h"

namespace quabe {

// The number in the small digits, centred in a strip of the given size.
QPixmap DealPicture(const Graphics& graphics, int32_t number, QSize strip);

// Asks for a deal number: digits appear one by one behind the cursor, as a name
// does on the table; Backspace takes the last back and Enter offers the number.
// A number out of range is refused on the spot, saying which are allowed.
class DealEntry : public DrawingBox {
    Q_OBJECT
  public:
    static constexpr int kDigits = 9;  // as many as the last deal has

    DealEntry(QWidget* window, const Graphics& graphics);

    void Start();  // nothing typed, the cursor in the first cell
    // A character code as the key press delivers it (13 Enter, 8 Backspace). Gives
    // the number to play once Enter offers one in range.
    std::optional<int32_t> KeyPress(int code);

    const QString& Typed() const { return typed_; }
    bool Refused() const { return refused_; }

  private:
    void Draw();

    TablePainter painter_;
    QString typed_;
    bool refused_ = false;
};

}  // namespace quabe
