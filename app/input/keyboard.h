#pragma once
// Playing from the keyboard: the board cursor and the keys that act on its cell,
// the window's command keys, and the focus that Tab moves through the pictures
// that can be clicked, with a ring round the focused one.
#include <QObject>
#include <QTimer>
#include <vector>

class QKeyEvent;

namespace quabe {

class FocusRing;
class MainWindow;
class PictureBox;

class Keyboard : public QObject {
  public:
    explicit Keyboard(MainWindow& window);

    // A picture made after the window, when its screen was first wanted: it joins
    // the Tab order after `after`, and its keys are handled as every other's.
    void Adopt(PictureBox* stop, QWidget* after);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void AddCommandKeys();
    bool OnMainScreen() const;
    bool ArrowKey(QKeyEvent& key);
    bool BoardKey(QKeyEvent& key);
    bool ListKey(QObject* watched, QKeyEvent& key);
    void ReadLine(QWidget* list, int line);
    void CursorChanged();
    void FocusFirstStop(bool anyStop = false);
    void KeysInUse(bool inUse);
    void PlaceRing();

    MainWindow& w_;
    std::vector<PictureBox*> stops_;  // the Tab order, each screen's hidden ones skipped
    FocusRing* ring_;
    bool keysInUse_ = false;  // the ring shows from a key press to the next mouse press
    QTimer naming_;           // names the board and the scores once a repaint is over
};

}  // namespace quabe
