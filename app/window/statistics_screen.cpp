#include "statistics_screen.h"

#include <algorithm>

#include "high_score_table.h"

namespace quabe {

namespace {

// The names stand from here; the figures, six digits each, from kFiguresX, on
// the high-score table's rows.
constexpr int kNamesX = 46, kFiguresX = 360, kDigitPitch = 22;  // pixels
constexpr int64_t kLargestShown = 999999;

}  // namespace

StatisticsScreen::StatisticsScreen(QWidget* window, const Graphics& graphics)
    : DrawingBox(window, QSize(32, 32)),
      graphics_(graphics),
      names_(LoadPicture(QStringLiteral("pctStatisticsText.gif"), QSize(300, 341))) {
    setFocusPolicy(Qt::ClickFocus);
    setCursor(graphics.Hand);
}

void StatisticsScreen::Draw(const Statistics& statistics) {
    SetImageSize(size());
    PaintPicture(names_, kNamesX * kUnitsPerPixel, 0);
    int row = 1;
    for (const ShownFigure& figure : ShownFigures(statistics)) {
        const int64_t shown = std::clamp<int64_t>(figure.value, 0, kLargestShown);
        for (int digit = 1, place = 100000; digit <= kScoreDigits; ++digit, place /= 10) {
            const int x = (kFiguresX + (digit - 1) * kDigitPitch) * kUnitsPerPixel;
            PaintPicture(graphics_.Digits[static_cast<int>(shown / place % 10)], x, RowY(row));
        }
        ++row;
    }
    update();
}

QRect StatisticsScreen::LineRect(int row) const {
    const QSize digit = graphics_.Digits[0].size();
    const int right = kFiguresX + (kScoreDigits - 1) * kDigitPitch + digit.width();
    return {kNamesX, UnitsToPixels(RowY(row)), right - kNamesX, digit.height()};
}

}  // namespace quabe
