#pragma once
// The generator's shared vocabulary: every family of artwork returns a list
// of finished files, named by their path below the assets folder.
#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

#include "gif_writer.h"

namespace artwork {

struct Asset {
    QString path;  // below assets/, e.g. "pictures/pctNew.gif"
    QByteArray bytes;
};
using Assets = std::vector<Asset>;

// A transparent canvas of the given size, ready to paint on.
QImage Canvas(int width, int height);

Asset Gif(const QString& path, const QImage& picture, Transparency transparency);
Asset Png(const QString& path, const QImage& picture);

// One family of artwork per source file.
Assets WindowPictures();   // frames.cpp: frames, window buttons, blanks
Assets ButtonPictures();   // buttons.cpp: side-panel discs, fire and mine
Assets LetterPictures();   // labels.cpp: digits, alphabet, logo and every label
Assets PiecePictures();    // pieces.cpp: built-in pieces and the shipped sets
Assets PointerPictures();  // pointer.cpp: hand pointer and window icons
Assets Sounds();           // sounds.cpp: the three wave files

// Pieces of one family that another draws on.
QImage Plate(int width, int height);  // frames.cpp: black in a thin bevelled border
QImage PlayButton();                  // buttons.cpp: the New button
QImage HelpButton();                  // buttons.cpp: the Help button
QImage MineBall(int size);            // buttons.cpp: the mine, fitted to a square

// guides.cpp: the pictures that explain the game to its player, and the words of
// the how-to-play page for screen readers.
Assets GuidePictures();

// sheets.cpp: every picture on one page, and the main window put together.
QImage ContactSheet(const Assets& assets);
QImage WindowMockup(const Assets& assets);

}  // namespace artwork
