// The committed artwork is what the generator makes from its source, so nobody can
// edit a picture by hand and have it drift from the code.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

namespace {

std::map<QString, QByteArray> Tree(const QString& root) {
    std::map<QString, QByteArray> files;
    for (const char* folder : {"pictures", "sets", "sounds"}) {
        QDirIterator it(root + "/" + folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (file.open(QIODevice::ReadOnly))
                files[file.fileName().mid(root.size() + 1)] = file.readAll();
        }
    }
    return files;
}

std::map<QString, QByteArray> Generate() {
    QTemporaryDir out;
    QProcess generator;
    generator.start(QUABE_ARTWORK_GENERATOR, {out.path()});
    if (!generator.waitForFinished(120000) || generator.exitStatus() != QProcess::NormalExit ||
        generator.exitCode() != 0) {
        ADD_FAILURE() << "generator failed: " << generator.readAllStandardError().toStdString();
        return {};
    }
    return Tree(out.path());
}

// The desktop's PNGs are painted smoothly. The generator does its own rounding where
// Qt's differs between processors, but painting on another kind of processor may still
// leave a pixel off by one in a channel: that is allowed on at most 1 % of a picture,
// anything more is a real change. Pixels are compared decoded, since another PNG
// compressor may pack equal pixels differently. Returns what differs, empty when alike.
std::string PngDifference(const QByteArray& committed, const QByteArray& made) {
    const QImage a = QImage::fromData(committed, "PNG").convertToFormat(QImage::Format_ARGB32);
    const QImage b = QImage::fromData(made, "PNG").convertToFormat(QImage::Format_ARGB32);
    if (a.isNull() || b.isNull()) return "does not decode";
    if (a.size() != b.size()) return "has another size";
    qsizetype offByOne = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int most =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            if (most > 1)
                return "differs by " + std::to_string(most) + " at (" + std::to_string(x) + ", " +
                       std::to_string(y) + ")";
            if (most == 1) ++offByOne;
        }
    }
    if (offByOne * 100 > qsizetype(a.width()) * a.height())
        return "differs by one on " + std::to_string(offByOne) + " pixels";
    return {};
}

// The GIFs, reduced to a palette by the generator's own code, the titles and the waves
// must match byte for byte.
TEST(AssetsRegenerate, GeneratorReproducesEveryCommittedFile) {
    const auto committed = Tree(QUABE_ASSETS_DIR);
    const auto made = Generate();
    ASSERT_FALSE(made.empty());
    for (const auto& [path, bytes] : made) {
        auto it = committed.find(path);
        if (it == committed.end())
            ADD_FAILURE() << qPrintable(path) << " is not committed";
        else if (path.endsWith(".png"))
            EXPECT_EQ(PngDifference(it->second, bytes), "") << qPrintable(path);
        else
            EXPECT_TRUE(it->second == bytes) << qPrintable(path) << " differs from its source";
    }
    for (const auto& [path, bytes] : committed)
        EXPECT_TRUE(made.count(path)) << qPrintable(path) << " is committed but not generated";
    EXPECT_EQ(Generate(), made) << "two runs differ";
}

}  // namespace
