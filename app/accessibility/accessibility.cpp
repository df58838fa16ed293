#include "accessibility.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <vector>

#include "deals.h"
#include "main_window.h"
#include "parts.h"
#include "read_lists.h"
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

const QString kStartHint =
    QStringLiteral("Click New, the play button, or press Ctrl+N to deal a board. F1: how to play.");

// What the board's keys do; before the first deal, how to deal it first.
QString BoardKeys(const MainWindow& w) {
    const QString keys = QStringLiteral(
        "The arrow keys move the cursor; Space or Enter removes the group under it, "
        "Shift+Space shows the group.");
    return w.BoardDealt ? keys : kStartHint + ' ' + keys;
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
        if (w && IsReadList(*w, widget())) return QAccessible::List;
        if (w && ToggleState(*w, widget())) return QAccessible::CheckBox;
        if (w && (IsScoreCell(*w) || IsText(*w))) return QAccessible::StaticText;
        return Clickable() ? QAccessible::Button : QAccessible::Graphic;
    }

    QString text(QAccessible::Text t) const override {
        const MainWindow* w = Window();
        if (w && t == QAccessible::Description) {
            if (widget() == w->pctBoard) return BoardKeys(*w);
            if (widget() == w->pctHighScore) return QStringLiteral("Up and Down read the places.");
            if (widget() == w->pctHowToPlay)
                return QStringLiteral("Up and Down read the page part by part; Escape goes back.");
            if (widget() == w->pctStatisticsScreen)
                return QStringLiteral("Up and Down read the figures; Escape goes back.");
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
        if (IsReadList(*w, widget())) return child(w->LineRead - 1);
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
        return self == w.pctDeal || self == w.pctGroupWorth || self == w.pctWinner ||
               self == w.pctBoardCleared || self == w.pctStartHint;
    }

    // The pictures that take the Tab focus are the ones a click works on.
    bool Clickable() const {
        const MainWindow* w = Window();
        const bool parted = w && (widget() == w->pctBoard || IsReadList(*w, widget()));
        return (widget()->focusPolicy() & Qt::TabFocus) && !parted;
    }

    int FieldRow() const {
        const MainWindow* w = Window();
        return w && w->nameEntry.EnteringName() ? w->NewEntryRow : 0;
    }

    // The board's cells row by row, or a list's lines; made when first asked for.
    const std::vector<QAccessibleInterface*>& Parts() const {
        const MainWindow* w = Window();
        if (!parts_.empty() || !w) return parts_;
        if (widget() == w->pctBoard) {
            for (int row = 1; row <= kRows; ++row)
                for (int col = 1; col <= kCols; ++col)
                    parts_.push_back(Registered(new CellAccessible(widget(), row, col)));
        } else if (IsReadList(*w, widget())) {
            for (int line = 1; line <= LinesOf(*w, widget()); ++line)
                parts_.push_back(Registered(new LineAccessible(widget(), line, w->LineRead)));
        }
        if (widget() == w->pctHighScore)
            field_ = Registered(new NameFieldAccessible(widget(), w->LineRead));
        return parts_;
    }

    mutable std::vector<QAccessibleInterface*> parts_;
    mutable NameFieldAccessible* field_ = nullptr;
    std::optional<bool> told_;
};

// The deal entry: a text field holding the digits typed.
class DealEntryAccessible : public QAccessibleWidget, public TypedText {
  public:
    explicit DealEntryAccessible(DealEntry* entry)
        : QAccessibleWidget(entry, QAccessible::EditableText) {}

    using TypedText::text;
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Typed();
        if (t == QAccessible::Description)
            return QStringLiteral("Type its digits; Enter plays that deal, Escape goes back.");
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.focusable = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

  private:
    QString Typed() const override { return static_cast<const DealEntry*>(widget())->Typed(); }
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
    if (auto* entry = qobject_cast<DealEntry*>(object)) return new DealEntryAccessible(entry);
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
    // The screens made when first wanted.
    if (w.pctDealEntry) Name(w.pctDealEntry, QStringLiteral("Deal number"));
    if (w.pctStatisticsScreen) Name(w.pctStatisticsScreen, QStringLiteral("Statistics"));
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

void FocusListLine(QWidget* list) {
    if (auto* face = InterfaceOf<PictureAccessible>(list)) face->Focus(face->focusChild());
}

void TellNameKey(MainWindow& w, const std::string& nameBefore, bool wasEntering) {
    auto* table = InterfaceOf<PictureAccessible>(w.pctHighScore);
    const int row = w.NewEntryRow;
    if (!table || !wasEntering || row < 1 || row > kTableRows) return;
    TellTyped(table->Field(), QString::fromStdString(nameBefore),
              QString::fromStdString(w.settings.Table.HighScoreNames[row]));
}

void TellDealKey(MainWindow& w, const QString& typedBefore) {
    const DealEntry* entry = w.pctDealEntry;
    if (!entry) return;
    TellTyped(QAccessible::queryAccessibleInterface(w.pctDealEntry), typedBefore, entry->Typed());
    if (entry->Refused()) Announce(w, RefusedDealWords());
}

void NameGuides(MainWindow& w) {
    const int size = w.PointedGroup;
    Name(w.pctGroupWorth,
         size ? QStringLiteral("Group of %1, %2 points").arg(size).arg(Points(size)) : QString());
    Name(w.pctWinner, w.game.TwoPlayers ? Winner(w.game) : QString());
    Name(w.pctClickToGoOn, QStringLiteral("Click Game Over to go on"));
    Name(w.pctBoardCleared, QStringLiteral("Board cleared, the score is kept"));
    Name(w.pctStartHint, kStartHint);
    Name(w.pctRowMark[0], QStringLiteral("Your score"));
    Name(w.pctRowMark[1], QStringLiteral("The computer's score"));
    // The marks beside the Events button: the button says them too, as it takes the focus.
    Name(w.pctEventMarks, EventsOnWords(w.settings));
    Describe(w.pctEvents, EventsOnWords(w.settings));

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

    if (w.pctHowToPlay) Name(w.pctHowToPlay, QStringLiteral("How to play"));
    if (w.pctHowToPlayLink) Name(w.pctHowToPlayLink, QStringLiteral("How to play"));
}

}  // namespace quabe
