// Every key does what a click or a press on the board already does, through the
// same handlers, so the keys bring no rules of their own.
#include "keyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>
#include <algorithm>

#include "accessibility.h"
#include "board_cursor.h"
#include "deals.h"
#include "main_window.h"
#include "read_lists.h"
#include "spoken_words.h"
#include "statistics_screen.h"

namespace quabe {

// The ring round the focused picture: two pixels wide, one pixel clear of it. It
// lies beneath every picture, so it can only ever show in the margins between
// them. (QFocusFrame stacks itself just below the focused widget, above pictures
// made before it, and would cover an option toggle's neighbour by a pixel.) Round
// the line being read of a list it lies above the list, within it.
class FocusRing : public QWidget {
  public:
    explicit FocusRing(QWidget* window) : QWidget(window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

    void Surround(const QRect& picture, bool above = false) {
        setGeometry(picture.adjusted(-kReach, -kReach, kReach, kReach));
        if (above) {
            raise();
        } else {
            lower();
        }
        show();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        const QRect inner = rect().adjusted(kWidth, kWidth, -kWidth, -kWidth);
        QPainter painter(this);
        for (const QRect& strip : QRegion(rect()) - QRegion(inner))
            painter.fillRect(strip, Qt::white);
    }

  private:
    static constexpr int kWidth = 2;
    static constexpr int kReach = kWidth + 1;
};

namespace {

bool Plain(const QKeyEvent& key) {
    return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool ClickIfShown(PictureBox* box) {
    if (!box || !box->isVisible()) return false;
    box->Click();
    return true;
}

}  // namespace

Keyboard::Keyboard(MainWindow& window) : w_(window) {
    stops_ = {w_.pctBoard,
              w_.pctNew,
              w_.pctSound,
              w_.pctUndo,
              w_.pctHighScores,
              w_.pctSet,
              w_.pctPlayers,
              w_.pctEvents,
              w_.pctHelp,
              w_.pctExit,
              w_.pctRowShiftsSelection,
              w_.pctColumnShiftsSelection,
              w_.pctMinesSelection,
              w_.pctFlashSelection,
              w_.pctGameOver,
              w_.pctAboutText,
              w_.pctOk,
              w_.pctReset,
              w_.pctStatistics,
              w_.pctMinimizeIcon,
              w_.pctExitIcon};
    // The table is read row by row before its OK; while a name is typed, it keeps Tab.
    stops_.insert(std::find(stops_.begin(), stops_.end(), w_.pctOk), w_.pctHighScore);
    for (PictureBox* stop : stops_) stop->setFocusPolicy(Qt::TabFocus);
    // A toggle takes the focus when clicked too, as a check box does, so that a
    // reader tells its new state however it was switched.
    for (PictureBox* toggle :
         {w_.pctSound, w_.pctPlayers, w_.pctRowShiftsSelection, w_.pctColumnShiftsSelection,
          w_.pctMinesSelection, w_.pctFlashSelection})
        toggle->setFocusPolicy(Qt::StrongFocus);
    for (size_t i = 1; i < stops_.size(); ++i) QWidget::setTabOrder(stops_[i - 1], stops_[i]);

    ring_ = new FocusRing(&w_);

    w_.installEventFilter(this);
    for (QWidget* child : w_.findChildren<QWidget*>()) child->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (IsReadList(w_, now)) w_.LineRead = FirstLine(w_, now);
        PlaceRing();
        // Qt tells a reader of the picture first; its cell or line follows at once.
        if (now == w_.pctBoard) QTimer::singleShot(0, this, [this] { FocusCursorCell(w_); });
        if (IsReadList(w_, now)) QTimer::singleShot(0, now, [this, now] { FocusListLine(now); });
    });
    naming_.setSingleShot(true);
    naming_.setInterval(0);
    connect(&naming_, &QTimer::timeout, this, [this] { NameScores(w_); });
    NameScores(w_);
    AddCommandKeys();
}

// Each command key clicks its picture, and only while that picture is shown: a
// key never does what the screen in view does not offer.
void Keyboard::AddCommandKeys() {
    auto add = [this](const QList<QKeySequence>& keys, auto action) {
        auto* shortcut = new QShortcut(&w_);
        shortcut->setKeys(keys);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    using Standard = QKeySequence;
    add(Standard::keyBindings(Standard::New), [this] { ClickIfShown(w_.pctNew); });
    add(Standard::keyBindings(Standard::Undo), [this] { ClickIfShown(w_.pctUndo); });
    add({QKeySequence(Qt::CTRL | Qt::Key_H)}, [this] { ClickIfShown(w_.pctHighScores); });
    // How to play, from the main screen and from the about screen that leads there.
    add(Standard::keyBindings(Standard::HelpContents), [this] {
        if (w_.pctHelp->isVisible() || w_.pctAboutText->isVisible()) w_.ShowHowToPlay();
    });
    // Spelt out: some desktops' key schemes have no standard Quit key.
    add({QKeySequence(Qt::CTRL | Qt::Key_Q)}, [this] { w_.ExitGame(); });
    // Deals and the statistics have no picture on the main screen: their keys work
    // wherever New is offered. The table offers the statistics a picture of their own.
    add({QKeySequence(Qt::CTRL | Qt::Key_R)}, [this] {
        if (w_.pctNew->isVisible()) w_.ReplayDeal();
    });
    add({QKeySequence(Qt::CTRL | Qt::Key_G)}, [this] {
        if (w_.pctNew->isVisible()) w_.AskForDeal();
    });
    add({QKeySequence(Qt::CTRL | Qt::Key_T)}, [this] {
        if (!ClickIfShown(w_.pctStatistics) && w_.pctNew->isVisible()) w_.ShowStatistics();
    });
    // Escape leaves a screen the way it offers: the about picture, OK, or a click.
    add(Standard::keyBindings(Standard::Cancel), [this] {
        ClickIfShown(w_.pctAboutText) || ClickIfShown(w_.pctOk) ||
            ClickIfShown(w_.pctStatisticsScreen) || ClickIfShown(w_.pctDealEntry);
    });
}

void Keyboard::Adopt(PictureBox* stop, QWidget* after) {
    stop->setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(after, stop);
    stop->installEventFilter(this);
    stops_.push_back(stop);
}

bool Keyboard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // A command key never arrives as a key press, only as this.
            KeysInUse(true);
            // While a name is typed every key but Escape belongs to the table, as
            // before there were command keys.
            const auto& key = static_cast<QKeyEvent&>(*event);
            const bool toTable = watched == w_.pctHighScore && w_.nameEntry.EnteringName() &&
                                 key.key() != Qt::Key_Escape;
            if (toTable) event->accept();
            return toTable;
        }
        case QEvent::KeyPress: {
            auto& key = static_cast<QKeyEvent&>(*event);
            KeysInUse(true);
            if (ListKey(watched, key)) return true;
            if (watched == w_.pctHighScore && w_.nameEntry.EnteringName()) {
                // A key typed while another row is read goes to the name: its row is read again.
                if (w_.LineRead != w_.NewEntryRow) ReadLine(w_.pctHighScore, w_.NewEntryRow);
                return key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;  // Tab stays
            }
            if (watched == w_.pctBoard && BoardKey(key)) return true;
            return ArrowKey(key);
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            KeysInUse(false);
            if (watched == w_.pctBoard && w_.boardCursor.Shown) {
                w_.boardCursor.Shown = false;
                CursorChanged();
            }
            return false;
        case QEvent::FocusIn:
            // Tab to the board shows where the keys will act.
            if (watched == w_.pctBoard && w_.game.GameActive && !w_.boardCursor.Shown) {
                const Qt::FocusReason reason = static_cast<QFocusEvent&>(*event).reason();
                if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
                    w_.boardCursor.Shown = true;
                    CursorChanged();
                }
            }
            return false;
        case QEvent::Show:
            if (watched == &w_) w_.activateWindow();
            if (watched == w_.pctBoard) w_.boardOverlay->show();
            if (std::find(stops_.begin(), stops_.end(), watched) != stops_.end()) FocusFirstStop();
            return false;
        case QEvent::Hide:
            if (watched == w_.pctBoard) w_.boardOverlay->hide();
            // A picture being hidden keeps the focus until the screen that opens gives
            // it to its first stop; should no screen open, the first stop shown takes it.
            if (watched == QApplication::focusWidget()) {
                PlaceRing();
                QTimer::singleShot(0, this, [this] {
                    if (QWidget* focus = QApplication::focusWidget(); focus && focus->isHidden())
                        FocusFirstStop(true);
                });
            }
            return false;
        case QEvent::Move:
        case QEvent::Resize:
            if (watched == QApplication::focusWidget()) PlaceRing();
            return false;
        case QEvent::Paint:
            // Whatever changed the board may have changed the group's outline and
            // the scores too: they are shown and named once it is over.
            if (watched == w_.pctBoard) {
                if (w_.boardCursor.Shown || w_.boardPointer.Shown)
                    w_.boardOverlay->update(w_.boardOverlay->Margins());
                if (!naming_.isActive()) naming_.start();
            }
            return false;
        default:
            return false;
    }
}

