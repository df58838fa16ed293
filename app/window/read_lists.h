#pragma once
// The screens read line by line with Up and Down: the high-score table a place a
// line, the how-to-play page a part a line, the statistics a figure a line. The
// line being read has a screen reader's focus and, while the keys are in use, the
// focus ring.
#include <QRect>
#include <QStringList>

class QWidget;

namespace quabe {

class MainWindow;

bool IsReadList(const MainWindow& w, const QWidget* widget);
int LinesOf(const MainWindow& w, const QWidget* list);
// The line read when the list takes the focus: a name's row while it is typed,
// else the top.
int FirstLine(const MainWindow& w, const QWidget* list);
// Where the line is drawn, in the list's pixels; empty on the how-to-play page,
// whose parts are one picture.
QRect LineRect(const MainWindow& w, const QWidget* list, int line);
// The how-to-play page's parts in words, each with its heading: "Aim. Click ...".
const QStringList& HowToPlayParts();

}  // namespace quabe
