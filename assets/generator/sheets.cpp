// Pages for judging the artwork by eye: every picture on one contact sheet,
// and the screens of the main window put together from their pictures.
#include <QPainter>

#include <cmath>
#include <stdexcept>

#include "artwork.h"

namespace artwork {
namespace {

QImage Decoded(const Assets& assets, const QString& path) {
    for (const Asset& a : assets)
        if (a.path == path) return QImage::fromData(a.bytes).convertToFormat(QImage::Format_ARGB32);
    throw std::runtime_error(("no asset " + path).toStdString());
}

QImage Picture(const Assets& assets, const QString& name) {
    return Decoded(assets, "pictures/" + name);
}

// How a colour looks to a viewer without working green (or red) cones.
QImage ColourBlind(const QImage& image, bool protan) {
    static const double deutan[3][3] = {{0.367322, 0.860646, -0.227968},
                                        {0.280085, 0.672501, 0.047413},
                                        {-0.011820, 0.042940, 0.968881}};
    static const double prot[3][3] = {{0.152286, 1.052583, -0.204868},
                                      {0.114503, 0.786281, 0.099216},
                                      {-0.003882, -0.048116, 1.051998}};
    const auto& m = protan ? prot : deutan;
    auto linear = [](int c) { return std::pow(c / 255.0, 2.2); };
    auto encoded = [](double v) {
        return int(std::lround(255 * std::pow(std::clamp(v, 0.0, 1.0), 1 / 2.2)));
    };
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb px = out.pixel(x, y);
            const double c[3] = {linear(qRed(px)), linear(qGreen(px)), linear(qBlue(px))};
            int v[3];
            for (int i = 0; i < 3; ++i)
                v[i] = encoded(m[i][0] * c[0] + m[i][1] * c[1] + m[i][2] * c[2]);
            out.setPixel(x, y, qRgba(v[0], v[1], v[2], qAlpha(px)));
        }
    return out;
}

// Lays pictures out left to right, wrapping at a page width, each doubled.
class Page {
  public:
    explicit Page(int width) : width_(width) {}
    void Add(const QImage& picture) {
        const QImage big = picture.scaled(picture.size() * 2);
        if (x_ + big.width() + kGap > width_) NewRow();
        placed_.push_back({QPoint(x_, y_), big});
        x_ += big.width() + kGap;
        rowHeight_ = std::max(rowHeight_, big.height());
    }
    void NewRow() {
        if (x_ == kGap) return;
        x_ = kGap, y_ += rowHeight_ + kGap, rowHeight_ = 0;
    }
    QImage Render() {
        NewRow();
        QImage page(width_, y_, QImage::Format_RGB32);
        page.fill(QColor(0x80, 0x80, 0x80));
        QPainter painter(&page);
        for (const auto& [at, picture] : placed_) painter.drawImage(at, picture);
        return page;
    }

  private:
    static constexpr int kGap = 10;
    int width_, x_ = kGap, y_ = kGap, rowHeight_ = 0;
    std::vector<std::pair<QPoint, QImage>> placed_;
};

// The board filled with Set1 pieces, as the game deals it.
void Board(QPainter& painter, const Assets& assets, const QString& set) {
    std::uint32_t seed = 7;
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 15; ++col) {
            seed = seed * 1103515245u + 12345u;
            const int kind = 1 + int((seed >> 16) % 6);
            painter.drawImage(12 + col * 36, 82 + row * 36,
                              Decoded(assets, QString("sets/%1/Piece%2.gif").arg(set).arg(kind)));
        }
}

QImage Window(const Assets& assets) {
    QImage window(690, 458, QImage::Format_RGB32);
    window.fill(Qt::black);
    QPainter painter(&window);
    painter.drawImage(0, 0, Picture(assets, "frmMain.gif"));
    painter.drawImage(208, 16, Picture(assets, "pctQuabe.gif"));
    painter.drawImage(636, 12, Picture(assets, "pctMinimizeIcon.gif"));
    painter.drawImage(658, 12, Picture(assets, "pctExitIcon.gif"));
    return window;
}

void Score(QPainter& painter, const Assets& assets, int value, int y) {
    const QString digits = QString("%1").arg(value, 6, 10, QChar('0'));
    for (int k = 5; k >= 0; --k)
        painter.drawImage(
            660 - 20 * k, y,
            Picture(assets, QString("imgDigit%1.gif").arg(digits[5 - k].digitValue())));
}

// The deal number centred in the strip under the side panel's buttons.
void Deal(QPainter& painter, const Assets& assets, int number) {
    const QString digits = QString::number(number);
    const int left = 621 - 6 * int(digits.size());
    for (int i = 0; i < digits.size(); ++i)
        painter.drawImage(
            left + 12 * i, 429,
            Picture(assets, QString("imgSmallDigit%1.gif").arg(digits[i].digitValue())));
}

// Six digit pictures from the left edge x, on the row whose top is y.
void Figure(QPainter& painter, const Assets& assets, int value, double x, double y) {
    const QString digits = QString("%1").arg(value, 6, 10, QChar('0'));
    for (int d = 0; d < 6; ++d)
        painter.drawImage(QPointF(x + d * 22, y),
                          Picture(assets, QString("imgDigit%1.gif").arg(digits[d].digitValue())));
}

