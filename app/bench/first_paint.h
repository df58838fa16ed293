#pragma once
// Shows a window, waits for its first paint to reach the screen, prints how long
// that took from the start of main, and ends the process.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace quabe::bench {

class FirstPaint : public QObject {
  public:
    explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The paint is flushed when the event returns; leave right after that.
            QTimer::singleShot(0, [this] {
                std::printf("first paint after %lld ms\n",
                            static_cast<long long>(clock_.elapsed()));
                QCoreApplication::quit();
            });
        }
        return false;
    }

  private:
    const QElapsedTimer& clock_;
    bool seen_ = false;
};

inline int RunUntilFirstPaint(QApplication& app, QWidget& window, const QElapsedTimer& clock) {
    FirstPaint watcher(clock);
    window.installEventFilter(&watcher);
    window.show();
    return app.exec();
}

}  // namespace quabe::bench
