#include "accessibility.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <vector>

#include "deals.h"
#include "main_window.h"
#include "parts.h"
#include "spoken_words.h"
#include "statistics_screen.h"

namespace quabe {

namespace {

constexpr int kRowCells = kScoreCells / 2;

// Each score row speaks through its leftmost cell, the first a reader meets; the
// other cells go unnamed.
PictureBox* ScoreLabel(const MainWindow& w, int row) {
    return w.imgScore[row * kRowCells + kRowCells - 1];
}

// The number a score row shows, read from its digit pictures by identity, as the
// game reads its toggles: empty while the cells show no digits.
QString ShownScore(MainWindow& w, int row) {
    int value = 0;
    for (int cell = row * kRowCells + kRowCells - 1; cell >= row * kRowCells; --cell) {
        const QPixmap& picture = w.imgScore[cell]->Picture();
        if (picture.isNull()) return {};  // an empty cell: no digit need be read to know it
        const qint64 shown = picture.cacheKey();
        int digit = 0;
        while (digit <= 9 && w.graphics.Digits[digit].cacheKey() != shown) ++digit;
        if (digit > 9) return {};
        value = value * 10 + digit;
    }
    return QString::number(value);
}

// The six toggles with the state each shows.
std::vector<std::pair<PictureBox*, bool>> Toggles(const MainWindow& w) {
    const Settings& s = w.settings;
    return {{w.pctSound, s.Sound},
            {w.pctPlayers, !s.OnePlayer},
            {w.pctRowShiftsSelection, s.RowShifts},
            {w.pctColumnShiftsSelection, s.ColumnShifts},
            {w.pctMinesSelection, s.Mines},
            {w.pctFlashSelection, s.Flash}};
}

std::optional<bool> ToggleState(const MainWindow& w, const QWidget* box) {
    for (const auto& [toggle, on] : Toggles(w))
        if (toggle == box) return on;
    return std::nullopt;
}

// One interface for every picture of the window. It decides what the picture is
// each time it is asked, since Qt keeps it from the picture's first mention on,
// which may come before the window has finished making its pictures.
class PictureAccessible : public QAccessibleWidget {
  public:
    explicit PictureAccessible(PictureBox* box) : QAccessibleWidget(box) {}
    ~PictureAccessible() override {
        for (QAccessibleInterface* part : parts_) Unregister(part);
        if (field_) Unregister(field_);
    }

    QAccessible::Role role() const override {
        const MainWindow* w = Window();
        if (w && widget() == w->pctBoard) return QAccessible::Table;
        if (w && widget() == w->pctHighScore) return QAccessible::List;
        if (w && ToggleState(*w, widget())) return QAccessible::CheckBox;
        if (w && (IsScoreCell(*w) || IsText(*w))) return QAccessible::StaticText;
        return Clickable() ? QAccessible::Button : QAccessible::Graphic;
    }

