// The window's own pictures: the bevelled frames of the main window and the
// set chooser, the two window buttons, and the blank drawing surfaces.
#include <QPainter>

#include "artwork.h"

namespace artwork {
namespace {

constexpr int kBar = 8;

// Grey across a bar from its lit edge (top or left) to its shaded edge; the
// first row is a shade darker so every bar has a crisp outline.
QRgb BarShade(int t) {
    static const int level[kBar] = {0xa8, 0xff, 0xf0, 0xda, 0xc2, 0xa6, 0x82, 0x4c};
    const int v = level[t];
    return qRgb(v, v, std::min(255, v + 8));  // a cool grey, kind to the purple
}

void HorizontalBar(QImage& image, int x0, int x1, int y0) {
    for (int t = 0; t < kBar; ++t)
        for (int x = x0; x <= x1; ++x) image.setPixel(x, y0 + t, BarShade(t));
}

void VerticalBar(QImage& image, int x0, int y0, int y1) {
    for (int t = 0; t < kBar; ++t)
        for (int y = y0; y <= y1; ++y) image.setPixel(x0 + t, y, BarShade(t));
}

// A border of bars round the whole picture, mitred at the corners like a
// picture frame: each corner pixel goes to the bar whose edge is nearer.
void Border(QImage& image) {
    const int w = image.width(), h = image.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int top = y, bottom = h - 1 - y, left = x, right = w - 1 - x;
            const int nearest = std::min({top, bottom, left, right});
            if (nearest >= kBar) continue;
            int t;
            if (top == nearest)
                t = top;
            else if (left == nearest)
                t = left;
            else if (bottom == nearest)
                t = kBar - 1 - bottom;
            else
                t = kBar - 1 - right;
            image.setPixel(x, y, BarShade(t));
        }
    }
}

// A thin border of every other shade of the bars, for plates laid over the board.
void ThinBorder(QImage& image) {
    const int w = image.width(), h = image.height(), bar = kBar / 2;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int top = y, bottom = h - 1 - y, left = x, right = w - 1 - x;
            const int nearest = std::min({top, bottom, left, right});
            if (nearest >= bar) continue;
            const bool lit = top == nearest || left == nearest;
            image.setPixel(x, y, BarShade(2 * (lit ? nearest : bar - 1 - nearest) + 1));
        }
    }
}

QImage Frame(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    Border(image);
    return image;
}

QImage MainFrame() {
    QImage image = Frame(690, 457);
    HorizontalBar(image, kBar, 690 - kBar - 1, 71);  // closes the top band
    VerticalBar(image, 552, 79, 457 - kBar - 1);     // board | side panel
    return image;
}

// Small purple square buttons of the top band.
QImage WindowButton(bool close) {
    QImage image = Canvas(20, 20);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient purple(0, 0, 0, 20);
    purple.setColorAt(0, QColor(0xe0, 0xa8, 0xff));
    purple.setColorAt(1, QColor(0x80, 0x2c, 0xc8));
    painter.setPen(QPen(QBrush(purple), 2));
    painter.setBrush(QColor(0x24, 0x08, 0x3c));
    painter.drawRoundedRect(QRectF(1, 1, 18, 18), 3.5, 3.5);
    painter.setPen(QPen(QBrush(purple), 2.6, Qt::SolidLine, Qt::RoundCap));
    if (close) {
        painter.drawLine(QPointF(6, 6), QPointF(14, 14));
        painter.drawLine(QPointF(14, 6), QPointF(6, 14));
    } else {
        painter.drawLine(QPointF(6, 14), QPointF(14, 14));
    }
    return image;
}

}  // namespace

QImage Plate(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    ThinBorder(image);
    return image;
}

Assets WindowPictures() {
    Assets out;
    out.push_back(Gif("pictures/frmMain.gif", MainFrame(), Transparency::None));
    out.push_back(Gif("pictures/frmSets.gif", Frame(478, 324), Transparency::None));
    out.push_back(Gif("pictures/pctMinimizeIcon.gif", WindowButton(false), Transparency::None));
    out.push_back(Gif("pictures/pctExitIcon.gif", WindowButton(true), Transparency::None));
    // Surfaces drawn into at run time start out blank; painted, they leave black.
    for (const char* name : {"pctBoard", "pctHighScore", "pctBlack"})
        out.push_back(
            Gif(QString("pictures/%1.gif").arg(name), Canvas(32, 32), Transparency::Everyone));
    return out;
}

}  // namespace artwork
