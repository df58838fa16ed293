#pragma once
// What assistive technology is told about the window, through Qt's own
// accessibility interfaces. A screen reader speaks what takes the focus and what
// is announced; it does not speak a control whose name changes. So the window is a
// frame of named controls, the toggles are check boxes that tell their new state,
// the board is a table whose cells take the focus with the cursor, the high-score
// table, the how-to-play page and the statistics are lists read line by line, a
// new name and a deal number are typed into text fields, and whatever happens on
// its own (a move, a shift, the end of a game) is announced, once. The deal number
// and the words of every guide are text.
#include <QString>
#include <string>

class QWidget;

namespace quabe {

class MainWindow;
struct BeforePress;

// Describes the window and its pictures from then on; before any picture is made.
void InstallAccessibility();
// Names every picture that can be clicked; after each change of an option, and a
// toggle that changed tells its new state.
void NamePictures(MainWindow& w);
// Names each score row after the number it shows.
void NameScores(MainWindow& w);
// The picture that ends a game, named after its final scores.
void NameGameOver(MainWindow& w);
// Names what the game explains of itself after what each shows: the pointed
// group's worth, the winner, the cleared board, the marks, the hint, the notes
// under the options and the how-to-play page with all its words.
void NameGuides(MainWindow& w);

// Says `sentence` once, wherever the focus is: the one way to tell a player what
// happened. The second form adds the cell under the board cursor while it shows.
void Announce(MainWindow& w, const QString& sentence);
void AnnounceAtCursor(MainWindow& w, const QString& sentence);
// What a press on the board did, told once it is over.
void TellPress(MainWindow& w, const BeforePress& before);

// Gives the focus to the cursor's cell, while the board has it and the cursor shows.
void FocusCursorCell(MainWindow& w);
// Gives the focus to the list's line being read (MainWindow::LineRead), while the
// list has it.
void FocusListLine(QWidget* list);
// A key typed into a new name: the letter it added or removed, or the end of entry.
void TellNameKey(MainWindow& w, const std::string& nameBefore, bool wasEntering);
// A key typed into the deal entry: the digit it added or removed, or why the number
// offered was refused.
void TellDealKey(MainWindow& w, const QString& typedBefore);

}  // namespace quabe
