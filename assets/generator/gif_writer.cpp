// GIF encoding through giflib, with a median-cut palette when a picture has
// more colours than a GIF can hold.
#include "gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <vector>

namespace artwork {
namespace {

struct Shade {
    QRgb rgb;
    long count;
};

int Channel(QRgb c, int axis) {
    return axis == 0 ? qRed(c) : axis == 1 ? qGreen(c) : qBlue(c);
}

// The axis along which a box of shades spreads most, and how far.
std::pair<int, int> WidestAxis(const std::vector<Shade>& box) {
    int bestAxis = 0, bestRange = -1;
    for (int axis = 0; axis < 3; ++axis) {
        auto [lo, hi] = std::minmax_element(box.begin(), box.end(), [axis](auto& a, auto& b) {
            return Channel(a.rgb, axis) < Channel(b.rgb, axis);
        });
        int range = Channel(hi->rgb, axis) - Channel(lo->rgb, axis);
        if (range > bestRange) bestAxis = axis, bestRange = range;
    }
    return {bestAxis, bestRange};
}

QRgb MeanOf(const std::vector<Shade>& box) {
    long r = 0, g = 0, b = 0, n = 0;
    for (const Shade& s : box) {
        r += qRed(s.rgb) * s.count, g += qGreen(s.rgb) * s.count, b += qBlue(s.rgb) * s.count;
        n += s.count;
    }
    return qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n));
}

// Splits the widest box at its population median until `budget` boxes exist.
std::vector<QRgb> MedianCut(std::vector<Shade> shades, int budget) {
    std::vector<std::vector<Shade>> boxes{std::move(shades)};
    while (int(boxes.size()) < budget) {
        int pick = -1, pickAxis = 0, pickRange = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[i].size() < 2) continue;
            auto [axis, range] = WidestAxis(boxes[i]);
            if (range > pickRange) pick = i, pickAxis = axis, pickRange = range;
        }
        if (pick < 0) break;
        std::vector<Shade>& box = boxes[pick];
        std::sort(box.begin(), box.end(), [pickAxis](const Shade& a, const Shade& b) {
            int ca = Channel(a.rgb, pickAxis), cb = Channel(b.rgb, pickAxis);
            return ca != cb ? ca < cb : a.rgb < b.rgb;
        });
        long total = 0, half = 0;
        for (const Shade& s : box) total += s.count;
        size_t cut = 0;
        while (cut + 2 < box.size() && (half += box[cut].count) * 2 < total) ++cut;
        std::vector<Shade> upper(box.begin() + long(cut) + 1, box.end());
        box.resize(cut + 1);
        boxes.push_back(std::move(upper));
    }
    std::vector<QRgb> palette;
    for (const auto& box : boxes) palette.push_back(MeanOf(box));
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    return palette;
}

int Nearest(const std::vector<QRgb>& palette, int first, QRgb c) {
    int best = first;
    long bestDistance = -1;
    for (int i = first; i < int(palette.size()); ++i) {
        long dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]);
        long db = qBlue(c) - qBlue(palette[i]);
        long d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (bestDistance < 0 || d < bestDistance) best = i, bestDistance = d;
    }
    return best;
}

int WriteToArray(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

void Check(int status, const char* what) {
    if (status != GIF_OK) throw std::runtime_error(what);
}

}  // namespace

Indexed Quantise(const QImage& picture, Transparency transparency, int colours) {
    // Premultiplied colour is the colour as seen over black, which is where
    // every picture of the game is shown.
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Indexed out;
    out.width = image.width(), out.height = image.height();
    out.keyed = transparency != Transparency::None;
    auto isClear = [&](QRgb px) {
        return transparency == Transparency::Everyone ||
               (transparency == Transparency::Clear && qAlpha(px) < 128);
    };

    std::map<QRgb, long> counts;
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            if (QRgb px = image.pixel(x, y); !isClear(px)) ++counts[px | 0xff000000u];

    const int budget = out.keyed ? colours - 1 : colours;
    std::vector<QRgb>& palette = out.palette;
    if (int(counts.size()) <= budget) {
        for (auto& [rgb, n] : counts) palette.push_back(rgb);
    } else {
        std::vector<Shade> shades;
        for (auto& [rgb, n] : counts) shades.push_back({rgb, n});
        palette = MedianCut(std::move(shades), budget);
    }
    if (out.keyed) palette.insert(palette.begin(), qRgb(0, 0, 0));
    if (palette.empty()) palette.push_back(qRgb(0, 0, 0));

    std::map<QRgb, int> lookup;
    for (auto& [rgb, n] : counts) lookup[rgb] = Nearest(palette, out.keyed ? 1 : 0, rgb);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            QRgb px = image.pixel(x, y);
            out.pixels.push_back(std::uint8_t(isClear(px) ? 0 : lookup[px | 0xff000000u]));
        }
    }
    return out;
}

QByteArray EncodeGif(const QImage& picture, Transparency transparency) {
    const Indexed indexed = Quantise(picture, transparency, 256);
    const std::vector<QRgb>& palette = indexed.palette;
    const int width = indexed.width, height = indexed.height;
    int bits = 1;
    while ((1 << bits) < int(palette.size())) ++bits;
    std::vector<GifColorType> colours(size_t(1) << bits, GifColorType{0, 0, 0});
    for (size_t i = 0; i < palette.size(); ++i)
        colours[i] = {GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])),
                      GifByteType(qBlue(palette[i]))};

    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, WriteToArray, &error);
    if (!gif) throw std::runtime_error("EGifOpen");
    EGifSetGifVersion(gif, true);
    ColorMapObject* map = GifMakeMapObject(1 << bits, colours.data());
    Check(EGifPutScreenDesc(gif, width, height, 8, 0, map), "screen");
    if (indexed.keyed) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, 0};
        std::array<GifByteType, 4> extension{};
        EGifGCBToExtension(&control, extension.data());
        Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension.data()), "control");
    }
    Check(EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr), "image");
    for (int y = 0; y < height; ++y) {
        auto* row = const_cast<GifPixelType*>(&indexed.pixels[size_t(y) * size_t(width)]);
        Check(EGifPutLine(gif, row, width), "line");
    }
    GifFreeMapObject(map);
    Check(EGifCloseFile(gif, &error), "close");
    return bytes;
}

}  // namespace artwork
