// The hand pointer and the window icon: small palette PNGs, because the
// desktop takes these as cursor and icon rather than as game pictures.
#include <QBuffer>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "artwork.h"

namespace artwork {
namespace {

QImage Palettised(const QImage& picture, int colours) {
    const Indexed indexed = Quantise(picture, Transparency::Clear, colours);
    QImage image(indexed.width, indexed.height, QImage::Format_Indexed8);
    QList<QRgb> table(indexed.palette.begin(), indexed.palette.end());
    table[0] = qRgba(0, 0, 0, 0);
    image.setColorTable(table);
    for (int y = 0; y < indexed.height; ++y)
        for (int x = 0; x < indexed.width; ++x)
            image.setPixel(x, y, indexed.pixels[size_t(y * indexed.width + x)]);
    return image;
}

// A gloved hand pointing up; the fingertip's top edge is the pixel (12, 1).
QImage Hand() {
    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    hand.addRoundedRect(QRectF(9.8, 1.5, 5.4, 16), 2.7, 2.7);  // index finger
    hand.addRoundedRect(QRectF(14.6, 9.3, 4.6, 9), 2.3, 2.3);  // curled fingers
    hand.addRoundedRect(QRectF(18.6, 10.3, 4.6, 9), 2.3, 2.3);
    hand.addRoundedRect(QRectF(22.6, 11.8, 4.4, 8.5), 2.2, 2.2);
    hand.addRoundedRect(QRectF(9.8, 14.5, 17.2, 11.5), 4, 4);  // palm
    QPainterPath thumb;                                        // reaching out to the left
    thumb.moveTo(10.5, 21);
    thumb.lineTo(5.6, 15.2);
    QPainterPathStroker stroker;
    stroker.setWidth(4.6);
    stroker.setCapStyle(Qt::RoundCap);
    hand.addPath(stroker.createStroke(thumb));
    hand.addRect(QRectF(12, 25, 13, 5));  // wrist, into the cuff
    hand = hand.simplified();

    QImage image = Canvas(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient glove(8, 0, 27, 0);
    glove.setColorAt(0, QColor(0xff, 0xff, 0xff));
    glove.setColorAt(1, QColor(0xc8, 0xc8, 0xd4));
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(glove);
    p.drawPath(hand);
    p.setPen(QPen(QColor(0x70, 0x70, 0x80), 1.0, Qt::SolidLine, Qt::RoundCap));
    for (double x : {19.0, 23.0}) p.drawLine(QPointF(x, 12.5), QPointF(x, 17.5));
    p.drawLine(QPointF(15.2, 12), QPointF(15.2, 17));
    // Cuff in the game's purple.
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(QColor(0x9a, 0x40, 0xd8));
    p.drawRoundedRect(QRectF(10.8, 25.8, 15.4, 5.4), 1.5, 1.5);
    return Palettised(image, 16);
}

// A single magenta zigzag, drawn afresh at each size so small icons stay crisp.
QImage Zigzag(int size) {
    const double s = size / 32.0;
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s, s);
    QPainterPath line;
    line.moveTo(3.5, 22);
    line.lineTo(10, 9);
    line.lineTo(16, 23);
    line.lineTo(22, 9);
    line.lineTo(28.5, 22);
    QLinearGradient magenta(0, 7, 0, 25);
    magenta.setColorAt(0, QColor(0xff, 0x9c, 0xff));
    magenta.setColorAt(0.5, QColor(0xf0, 0x28, 0xe0));
    magenta.setColorAt(1, QColor(0xa0, 0x08, 0x98));
    p.setPen(QPen(QBrush(magenta), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(line);
    if (size > 32) {  // room for a gleam along the stroke
        p.setPen(QPen(QColor(255, 255, 255, 110), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(line.translated(-0.6, -1));
    }
    return image;
}

// Straight alpha by our own integer rounding, as PNG stores it. Qt's conversion takes
// processor-specific paths that round differently, and the icons must come out the same
// on every machine.
QImage Unpremultiplied(const QImage& picture) {
    if (picture.format() != QImage::Format_ARGB32_Premultiplied) return picture;
    QImage straight(picture.size(), QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(straight.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const int alpha = qAlpha(in[x]);
            const auto undo = [alpha](int channel) {
                return std::min(255, (channel * 255 + alpha / 2) / alpha);
            };
            out[x] = alpha == 0
                         ? 0
                         : qRgba(undo(qRed(in[x])), undo(qGreen(in[x])), undo(qBlue(in[x])), alpha);
        }
    }
    return straight;
}

}  // namespace

Asset Png(const QString& path, const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Unpremultiplied(picture).save(&buffer, "PNG");
    return {path, bytes};
}

Assets PointerPictures() {
    Assets out{Png("pictures/hand.png", Hand()),
               Png("pictures/icon32.png", Palettised(Zigzag(32), 16))};
    for (int size : {48, 64, 128, 256})
        out.push_back(Png(QString("pictures/icon%1.png").arg(size), Zigzag(size)));
    return out;
}

}  // namespace artwork
