// Everything the player reads: digits, letters, the logo and the labels, all
// in the one lettering.
#include <QPainter>

#include <algorithm>

#include "artwork.h"
#include "lettering.h"

namespace artwork {
namespace {

constexpr double kEdge = 1;  // the darker edge lettering casts below right

// A character cell: the character centred in the cell, its ink `margin` pixels
// clear of either side and `top` pixels down.
QImage Cell(QChar ch, QSize size, double capHeight, int margin, int top) {
    TextStyle style{capHeight};
    const double room = size.width() - 2 * margin - kEdge;
    style.squeeze =
        std::min(1.0, (room - 0.5) / TextWidth(ch, style));  // half a pixel for smoothing
    const QPainterPath text = TextPath(ch, style);
    const double left = margin + std::floor((room - TextWidth(ch, style)) / 2 + 0.5);
    QImage image = Canvas(size.width(), size.height());
    QPainter painter(&image);
    PaintLettering(painter, text.translated(left, top));
    return image;
}

// The table's and the scores' characters. The ink keeps two pixels clear at
// either side, because score digits are laid 20 pixels apart and overlap their
// neighbours there.
QImage Cell(QChar ch) {
    return Cell(ch, {22, 28}, 22, 2, 2);
}

// The deal number's digits, small enough for the strip under the side panel's
// buttons: nine of them, 12 pixels apart, fill the panel between its buttons'
// outer edges.
QImage SmallCell(QChar ch) {
    return Cell(ch, {12, 16}, 12, 1, 2);
}

// The product name with its small red suffix standing on the same foot line.
void ProductName(QPainter& painter, double capHeight, QPointF centreTop, bool glow) {
    const TextStyle name{capHeight, 1.0, 0.8}, suffix{capHeight * 0.42, 1.0, 0.8};
    const double gap = capHeight * 0.16;
    const double width = TextWidth("QUABE", name) + gap + TextWidth("PRO", suffix);
    const QPointF at(std::round(centreTop.x() - width / 2), centreTop.y());
    const QPainterPath big = TextPath("QUABE", name).translated(at);
    const QPainterPath small = TextPath("PRO", suffix)
                                   .translated(at.x() + TextWidth("QUABE", name) + gap,
                                               at.y() + capHeight - suffix.capHeight);
    if (glow) {
        // A soft purple halo lifts the logo off the black band.
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        for (int ring = 4; ring >= 1; --ring) {
            painter.setPen(QPen(QColor(0x90, 0x30, 0xe0, 18), ring * 2.2, Qt::SolidLine,
                                Qt::RoundCap, Qt::RoundJoin));
            painter.drawPath(big);
        }
        painter.restore();
    }
    PaintLettering(painter, big);
    PaintSuffix(painter, small);
}

QImage Logo() {
    QImage image = Canvas(204, 47);
    QPainter painter(&image);
    ProductName(painter, 36, {102, 5}, true);
    return image;
}

QImage AboutText() {
    const int width = 343;
    QImage image = Canvas(width, 123);
    QPainter painter(&image);
    ProductName(painter, 30, {width / 2.0, 4}, false);
    const QString address = "WWW.QUABEPRO.EXAMPLE";
    CentredLine(painter, address, Fitted(address, {18}, width - 8), 52, width);
    CentredLine(painter, "VERSION", {18}, 88, width);
    return image;
}

QImage HelpText() {
    const int width = 292;
    const QStringList lines = {"CLICK ON IDENTICAL", "ADJACENT PIECES TO", "SCORE POINTS.",
                               "USE EVENTS TO MAKE", "THINGS EVEN WILDER!"};
    TextStyle style{16};
    for (const QString& line : lines) style = Fitted(line, style, width - 6);
    QImage image = Canvas(width, 172);
    QPainter painter(&image);
    for (int i = 0; i < lines.size(); ++i) Line(painter, lines[i], style, {3, 3.0 + i * 27});
    CentredLine(painter, "OK", {18}, 142, width);
    return image;
}

QImage Words(QSize size, const QString& text, const TextStyle& style, QPointF topLeft) {
    QImage image = Canvas(size.width(), size.height());
    QPainter painter(&image);
    Line(painter, text, style, topLeft);
    return image;
}

// The names of the statistics, where the statistics screen puts its figures:
// rows 34 pixels apart from 7 down, as the high-score table's, each name standing
// on the foot line of the digits beside it.
QImage StatisticsText() {
    const QStringList names = {
        "ONE PLAYER GAMES", "TWO PLAYER GAMES", "BOARDS CLEARED", "BEST SCORE",    "AVERAGE SCORE",
        "GAMES WON",        "GAMES LOST",       "GAMES DRAWN",    "BIGGEST GROUP", "MINES SET OFF"};
    const int width = 300, rowPitch = 34, firstRow = 7, digitFoot = 24;
    TextStyle style{18};
    for (const QString& name : names) style = Fitted(name, style, width - 4);
    QImage image = Canvas(width, 341);
    QPainter painter(&image);
    for (int i = 0; i < names.size(); ++i)
        Line(painter, names[i], style, {2, firstRow + i * rowPitch + digitFoot - style.capHeight});
    return image;
}

QImage GameOver() {
    QImage image = Canvas(73, 42);
    QPainter painter(&image);
    CentredLine(painter, "GAME", {16}, 3, 73);
    CentredLine(painter, "OVER", {16}, 23, 73);
    return image;
}

}  // namespace

Assets LetterPictures() {
    Assets out;
    auto add = [&out](const QString& name, const QImage& image) {
        out.push_back(Gif("pictures/" + name + ".gif", image, Transparency::None));
    };
    for (int d = 0; d <= 9; ++d) add(QString("imgDigit%1").arg(d), Cell(QChar('0' + d)));
    add("imgDigit10", Cell('.'));
    add("imgEquals", Cell('='));  // between a group's size and its points
    for (int d = 0; d <= 9; ++d) add(QString("imgSmallDigit%1").arg(d), SmallCell(QChar('0' + d)));
    add("pctAlphabet0", Cell('_'));
    for (int k = 1; k <= 26; ++k) add(QString("pctAlphabet%1").arg(k), Cell(QChar('A' + k - 1)));

    add("pctQuabe", Logo());
    add("pctAboutText", AboutText());
    add("pctHelpText", HelpText());
    add("pctGameOver", GameOver());
    add("pctStatisticsText", StatisticsText());

    // The option labels share one size and, placed where the options screen puts
    // them (four pixels right of a YES, so a focus ring round it stays clear), their
    // words start at the same x on screen and stand level with the toggles.
    const TextStyle toggle{17};
    add("pctYes", Words({50, 25}, "YES", toggle, {3, 4}));
    add("pctNo", Words({38, 25}, "NO", toggle, {3, 4}));
    struct Label {
        const char* name;
        const char* text;
        QSize size;
        int rise;  // how far above its toggle the picture stands
    };
    const Label labels[] = {{"pctRowShifts", "ROW SHIFTS", {171, 27}, 0},
                            {"pctColumnShifts", "COLUMN SHIFTS", {171, 30}, 2},
                            {"pctMines", "MINES", {171, 23}, 0},
                            {"pctFlash", "FLASH PIECES", {163, 22}, 0}};
    const QPointF textStart(4, 4);  // from the picture's corner, for a label that does not rise
    TextStyle style = toggle;
    for (const Label& l : labels) style = Fitted(l.text, style, l.size.width() - textStart.x() - 1);
    for (const Label& l : labels)
        add(l.name, Words(l.size, l.text, style, textStart + QPointF(0, l.rise)));
    return out;
}

}  // namespace artwork
