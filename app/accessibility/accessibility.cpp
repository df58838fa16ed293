#include "accessibility.h"

#include <QAccessibleWidget>
#include <QFile>

#include "board_cursor.h"
#include "deals.h"
#include "main_window.h"
#include "statistics_screen.h"

namespace quabe {

namespace {

constexpr int kRowCells = kScoreCells / 2;

// Each score row speaks through its leftmost cell, the first a reader meets.
PictureBox* ScoreLabel(const MainWindow& w, int row) {
    return w.imgScore[row * kRowCells + kRowCells - 1];
}

// The number a score row shows, read from its digit pictures by identity, as the
// game reads its toggles: empty while the cells show no digits.
QString ShownScore(MainWindow& w, int row) {
    int value = 0;
    for (int cell = row * kRowCells + kRowCells - 1; cell >= row * kRowCells; --cell) {
        const qint64 shown = w.imgScore[cell]->Picture().cacheKey();
        int digit = 0;
        while (digit <= 9 && w.graphics.Digits[digit].cacheKey() != shown) ++digit;
        if (digit > 9) return {};
        value = value * 10 + digit;
    }
    return QString::number(value);
}

// One interface for every picture of the window. It decides what the picture is
// each time it is asked, since Qt keeps it from the picture's first mention on.
class PictureAccessible : public QAccessibleWidget {
  public:
    explicit PictureAccessible(PictureBox* box) : QAccessibleWidget(box) {}

    QAccessible::Role role() const override {
        const MainWindow* w = Window();
        if (w && widget() == w->pctBoard) return QAccessible::Canvas;
        if (w && (IsScoreCell(*w) || IsText(*w))) return QAccessible::StaticText;
        return Clickable() ? QAccessible::Button : QAccessible::Graphic;
    }

    QString text(QAccessible::Text t) const override {
        const MainWindow* w = Window();
        if (w && widget() == w->pctBoard && t == QAccessible::Description) {
            return QStringLiteral(
                "The arrow keys move the cursor; Space or Enter removes the group under it, "
                "Shift+Space shows the group.");
        }
        return QAccessibleWidget::text(t);
    }

    // The other cells of a score row say nothing their row's label does not.
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const MainWindow* w = Window();
        if (w && IsScoreCell(*w) && widget() != ScoreLabel(*w, 0) && widget() != ScoreLabel(*w, 1))
            state.invisible = true;
        return state;
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
        return (widget()->focusPolicy() & Qt::TabFocus) && !(w && widget() == w->pctBoard);
    }
};

QAccessibleInterface* PictureInterface(const QString&, QObject* object) {
    if (auto* box = qobject_cast<PictureBox*>(object)) return new PictureAccessible(box);
    return nullptr;
}

// Qt tells a reader of every name it is given, even the same one again, and the
// board is named after each of its repaints: a reader hears only what changed.
void Name(QWidget* widget, const QString& name) {
    if (widget->accessibleName() != name) widget->setAccessibleName(name);
}

QString OnOff(bool on) {
    return on ? QStringLiteral("on") : QStringLiteral("off");
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
    QAccessible::installFactory(PictureInterface);
}

void NamePictures(MainWindow& w) {
    const Settings& s = w.settings;
    const QString version =
        QStringLiteral("Version %1.%2").arg(QUABE_VERSION_MAJOR).arg(QUABE_VERSION_MINOR);
    const std::pair<PictureBox*, QString> names[] = {
        {w.pctNew, QStringLiteral("New")},
        {w.pctSound, QStringLiteral("Sound: ") + OnOff(s.Sound)},
        {w.pctUndo, QStringLiteral("Undo")},
        {w.pctHighScores, QStringLiteral("High Scores")},
        {w.pctSet, QStringLiteral("Game Set")},
        {w.pctPlayers,
         s.OnePlayer ? QStringLiteral("Players: one") : QStringLiteral("Players: two")},
        {w.pctEvents, QStringLiteral("Events/Options")},
        {w.pctHelp, QStringLiteral("Help")},
        {w.pctExit, QStringLiteral("Exit")},
        {w.pctMinimizeIcon, QStringLiteral("Minimise")},
        {w.pctExitIcon, QStringLiteral("Close")},
        {w.pctRowShiftsSelection, QStringLiteral("Row Shifts: ") + OnOff(s.RowShifts)},
        {w.pctColumnShiftsSelection, QStringLiteral("Column Shifts: ") + OnOff(s.ColumnShifts)},
        {w.pctMinesSelection, QStringLiteral("Mines: ") + OnOff(s.Mines)},
        {w.pctFlashSelection, QStringLiteral("Flash Pieces: ") + OnOff(s.Flash)},
        {w.pctOk, QStringLiteral("OK")},
        {w.pctReset, QStringLiteral("Reset")},
        {w.pctStatistics, QStringLiteral("Statistics")},
        {w.pctGameOver, QStringLiteral("Game Over")},
        {w.pctAboutText, QStringLiteral("About Quabe Pro")},
        {w.pctHighScore, QStringLiteral("High-score table")},  // takes a typed name
        {w.pctVersion[0], version},
        {w.pctVersion[1], version},
        {w.pctVersion[2], version},
    };
    for (const auto& [box, name] : names) Name(box, name);
    NameGuides(w);
}

void NameBoardAndScores(MainWindow& w) {
    const BoardCursor& cursor = w.boardCursor;
    const bool shown = cursor.Shown && w.game.GameActive && w.pctBoard->isVisible();
    Name(w.pctBoard,
         shown ? DescribeCell(w.game, cursor.Row, cursor.Col) : QStringLiteral("Board"));
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
