#pragma once
// Piece sets: numbered folders "Set1", "Set2", ... in the program folder and in the
// player's own data folder, each holding Piece0.gif (the empty cell), Piece1.gif ..
// Piece6.gif (the six kinds) and Title.txt. Players add their own, so nothing found
// there is trusted: a set that cannot be read is skipped, never fatal. A set is usable
// when its seven pictures decode and its title reads; the chooser shows exactly the
// usable sets (judging each as it comes into view) and the loader loads nothing else.
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace quabe {

constexpr int kPiecePixels = 32;  // pixels; the board draws pieces unscaled
// The largest picture taken for a piece, in pixels each way. A larger one is refused before it
// is decoded: a few bytes of a picture file can declare thousands of pixels square.
constexpr int kLargestPiecePicture = 256;
// The most sets the chooser lists, those of the lowest numbers.
constexpr int kMostListedSets = 300;

// The folder of the executable; when it holds no Set1, the installed data folder
// (<prefix>/share/quabe-pro beside <prefix>/bin). Needs a running QCoreApplication.
QString ProgramFolder();
// The same choice for an executable living in `executableFolder`.
QString ProgramFolder(const QString& executableFolder);

// The player's own set folder, $XDG_DATA_HOME/quabe-pro (~/.local/share/quabe-pro);
// empty when the desktop names no data folder.
QString PlayersSetFolder();
// Where sets are looked for: the program folder, then the player's folder, whose set N
// stands in for the program's set N. Both are only ever read.
QStringList PieceSetPlaces();

// What a screen reader calls each kind: names[k] for kind k = 1..6, empty where the
// set names none (names[0], the empty cell, is never named).
using PieceNames = std::array<QString, 7>;

struct PieceSet {
    std::array<QImage, 7> pieces;  // Piece0..Piece6, 32x32, transparent pixels flattened onto black
    uint32_t boardColor = 0;       // 0xRRGGBB of pixel (0,0) of Piece0
    int number = 0;                // the set actually in use; 0 = the built-in pieces
    PieceNames names;
};

// Usable set `setNumber` from the folders `places` (a later folder's set stands in for an
// earlier one's); when there is none, set 1, and when set 1 is unusable too, the
// `builtIn` pieces.
PieceSet LoadPieceSet(const QStringList& places, int setNumber,
                      const std::array<QImage, 7>& builtIn);

struct PieceSetEntry {
    int number = 0;
    QString title;
    QImage icon;          // the set's Piece1, as the board would draw it; null until read
    QStringList folders;  // the folders that may hold the set, the one that stands in first
};

// The sets of the folders `places` that have a title, in number order, each number once and
// at most kMostListedSets of them. Only the places are listed and only titles read, so this
// stays quick however many sets and files there are; no picture is read.
QList<PieceSetEntry> ListPieceSets(const QStringList& places);
// Reads a listed set as LoadPieceSet would take it, filling in the title and icon of the
// folder in use. False when none of its folders holds a usable set.
bool ReadListedSet(PieceSetEntry& entry);
// The usable sets among those listed, read.
QList<PieceSetEntry> FindPieceSets(const QStringList& places);

// The set number a folder name gives: "Set" (in any letter case) followed by digits and
// nothing else; 0 for any other name.
int SetNumberOf(const QString& folderName);
// The kinds' names from the text file at `path`: line k names kind k. Blank lines,
// missing lines and a missing file leave kinds unnamed; a name is cut to a few words.
PieceNames ReadPieceNames(const QString& path);

// The first delimited field of the text file at `path`. `ok` is false when the file is
// missing, no plain file or empty.
QString ReadTitle(const QString& path, bool* ok = nullptr);
// The title a Title.txt holding `text` gives.
QString TitleOf(const QByteArray& text);

}  // namespace quabe
