#pragma once
// The image holder: every shipped picture, loaded once at start-up and
// borrowed by the controls, the board and the high-score table.
#include <QCursor>
#include <QPixmap>
#include <QString>
#include <array>

namespace quabe {

// A shipped picture flattened onto black, as every surface of the game shows it.
// A missing picture gives a black one of the expected size, so the layout holds.
QPixmap LoadPicture(const QString& name, QSize expected);

struct Graphics {
    Graphics();

    QPixmap Window;  // frmMain.gif, the frame drawn behind everything
    std::array<QImage, 7> BuiltInPieces;
    std::array<QImage, 7> Pieces;      // the current set's, replaced when a set loads
    std::array<QPixmap, 11> Digits;    // imgDigit: 0..9 and the dot
    std::array<QPixmap, 27> Alphabet;  // pctAlphabet: the cursor and A..Z
    QPixmap OnePlayer, TwoPlayers, SoundOn, SoundOff, Yes, No;
    QPixmap Fire, Mine, Black;
    QCursor Hand;
    QPixmap Icon;
};

}  // namespace quabe
