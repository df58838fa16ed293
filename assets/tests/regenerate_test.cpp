// The committed artwork is exactly what the generator makes from its source,
// so nobody can edit a picture by hand and have it drift from the code.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <map>

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

TEST(AssetsRegenerate, GeneratorReproducesEveryCommittedFileByteForByte) {
    const auto committed = Tree(QUABE_ASSETS_DIR);
    const auto made = Generate();
    ASSERT_FALSE(made.empty());
    for (const auto& [path, bytes] : made) {
        auto it = committed.find(path);
        if (it == committed.end())
            ADD_FAILURE() << qPrintable(path) << " is not committed";
        else
            EXPECT_TRUE(it->second == bytes) << qPrintable(path) << " differs from its source";
    }
    for (const auto& [path, bytes] : committed)
        EXPECT_TRUE(made.count(path)) << qPrintable(path) << " is committed but not generated";
    EXPECT_EQ(Generate(), made) << "two runs differ";
}

}  // namespace
