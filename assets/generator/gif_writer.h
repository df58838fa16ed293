#pragma once
// Turns a drawn picture into the bytes of a single-frame GIF89a.
#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <vector>

namespace artwork {

// Whether a palette entry is marked transparent, and for which pixels.
enum class Transparency {
    None,      // every pixel opaque; the picture is drawn on black
    Clear,     // pixels with alpha below one half become the transparent entry
    Everyone,  // every pixel is the transparent entry
};

// A picture reduced to a palette. A transparent entry, when there is one, is
// index 0 and black, so it looks the same wherever the picture is painted
// without its transparency.
struct Indexed {
    int width = 0, height = 0;
    bool keyed = false;
    std::vector<QRgb> palette;
    std::vector<std::uint8_t> pixels;  // row by row
};

// At most `colours` entries, the transparent one included; deterministic.
Indexed Quantise(const QImage& picture, Transparency transparency, int colours);

// At most 256 colours, deterministic for equal input.
QByteArray EncodeGif(const QImage& picture, Transparency transparency);

}  // namespace artwork
