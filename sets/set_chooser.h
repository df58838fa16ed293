#pragma once
// frmSets, the modal set chooser: one icon per usable set, the current one selected.
#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

#include "piece_sets.h"

class QListWidget;

namespace quabe {

class SetChooser : public QDialog {
    Q_OBJECT

  public:
    // Lists the sets of the folders `places` (see ListPieceSets); `current` is the set in use.
    SetChooser(const QStringList& places, int current, QWidget* parent = nullptr);

    // The set to use from now on: the chosen one, or the current one when cancelled.
    int ChosenSet() const { return chosen_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Takes the selected set and closes; with nothing selected it closes without a change.
    // A double-click on the list does the same.
    void pctOk_Click();
    // Reads the listed sets that have come into view, showing their icons and leaving out
    // those that turn out broken; a set is read only once the player can see it.
    void ReadSetsInView();

    QPixmap background_;
    QListWidget* lstSets_;
    QList<PieceSetEntry> sets_;  // one for each entry of lstSets_, in its order
    bool reading_ = false;
    int chosen_;
};

// Opens the chooser modally over `parent` and returns at once; when it closes,
// `chosen` gets the chosen set's number, or `current` when the player cancels or
// chooses nothing. The chooser deletes itself once closed.
SetChooser* OpenSetChooser(QWidget* parent, const QStringList& places, int current,
                           std::function<void(int)> chosen);

}  // namespace quabe
