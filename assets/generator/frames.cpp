// The window's own pictures: the bevelled frames of the main window and the
// set chooser, the two window buttons, and the blank drawing surfaces.
#include <QPainter>

#include "artwork.h"

namespace artwork {

Assets WindowPictures() {
    Assets out;
    // Surfaces drawn into at run time start out blank; painted, they leave black.
    for (const char* name : {"pctBoard", "pctHighScore", "pctBlack"})
        out.push_back(
            Gif(QString("pictures/%1.gif").arg(name), Canvas(32, 32), Transparency::Everyone));
    return out;
}

}  // namespace artwork