bool Keyboard::OnMainScreen() const {
    return w_.pctNew->isVisible() && w_.pctBoard->isVisible();
}

// The arrows belong to the board wherever the focus stands on the main screen.
// The first one shows the cursor where it stands; later ones move it.
bool Keyboard::ArrowKey(QKeyEvent& key) {
    struct Step {
        Qt::Key key;
        int rows, cols;
    };
    static constexpr Step kSteps[] = {
        {Qt::Key_Up, -1, 0}, {Qt::Key_Down, 1, 0}, {Qt::Key_Left, 0, -1}, {Qt::Key_Right, 0, 1}};
    const Step* step = std::find_if(std::begin(kSteps), std::end(kSteps),
                                    [&](const Step& s) { return s.key == key.key(); });
    if (step == std::end(kSteps)) return false;
    if (!Plain(key) || !OnMainScreen()) return false;
    if (w_.PressCameDuringWork(key)) return true;
    w_.pctBoard->setFocus(Qt::OtherFocusReason);
    if (!w_.game.GameActive) return true;
    if (w_.boardCursor.Shown && !StepCursor(w_.boardCursor, step->rows, step->cols)) {
        Announce(w_, EdgeWords(step->rows, step->cols));
        return true;
    }
    w_.boardCursor.Shown = true;
    CursorChanged();
    return true;
}

