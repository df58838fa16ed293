#pragma once
// A shipped picture ready to draw: its pixels flattened onto black, as every
// surface of the game shows them, kept as plain rows so that the program decodes
// no GIF at start. Qt's GIF reader spends tens of instructions on every pixel (the
// window's frame alone took a third of the start); unpacking the resource's zstd
// costs about one. The build packs one from each shipped GIF (pack_pictures.cpp) at
// :/ready/<name without .gif>.raw, and from the two PNGs the window needs at once,
// the pointing hand and the small icon, which keep their transparency. Layout: width
// and height as 32-bit numbers, then the rows of 0xffRRGGBB pixels (premultiplied
// 0xAARRGGBB for a PNG), all in the byte order of the machine that built it.
#include <QByteArray>
#include <QImage>
#include <cstring>

namespace quabe {

// `picture` is of Format_RGB32, or Format_ARGB32_Premultiplied for one that keeps
// its transparency.
inline QByteArray PackReadyPicture(const QImage& picture) {
    const quint32 extent[2] = {static_cast<quint32>(picture.width()),
                               static_cast<quint32>(picture.height())};
    QByteArray packed(reinterpret_cast<const char*>(extent), sizeof extent);
    for (int y = 0; y < picture.height(); ++y)
        packed.append(reinterpret_cast<const char*>(picture.constScanLine(y)), picture.width() * 4);
    return packed;
}

// The picture over the bytes of `packed` itself, which it keeps, when its pixels
// lie aligned as QImage needs them, else a copy; null when `packed` is no packed picture.
// `format` is the one it was packed in.
inline QImage UnpackReadyPicture(QByteArray packed,
                                 QImage::Format format = QImage::Format_RGB32) {
    constexpr qsizetype kHeader = 2 * sizeof(quint32);
    constexpr quint32 kLongestSide = 1 << 15;  // QImage's own limit is far above
    if (packed.size() < kHeader) return {};
    quint32 extent[2];
    std::memcpy(extent, packed.constData(), sizeof extent);
    const auto [width, height] = extent;
    if (width == 0 || height == 0 || width > kLongestSide || height > kLongestSide) return {};
    const qsizetype bytesPerLine = qsizetype{width} * 4;
    if (packed.size() != kHeader + bytesPerLine * height) return {};
    auto* kept = new QByteArray(std::move(packed));
    const auto* pixels = reinterpret_cast<const uchar*>(kept->constData()) + kHeader;
    const auto release = [](void* bytes) { delete static_cast<QByteArray*>(bytes); };
    const QImage picture(pixels, static_cast<int>(width), static_cast<int>(height), bytesPerLine,
                         format, release, kept);
    return reinterpret_cast<quintptr>(pixels) % alignof(quint32) == 0 ? picture : picture.copy();
}

}  // namespace quabe
