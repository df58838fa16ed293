#include "read_lists.h"

#include <QFile>

#include "high_score_table.h"
#include "main_window.h"
#include "statistics_screen.h"

namespace quabe {

bool IsReadList(const MainWindow& w, const QWidget* widget) {
    return widget && (widget == w.pctHighScore || widget == w.pctHowToPlay ||
                      widget == w.pctStatisticsScreen);
}

int LinesOf(const MainWindow& w, const QWidget* list) {
    if (list == w.pctHighScore) return kTableRows;
    if (list == w.pctStatisticsScreen) return kShownFigures;
    if (list == w.pctHowToPlay) return static_cast<int>(HowToPlayParts().size());
    return 0;
}

int FirstLine(const MainWindow& w, const QWidget* list) {
    const bool typing = list == w.pctHighScore && w.nameEntry.EnteringName();
    return typing ? w.NewEntryRow : 1;
}

// A row of the table and of the statistics, from its first character to the
// last digit of its figure, and a little room either side: the characters fill
// their cells to the edges.
QRect LineRect(const MainWindow& w, const QWidget* list, int line) {
    constexpr int kSideRoom = 4;
    if (line < 1 || line > LinesOf(w, list)) return {};
    QRect drawn;
    if (list == w.pctHighScore) {
        const QSize digit = w.graphics.Digits[0].size();
        const int left = UnitsToPixels(NameCellX(1));
        const int right = UnitsToPixels(ScoreDigitX(kScoreDigits)) + digit.width();
        drawn = {left, UnitsToPixels(RowY(line)), right - left, digit.height()};
    } else if (list == w.pctStatisticsScreen) {
        drawn = w.pctStatisticsScreen->LineRect(line);
    }
    return drawn.isValid() ? drawn.adjusted(-kSideRoom, 0, kSideRoom, 0) : QRect();
}

// The words are shipped beside the page's picture, one part a paragraph under
// the page's title.
const QStringList& HowToPlayParts() {
    static const QStringList parts = [] {
        QFile file(QStringLiteral(":/pictures/pctHowToPlay.txt"));
        if (!file.open(QIODevice::ReadOnly)) return QStringList();
        QStringList paragraphs = QString::fromUtf8(file.readAll()).split(QStringLiteral("\n\n"));
        if (!paragraphs.isEmpty()) paragraphs.removeFirst();  // the title
        for (QString& paragraph : paragraphs) paragraph = paragraph.simplified();
        paragraphs.removeAll(QString());
        return paragraphs;
    }();
    return parts;
}

}  // namespace quabe
