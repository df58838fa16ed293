// The round purple buttons of the side panel with their symbols, and the two
// pictures of a mine going off.
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include "artwork.h"
#include "lettering.h"

namespace artwork {
namespace {

const QPointF kCentre(16, 16);

QImage Disc() {
    QImage image = Canvas(32, 32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QRadialGradient body(kCentre, 15.5, QPointF(11, 9));
    body.setColorAt(0.0, QColor(0xd8, 0x9c, 0xff));
    body.setColorAt(0.5, QColor(0x92, 0x38, 0xd0));
    body.setColorAt(0.9, QColor(0x5a, 0x16, 0x90));
    body.setColorAt(1.0, QColor(0x38, 0x08, 0x5c));
    painter.setBrush(body);
    painter.drawEllipse(kCentre, 15.5, 15.5);
    // A polished rim: lit at the top, a faint gleam at the bottom.
    QLinearGradient rim(0, 0, 0, 32);
    rim.setColorAt(0.0, QColor(255, 255, 255, 140));
    rim.setColorAt(0.5, QColor(255, 255, 255, 0));
    rim.setColorAt(1.0, QColor(255, 255, 255, 50));
    painter.setPen(QPen(QBrush(rim), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(kCentre, 14.6, 14.6);
    return image;
}

// Draws a symbol with a dark drop shadow so it stands out on the disc.
void Raised(QPainter& painter, const QPainterPath& shape, const QBrush& fill) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x20, 0x04, 0x38, 170));
    painter.drawPath(shape.translated(0.9, 1.1));
    painter.setBrush(fill);
    painter.drawPath(shape);
}

QPainterPath Stroked(const QPainterPath& line, double width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(line).simplified();
}

QLinearGradient Vertical(QColor top, QColor bottom, double y0 = 6, double y1 = 26) {
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QPainterPath Cross(double reach, double width, QPointF centre = kCentre) {
    QPainterPath lines;
    lines.moveTo(centre + QPointF(-reach, -reach));
    lines.lineTo(centre + QPointF(reach, reach));
    lines.moveTo(centre + QPointF(reach, -reach));
    lines.lineTo(centre + QPointF(-reach, reach));
    return Stroked(lines, width);
}

using Symbol = void (*)(QPainter&);

QImage Button(Symbol symbol) {
    QImage image = Disc();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    symbol(painter);
    return image;
}

void Play(QPainter& p) {
    QPainterPath triangle;
    triangle.moveTo(12.5, 9);
    triangle.lineTo(23, 16);
    triangle.lineTo(12.5, 23);
    triangle.closeSubpath();
    const QPainterPath shape = Stroked(triangle, 2).united(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));  // a lit lower edge cut into the disc
    p.drawPath(shape.translated(0.7, 0.9));
    p.setBrush(Vertical(QColor(0x1c, 0x04, 0x30), QColor(0x3a, 0x0e, 0x5a)));
    p.drawPath(shape);
}

void WasteBin(QPainter& p) {
    QPainterPath bin;
    bin.moveTo(10.5, 12.5);
    bin.lineTo(21.5, 12.5);
    bin.lineTo(20.3, 25);
    bin.lineTo(11.7, 25);
    bin.closeSubpath();
    bin.addRoundedRect(QRectF(9, 9.5, 14, 2.4), 1, 1);
    bin.addRoundedRect(QRectF(13.5, 7.5, 5, 2.5), 1, 1);
    Raised(p, bin.simplified(),
           Vertical(QColor(0x9c, 0xff, 0x8c), QColor(0x1c, 0x8c, 0x24), 8, 25));
    p.setPen(QPen(QColor(0x10, 0x5c, 0x18), 1.1, Qt::SolidLine, Qt::RoundCap));
    for (double x : {13.7, 16.0, 18.3}) p.drawLine(QPointF(x, 15), QPointF(x, 22.5));
}

void ListSheet(QPainter& p) {
    QPainterPath sheet;
    sheet.addRoundedRect(QRectF(9.5, 6.5, 13, 19), 1.5, 1.5);
    Raised(p, sheet, Vertical(QColor(0xff, 0xff, 0xff), QColor(0xdc, 0xd8, 0xe8)));
    p.setPen(QPen(QColor(0xf0, 0xb8, 0x00), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 5; ++i) {
        const double y = 10 + i * 3.3;
        p.drawLine(QPointF(12, y), QPointF(i == 4 ? 16.5 : 20, y));
    }
}

// Three bars rising from a foot line: the statistics.
void BarChart(QPainter& p) {
    QPainterPath bars;
    const double foot = 24;
    const struct { double x, height; } columns[] = {{8.5, 7}, {13.8, 11.5}, {19.1, 16}};
    for (const auto& c : columns)
        bars.addRoundedRect(QRectF(c.x, foot - c.height, 4.4, c.height), 1, 1);
    bars.addRoundedRect(QRectF(7.5, foot - 0.2, 17, 1.8), 0.9, 0.9);
    Raised(p, bars.simplified(),
           Vertical(QColor(0xff, 0xf0, 0x90), QColor(0xf0, 0x78, 0x10), foot - 16, foot));
}

void Zigzag(QPainter& p) {
    QPainterPath line;
    line.moveTo(7.5, 19.5);
    line.lineTo(11.8, 11.5);
    line.lineTo(16, 20.5);
    line.lineTo(20.2, 11.5);
    line.lineTo(24.5, 19.5);
    Raised(p, Stroked(line, 3.2),
           Vertical(QColor(0x9c, 0xd4, 0xff), QColor(0x14, 0x5c, 0xe8), 11, 21));
}

void Flasks(QPainter& p) {
    QPainterPath conical;  // a conical flask with a narrow neck
    conical.moveTo(11.5, 7.5);
    conical.lineTo(15.5, 7.5);
    conical.lineTo(15.5, 13);
    conical.lineTo(20, 24);
    conical.lineTo(7, 24);
    conical.lineTo(11.5, 13);
    conical.closeSubpath();
    QPainterPath tube;  // and a test tube beside it
    tube.addRoundedRect(QRectF(20.5, 9, 4, 15), 2, 2);
    const QPainterPath glass = Stroked(conical, 1.4).united(conical).united(tube);
    Raised(p, glass, QColor(0xe8, 0xf4, 0xff));
    QPainterPath liquid;
    liquid.moveTo(9.6, 18);
    liquid.lineTo(17.4, 18);
    liquid.lineTo(19.2, 23.2);
    liquid.lineTo(7.8, 23.2);
    liquid.closeSubpath();
    p.setBrush(Vertical(QColor(0xb0, 0xff, 0x40), QColor(0x30, 0xb0, 0x10), 18, 24));
    p.drawPath(liquid);
    p.setBrush(Vertical(QColor(0xff, 0x90, 0xd0), QColor(0xd0, 0x20, 0x80), 15, 24));
    p.drawRoundedRect(QRectF(21.2, 15, 2.6, 8.3), 1.3, 1.3);
    p.setBrush(QColor(255, 255, 255, 200));  // bubbles
    p.drawEllipse(QPointF(12.5, 16), 0.9, 0.9);
    p.drawEllipse(QPointF(14.2, 13.8), 0.6, 0.6);
}

void Question(QPainter& p) {
    const QPainterPath mark = TextPath("?", {19}).translated(10.2, 6.5);
    Raised(p, mark, Vertical(QColor(0xff, 0xff, 0xff), QColor(0xff, 0xe0, 0x70), 6, 26));
}

void ExitCross(QPainter& p) {
    Raised(p, Cross(6.2, 3.6), Vertical(QColor(0xff, 0xff, 0xff), QColor(0xff, 0xa0, 0xa8)));
}

void Tick(QPainter& p) {
    QPainterPath line;
    line.moveTo(9, 16.5);
    line.lineTo(14, 21.5);
    line.lineTo(23.5, 10);
    Raised(p, Stroked(line, 3.8),
           Vertical(QColor(0xc8, 0xff, 0xb0), QColor(0x28, 0xc0, 0x30), 10, 22));
}

QPainterPath Person(QPointF head, double scale) {
    QPainterPath person;
    person.addEllipse(head, 3.4 * scale, 3.4 * scale);
    QPainterPath body;
    const double w = 6.3 * scale, top = head.y() + 4.3 * scale, h = 7 * scale;
    body.addRoundedRect(QRectF(head.x() - w, top, 2 * w, h * 1.6), w * 0.9, w * 0.9);
    QPainterPath disc;
    disc.addEllipse(kCentre, 14.2, 14.2);
    return person.united(body.intersected(disc));
}

const QBrush kWhite = QBrush(Vertical(QColor(0xff, 0xff, 0xff), QColor(0xd8, 0xd0, 0xe8)));

void OnePlayer(QPainter& p) {
    Raised(p, Person({16, 11.5}, 1.0), kWhite);
}

void TwoPlayers(QPainter& p) {
    Raised(p, Person({20.3, 11}, 0.85),
           Vertical(QColor(0xe0, 0xd8, 0xf0), QColor(0xa8, 0x9c, 0xc0)));
    Raised(p, Person({12.2, 12.8}, 0.9), kWhite);
}

QPainterPath Note() {
    QPainterPath note;
    QTransform tilt;
    tilt.translate(12.5, 21.5);
    tilt.rotate(-22);
    QPainterPath head;
    head.addEllipse(QPointF(0, 0), 4.0, 2.9);
    note.addPath(tilt.map(head));
    note.addRect(QRectF(15.2, 7, 1.9, 14.5));
    QPainterPath flag;
    flag.moveTo(17, 7);
    flag.cubicTo(18, 11, 23.5, 11, 21.5, 17.5);
    flag.cubicTo(21.5, 13.5, 19, 13, 17, 12.5);
    flag.closeSubpath();
    note.addPath(flag);
    note.setFillRule(Qt::WindingFill);
    return note.simplified();
}

void SoundOn(QPainter& p) {
    Raised(p, Note(), Vertical(QColor(0xe0, 0xf6, 0xff), QColor(0x30, 0x8c, 0xff), 7, 25));
}

void SoundOff(QPainter& p) {
    SoundOn(p);
    // Crossed through stem and flag, leaving the note's head in view.
    Raised(p, Cross(6, 2.4, {17.5, 14.5}),
           Vertical(QColor(0xff, 0x80, 0x70), QColor(0xd0, 0x10, 0x10)));
}

QImage Fire() {
    QImage image = Canvas(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    // Three tongues, each a red outer flame round an orange and a yellow core.
    struct Tongue {
        double x, height, width;
    };
    const Tongue tongues[] = {{9, 18, 7}, {23, 20, 7}, {16, 28, 10}};
    const QColor layers[] = {QColor(0xd8, 0x14, 0x08), QColor(0xff, 0x78, 0x10),
                             QColor(0xff, 0xe0, 0x30), QColor(0xff, 0xfc, 0xd0)};
    for (const Tongue& t : tongues) {
        for (int i = 0; i < 4; ++i) {
            const double k = 1 - i * 0.24, base = 31 - i * 1.6;
            const double w = t.width * k, h = t.height * k;
            QPainterPath flame;
            flame.moveTo(t.x + w * 0.15, base - h);
            flame.cubicTo(t.x + w * 0.4, base - h * 0.6, t.x + w * 1.05, base - h * 0.45,
                          t.x + w * 0.8, base - h * 0.12);
            flame.cubicTo(t.x + w * 0.6, base + 0.5, t.x - w * 0.6, base + 0.5, t.x - w * 0.8,
                          base - h * 0.12);
            flame.cubicTo(t.x - w * 1.0, base - h * 0.4, t.x - w * 0.2, base - h * 0.55,
                          t.x + w * 0.15, base - h);
            p.setBrush(layers[i]);
            p.drawPath(flame);
        }
    }
    return image;
}

void DrawMine(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x50, 0x5c, 0x70), 2.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const double a = M_PI * i / 4;
        p.drawLine(kCentre + QPointF(9 * std::cos(a), 9 * std::sin(a)),
                   kCentre + QPointF(13.8 * std::cos(a), 13.8 * std::sin(a)));
    }
    p.setPen(Qt::NoPen);
    QRadialGradient ball(kCentre, 10.5, QPointF(12.5, 12));
    ball.setColorAt(0.0, QColor(0x8c, 0x9c, 0xb8));
    ball.setColorAt(0.5, QColor(0x3c, 0x48, 0x60));
    ball.setColorAt(1.0, QColor(0x14, 0x18, 0x24));
    p.setBrush(ball);
    p.drawEllipse(kCentre, 10.5, 10.5);
    QRadialGradient gloss(QPointF(12.5, 11.5), 4.5);
    gloss.setColorAt(0, QColor(255, 255, 255, 230));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawEllipse(QPointF(12.5, 11.5), 4.5, 3.8);
}

QImage Mine() {
    QImage image = Canvas(32, 32);
    QPainter p(&image);
    DrawMine(p);
    return image;
}

}  // namespace

QImage PlayButton() {
    return Button(Play);
}

QImage HelpButton() {
    return Button(Question);
}

QImage MineBall(int size) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.scale(size / 32.0, size / 32.0);
    DrawMine(p);
    return image;
}

Assets ButtonPictures() {
    struct Entry {
        const char* name;
        Symbol symbol;
        bool transparent;
    };
    const Entry buttons[] = {
        {"pctNew", Play, true},
        {"pctUndo", WasteBin, true},
        {"pctHighScores", ListSheet, false},
        {"pctSet", Zigzag, false},
        {"pctEvents", Flasks, true},
        {"pctHelp", Question, true},
        {"pctExit", ExitCross, true},
        {"pctReset", ExitCross, true},
        {"pctOk", Tick, true},
        {"pctStatistics", BarChart, true},
        {"pct1Player", OnePlayer, false},
        {"pct2Player", TwoPlayers, false},
        {"pctSoundOn", SoundOn, true},
        {"pctSoundOff", SoundOff, false},
    };
    Assets out;
    for (const Entry& b : buttons)
        out.push_back(Gif(QString("pictures/%1.gif").arg(b.name), Button(b.symbol),
                          b.transparent ? Transparency::Clear : Transparency::None));
    out.push_back(Gif("pictures/pctFire.gif", Fire(), Transparency::None));
    out.push_back(Gif("pictures/pctMine.gif", Mine(), Transparency::None));
    return out;
}

}  // namespace artwork
