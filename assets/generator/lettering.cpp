// Glyph shapes and how they are inked.
#include "lettering.h"

#include <QLinearGradient>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace artwork {
namespace {

using Stroke = std::vector<QPointF>;
struct Glyph {
    double width;  // in units; the ink is one stroke wider
    std::vector<Stroke> strokes;
};

// Corners are cut by a unit, which with round joins reads as rounded.
const Stroke kRing = {{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}};

const std::map<QChar, Glyph>& Glyphs() {
    static const std::map<QChar, Glyph> glyphs = {
        {'A', {4, {{{0, 6}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 6}}, {{0, 3.5}, {4, 3.5}}}}},
        {'B',
         {4,
          {{{0, 3},
            {3, 3},
            {4, 2},
            {4, 1},
            {3, 0},
            {0, 0},
            {0, 6},
            {3, 6},
            {4, 5},
            {4, 4},
            {3, 3}}}}},
        {'C', {4, {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}}}}},
        {'D', {4, {{{0, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {0, 6}, {0, 0}}}}},
        {'E', {4, {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}}}},
        {'F', {4, {{{4, 0}, {0, 0}, {0, 6}}, {{0, 3}, {3, 3}}}}},
        {'G',
         {4,
          {{{4, 1},
            {3, 0},
            {1, 0},
            {0, 1},
            {0, 5},
            {1, 6},
            {3, 6},
            {4, 5},
            {4, 3.5},
            {2.5, 3.5}}}}},
        {'H', {4, {{{0, 0}, {0, 6}}, {{4, 0}, {4, 6}}, {{0, 3}, {4, 3}}}}},
        {'I', {2, {{{0, 0}, {2, 0}}, {{1, 0}, {1, 6}}, {{0, 6}, {2, 6}}}}},
        {'J', {4, {{{1.5, 0}, {4, 0}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}}}},
        {'K', {4, {{{0, 0}, {0, 6}}, {{4, 0}, {1.5, 3}, {4, 6}}, {{0, 3}, {1.5, 3}}}}},
        {'L', {4, {{{0, 0}, {0, 6}, {4, 6}}}}},
        {'M', {5, {{{0, 6}, {0, 0}, {2.5, 3}, {5, 0}, {5, 6}}}}},
        {'N', {4, {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}}}},
        {'O', {4, {kRing}}},
        {'P', {4, {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2.5}, {3, 3.5}, {0, 3.5}}}}},
        {'Q', {4.3, {kRing, {{2.4, 4.4}, {4.3, 6.5}}}}},
        {'R',
         {4,
          {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2.3}, {3, 3.3}, {0, 3.3}}, {{2.3, 3.3}, {4, 6}}}}},
        {'S',
         {4,
          {{{4, 1},
            {3, 0},
            {1, 0},
            {0, 1},
            {0, 2},
            {1, 3},
            {3, 3},
            {4, 4},
            {4, 5},
            {3, 6},
            {1, 6},
            {0, 5}}}}},
        {'T', {4, {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}}}},
        {'U', {4, {{{0, 0}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 0}}}}},
        {'V', {4, {{{0, 0}, {0, 3}, {2, 6}, {4, 3}, {4, 0}}}}},
        {'W', {5, {{{0, 0}, {0, 6}, {2.5, 3.5}, {5, 6}, {5, 0}}}}},
        {'X', {4, {{{0, 0}, {4, 6}}, {{4, 0}, {0, 6}}}}},
        {'Y', {4, {{{0, 0}, {2, 3}, {4, 0}}, {{2, 3}, {2, 6}}}}},
        {'Z', {4, {{{0, 0}, {4, 0}, {0, 6}, {4, 6}}}}},
        {'0', {4, {kRing}}},  // the same artwork as the letter O
        {'1', {3, {{{0, 1}, {1.5, 0}, {1.5, 6}}, {{0, 6}, {3, 6}}}}},
        {'2',
         {4, {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {1, 3}, {0, 4}, {0, 6}, {4, 6}}}}},
        {'3',
         {4,
          {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {4, 4}, {4, 5}, {3, 6}, {1, 6}, {0, 5}},
           {{1.5, 3}, {3, 3}}}}},
        {'4', {4, {{{0, 0}, {0, 4}, {4, 4}}, {{3, 1.5}, {3, 6}}}}},
        {'5',
         {4, {{{4, 0}, {0, 0}, {0, 2.7}, {3, 2.7}, {4, 3.7}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}}}},
        {'6',
         {4,
          {{{4, 1},
            {3, 0},
            {1, 0},
            {0, 1},
            {0, 5},
            {1, 6},
            {3, 6},
            {4, 5},
            {4, 4},
            {3, 3},
            {0, 3}}}}},
        {'7', {4, {{{0, 0}, {4, 0}, {4, 1}, {1.5, 6}}}}},
        {'8',
         {4,
          {{{1, 3},
            {0, 2},
            {0, 1},
            {1, 0},
            {3, 0},
            {4, 1},
            {4, 2},
            {3, 3},
            {1, 3},
            {0, 4},
            {0, 5},
            {1, 6},
            {3, 6},
            {4, 5},
            {4, 4},
            {3, 3}}}}},
        {'9',
         {4,
          {{{0, 5},
            {1, 6},
            {3, 6},
            {4, 5},
            {4, 1},
            {3, 0},
            {1, 0},
            {0, 1},
            {0, 2},
            {1, 3},
            {4, 3}}}}},
        {'.', {0, {{{0, 5.7}, {0, 6}}}}},
        {'!', {0, {{{0, 0}, {0, 3.8}}, {{0, 5.7}, {0, 6}}}}},
        {'?',
         {4, {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {2, 3.4}, {2, 4}}, {{2, 5.7}, {2, 6}}}}},
        {'_', {4, {{{0, 7.2}, {4, 7.2}}}}},
        {'=', {4, {{{0, 2}, {4, 2}}, {{0, 4.4}, {4, 4.4}}}}},
        {'+', {4, {{{2, 1.2}, {2, 5.2}}, {{0, 3.2}, {4, 3.2}}}}},
        {'-', {2.5, {{{0, 3.2}, {2.5, 3.2}}}}},
        {',', {0, {{{0, 5.7}, {0, 6.2}, {-0.6, 7.3}}}}},
        {':', {0, {{{0, 1.9}, {0, 2.2}}, {{0, 5.7}, {0, 6}}}}},
        {';', {0, {{{0, 1.9}, {0, 2.2}}, {{0, 5.7}, {0, 6.2}, {-0.6, 7.3}}}}},
        {'(', {1.5, {{{1.5, -0.4}, {0, 1.4}, {0, 4.6}, {1.5, 6.4}}}}},
        {')', {1.5, {{{0, -0.4}, {1.5, 1.4}, {1.5, 4.6}, {0, 6.4}}}}},
        {'/', {3, {{{0, 6.4}, {3, -0.4}}}}},
        {' ', {1.5, {}}},
    };
    return glyphs;
}

