#include "parts.h"

#include <QWindow>
#include <algorithm>

#include "main_window.h"
#include "read_lists.h"
#include "spoken_words.h"
#include "statistics_screen.h"

namespace quabe {

QWindow* PartAccessible::window() const {
    return owner_ ? owner_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* PartAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(owner_.data());
}

QRect PartAccessible::rect() const {
    if (!owner_) return {};
    return {owner_->mapToGlobal(QPoint(0, 0)), owner_->size()};
}

QAccessible::State PartAccessible::state() const {
    QAccessible::State state;
    state.invisible = !owner_ || !owner_->isVisible();
    return state;
}

MainWindow* PartAccessible::Window() const {
    return owner_ ? qobject_cast<MainWindow*>(owner_->window()) : nullptr;
}

QString CellAccessible::text(QAccessible::Text t) const {
    const MainWindow* w = Window();
    if (!w || t != QAccessible::Name) return {};
    return DescribeCell(w->game, w->pieceNames, row_, col_);
}

QRect CellAccessible::rect() const {
    const MainWindow* w = Window();
    if (!w) return {};
    const QPoint corner(UnitsToPixels(w->game.CellX[row_][col_]),
                        UnitsToPixels(w->game.CellY[row_][col_]));
    const int side = UnitsToPixels(kPieceSize);
    return {Owner()->mapToGlobal(corner), QSize(side, side)};
}

QAccessible::State CellAccessible::state() const {
    QAccessible::State state = PartAccessible::state();
    state.focusable = true;
    const MainWindow* w = Window();
    state.focused = w && Owner()->hasFocus() && w->boardCursor.Shown &&
                    w->boardCursor.Row == row_ && w->boardCursor.Col == col_;
    return state;
}

namespace {

QString LineWords(const MainWindow& w, const QWidget* list, int line) {
    if (list == w.pctHighScore) {
        const QString name = QString::fromStdString(w.settings.Table.HighScoreNames[line]);
        return QStringLiteral("Place %1, %2, %3 points")
            .arg(line)
            .arg(name.isEmpty() ? QStringLiteral("no name") : name)
            .arg(w.settings.Table.HighScores[line]);
    }
    if (list == w.pctStatisticsScreen) {
        const ShownFigure figure = ShownFigures(w.statistics)[line - 1];
        return QStringLiteral("%1: %2").arg(QLatin1String(figure.name)).arg(figure.value);
    }
    if (list == w.pctHowToPlay) return HowToPlayParts().value(line - 1);
    return {};
}

}  // namespace

QString LineAccessible::text(QAccessible::Text t) const {
    const MainWindow* w = Window();
    if (!w || t != QAccessible::Name || Line() < 1 || Line() > LinesOf(*w, Owner())) return {};
    return LineWords(*w, Owner(), Line());
}

QAccessible::State LineAccessible::state() const {
    QAccessible::State state = PartAccessible::state();
    state.focusable = true;
    state.focused = Owner() && Owner()->hasFocus() && reading_ == Line();
    return state;
}

QString TypedText::text(int startOffset, int endOffset) const {
    const QString typed = Typed();
    if (endOffset < 0 || endOffset > typed.size()) endOffset = static_cast<int>(typed.size());
    startOffset = std::clamp(startOffset, 0, endOffset);
    return typed.mid(startOffset, endOffset - startOffset);
}

void TypedText::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
}

QString TypedText::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void TellTyped(QAccessibleInterface* field, const QString& before, const QString& now) {
    if (!field) return;
    if (now.size() > before.size() && now.startsWith(before)) {
        QAccessibleTextInsertEvent typed(field, static_cast<int>(before.size()),
                                         now.mid(before.size()));
        QAccessible::updateAccessibility(&typed);
    } else if (now.size() < before.size() && before.startsWith(now)) {
        QAccessibleTextRemoveEvent erased(field, static_cast<int>(now.size()),
                                          before.mid(now.size()));
        QAccessible::updateAccessibility(&erased);
    }
}

QString NameFieldAccessible::text(QAccessible::Text t) const {
    const MainWindow* w = Window();
    if (!w) return {};
    if (t == QAccessible::Value) return Typed();
    if (t != QAccessible::Name) return {};
    return QStringLiteral("Your name for place %1, %2 points")
        .arg(Line())
        .arg(w->settings.Table.HighScores[Line()]);
}

QAccessible::State NameFieldAccessible::state() const {
    QAccessible::State state = LineAccessible::state();
    state.editable = true;
    return state;
}

void* NameFieldAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return nullptr;
}

// The row the new score took: it holds the name while it is typed.
int NameFieldAccessible::Line() const {
    const MainWindow* w = Window();
    return w ? std::clamp(w->NewEntryRow, 1, kTableRows) : 1;
}

QString NameFieldAccessible::Typed() const {
    const MainWindow* w = Window();
    return w ? QString::fromStdString(w->settings.Table.HighScoreNames[Line()]) : QString();
}

void AnnouncerAccessible::Say(const QString& sentence) {
    sentence_ = sentence;
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

QString AnnouncerAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Name ? sentence_ : QString();
}

}  // namespace quabe