    QString text(QAccessible::Text t) const override {
        const MainWindow* w = Window();
        if (w && t == QAccessible::Description) {
            if (widget() == w->pctBoard) {
                return QStringLiteral(
                    "The arrow keys move the cursor; Space or Enter removes the group under it, "
                    "Shift+Space shows the group.");
            }
            if (widget() == w->pctHighScore) return QStringLiteral("Up and Down read the places.");
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const MainWindow* w = Window();
        if (!w) return state;
        if (const std::optional<bool> on = ToggleState(*w, widget())) {
            state.checkable = true;
            state.checked = *on;
        }
        // The second player's score is no part of a one-player game.
        if (widget() == ScoreLabel(*w, 1) && !w->game.TwoPlayers) state.invisible = true;
        return state;
    }

    int childCount() const override { return static_cast<int>(Parts().size()); }

    QAccessibleInterface* child(int index) const override {
        const std::vector<QAccessibleInterface*>& parts = Parts();
        if (index < 0 || index >= static_cast<int>(parts.size())) return nullptr;
        const MainWindow* w = Window();
        const bool typing = w && widget() == w->pctHighScore && w->nameEntry.EnteringName();
        return typing && index + 1 == w->NewEntryRow ? field_ : parts[index];
    }

    int indexOfChild(const QAccessibleInterface* part) const override {
        if (part == field_) return FieldRow() - 1;
        const std::vector<QAccessibleInterface*>& parts = Parts();
        const auto found = std::find(parts.begin(), parts.end(), part);
        return found == parts.end() ? -1 : static_cast<int>(found - parts.begin());
    }

    QAccessibleInterface* focusChild() const override {
        const MainWindow* w = Window();
        if (!w || !widget()->hasFocus()) return nullptr;
        if (widget() == w->pctBoard && w->boardCursor.Shown)
            return child((w->boardCursor.Row - 1) * kCols + w->boardCursor.Col - 1);
        if (widget() == w->pctHighScore) return child(reading_ - 1);
        return nullptr;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (Clickable()) names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override {
        auto* box = static_cast<PictureBox*>(widget());
        if (action == pressAction() && Clickable() && box->isVisible() && box->isEnabled()) {
            box->Click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

    // Tells a reader that the toggle now shows `on`, once for each change.
    void TellChecked(bool on) {
        const bool changed = told_.has_value() && *told_ != on;
        told_ = on;
        if (!changed) return;
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent event(this, checked);
        QAccessible::updateAccessibility(&event);
    }

    // Moves the table's reading by `step` rows; 0 starts it again, at the new name's
    // row while one is typed, else at the top.
    void ReadRow(int step) {
        const MainWindow* w = Window();
        if (!w) return;
        if (step == 0) {
            reading_ = w->nameEntry.EnteringName() ? w->NewEntryRow : 1;
        } else {
            reading_ = std::clamp(reading_ + step, 1, kTableRows);
        }
        Focus(child(reading_ - 1));
    }

    int Reading() const { return reading_; }
    NameFieldAccessible* Field() const {
        Parts();
        return field_;
    }

    void Focus(QAccessibleInterface* part) {
        if (!part || !widget()->hasFocus()) return;
        QAccessibleEvent event(part, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }

  private:
    const MainWindow* Window() const { return qobject_cast<const MainWindow*>(widget()->window()); }

    bool IsScoreCell(const MainWindow& w) const {
        return std::find(std::begin(w.imgScore), std::end(w.imgScore), widget()) !=
               std::end(w.imgScore);
    }

    // What is there to be read, and read again as it changes.
    bool IsText(const MainWindow& w) const {
        const QWidget* self = widget();
        return self == w.pctDeal || self == w.pctStatisticsScreen || self == w.pctGroupWorth ||
               self == w.pctWinner || self == w.pctBoardCleared || self == w.pctStartHint;
    }

    // The pictures that take the Tab focus are the ones a click works on.
    bool Clickable() const {
        const MainWindow* w = Window();
        const bool parted = w && (widget() == w->pctBoard || widget() == w->pctHighScore);
        return (widget()->focusPolicy() & Qt::TabFocus) && !parted;
    }

    int FieldRow() const {
        const MainWindow* w = Window();
        return w && w->nameEntry.EnteringName() ? w->NewEntryRow : 0;
    }

    // The board's cells row by row, or the table's rows; made when first asked for.
    const std::vector<QAccessibleInterface*>& Parts() const {
        const MainWindow* w = Window();
        if (!parts_.empty() || !w) return parts_;
        if (widget() == w->pctBoard) {
            for (int row = 1; row <= kRows; ++row)
                for (int col = 1; col <= kCols; ++col)
                    parts_.push_back(Registered(new CellAccessible(widget(), row, col)));
        } else if (widget() == w->pctHighScore) {
            for (int row = 1; row <= kTableRows; ++row)
                parts_.push_back(Registered(new RowAccessible(widget(), row, reading_)));
            field_ = Registered(new NameFieldAccessible(widget(), reading_));
        }
        return parts_;
    }

    mutable std::vector<QAccessibleInterface*> parts_;
    mutable NameFieldAccessible* field_ = nullptr;
    int reading_ = 1;
    std::optional<bool> told_;
};

// The window: a frame named after the game, holding the controls that have names,
// which leaves out the pictures that only decorate or only hold pictures for others,
// and the announcer.
class WindowAccessible : public QAccessibleWidget {
  public:
    explicit WindowAccessible(MainWindow* w)
        : QAccessibleWidget(w, QAccessible::Window),
          announcer_(Registered(new AnnouncerAccessible(w))) {}
    ~WindowAccessible() override { Unregister(announcer_); }

    int childCount() const override { return static_cast<int>(Named().size()) + 1; }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> named = Named();
        if (index == named.size()) return announcer_;
        if (index < 0 || index > named.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(named[index]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == announcer_) return static_cast<int>(Named().size());
        if (!child || !child->object()) return -1;
        return static_cast<int>(Named().indexOf(child->object()));
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        for (QWidget* widget : Named()) {
            if (widget->isVisible() &&
                QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()).contains(x, y))
                return QAccessible::queryAccessibleInterface(widget);
        }
        return nullptr;
    }

    AnnouncerAccessible* Announcer() const { return announcer_; }

  private:
    QList<QWidget*> Named() const {
        QList<QWidget*> named;
        for (QObject* child : widget()->children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (control && !control->isWindow() && !control->accessibleName().isEmpty())
                named.append(control);
        }
        return named;
    }

    AnnouncerAccessible* announcer_;
};

// Qt's bridge to a screen reader may connect after the window has shown and taken
// the focus, and the reader never hears of either: once the bridge is up, both are
// told again.
class LateReader : public QAccessible::ActivationObserver {
  public:
    void accessibilityActiveChanged(bool active) override {
        if (active) QTimer::singleShot(0, qApp, &LateReader::Retell);
    }

  private:
    static void Retell() {
        QWidget* window = QApplication::activeWindow();
        if (!window) return;
        QAccessible::State activated;
        activated.active = true;
        QAccessibleStateChangeEvent shown(window, activated);
        QAccessible::updateAccessibility(&shown);
        if (QWidget* focus = QApplication::focusWidget()) {
            QAccessibleEvent focused(focus, QAccessible::Focus);
            QAccessible::updateAccessibility(&focused);
        }
    }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* box = qobject_cast<PictureBox*>(object)) return new PictureAccessible(box);
    if (auto* window = qobject_cast<MainWindow*>(object)) return new WindowAccessible(window);
    return nullptr;
}

template <typename Interface>
Interface* InterfaceOf(QWidget* widget) {
    return dynamic_cast<Interface*>(QAccessible::queryAccessibleInterface(widget));
}

// Qt sends a reader every name it is given, even the same one again: only a name
// that changed is given.
void Name(QWidget* widget, const QString& name) {
    if (widget->accessibleName() != name) widget->setAccessibleName(name);
}

QString CursorWords(const MainWindow& w) {
    const BoardCursor& cursor = w.boardCursor;
    if (!cursor.Shown || !w.game.GameActive) return {};
    return DescribeCell(w.game, w.pieceNames, cursor.Row, cursor.Col) + '.';
}

void Describe(QWidget* widget, const QString& description) {
    if (widget->accessibleDescription() != description)
        widget->setAccessibleDescription(description);
}

// The how-to-play page's words, shipped beside its picture.
QString HowToPlayWords() {
    QFile words(QStringLiteral(":/pictures/pctHowToPlay.txt"));
    return words.open(QIODevice::ReadOnly) ? QString::fromUtf8(words.readAll()).trimmed()
                                           : QString();
}

QString EventsOn(const Settings& s) {
    QStringList on;
    if (s.RowShifts) on << QStringLiteral("Row Shifts");
    if (s.ColumnShifts) on << QStringLiteral("Column Shifts");
    if (s.Mines) on << QStringLiteral("Mines");
    if (s.Flash) on << QStringLiteral("Flash Pieces");
    return on.isEmpty() ? QStringLiteral("No events on")
                        : QStringLiteral("Events on: ") + on.join(QStringLiteral(", "));
}

QString Winner(const Game& game) {
    switch (quabe::Winner(game.Score1, game.Score2)) {
        case Outcome::PlayerWins:
            return QStringLiteral("You win");
        case Outcome::ComputerWins:
            return QStringLiteral("Computer wins");
        case Outcome::Draw:
            return QStringLiteral("Draw");
    }
    return {};
}

}  // namespace

void InstallAccessibility() {
    QAccessible::installFactory(Factory);
    static LateReader lateReader;
    QAccessible::installActivationObserver(&lateReader);
}

void NamePictures(MainWindow& w) {
    // The about picture reads its version from the digit pictures below it.
    const QString version =
        QStringLiteral("version %1.%2").arg(QUABE_VERSION_MAJOR).arg(QUABE_VERSION_MINOR);
    const std::pair<PictureBox*, QString> names[] = {
        {w.pctBoard, QStringLiteral("Board")},
        {w.pctNew, QStringLiteral("New")},
        {w.pctSound, QStringLiteral("Sound")},
        {w.pctUndo, QStringLiteral("Undo")},
        {w.pctHighScores, QStringLiteral("High Scores")},
        {w.pctSet, QStringLiteral("Game Set")},
        {w.pctPlayers, QStringLiteral("Two players")},
        {w.pctEvents, QStringLiteral("Events/Options")},
        {w.pctHelp, QStringLiteral("Help")},
        {w.pctExit, QStringLiteral("Exit")},
        {w.pctMinimizeIcon, QStringLiteral("Minimise")},
        {w.pctExitIcon, QStringLiteral("Close")},
        {w.pctRowShiftsSelection, QStringLiteral("Row Shifts")},
        {w.pctColumnShiftsSelection, QStringLiteral("Column Shifts")},
        {w.pctMinesSelection, QStringLiteral("Mines")},
        {w.pctFlashSelection, QStringLiteral("Flash Pieces")},
        {w.pctOk, QStringLiteral("OK")},
        {w.pctReset, QStringLiteral("Reset: clears the ten best scores")},
        {w.pctStatistics, QStringLiteral("Statistics")},
        {w.pctAboutText, QStringLiteral("Quabe Pro, www.quabepro.example, ") + version},
        {w.pctHighScore, QStringLiteral("High scores")},
    };
    for (const auto& [box, name] : names) Name(box, name);
    if (w.pctGameOver->accessibleName().isEmpty()) Name(w.pctGameOver, QStringLiteral("Game Over"));
    for (const auto& [box, on] : Toggles(w))
        if (auto* face = InterfaceOf<PictureAccessible>(box)) face->TellChecked(on);
    NameGuides(w);
}

void NameScores(MainWindow& w) {
    for (int row = 0; row < 2; ++row) {
        const QString score = ShownScore(w, row);
        const QString label = QStringLiteral("Player %1 score").arg(row + 1);
        Name(ScoreLabel(w, row), score.isEmpty() ? label : label + ": " + score);
    }
    Name(w.pctDeal, QStringLiteral("Deal %1").arg(w.game.DealNumber));
}

void NameDealEntry(MainWindow& w) {
    const DealEntry& entry = *w.pctDealEntry;
    QString name = QStringLiteral("Deal number: ") + entry.Typed();
    if (entry.Refused())
        name += QStringLiteral(". Deals are numbered from %1 to %2").arg(kFirstDeal).arg(kLastDeal);
    Name(w.pctDealEntry, name);
}

void NameStatistics(MainWindow& w) {
    QStringList lines;
    for (const ShownFigure& figure : ShownFigures(w.statistics))
        lines << QStringLiteral("%1: %2").arg(QLatin1String(figure.name)).arg(figure.value);
    Name(w.pctStatisticsScreen, QStringLiteral("Statistics"));
    w.pctStatisticsScreen->setAccessibleDescription(lines.join(QStringLiteral(". ")));
}

void NameGameOver(MainWindow& w) {
    Name(w.pctGameOver, GameOverWords(w.game));
}

void Announce(MainWindow& w, const QString& sentence) {
    if (sentence.isEmpty()) return;
    if (auto* window = InterfaceOf<WindowAccessible>(&w)) window->Announcer()->Say(sentence);
}

void AnnounceAtCursor(MainWindow& w, const QString& sentence) {
    if (sentence.isEmpty()) return;
    const QString cell = CursorWords(w);
    Announce(w, cell.isEmpty() ? sentence : sentence + ' ' + cell);
}

void TellPress(MainWindow& w, const BeforePress& before) {
    AnnounceAtCursor(w, MoveWords(before, w.game, w.pieceNames));
}

void FocusCursorCell(MainWindow& w) {
    auto* board = InterfaceOf<PictureAccessible>(w.pctBoard);
    if (board && w.boardCursor.Shown && w.game.GameActive) board->Focus(board->focusChild());
}

void FocusTableRow(MainWindow& w, int step) {
    if (auto* table = InterfaceOf<PictureAccessible>(w.pctHighScore)) table->ReadRow(step);
}

void TellNameKey(MainWindow& w, const std::string& nameBefore, bool wasEntering) {
    auto* table = InterfaceOf<PictureAccessible>(w.pctHighScore);
    const int row = w.NewEntryRow;
    if (!table || !wasEntering || row < 1 || row > kTableRows) return;
    NameFieldAccessible* field = table->Field();
    if (!field) return;
    if (table->Reading() != row) table->ReadRow(row - table->Reading());
    const QString before = QString::fromStdString(nameBefore);
    const QString now = QString::fromStdString(w.settings.Table.HighScoreNames[row]);
    if (now.size() > before.size()) {
        QAccessibleTextInsertEvent typed(field, before.size(), now.mid(before.size()));
        QAccessible::updateAccessibility(&typed);
    } else if (now.size() < before.size()) {
        QAccessibleTextRemoveEvent erased(field, now.size(), before.mid(now.size()));
        QAccessible::updateAccessibility(&erased);
    }
}

void NameGuides(MainWindow& w) {
    const int size = w.PointedGroup;
    Name(w.pctGroupWorth,
         size ? QStringLiteral("Group of %1, %2 points").arg(size).arg(Points(size)) : QString());
    Name(w.pctWinner, w.game.TwoPlayers ? Winner(w.game) : QString());
    Name(w.pctClickToGoOn, QStringLiteral("Click Game Over to go on"));
    Name(w.pctBoardCleared, QStringLiteral("Board cleared, the score is kept"));
    Name(w.pctStartHint,
         QStringLiteral("Click New, the play button, or press Ctrl+N to deal a board. "
                        "F1: how to play"));
    Name(w.pctRowMark[0], QStringLiteral("Your score"));
    Name(w.pctRowMark[1], QStringLiteral("The computer's score"));
    Name(w.pctEventMarks, EventsOn(w.settings));

    // Each switch says what it does, as the line under it does.
    const std::pair<PictureBox*, QString> notes[] = {
        {w.pctRowShiftsSelection,
         QStringLiteral("Every 10 to 20 seconds the pieces roll down a row")},
        {w.pctColumnShiftsSelection,
         QStringLiteral("Every 10 to 20 seconds the columns roll one place right")},
        {w.pctMinesSelection,
         QStringLiteral("Up to 11 hidden mines; each blasts the 3 by 3 block round it")},
        {w.pctFlashSelection, QStringLiteral("A group blinks before it goes")},
    };
    for (const auto& [toggle, note] : notes)
        Describe(toggle, note + QStringLiteral(". Shifts and mines start with the next board."));

    if (w.pctHowToPlay) {
        Name(w.pctHowToPlay, QStringLiteral("How to play"));
        Describe(w.pctHowToPlay, HowToPlayWords());
    }
    if (w.pctHowToPlayLink) Name(w.pctHowToPlayLink, QStringLiteral("How to play"));
}

}  // namespace quabe
