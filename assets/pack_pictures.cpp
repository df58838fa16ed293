// Packs shipped GIFs, and PNGs that keep their transparency, ready to draw
// (ready_picture.h), at build time:
//   quabe_pack_pictures SOURCE_FOLDER OUTPUT_FOLDER NAME.gif|NAME.png...
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <cstdio>

#include "ready_picture.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // the GIF reader is a plugin found through the application
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SOURCE_FOLDER OUTPUT_FOLDER NAME.gif|NAME.png...\n",
                     argv[0]);
        return 2;
    }
    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", argv[2]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const QString name = QString::fromLocal8Bit(argv[i]);
        const QByteArray format = QFileInfo(name).suffix().toLatin1();
        QImageReader reader(source.filePath(name), format);
        const QImage picture = reader.read();
        if (picture.isNull()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(reader.fileName()),
                         qPrintable(reader.errorString()));
            return 1;
        }
        QImage ready;
        if (format == "png") {
            ready = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        } else {
            // Transparent pixels black, as the window has always drawn them.
            ready = QImage(picture.size(), QImage::Format_RGB32);
            ready.fill(Qt::black);
            QPainter(&ready).drawImage(0, 0, picture);
        }
        const QByteArray packed = quabe::PackReadyPicture(ready);
        QFile file(output.filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".raw")));
        if (!file.open(QIODevice::WriteOnly) || file.write(packed) != packed.size() ||
            !file.flush()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(file.fileName()),
                         qPrintable(file.errorString()));
            return 1;
        }
    }
    return 0;
}
