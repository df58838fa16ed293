// The pictures that explain the game to its player: the sign of a pointed group's
// worth, who won, the invitation to click on, the hint on the first empty board,
// the moment a board is cleared, the how-to-play page with its words, what each
// event does, and the small marks of whose score row is whose and of the events
// that are on. Every word is in the game's one lettering.
#include <QPainter>
#include <QPainterPath>

#include <vector>

#include "artwork.h"
#include "lettering.h"

namespace artwork {
namespace {

constexpr int kUnderGameOver = 110;  // centred under GAME OVER, within the side panel
constexpr int kMark = 14;            // an event mark: four share a button's 32-pixel slot

QImage CentredWords(QSize size, const QString& text, double capHeight, double top) {
    QImage image = Canvas(size.width(), size.height());
    QPainter painter(&image);
    CentredLine(painter, text, Fitted(text, {capHeight}, size.width() - 4), top, size.width());
    return image;
}

QImage LeftWords(QSize size, const QString& text, double capHeight) {
    QImage image = Canvas(size.width(), size.height());
    QPainter painter(&image);
    Line(painter, text, Fitted(text, {capHeight}, size.width() - 2), {1, 2});
    return image;
}

// The pointer and its group are gone once the board is cleared; this says why.
QImage BoardCleared() {
    QImage image = Plate(300, 72);
    QPainter painter(&image);
    CentredLine(painter, "BOARD CLEARED", Fitted("BOARD CLEARED", {24}, 270), 13, 300);
    CentredLine(painter, "THE SCORE IS KEPT", {10}, 48, 300);
    return image;
}

// The empty board of a new start: the New button as it stands in the side panel.
QImage StartHint() {
    const int width = 400;
    QImage image = Plate(width, 100);
    QPainter painter(&image);
    const TextStyle big{16};
    const double gap = 8;
    const double left = TextWidth("CLICK", big), right = TextWidth("TO DEAL A BOARD", big);
    const double x = std::round((width - (left + right + 32 + 2 * gap)) / 2);
    Line(painter, "CLICK", big, {x, 17});
    painter.drawImage(QPointF(x + left + gap, 9), PlayButton());
    Line(painter, "TO DEAL A BOARD", big, {x + left + 32 + 2 * gap, 17});
    CentredLine(painter, "OR PRESS CTRL+N", {11}, 52, width);
    CentredLine(painter, "F1: HOW TO PLAY", {11}, 74, width);
    return image;
}

// The about screen's way to the how-to-play page, led by the Help button's picture.
QImage HowToPlayLink() {
    QImage image = Canvas(180, 32);
    QPainter painter(&image);
    painter.drawImage(0, 0, HelpButton());
    Line(painter, "HOW TO PLAY", Fitted("HOW TO PLAY", {14}, 180 - 42), {42, 9});
    return image;
}

// Event marks, each alone in its corner of the slot beside the Events button.
QPainterPath Arrow(bool down) {
    QPainterPath arrow;
    arrow.moveTo(5, 1);
    arrow.lineTo(9, 1);
    arrow.lineTo(9, 7);
    arrow.lineTo(12.5, 7);
    arrow.lineTo(7, 13);
    arrow.lineTo(1.5, 7);
    arrow.lineTo(5, 7);
    arrow.closeSubpath();
    return down ? arrow : QTransform(0, 1, 1, 0, 0, 0).map(arrow);  // across the diagonal
}

QImage ShiftMark(bool rows) {
    QImage image = Canvas(kMark, kMark);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient blue(0, 0, kMark, kMark);
    blue.setColorAt(0, QColor(0xc0, 0xe8, 0xff));
    blue.setColorAt(1, QColor(0x20, 0x70, 0xf0));
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPath(Arrow(rows));
    return image;
}

// The mine on a faint red glow, so a mine this small still shows on black.
QImage MineMark() {
    QImage image = Canvas(kMark, kMark);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(7, 7), 7);
    glow.setColorAt(0.5, QColor(0xff, 0x50, 0x30, 150));
    glow.setColorAt(1, QColor(0xff, 0x50, 0x30, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(7, 7), 7, 7);
    p.drawImage(0, 0, MineBall(kMark));
    return image;
}

QImage FlashMark() {
    QImage image = Canvas(kMark, kMark);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath star;  // four long points and four short ones
    for (int i = 0; i < 8; ++i) {
        const double angle = M_PI * i / 4, reach = i % 2 ? 2.4 : 6.6;
        const QPointF at(7 + reach * std::sin(angle), 7 - reach * std::cos(angle));
        i == 0 ? star.moveTo(at) : star.lineTo(at);
    }
    star.closeSubpath();
    QRadialGradient glow(QPointF(7, 7), 6.6);
    glow.setColorAt(0, QColor(0xff, 0xff, 0xf0));
    glow.setColorAt(1, QColor(0xff, 0xc8, 0x20));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawPath(star);
    return image;
}

// Whose score a row is: a light tab set in the bar beside it, with a person or a
// computer in the game's purple, so it never reads as one more digit.
QImage RowMark(bool computer) {
    QImage image = Canvas(10, 22);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient light(0, 0, 10, 0);
    light.setColorAt(0, QColor(0xff, 0xff, 0xff));
    light.setColorAt(1, QColor(0xb8, 0xb8, 0xc8));
    p.setPen(QPen(QColor(0x4c, 0x4c, 0x58), 0.8));
    p.setBrush(light);
    p.drawRoundedRect(QRectF(0.4, 0.4, 9.2, 21.2), 2.5, 2.5);
    QLinearGradient purple(0, 4, 0, 18);
    purple.setColorAt(0, QColor(0xb8, 0x5c, 0xf0));
    purple.setColorAt(1, QColor(0x5a, 0x16, 0x90));
    p.setPen(Qt::NoPen);
    p.setBrush(purple);
    if (!computer) {
        p.drawEllipse(QPointF(5, 7.2), 2.5, 2.5);
        p.drawRoundedRect(QRectF(1.4, 10.8, 7.2, 7), 2.6, 2.6);
        return image;
    }
    p.drawRoundedRect(QRectF(1, 5, 8, 7.5), 1, 1);  // a monitor on its stand
    p.setBrush(QColor(0x30, 0x90, 0xe8));
    p.drawRect(QRectF(2.2, 6.2, 5.6, 5.1));
    p.setBrush(purple);
    p.drawRect(QRectF(4.2, 12.5, 1.6, 2));
    p.drawRoundedRect(QRectF(2, 14.3, 6, 1.6), 0.8, 0.8);
    return image;
}

// The how-to-play page: a heading for each part on the left, its lines beside.
// A line whose signs a reader would spell out says the same in words to the ear.
struct PageLine {
    PageLine(const char* words, QImage eventMark = {}, const char* heard = nullptr)
        : text(words), mark(eventMark), spoken(heard ? heard : words) {}
    QString text;
    QImage mark;  // an event's mark before the line, if any
    QString spoken;
};
struct Part {
    QString heading;
    std::vector<PageLine> lines;
};

std::vector<Part> HowToPlayParts() {
    return {
        {"Aim",
         {{"Click two or more touching pieces alike to remove them."},
          {"Pieces above fall, empty columns close to the left."},
          {"Clear the board for a fresh one: the score is kept."},
          {"When no two touching pieces match, the game is over."}}},
        {"Scoring",
         {{"A group of n pieces scores n x (n - 1) + 2:",
           {},
           "A group of n pieces scores n times n minus 1, plus 2:"},
          {"2 = 4    3 = 8    4 = 14    5 = 22    10 = 92    20 = 382",
           {},
           "2 pieces score 4, 3 score 8, 4 score 14, 5 score 22, 10 score 92, 20 score 382."},
          {"Point at a group to see its worth beside the score;"},
          {"the right button makes it blink and moves nothing."}}},
        {"Computer",
         {{"With two players it answers each move of yours by"},
          {"taking the largest group. The higher score wins."}}},
        {"Events",
         {{"Row shifts: every 10 to 20 s the pieces roll down a row.", ShiftMark(true),
           "Row shifts: every 10 to 20 seconds the pieces roll down a row."},
          {"Column shifts: every 10 to 20 s the columns roll right.", ShiftMark(false),
           "Column shifts: every 10 to 20 seconds the columns roll right."},
          {"Mines: up to 11 hidden; one blasts 3 x 3 pieces, no points.", MineMark(),
           "Mines: up to 11 hidden; one blasts 3 by 3 pieces, no points."},
          {"Flash pieces: a group blinks before it goes.", FlashMark()},
          {"Set them under Options; they start with the next board."}}},
        {"Keys",
         {{"Arrows move the cursor, Space or Enter takes its group,"},
          {"Shift+Space makes it blink, Tab walks the buttons."},
          {"Ctrl+N new game, Ctrl+Z undo, Ctrl+H high scores,"},
          {"F1 this page, Esc back, Ctrl+Q quit."}}},
    };
}

QImage HowToPlayPage() {
    const int width = 538, body = 100, pitch = 16;
    QImage image = Canvas(width, 362);
    QPainter painter(&image);
    CentredLine(painter, "HOW TO PLAY", {18}, 8, width);
    const TextStyle heading{10}, text{8.5};
    double y = 42;
    for (const Part& part : HowToPlayParts()) {
        Line(painter, part.heading.toUpper(), heading, {10, y - 1});
        for (const PageLine& line : part.lines) {
            double x = body;
            if (!line.mark.isNull()) {
                painter.drawImage(QPointF(x, y - 3), line.mark);
                x += kMark + 6;
            }
            const QString words = line.text.toUpper();
            Line(painter, words, Fitted(words, text, width - 6 - x), {x, y});
            y += pitch;
        }
        y += 5;
    }
    return image;
}

// The page's words as a screen reader speaks them, one part a paragraph.
QByteArray HowToPlayWords() {
    QString words = "How to play\n";
    for (const Part& part : HowToPlayParts()) {
        words += "\n" + part.heading + ".";
        for (const PageLine& line : part.lines) words += " " + line.spoken;
        words += "\n";
    }
    return words.toUtf8();
}

}  // namespace

Assets GuidePictures() {
    Assets out;
    auto add = [&out](const QString& name, const QImage& image) {
        out.push_back(Gif("pictures/" + name + ".gif", image, Transparency::None));
    };
    add("pctYouWin", CentredWords({kUnderGameOver, 16}, "YOU WIN", 12, 2));
    add("pctComputerWins", CentredWords({kUnderGameOver, 16}, "COMPUTER WINS", 12, 2));
    add("pctDraw", CentredWords({kUnderGameOver, 16}, "DRAW", 12, 2));
    add("pctClickToGoOn", CentredWords({kUnderGameOver, 14}, "CLICK TO GO ON", 9, 2));
    add("pctBoardCleared", BoardCleared());
    add("pctStartHint", StartHint());
    add("pctHowToPlayLink", HowToPlayLink());
    add("pctHowToPlay", HowToPlayPage());
    out.push_back({"pictures/pctHowToPlay.txt", HowToPlayWords()});

    // One line under each switch of the options screen, and when they begin.
    const std::pair<const char*, const char*> notes[] = {
        {"pctRowShiftsNote", "EVERY 10 TO 20 S THE PIECES ROLL DOWN A ROW"},
        {"pctColumnShiftsNote", "EVERY 10 TO 20 S THE COLUMNS ROLL RIGHT"},
        {"pctMinesNote", "UP TO 11 HIDDEN MINES, EACH BLASTS 3 X 3"},
        {"pctFlashNote", "A GROUP BLINKS BEFORE IT GOES"},
    };
    for (const auto& [name, text] : notes) add(name, LeftWords({276, 14}, text, 9));
    add("pctNextBoardNote", LeftWords({336, 14}, "SHIFTS AND MINES START WITH THE NEXT BOARD", 9));

    add("pctMarkRowShifts", ShiftMark(true));
    add("pctMarkColumnShifts", ShiftMark(false));
    add("pctMarkMines", MineMark());
    add("pctMarkFlash", FlashMark());
    add("pctMarkPlayer", RowMark(false));
    add("pctMarkComputer", RowMark(true));
    return out;
}

}  // namespace artwork
