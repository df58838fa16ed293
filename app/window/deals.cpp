#include "deals.h"

#include <QPainter>

#include "game.h"

namespace quabe {

namespace {

constexpr int kCell = 22;  // pixels from one character to the next
constexpr int kPromptY = 110, kEntryY = 150, kRefusalY = 210;

int Units(int pixels) {
    return pixels * DrawingBox::kUnitsPerPixel;
}

// Letters, digits and blanks in the table's character pictures, from x pixels.
void PaintText(TableCanvas& canvas, QStringView text, int x, int y) {
    for (QChar c : text) {
        if (c >= u'A' && c <= u'Z') canvas.PaintLetter(c.unicode() - 'A' + 1, Units(x), Units(y));
        if (c >= u'0' && c <= u'9') canvas.PaintDigit(c.unicode() - '0', Units(x), Units(y));
        x += kCell;
    }
}

int Centred(int width, qsizetype characters) {
    return (width - static_cast<int>(characters) * kCell) / 2;
}

}  // namespace

QPixmap DealPicture(const Graphics& graphics, int32_t number, QSize strip) {
    QPixmap picture(strip);
    picture.fill(Qt::black);
    const QString digits = QString::number(number);
    const int pitch = graphics.SmallDigits[0].width();
    int x = (strip.width() - pitch * static_cast<int>(digits.size())) / 2;
    QPainter painter(&picture);
    for (QChar digit : digits) {
        painter.drawPixmap(x, 0, graphics.SmallDigits[digit.digitValue()]);
        x += pitch;
    }
    return picture;
}

DealEntry::DealEntry(QWidget* window, const Graphics& graphics)
    : DrawingBox(window, QSize(32, 32)), painter_(*this, graphics) {
    setFocusPolicy(Qt::ClickFocus);
    setCursor(graphics.Hand);  // a click leaves it
}

void DealEntry::Start() {
    typed_.clear();
    refused_ = false;
    Draw();
}

std::optional<int32_t> DealEntry::KeyPress(int code) {
    if (code == 13) {
        const std::optional<int32_t> number = ReadDealNumber(typed_.toStdString());
        refused_ = !number;
        Draw();
        return number;
    }
    if (code >= '0' && code <= '9' && typed_.size() < kDigits) {
        typed_ += QChar(code);
    } else if (code == 8) {
        typed_.chop(1);
    } else {
        return std::nullopt;
    }
    refused_ = false;  // the player has moved on from the refused number
    Draw();
    return std::nullopt;
}

void DealEntry::Draw() {
    SetImageSize(size());
    const QString prompt = QStringLiteral("DEAL NUMBER");
    PaintText(painter_, prompt, Centred(width(), prompt.size()), kPromptY);
    const int left = Centred(width(), kDigits);
    PaintText(painter_, typed_, left, kEntryY);
    if (typed_.size() < kDigits) {
        painter_.PaintLetter(0, Units(left + kCell * static_cast<int>(typed_.size())),
                             Units(kEntryY));
    }
    if (refused_) {
        const QString range = QStringLiteral("FROM %1 TO %2").arg(kFirstDeal).arg(kLastDeal);
        PaintText(painter_, range, Centred(width(), range.size()), kRefusalY);
    }
    update();
}

}  // namespace quabe
