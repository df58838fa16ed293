// The pieces: the built-in shaded balls and the three shipped sets. Kinds
// keep one colour order in every set (green, grey, magenta, red, yellow,
// cyan), and Set2 and Set3 give each kind its own shape as well, so players
// who confuse red and green still tell them apart.
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <array>
#include <vector>

#include "artwork.h"

namespace artwork {
namespace {

constexpr int kSize = 32;
const QPointF kCentre(16, 16);

QImage Plain(QColor colour) {
    QImage image = Canvas(kSize, kSize);
    image.fill(colour);
    return image;
}

// A flat board-coloured cell with a soft shadow where a piece will stand.
QImage Cell(QColor board, double shadowRadius) {
    QImage image = Plain(board);
    if (shadowRadius > 0) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QRadialGradient shade(kCentre + QPointF(1.5, 2), shadowRadius);
        shade.setColorAt(0.75, QColor(0, 0, 0, 110));
        shade.setColorAt(1.0, QColor(0, 0, 0, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(shade);
        painter.drawEllipse(kCentre + QPointF(1.5, 2), shadowRadius, shadowRadius);
    }
    return image;
}

QColor Mix(QColor a, QColor b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// --- Set1 and the built-in pieces: shaded balls lit from the upper left.

QImage Ball(QColor base) {
    QImage image = Plain(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double r = 14.6;
    QRadialGradient body(kCentre, r, QPointF(11, 10));
    body.setColorAt(0.0, Mix(base, Qt::white, 0.55));
    body.setColorAt(0.45, base);
    body.setColorAt(0.85, Mix(base, Qt::black, 0.45));
    body.setColorAt(1.0, Mix(base, Qt::black, 0.7));
    painter.setBrush(body);
    painter.drawEllipse(kCentre, r, r);
    // Light thrown back from the board, along the lower rim.
    QRadialGradient bounce(kCentre + QPointF(3, 5), 11);
    bounce.setColorAt(0.7, QColor(255, 255, 255, 0));
    bounce.setColorAt(0.95, QColor(255, 255, 255, 40));
    bounce.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(bounce);
    painter.drawEllipse(kCentre, r - 0.5, r - 0.5);
    QRadialGradient gloss(QPointF(11.5, 9.5), 6.5);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 235));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 110));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(gloss);
    painter.drawEllipse(QRectF(5, 4.5, 13, 10));
    return image;
}

const std::array<QColor, 6> kBallColours = {QColor(0x3c, 0xdc, 0x3c), QColor(0x9c, 0xa3, 0xac),
                                            QColor(0xd8, 0x2c, 0xd8), QColor(0xb4, 0x0c, 0x0c),
                                            QColor(0xf8, 0xd8, 0x10), QColor(0x1c, 0xd0, 0xe8)};

// --- Set2: gemstones, each kind its own cut, on deep blue.

const QColor kSapphireNight(0x0c, 0x18, 0x48);

std::vector<QPointF> Ring(int corners, double rx, double ry, double turn) {
    std::vector<QPointF> points;
    for (int i = 0; i < corners; ++i) {
        const double a = turn + 2 * M_PI * i / corners;
        points.push_back(kCentre + QPointF(rx * std::cos(a), ry * std::sin(a)));
    }
    return points;
}

std::vector<QPointF> Cut(int kind) {
    switch (kind) {
        case 1: {  // emerald cut: a tall octagon
            return {{11, 3}, {21, 3}, {26, 8}, {26, 24}, {21, 29}, {11, 29}, {6, 24}, {6, 8}};
        }
        case 2:
            return Ring(12, 14, 14, M_PI / 12);  // round brilliant
        case 3:
            return {{16, 3}, {29.5, 27.5}, {2.5, 27.5}};  // trillion
        case 4:
            return {{16, 2}, {27, 16}, {16, 30}, {5, 16}};  // lozenge
        case 5:
            return Ring(6, 14, 13, 0);  // hexagon
        default: {                      // marquise: two arcs meeting in points at top and bottom
            const double half = 9, radius = (half * half + 14 * 14) / (2 * half);
            const double centre = 16 + half - radius;  // arcs through (16, 2), (16 + half, 16)
            const double reach = std::asin(14 / radius);
            std::vector<QPointF> points;
            for (int side : {1, -1})
                for (int i = 0; i < 8; ++i) {
                    const double a = -reach + 2 * reach * i / 8;
                    points.push_back({16 + side * (centre - 16 + radius * std::cos(a)),
                                      16 + side * radius * std::sin(a)});
                }
            return points;
        }
    }
}

QImage Gem(int kind, QColor base) {
    QImage image = Cell(kSapphireNight, 14);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const std::vector<QPointF> outer = Cut(kind);
    QPointF middle;
    for (QPointF p : outer) middle += p;
    middle /= double(outer.size());
    std::vector<QPointF> table;
    for (QPointF p : outer) table.push_back(middle + (p - middle) * 0.5 + QPointF(-0.4, -0.6));
    const QPointF light(-0.55, -0.83);
    const int n = int(outer.size());
    for (int i = 0; i < n; ++i) {
        const QPointF a = outer[i], b = outer[(i + 1) % n];
        QPointF normal(b.y() - a.y(), a.x() - b.x());
        normal /= std::hypot(normal.x(), normal.y());
        const double lit = normal.x() * light.x() + normal.y() * light.y();
        // Facets facing away from the light sink towards black.
        const QColor shade =
            lit > 0 ? Mix(base, Qt::white, 0.5 * lit) : Mix(base, Qt::black, -0.6 * lit);
        painter.setPen(QPen(Mix(shade, Qt::white, 0.2), 0.5));
        painter.setBrush(shade);
        const QPointF facet[4] = {a, b, table[(i + 1) % n], table[i]};
        painter.drawPolygon(facet, 4);
    }
    QLinearGradient top(middle + QPointF(-7, -7), middle + QPointF(7, 7));
    top.setColorAt(0, Mix(base, Qt::white, 0.45));
    top.setColorAt(1, Mix(base, Qt::black, 0.15));
    painter.setPen(QPen(Mix(base, Qt::white, 0.6), 0.6));
    painter.setBrush(top);
    painter.drawPolygon(table.data(), n);
    painter.setPen(QPen(Mix(base, Qt::black, 0.7), 0.9));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(outer.data(), n);
    // A glint on the upper-left of the table.
    // A four-pointed glint on the upper left of the table.
    QPainterPath glint;
    const QPointF at = middle + QPointF(-3, -3.5);
    for (int i = 0; i < 8; ++i) {
        const double a = M_PI * i / 4, r = i % 2 ? 0.8 : 3.6;
        const QPointF p = at + QPointF(r * std::sin(a), -r * std::cos(a));
        i == 0 ? glint.moveTo(p) : glint.lineTo(p);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawPath(glint);
    return image;
}

const std::array<QColor, 6> kGemColours = {QColor(0x10, 0xc0, 0x50), QColor(0xd8, 0xe4, 0xf0),
                                           QColor(0xb0, 0x40, 0xe8), QColor(0xe0, 0x10, 0x30),
                                           QColor(0xff, 0xb8, 0x18), QColor(0x30, 0xe0, 0xe0)};

// --- Set3: glazed tiles with a white symbol each, on dark green felt.

const QColor kFelt(0x0e, 0x3c, 0x26);

QPainterPath Symbol(int kind) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    switch (kind) {
        case 1:  // clover
            path.addEllipse(QPointF(16, 11.2), 3.6, 3.6);
            path.addEllipse(QPointF(11.6, 17), 3.6, 3.6);
            path.addEllipse(QPointF(20.4, 17), 3.6, 3.6);
            path.addRect(QRectF(15, 15, 2, 9));
            break;
        case 2: {  // crescent moon
            QPainterPath moon, bite;
            moon.addEllipse(kCentre, 8.2, 8.2);
            bite.addEllipse(kCentre + QPointF(4.2, -3), 7, 7);
            path = moon.subtracted(bite);
            break;
        }
        case 3:  // heart
            path.moveTo(16, 24.5);
            path.cubicTo(6, 18, 7, 7.5, 16, 12.5);
            path.cubicTo(25, 7.5, 26, 18, 16, 24.5);
            break;
        case 4:  // diamond
            path.moveTo(16, 7);
            path.lineTo(24, 16);
            path.lineTo(16, 25);
            path.lineTo(8, 16);
            path.closeSubpath();
            break;
        case 5:  // star
            for (int i = 0; i < 10; ++i) {
                const double a = -M_PI / 2 + M_PI * i / 5, r = i % 2 ? 3.7 : 9;
                const QPointF p = kCentre + QPointF(r * std::cos(a), 0.8 + r * std::sin(a));
                i == 0 ? path.moveTo(p) : path.lineTo(p);
            }
            path.closeSubpath();
            break;
        default:  // drop
            path.moveTo(16, 7);
            path.cubicTo(18, 11, 23, 14.5, 23, 18.5);
            path.cubicTo(23, 22.5, 19.8, 25, 16, 25);
            path.cubicTo(12.2, 25, 9, 22.5, 9, 18.5);
            path.cubicTo(9, 14.5, 14, 11, 16, 7);
            break;
    }
    return path.simplified();
}

QImage Tile(int kind, QColor base) {
    QImage image = Plain(kFelt);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawRoundedRect(QRectF(3, 3.5, 28, 28), 5, 5);
    const QRectF tile(1.5, 1.5, 28, 28);
    QLinearGradient rim(tile.topLeft(), tile.bottomRight());
    rim.setColorAt(0, Mix(base, Qt::white, 0.6));
    rim.setColorAt(0.5, base);
    rim.setColorAt(1, Mix(base, Qt::black, 0.55));
    painter.setBrush(rim);
    painter.drawRoundedRect(tile, 5, 5);
    QLinearGradient face(0, 4, 0, 27);
    face.setColorAt(0, Mix(base, Qt::white, 0.25));
    face.setColorAt(1, Mix(base, Qt::black, 0.2));
    painter.setBrush(face);
    painter.drawRoundedRect(tile.adjusted(2.5, 2.5, -2.5, -2.5), 3.5, 3.5);
    const QPainterPath symbol = Symbol(kind);
    painter.setBrush(Mix(base, Qt::black, 0.55));
    painter.drawPath(symbol.translated(0.8, 0.9));
    painter.setBrush(QColor(0xff, 0xfa, 0xec));
    painter.drawPath(symbol);
    return image;
}

const std::array<QColor, 6> kTileColours = {QColor(0x48, 0xc4, 0x4c), QColor(0x88, 0x90, 0x9c),
                                            QColor(0xc4, 0x38, 0xc4), QColor(0xb0, 0x1c, 0x1c),
                                            QColor(0xe0, 0xb0, 0x10), QColor(0x18, 0xa8, 0xc8)};

Asset Title(int set, const char* title) {
    return {QString("sets/Set%1/Title.txt").arg(set), QByteArray(title) + "\n"};
}

// What a screen reader calls each kind, one line a kind: the colour, which every
// set keeps for a kind, and the shape that tells the set's pieces apart.
Asset Names(int set, const std::array<const char*, 6>& names) {
    QByteArray text;
    for (const char* name : names) text += QByteArray(name) + "\n";
    return {QString("sets/Set%1/Names.txt").arg(set), text};
}

}  // namespace

