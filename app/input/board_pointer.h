#pragma once
// Follows the mouse pointer over the board, so that the group under it can be
// outlined and its worth shown. Only the pointer's movements and the board's own
// changes wake it: nothing runs while the player does nothing.
#include <QObject>
#include <QTimer>

namespace quabe {

class MainWindow;

class BoardPointer : public QObject {
  public:
    explicit BoardPointer(MainWindow& window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PointAt(QPointF position);  // in the board's pixels

    MainWindow& w_;
    QTimer boardChanged_;  // asks once a move, a shift or a screen change is over
};

}  // namespace quabe
