#pragma once
// A shipped picture ready to draw: its pixels flattened onto black, as every
// surface of the game shows them, kept as plain rows so that the program decodes
// no GIF at start. Qt's GIF reader spends tens of instructions on every pixel (the
// window's frame alone took a third of the start); unpacking the resource's zstd
// costs about one. The build packs one from each shipped GIF (pack_pictures.cpp) at
// :/ready/<name without .gif>.raw. Layout: width and height as 32-bit numbers, then
// the rows of 0xffRRGGBB pixels, all in the byte order of the machine that built it.
#include <QByteArray>
#include <QImage>
#include <cstring>

namespace quabe {

// `flat` is a picture of Format_RGB32.
inline QByteArray PackReadyPicture(const QImage& flat) {
    const quint32 extent[2] = {static_cast<quint32>(flat.width()),
                               static_cast<quint32>(flat.height())};
    QByteArray packed(reinterpret_cast<const char*>(extent), sizeof extent);
    for (int y = 0; y < flat.height(); ++y)
        packed.append(reinterpret_cast<const char*>(flat.constScanLine(y)), flat.width() * 4);
    return packed;
}

// The picture over the bytes of `packed` itself, which it keeps, when its pixels
// lie aligned as QImage needs them, else a copy; null when `packed` is no packed picture.
inline QImage UnpackReadyPicture(QByteArray packed) {
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
                         QImage::Format_RGB32, release, kept);
    return reinterpret_cast<quintptr>(pixels) % alignof(quint32) == 0 ? picture : picture.copy();
}

}  // namespace quabe
