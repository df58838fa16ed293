// The yardstick: the least a Qt Widgets program does to show one frameless
// 690 x 458 window with one picture.
#include <QPainter>
#include <QPixmap>

#include "first_paint.h"

namespace {

class PictureWindow : public QWidget {
  public:
    PictureWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        setFixedSize(690, 458);
        picture_ = QPixmap(QStringLiteral(":/pictures/frmMain.gif"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.drawPixmap(0, 0, picture_);
    }

  private:
    QPixmap picture_;
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    PictureWindow window;
    return quabe::bench::RunUntilFirstPaint(app, window, clock);
}