Assets PiecePictures() {
    Assets out;
    auto add = [&out](const QString& path, const QImage& image) {
        out.push_back(Gif(path, image, Transparency::None));
    };
    out.push_back(Gif("pictures/pctPiece0.gif", Canvas(kSize, kSize), Transparency::Everyone));
    add("sets/Set1/Piece0.gif", Plain(Qt::black));
    add("sets/Set2/Piece0.gif", Plain(kSapphireNight));
    add("sets/Set3/Piece0.gif", Plain(kFelt));
    for (int k = 1; k <= 6; ++k) {
        const QImage ball = Ball(kBallColours[k - 1]);
        add(QString("pictures/pctPiece%1.gif").arg(k), ball);
        add(QString("sets/Set1/Piece%1.gif").arg(k), ball);
        add(QString("sets/Set2/Piece%1.gif").arg(k), Gem(k, kGemColours[k - 1]));
        add(QString("sets/Set3/Piece%1.gif").arg(k), Tile(k, kTileColours[k - 1]));
    }
    out.push_back(Title(1, "Shaded Balls"));
    out.push_back(Title(2, "Gemstones"));
    out.push_back(Title(3, "Glazed Tiles"));
    out.push_back(Names(
        1, {"green ball", "grey ball", "purple ball", "red ball", "yellow ball", "blue ball"}));
    out.push_back(Names(2, {"green octagon", "white circle", "purple triangle", "red diamond",
                            "yellow hexagon", "blue oval"}));
    out.push_back(Names(3, {"green clover", "grey moon", "purple heart", "red diamond",
                            "yellow star", "blue drop"}));
    return out;
}

}  // namespace artwork
