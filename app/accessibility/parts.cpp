#include "parts.h"

#include <QWindow>
#include <algorithm>

#include "main_window.h"
#include "spoken_words.h"

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

QString RowAccessible::text(QAccessible::Text t) const {
    const MainWindow* w = Window();
    if (!w || t != QAccessible::Name) return {};
    const QString name = QString::fromStdString(w->settings.Table.HighScoreNames[Row()]);
    return QStringLiteral("Place %1, %2, %3 points")
        .arg(Row())
        .arg(name.isEmpty() ? QStringLiteral("no name") : name)
        .arg(w->settings.Table.HighScores[Row()]);
}

QAccessible::State RowAccessible::state() const {
    QAccessible::State state = PartAccessible::state();
    state.focusable = true;
    state.focused = Owner() && Owner()->hasFocus() && reading_ == Row();
    return state;
}

QString NameFieldAccessible::text(QAccessible::Text t) const {
    const MainWindow* w = Window();
    if (!w) return {};
    if (t == QAccessible::Value) return Name();
    if (t != QAccessible::Name) return {};
    return QStringLiteral("Your name for place %1, %2 points")
        .arg(Row())
        .arg(w->settings.Table.HighScores[Row()]);
}

QAccessible::State NameFieldAccessible::state() const {
    QAccessible::State state = RowAccessible::state();
    state.editable = true;
    return state;
}

void* NameFieldAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return nullptr;
}

// The row the new score took: it holds the name while it is typed.
int NameFieldAccessible::Row() const {
    const MainWindow* w = Window();
    return w ? std::clamp(w->NewEntryRow, 1, kTableRows) : 1;
}

QString NameFieldAccessible::Name() const {
    const MainWindow* w = Window();
    return w ? QString::fromStdString(w->settings.Table.HighScoreNames[Row()]) : QString();
}

QString NameFieldAccessible::text(int startOffset, int endOffset) const {
    const QString name = Name();
    if (endOffset < 0 || endOffset > name.size()) endOffset = name.size();
    startOffset = std::clamp(startOffset, 0, endOffset);
    return name.mid(startOffset, endOffset - startOffset);
}

void NameFieldAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
}

QString NameFieldAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
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
