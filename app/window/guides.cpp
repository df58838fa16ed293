// What the game explains of itself beside the board: the worth of the group the
// player points at, whose each score row is, which events are on, the hint on the
// empty board of a new start, and the moment a board is cleared. Made with the
// window; each only ever shows the shipped artwork.
#include <QPainter>

#include "accessibility.h"
#include "board_cursor.h"
#include "board_pointer.h"
#include "main_window.h"

namespace quabe {

namespace {

using Kind = PictureBox::Kind;
constexpr bool kShown = true, kHidden = false;
constexpr bool kHand = true, kArrow = false;
constexpr int kClearedMs = 1500;

// The worth sits under the scores, its units in their units column.
const QRect kGroupWorth(560, 146, 122, 56);
constexpr int kUnitsX = 100, kCellStep = 20, kLineHeight = 28;

// Characters from the units leftwards, each over the margin of the one to its right.
void PaintRightAligned(QPainter& painter, const Graphics& graphics, const QString& text, int y) {
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[text.size() - 1 - i];
        painter.drawPixmap(kUnitsX - kCellStep * i, y,
                           ch == '=' ? *graphics.Equals : graphics.Digits[ch.digitValue()]);
    }
}

// The size on the first line, "=" and the points on the second: "5" over "= 22".
QPixmap GroupWorthPicture(const Graphics& graphics, int size) {
    QPixmap picture(kGroupWorth.size());
    picture.fill(Qt::black);
    QPainter painter(&picture);
    PaintRightAligned(painter, graphics, QString::number(size), 0);
    PaintRightAligned(painter, graphics, '=' + QString::number(Points(size)), kLineHeight);
    return picture;
}

QRect CentredOnBoard(const QWidget& board, QSize size) {
    const QRect on = board.geometry();
    return {on.x() + (on.width() - size.width()) / 2, on.y() + (on.height() - size.height()) / 2,
            size.width(), size.height()};
}

}  // namespace

void MainWindow::CreateGuides() {
    pctGroupWorth = Place(Kind::FitsPicture, nullptr, kGroupWorth, kHidden, kArrow);
    pctRowMark[0] =
        Place(Kind::FitsPicture, "pctMarkPlayer.gif", {552, 86, 10, 22}, kHidden, kArrow);
    pctRowMark[1] =
        Place(Kind::FitsPicture, "pctMarkComputer.gif", {552, 112, 10, 22}, kHidden, kArrow);
    pctEventMarks = Place(Kind::FitsPicture, nullptr, {630, 353, 32, 32}, kShown, kArrow);

    // Over the board: the outline of the pointed group first, then what may cover it.
    boardOverlay = new BoardOverlay(this, *pctBoard, game, boardCursor, boardPointer);
    pctStartHint = Place(Kind::FitsPicture, "pctStartHint.gif",
                         CentredOnBoard(*pctBoard, {400, 100}), kShown, kArrow);
    pctBoardCleared = Place(Kind::FitsPicture, "pctBoardCleared.gif",
                            CentredOnBoard(*pctBoard, {300, 72}), kHidden, kArrow);
    // Presses go through to the board: a press during the moment is a move.
    for (QWidget* cover : {static_cast<QWidget*>(boardOverlay), static_cast<QWidget*>(pctStartHint),
                           static_cast<QWidget*>(pctBoardCleared)})
        cover->setAttribute(Qt::WA_TransparentForMouseEvents);

    pctWinner = Place(Kind::FitsPicture, nullptr, {572, 192, 110, 16}, kHidden, kArrow);
    pctClickToGoOn =
        Place(Kind::FitsPicture, "pctClickToGoOn.gif", {572, 210, 110, 14}, kHidden, kHand);
    connect(pctClickToGoOn, &PictureBox::clicked, this, &MainWindow::pctGameOver_Click);

    boardCleared_.setSingleShot(true);
    boardCleared_.setInterval(kClearedMs);
    connect(&boardCleared_, &QTimer::timeout, this, &MainWindow::EndBoardCleared);
    boardPointer_ = std::make_unique<BoardPointer>(*this);
}

void MainWindow::ShowPointedGroup() {
    const BoardCursor* at =
        pctBoard->isVisible() ? PointedCell(game, boardCursor, boardPointer) : nullptr;
    const int size = at ? GroupSizeAt(game, at->Row, at->Col) : 0;
    const int worth = size >= 2 ? size : 0;  // a lone piece is worth nothing
    if (worth != PointedGroup) {
        PointedGroup = worth;
        if (worth != 0) pctGroupWorth->SetPicture(GroupWorthPicture(graphics, worth));
        pctGroupWorth->setVisible(worth != 0);
        NameGuides(*this);
    }
    // Only the strips that change are painted again: painting the board asks again.
    const QRegion frames = boardOverlay->Frames();
    if (frames != outlined_) {
        boardOverlay->update(frames + outlined_);
        outlined_ = frames;
    }
}

void MainWindow::ShowBoardCleared() {
    pctBoardCleared->show();
    boardCleared_.start();
    NameGuides(*this);
}

void MainWindow::EndBoardCleared() {
    boardCleared_.stop();
    pctBoardCleared->hide();
}

// The marks of the events that are on, each in its own corner of the slot beside
// the Events button: row shifts, column shifts; mines, flash.
void MainWindow::ShowEventMarks() {
    const bool on[4] = {settings.RowShifts, settings.ColumnShifts, settings.Mines, settings.Flash};
    QPixmap marks(32, 32);
    marks.fill(Qt::black);
    QPainter painter(&marks);
    for (int i = 0; i < 4; ++i) {
        if (on[i]) painter.drawPixmap(1 + 16 * (i % 2), 1 + 16 * (i / 2), *graphics.EventMarks[i]);
    }
    painter.end();
    pctEventMarks->SetPicture(marks);
}

// In a two-player game each score row shows whose it is.
void MainWindow::ShowRowMarks() {
    for (int row = 0; row < 2; ++row)
        pctRowMark[row]->setVisible(game.TwoPlayers && !imgScore[row * 6]->isHidden());
}

}  // namespace quabe
