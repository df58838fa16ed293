#pragma once
// Shows a window, waits for its first paint to reach the screen, prints how long
// that took from the start of main, the processor time and the page faults the
// process had taken by then (from its very start, the loader's work included),
// and ends the process.
#include <sys/resource.h>

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
                const double ms = clock_.nsecsElapsed() / 1e6;
                rusage use{};
                getrusage(RUSAGE_SELF, &use);
                std::printf("first paint after %.1f ms\n", ms);
                std::printf("processor time %.1f ms user %.1f ms system, %ld minor faults\n",
                            Milliseconds(use.ru_utime), Milliseconds(use.ru_stime),
                            use.ru_minflt);
                QCoreApplication::quit();
            });
        }
        return false;
    }

  private:
    static double Milliseconds(const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; }

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