const Glyph& GlyphOf(QChar ch) {
    auto it = Glyphs().find(ch);
    return it != Glyphs().end() ? it->second : Glyphs().at('?');
}

// One stroke's thickness and the size of a unit for a given cap height.
struct Metrics {
    double pen, unitY, unitX;
    explicit Metrics(const TextStyle& s)
        : pen(s.capHeight * 2 / 11), unitY((s.capHeight - pen) / 6), unitX(unitY * s.squeeze) {}
};

}  // namespace

double TextWidth(const QString& text, const TextStyle& style) {
    const Metrics m(style);
    double width = 0;
    for (int i = 0; i < text.size(); ++i) {
        width += GlyphOf(text[i]).width * m.unitX + m.pen;
        if (i + 1 < text.size()) width += style.spacing * m.unitX;
    }
    return width;
}

QPainterPath TextPath(const QString& text, const TextStyle& style) {
    const Metrics m(style);
    QPainterPathStroker stroker;
    stroker.setWidth(m.pen);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath all;
    all.setFillRule(Qt::WindingFill);
    double x = m.pen / 2;
    for (QChar ch : text) {
        const Glyph& glyph = GlyphOf(ch);
        for (const Stroke& stroke : glyph.strokes) {
            QPainterPath line;
            for (size_t i = 0; i < stroke.size(); ++i) {
                QPointF p(x + stroke[i].x() * m.unitX, m.pen / 2 + stroke[i].y() * m.unitY);
                i == 0 ? line.moveTo(p) : line.lineTo(p);
            }
            all.addPath(stroker.createStroke(line));
        }
        x += glyph.width * m.unitX + m.pen + style.spacing * m.unitX;
    }
    return all.simplified();
}

namespace {

void Ink(QPainter& painter, const QPainterPath& text, QColor light, QColor mid, QColor deep,
         QColor edge) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF box = text.boundingRect();
    painter.setBrush(edge);
    painter.drawPath(text.translated(0.8, 0.8));
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0.0, light);
    fill.setColorAt(0.45, mid);
    fill.setColorAt(1.0, deep);
    painter.setBrush(fill);
    painter.drawPath(text);
    // Lit upper edges and shaded lower edges make the strokes look moulded.
    const double bevel = std::clamp(box.height() / 20, 0.8, 1.6);
    painter.setBrush(QColor(255, 255, 255, 80));
    painter.drawPath(text.subtracted(text.translated(0, bevel)));
    painter.setBrush(QColor(0x30, 0x00, 0x50, 90));
    painter.drawPath(text.subtracted(text.translated(0, -bevel)));
    painter.restore();
}

}  // namespace

void PaintLettering(QPainter& painter, const QPainterPath& text) {
    Ink(painter, text, QColor(0xf0, 0xc8, 0xff), QColor(0xb8, 0x5c, 0xf0), QColor(0x7a, 0x26, 0xc0),
        QColor(0x3a, 0x0c, 0x60));
}

void PaintSuffix(QPainter& painter, const QPainterPath& text) {
    Ink(painter, text, QColor(0xff, 0xb0, 0xa0), QColor(0xf0, 0x38, 0x30), QColor(0xa8, 0x10, 0x10),
        QColor(0x50, 0x06, 0x06));
}

// Only the letters' widths and the spaces between them narrow; the strokes keep
// their thickness.
TextStyle Fitted(const QString& text, TextStyle style, double width) {
    const double full = TextWidth(text, style);
    if (full <= width) return style;
    TextStyle strokes = style;
    strokes.squeeze = 0;
    const double fixed = TextWidth(text, strokes);
    style.squeeze *= std::max(0.0, width - fixed) / (full - fixed);
    return style;
}

void Line(QPainter& painter, const QString& text, const TextStyle& style, QPointF topLeft) {
    PaintLettering(painter, TextPath(text, style).translated(topLeft));
}

void CentredLine(QPainter& painter, const QString& text, const TextStyle& style, double top,
                 int width) {
    Line(painter, text, style, {std::round((width - TextWidth(text, style)) / 2), top});
}

}  // namespace artwork
