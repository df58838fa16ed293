#pragma once
// The image holder: every shipped picture, loaded once and borrowed by the
// controls, the board and the high-score table.
#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <array>
#include <vector>

namespace quabe {

// A shipped picture flattened onto black, as every surface of the game shows it,
// taken ready to draw: no GIF is decoded (ready_picture.h). A missing picture
// gives a black one of the expected size, so the layout holds.
QImage ShippedPicture(const QString& name, QSize expected);
QPixmap LoadPicture(const QString& name, QSize expected);  // the same as a pixmap

// A numbered run of pictures, such as imgDigit0.gif .. imgDigit10.gif, read on
// first use: the first screen shows none of them, and start-up stays quick.
class PictureSeries {
  public:
    PictureSeries(const char* stem, int count, QSize size)
        : stem_(stem), count_(count), size_(size) {}
    const QPixmap& operator[](int index) const;
    int size() const { return count_; }

  private:
    const char* stem_;
    int count_;
    QSize size_;
    mutable std::vector<QPixmap> pictures_;
};

// One shipped picture, read on first use, for the pictures a screen composes.
class LazyPicture {
  public:
    LazyPicture(const char* name, QSize size) : name_(name), size_(size) {}
    const QPixmap& operator*() const;

  private:
    const char* name_;
    QSize size_;
    mutable QPixmap picture_;
};

struct Graphics {
    Graphics();

    QImage Window;  // frmMain.gif, the frame drawn behind everything
    // The pieces shipped in the program, for when no set can be read.
    const std::array<QImage, 7>& BuiltInPieces() const;
    std::array<QImage, 7> Pieces;  // the current set's: none until a set loads
    PictureSeries Digits{"imgDigit", 11, QSize(22, 28)};            // 0..9 and the dot
    PictureSeries Alphabet{"pctAlphabet", 27, QSize(22, 28)};       // the cursor and A..Z
    PictureSeries SmallDigits{"imgSmallDigit", 10, QSize(12, 16)};  // the deal number's
    LazyPicture Fire{"pctFire.gif", QSize(32, 32)}, Mine{"pctMine.gif", QSize(32, 32)};
    LazyPicture Black{"pctBlack.gif", QSize(32, 32)};
    LazyPicture Equals{"imgEquals.gif", QSize(22, 28)};  // between a group's size and points
    // The marks of the events that are on, in the order of the options screen.
    LazyPicture EventMarks[4] = {{"pctMarkRowShifts.gif", QSize(14, 14)},
                                 {"pctMarkColumnShifts.gif", QSize(14, 14)},
                                 {"pctMarkMines.gif", QSize(14, 14)},
                                 {"pctMarkFlash.gif", QSize(14, 14)}};
    QCursor Hand;
    QIcon Icon;  // the 32 x 32 icon: the window starts with it

    // Every shipped icon size, so that the desktop need not scale the small one up;
    // read once the window is up, since its first paint needs none of them.
    static QIcon AllIconSizes();

  private:
    mutable std::array<QImage, 7> builtInPieces_;
};

}  // namespace quabe
