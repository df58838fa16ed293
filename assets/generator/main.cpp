// Writes every picture, piece set and sound of the game below the folder given
// on the command line; with a second folder, also the contact sheet and the
// mock-up of the main window for judging the artwork by eye.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>
#include <exception>

#include "artwork.h"

namespace artwork {

QImage Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

Asset Gif(const QString& path, const QImage& picture, Transparency transparency) {
    return {path, EncodeGif(picture, transparency)};
}

}  // namespace artwork

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s ASSETS_DIR [SHEETS_DIR]\n", argv[0]);
        return 2;
    }
    try {
        using namespace artwork;
        Assets all;
        for (Assets (*family)() : {WindowPictures, ButtonPictures, LetterPictures, PiecePictures,
                                   PointerPictures, GuidePictures, Sounds}) {
            Assets some = family();
            all.insert(all.end(), some.begin(), some.end());
        }
        const QDir out(QString::fromLocal8Bit(argv[1]));
        for (const Asset& asset : all) {
            if (!WriteFile(out.filePath(asset.path), asset.bytes)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(asset.path));
                return 1;
            }
        }
        if (argc == 3) {
            const QDir sheets(QString::fromLocal8Bit(argv[2]));
            QDir().mkpath(sheets.path());
            ContactSheet(all).save(sheets.filePath("contact-sheet.png"));
            WindowMockup(all).save(sheets.filePath("window-mockup.png"));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}
