#pragma once
// What assistive technology is told about the window, through Qt's own
// accessibility interfaces: a name for every picture that can be clicked, with
// the state a toggle shows; each player's score and the deal number as text; the
// board cursor's cell, announced as it changes; the deal entry and the statistics;
// and the words of every guide.

namespace quabe {

class MainWindow;

// Describes the window's pictures from then on; before any picture is made.
void InstallAccessibility();
// Names every picture that can be clicked, and the table; again after each change
// of an option.
void NamePictures(MainWindow& w);
// Names the board after the cursor's cell and each score row after the number it
// shows. A name that changes is announced, as Qt announces every new name.
void NameBoardAndScores(MainWindow& w);
// Names the deal entry after what is typed in it and whether it was refused.
void NameDealEntry(MainWindow& w);
// Gives the statistics screen every figure it shows, as text.
void NameStatistics(MainWindow& w);
// Names what the game explains of itself after what each shows: the pointed
// group's worth, the winner, the cleared board, the marks, the hint, the notes
// under the options and the how-to-play page with all its words.
void NameGuides(MainWindow& w);

}  // namespace quabe
