#pragma once
// The parts of a picture that a screen reader meets one by one though they are no
// widgets: the board's cells, the lines of the screens read line by line and the
// field a new name is typed into, and the window's announcer. Each lives as long
// as the picture.
#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QPointer>
#include <QWidget>

namespace quabe {

class MainWindow;

class PartAccessible : public QAccessibleInterface {
  public:
    explicit PartAccessible(QWidget* owner) : owner_(owner) {}

    bool isValid() const override { return !owner_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::State state() const override;

  protected:
    QWidget* Owner() const { return owner_; }
    MainWindow* Window() const;

  private:
    QPointer<QWidget> owner_;
};

// A cell of the board: its place, its piece and the group it belongs to. It has the
// focus while the board has it and the cursor stands on it.
class CellAccessible : public PartAccessible {
  public:
    CellAccessible(QWidget* board, int row, int col)
        : PartAccessible(board), row_(row), col_(col) {}
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;

  private:
    int row_, col_;
};

// A line of a list read line by line (read_lists.h): a place of the high-score
// table, a part of the how-to-play page, a figure of the statistics. `reading` is
// the line that has the focus while the list has it.
class LineAccessible : public PartAccessible {
  public:
    LineAccessible(QWidget* list, int line, const int& reading)
        : PartAccessible(list), line_(line), reading_(reading) {}
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

  protected:
    virtual int Line() const { return line_; }

  private:
    int line_;
    const int& reading_;
};

// What is typed into a field, as its text: the caret stands after the last
// character, and nothing in it can be selected.
class TypedText : public QAccessibleTextInterface {
  public:
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return static_cast<int>(Typed().size()); }
    int cursorPosition() const override { return characterCount(); }
    void setCursorPosition(int) override {}
    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

  protected:
    virtual QString Typed() const = 0;
};

// Tells a reader what a key did to a field's text: the characters it added or
// removed at the end.
void TellTyped(QAccessibleInterface* field, const QString& before, const QString& now);

// The row a new score took, while its name is typed: a text field holding the name.
class NameFieldAccessible : public LineAccessible, public TypedText {
  public:
    NameFieldAccessible(QWidget* table, const int& reading) : LineAccessible(table, 0, reading) {}

    using TypedText::text;
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::EditableText; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

  private:
    int Line() const override;
    QString Typed() const override;
};

// Says what happened: a notification whose text is the latest sentence. Readers
// speak a notification each time it shows, whatever has the focus.
class AnnouncerAccessible : public PartAccessible {
  public:
    using PartAccessible::PartAccessible;
    void Say(const QString& sentence);
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::Notification; }

  private:
    QString sentence_;
};

// Registers a part with Qt, which hands it out to readers by its id, and takes it
// back: Qt owns a registered interface until it is deleted through Qt.
template <typename Part>
Part* Registered(Part* part) {
    QAccessible::registerAccessibleInterface(part);
    return part;
}
inline void Unregister(QAccessibleInterface* part) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(part));
}

}  // namespace quabe
