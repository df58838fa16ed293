#include "test_folder.h"

#include <gif_lib.h>

#include <QDir>
#include <QFile>
#include <stdexcept>

#include <sys/stat.h>

namespace quabe::testing {

bool WriteGif(const QString& path, const QImage& image, std::optional<QRgb> transparent) {
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8);
    const QList<QRgb> colors = indexed.colorTable();
    int error = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &error);
    if (!gif) return false;
    ColorMapObject* map = GifMakeMapObject(256, nullptr);
    for (int i = 0; i < 256; ++i) {
        const QRgb color = i < colors.size() ? colors[i] : 0;
        map->Colors[i] = {GifByteType(qRed(color)), GifByteType(qGreen(color)),
                          GifByteType(qBlue(color))};
    }
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map) == GIF_OK;
    if (ok && transparent) {
        GraphicsControlBlock control{};
        control.TransparentColor = int(colors.indexOf(*transparent | 0xFF000000));
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK;
    }
    ok = ok &&
         EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < indexed.height(); ++y) {
        auto* row = const_cast<GifPixelType*>(indexed.constScanLine(y));
        ok = EGifPutLine(gif, row, indexed.width()) == GIF_OK;
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    return ok;
}

QRgb PieceColor(int kind) {
    static constexpr QRgb colors[] = {0xFF00C000, 0xFF808080, 0xFFC000C0,
                                      0xFFE00000, 0xFFE0E000, 0xFF00E0E0};
    return colors[kind - 1];
}

void TestFolder::AddSet(const QString& name, const QByteArray& titleText, QRgb boardColor,
                        int size) {
    if (!QDir(Path()).mkpath(name)) throw std::runtime_error("cannot make a set folder");
    for (int kind = 0; kind < 7; ++kind) {
        QImage picture(size, size, QImage::Format_RGB32);
        picture.fill(kind == 0 ? boardColor : PieceColor(kind));
        const QString file = QStringLiteral("%1/Piece%2.gif").arg(name).arg(kind);
        if (!WriteGif(PathOf(file), picture)) throw std::runtime_error("cannot write a GIF");
    }
    WriteFile(name + QStringLiteral("/Title.txt"), titleText);
}

void TestFolder::WriteFile(const QString& relativePath, const QByteArray& bytes) {
    QFile file(PathOf(relativePath));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a test file");
}

void TestFolder::Remove(const QString& relativePath) {
    if (!QFile::remove(PathOf(relativePath))) throw std::runtime_error("cannot remove a test file");
}

void TestFolder::Link(const QString& relativePath, const QString& target) {
    QFile::remove(PathOf(relativePath));
    if (!QFile::link(target, PathOf(relativePath))) throw std::runtime_error("cannot make a link");
}

QString TestFolder::MakeFifo(const QString& relativePath) {
    const QString path = PathOf(relativePath);
    if (mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        throw std::runtime_error("cannot make a FIFO");
    return path;
}

}  // namespace quabe::testing
