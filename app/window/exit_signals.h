#pragma once
// Turns the session's termination signals (SIGTERM, SIGINT, SIGHUP) into a Qt
// signal delivered by the event loop, so that leaving that way saves like the
// close command does. The handler only writes a byte to a pipe.
#include <QObject>

class QSocketNotifier;

namespace quabe {

class ExitSignals : public QObject {
    Q_OBJECT
  public:
    explicit ExitSignals(QObject* parent = nullptr);
    ~ExitSignals() override;

  signals:
    void requested(int signalNumber);

  private:
    void Drain();
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace quabe