QImage MainScreen(const Assets& assets, const QString& set) {
    QImage window = Window(assets);
    QPainter painter(&window);
    const struct {
        const char* name;
        int x, y;
    } buttons[] = {{"pctNew", 580, 233},        {"pctSoundOn", 630, 233}, {"pctUndo", 580, 273},
                   {"pctHighScores", 630, 273}, {"pctSet", 580, 313},     {"pct2Player", 630, 313},
                   {"pctEvents", 580, 353},     {"pctHelp", 580, 393},    {"pctExit", 630, 393}};
    for (const auto& b : buttons)
        painter.drawImage(b.x, b.y, Picture(assets, QString(b.name) + ".gif"));
    Score(painter, assets, 1234, 84);
    Score(painter, assets, 907, 110);
    Board(painter, assets, set);
    Deal(painter, assets, 123456789);
    return window;
}

QImage OptionsScreen(const Assets& assets) {
    QImage window = Window(assets);
    QPainter painter(&window);
    const char* labels[] = {"pctRowShifts", "pctColumnShifts", "pctMines", "pctFlash"};
    const int rise[] = {0, 2, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const int top = 150 + 50 * i;
        painter.drawImage(210, top, Picture(assets, i % 2 ? "pctNo.gif" : "pctYes.gif"));
        painter.drawImage(266, top - rise[i], Picture(assets, QString(labels[i]) + ".gif"));
        painter.drawImage(269, top + 29, Picture(assets, QString(labels[i]) + "Note.gif"));
    }
    painter.drawImage(210, 360, Picture(assets, "pctNextBoardNote.gif"));
    painter.drawImage(630, 132, Picture(assets, "pctOk.gif"));
    painter.drawImage(590, 144 + 60, Picture(assets, "pctGameOver.gif"));
    painter.drawImage(630, 168 + 100, Picture(assets, "pctReset.gif"));
    return window;
}

QImage TableScreen(const Assets& assets) {
    QImage window = Window(assets);
    QPainter painter(&window);
    const char* names[] = {"ANNA", "BOB2", "QUABEPRO", "ZED", ""};
    const int scores[] = {98765, 43210, 1200, 456, 0};
    for (int r = 0; r < 5; ++r) {
        const double y = 82 + 20 + r * 34;
        const QString name = names[r];
        for (int c = 0; c < name.size(); ++c) {
            const QChar ch = name[c];
            const QString file = ch.isDigit()
                                     ? QString("imgDigit%1.gif").arg(ch.digitValue())
                                     : QString("pctAlphabet%1.gif").arg(ch.unicode() - 'A' + 1);
            painter.drawImage(QPointF(12 + 66.67 + c * 22, y), Picture(assets, file));
        }
        if (r == 4) painter.drawImage(QPointF(12 + 66.67, y), Picture(assets, "pctAlphabet0.gif"));
        Figure(painter, assets, scores[r], 12 + 296, y);
    }
    painter.drawImage(630, 132, Picture(assets, "pctOk.gif"));
    painter.drawImage(630, 168, Picture(assets, "pctReset.gif"));
    painter.drawImage(630, 204, Picture(assets, "pctStatistics.gif"));
    const QImage about = Picture(assets, "pctAboutText.gif");
    painter.drawImage(12 + (538 - about.width()) / 2, 82 + 362 - about.height() - 8, about);
    return window;
}

QImage StatisticsScreen(const Assets& assets) {
    QImage window = Window(assets);
    QPainter painter(&window);
    painter.drawImage(12 + 46, 82, Picture(assets, "pctStatisticsText.gif"));
    const int figures[] = {42, 17, 9, 2388, 1115, 11, 5, 1, 31, 23};
    for (int r = 0; r < 10; ++r) Figure(painter, assets, figures[r], 12 + 360, 82 + 7 + r * 34);
    return window;
}

}  // namespace

QImage ContactSheet(const Assets& assets) {
    Page page(1600);
    for (const Asset& a : assets)
        if (a.path.startsWith("pictures/") && !a.path.endsWith(".txt"))
            page.Add(Decoded(assets, a.path));
    for (const char* set : {"Set1", "Set2", "Set3"}) {
        page.NewRow();
        QImage strip(7 * 34, 32, QImage::Format_ARGB32);
        strip.fill(QColor(0x80, 0x80, 0x80));
        QPainter painter(&strip);
        for (int k = 0; k <= 6; ++k)
            painter.drawImage(k * 34, 0,
                              Decoded(assets, QString("sets/%1/Piece%2.gif").arg(set).arg(k)));
        painter.end();
        page.Add(strip);
        page.Add(ColourBlind(strip, false));
        page.Add(ColourBlind(strip, true));
    }
    return page.Render();
}

QImage WindowMockup(const Assets& assets) {
    QImage sheet(690 * 2 + 10, 458 * 4 + 30, QImage::Format_RGB32);
    sheet.fill(QColor(0x80, 0x80, 0x80));
    QPainter painter(&sheet);
    painter.drawImage(0, 0, MainScreen(assets, "Set1"));
    painter.drawImage(700, 0, MainScreen(assets, "Set2"));
    painter.drawImage(0, 468, MainScreen(assets, "Set3"));
    painter.drawImage(700, 468, OptionsScreen(assets));
    painter.drawImage(0, 936, TableScreen(assets));
    painter.drawImage(700, 936, Picture(assets, "frmSets.gif"));
    painter.drawImage(0, 1404, StatisticsScreen(assets));
    return sheet;
}

}  // namespace artwork
