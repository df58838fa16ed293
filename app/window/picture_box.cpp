#include "picture_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "graphics.h"

namespace quabe {

namespace {

int ButtonNumber(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

}  // namespace

// A box covers its whole rectangle, yet does not say so (Qt::WA_OpaquePaintEvent): the
// window then paints its frame in one plain copy rather than blending it, strip by strip
// on helper threads, round every box.
PictureBox::PictureBox(QWidget* parent, Kind kind) : QWidget(parent), kind_(kind) {}

void PictureBox::SetPicture(const QPixmap& picture) {
    source_.clear();
    picture_ = picture;
    if (kind_ != Kind::Box && !picture_.isNull()) resize(picture_.size());
    update();
}

void PictureBox::SetPictureSource(const QString& name, QSize expected) {
    source_ = name;
    expected_ = expected;
    if (isVisible()) LoadSource();
}

const QPixmap& PictureBox::Picture() {
    LoadSource();
    return picture_;
}

void PictureBox::LoadSource() {
    if (!source_.isEmpty()) SetPicture(LoadPicture(std::exchange(source_, {}), expected_));
}

void PictureBox::showEvent(QShowEvent* event) {
    LoadSource();
    QWidget::showEvent(event);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (kind_ != Kind::Image) painter.fillRect(rect(), Qt::black);
    if (!picture_.isNull()) painter.drawPixmap(0, 0, picture_);
}

// Every press is taken here, so that a press on any picture never reaches the
// window underneath and starts a drag.
void PictureBox::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) leftDown_ = true;
    if (int button = ButtonNumber(event->button())) emit mouseDown(button, event->position());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !leftDown_) return;
    leftDown_ = false;
    if (rect().contains(event->position().toPoint())) emit clicked();
}

// A picture that has the focus is clicked with Space or Enter, as a button is.
void PictureBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        event->accept();
        if (!event->isAutoRepeat()) Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// Qt hands the focus of a picture being hidden to the next picture in the Tab order,
// which a screen change is about to hide as well: each hand-over is a focus change a
// screen reader announces. A hidden picture keeps the focus instead, without telling
// anyone, until the screen that opens gives it to its own first picture.
bool PictureBox::focusNextPrevChild(bool next) {
    if (isHidden()) return true;
    return QWidget::focusNextPrevChild(next);
}

DrawingBox::DrawingBox(QWidget* parent, QSize size) : PictureBox(parent, Kind::Box) {
    resize(size);
    SetImageSize(size);
}

void DrawingBox::SetImageSize(QSize size) {
    imageSize_ = size;
    image_ = QImage();
    update();
}

QImage& DrawingBox::Drawn() {
    if (image_.isNull()) {
        image_ = QImage(imageSize_, QImage::Format_RGB32);
        image_.fill(Qt::black);
    }
    return image_;
}

void DrawingBox::Fill(QRgb rgb) {
    Drawn().fill(QColor(rgb));
}

void DrawingBox::PaintPicture(const QImage& picture, int x, int y) {
    QPainter painter(&Drawn());
    painter.drawImage(UnitsToPixels(x), UnitsToPixels(y), picture);
}

void DrawingBox::PaintPicture(const QPixmap& picture, int x, int y) {
    QPainter painter(&Drawn());
    painter.drawPixmap(UnitsToPixels(x), UnitsToPixels(y), picture);
}

void DrawingBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!image_.isNull()) painter.drawImage(event->rect().topLeft(), image_, event->rect());
}

void DrawingBox::keyPressEvent(QKeyEvent* event) {
    if (int code = KeyCode(event->key(), event->text())) {
        emit keyPressed(code);
        event->accept();
    } else {
        QWidget::keyPressEvent(event);
    }
}

int KeyCode(int key, const QString& text) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return 13;
    if (key == Qt::Key_Backspace) return 8;
    return text.isEmpty() ? 0 : text.front().unicode();
}

}  // namespace quabe
