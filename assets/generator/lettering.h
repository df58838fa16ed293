#pragma once
// The game's one typeface: blocky capitals with rounded corners, drawn as
// thick strokes along centre lines on a grid four units wide and six high.
#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace artwork {

struct TextStyle {
    double capHeight;      // pixels from the top of a capital to its foot, ink included
    double squeeze = 1.0;  // horizontal scale, below 1 for narrow lettering
    double spacing = 0.9;  // units of space between letters
};

// The text's outline with the top-left of its ink box at (0, 0).
QPainterPath TextPath(const QString& text, const TextStyle& style);

// Width in pixels of the ink of `text`.
double TextWidth(const QString& text, const TextStyle& style);

// Purple lettering with a darker edge below right, as on every label.
void PaintLettering(QPainter& painter, const QPainterPath& text);
// The red of the small product suffix.
void PaintSuffix(QPainter& painter, const QPainterPath& text);

// Squeezes a style just enough for `text` to fit in `width` pixels.
TextStyle Fitted(const QString& text, TextStyle style, double width);
// One line of purple lettering, the top-left of its ink at `topLeft`.
void Line(QPainter& painter, const QString& text, const TextStyle& style, QPointF topLeft);
// The same, centred across `width` pixels.
void CentredLine(QPainter& painter, const QString& text, const TextStyle& style, double top,
                 int width);

}  // namespace artwork