// Up and Down read a list's lines, the table's while a name is typed too; at
// either end they say nothing more.
bool Keyboard::ListKey(QObject* watched, QKeyEvent& key) {
    auto* list = qobject_cast<QWidget*>(watched);
    if (!IsReadList(w_, list) || !Plain(key)) return false;
    if (key.key() != Qt::Key_Up && key.key() != Qt::Key_Down) return false;
    const int step = key.key() == Qt::Key_Up ? -1 : 1;
    const int line = std::clamp(w_.LineRead + step, 1, LinesOf(w_, list));
    if (line != w_.LineRead) ReadLine(list, line);
    return true;
}

void Keyboard::ReadLine(QWidget* list, int line) {
    w_.LineRead = line;
    PlaceRing();
    FocusListLine(list);
}

// Space and Enter press the cursor's cell as the left button does; Shift+Space
// and the Menu key as the right button does, showing the group. While the cursor
// is hidden a press only brings it back: no key plays a cell the player cannot see.
bool Keyboard::BoardKey(QKeyEvent& key) {
    const bool space = key.key() == Qt::Key_Space;
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    int button = 0;
    if ((space || enter) && Plain(key)) {
        button = 1;
    } else if ((space && key.modifiers() == Qt::ShiftModifier) ||
               (key.key() == Qt::Key_Menu && Plain(key))) {
        button = 2;
    } else {
        return false;
    }
    // A held key is one press, as a held mouse button is.
    if (w_.PressCameDuringWork(key) || key.isAutoRepeat()) return true;
    if (!w_.game.GameActive || !OnMainScreen()) return true;
    BoardCursor& cursor = w_.boardCursor;
    if (cursor.Shown) {
        w_.BoardPress(button, w_.game.CellX[cursor.Row][cursor.Col] + kPieceSize / 2,
                      w_.game.CellY[cursor.Row][cursor.Col] + kPieceSize / 2);
    }
    // The cursor stands where it stood: only a cursor that shows anew takes the focus.
    const bool appears = !cursor.Shown;
    cursor.Shown = true;
    w_.ShowPointedGroup();
    if (appears) FocusCursorCell(w_);
    return true;
}

void Keyboard::CursorChanged() {
    w_.ShowPointedGroup();
    FocusCursorCell(w_);
}

// A screen that opens puts the focus on its first picture: the board on the main
// screen, the table on the high-score screen. `anyStop`: else on the first picture
// shown, for a hidden focus that no screen took.
void Keyboard::FocusFirstStop(bool anyStop) {
    QWidget* first = nullptr;
    if (w_.pctHowToPlay && w_.pctHowToPlay->isVisible()) {
        first = w_.pctHowToPlay;
    } else if (w_.pctGameOver->isVisible()) {
        first = w_.pctGameOver;
    } else if (w_.pctAboutText->isVisible()) {
        first = w_.pctAboutText;
    } else if (w_.pctRowShiftsSelection->isVisible()) {
        first = w_.pctRowShiftsSelection;
    } else if (w_.pctHighScore->isVisible()) {
        first = w_.pctHighScore;
    } else if (w_.pctNew->isVisible()) {
        first = w_.pctBoard;
    } else if (anyStop) {
        const auto shown = std::find_if(stops_.begin(), stops_.end(),
                                        [](const PictureBox* stop) { return stop->isVisible(); });
        if (shown != stops_.end()) first = *shown;
    }
    if (first && first->isVisible()) first->setFocus(Qt::OtherFocusReason);
}

void Keyboard::KeysInUse(bool inUse) {
    if (inUse == keysInUse_) return;
    keysInUse_ = inUse;
    PlaceRing();
}

// The cursor is the board's own mark of the focus, so the board gets no ring. A
// list's ring goes round the line being read: round the list it would lie on the
// frame's lines, where it hardly shows.
void Keyboard::PlaceRing() {
    QWidget* focus = QApplication::focusWidget();
    const bool ringed = keysInUse_ && focus && focus != w_.pctBoard && focus->isVisible() &&
                        std::find(stops_.begin(), stops_.end(), focus) != stops_.end();
    const QRect line = ringed && IsReadList(w_, focus) ? LineRect(w_, focus, w_.LineRead) : QRect();
    if (!ringed) {
        ring_->hide();
    } else if (line.isValid()) {
        ring_->Surround(line.translated(focus->pos()), true);
    } else {
        ring_->Surround(focus->geometry());
    }
}

}  // namespace quabe
