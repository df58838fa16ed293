// Linking quabe_pictures must be enough to reach every committed picture at
// :/pictures/<name>, with no initialisation call in the program.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>

namespace {

TEST(AssetsResources, EveryCommittedPictureIsCompiledInAndLoads) {
    const QStringList committed = QDir(QUABE_PICTURES_DIR).entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(committed.isEmpty());
    EXPECT_EQ(QDir(":/pictures").entryList(QDir::Files, QDir::Name), committed);
    for (const QString& name : committed) {
        if (name.endsWith(".txt")) continue;  // words for readers, not a picture
        QImage picture(":/pictures/" + name);
        EXPECT_FALSE(picture.isNull()) << qPrintable(name);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // the GIF reader is a plugin found through the application
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
