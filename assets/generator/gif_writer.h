#pragma once
// Turns a drawn picture into the bytes of a single-frame GIF89a.
#include <QByteArray>
#include <QImage>

namespace artwork {

// Whether a palette entry is marked transparent, and for which pixels.
enum class Transparency {
    None,      // every pixel opaque; the picture is drawn on black
    Clear,     // pixels with alpha below one half become the transparent entry
    Everyone,  // every pixel is the transparent entry
};

// At most 256 colours, deterministic for equal input. A transparent entry,
// when there is one, is index 0 and black, so it looks the same wherever the
// picture is painted without its transparency.
QByteArray EncodeGif(const QImage& picture, Transparency transparency);

}  // namespace artwork
