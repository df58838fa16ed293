#pragma once
// Piece sets: numbered folders "Set1", "Set2", ... in the program folder, each holding
// Piece0.gif (the empty cell), Piece1.gif .. Piece6.gif (the six kinds) and Title.txt.
// Players add their own, so nothing found there is trusted: a set that cannot be
// read is skipped, never fatal.
#include <QImage>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>

namespace quabe {

constexpr int kPiecePixels = 32;  // pixels; the board draws pieces unscaled

// The folder of the executable; when it holds no Set1, the installed data folder
// (<prefix>/share/quabe-pro beside <prefix>/bin). Needs a running QCoreApplication.
QString ProgramFolder();
// The same choice for an executable living in `executableFolder`.
QString ProgramFolder(const QString& executableFolder);

struct PieceSet {
    std::array<QImage, 7> pieces;  // Piece0..Piece6, 32x32, transparent pixels flattened onto black
    uint32_t boardColor = 0;       // 0xRRGGBB of pixel (0,0) of Piece0
    int number = 0;                // the set actually in use; 0 = the built-in pieces
};

// Set `setNumber` from the program folder `folder`; when that set is missing or broken,
// set 1, and when set 1 is unusable too, the `builtIn` pieces.
PieceSet LoadPieceSet(const QString& folder, int setNumber, const std::array<QImage, 7>& builtIn);

struct PieceSetEntry {
    int number;
    QString title;
    QImage icon;  // the set's Piece1, as the board would draw it
};

// The usable sets of `folder` (all seven pictures decode, Title.txt readable), in number order.
QList<PieceSetEntry> FindPieceSets(const QString& folder);

// The first delimited field of the text file at `path`. `ok` is false when the file is
// missing, unreadable or empty.
QString ReadTitle(const QString& path, bool* ok = nullptr);

}  // namespace quabe
