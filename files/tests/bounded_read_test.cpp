// Reading what a player or the disk controls: plain files only, never waiting, never more
// than the limit.
#include "bounded_read.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace quabe {
namespace {

using Problem = BoundedRead::Problem;

class ReadBoundedTest : public ::testing::Test {
  protected:
    QString Write(const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QString Link(const char* name, const QString& target) {
        EXPECT_TRUE(QFile::link(target, dir.filePath(name)));
        return dir.filePath(name);
    }

    QTemporaryDir dir;
};

TEST_F(ReadBoundedTest, APlainFileUpToTheLimitIsReadWhole) {
    const QByteArray bytes(100000, 'x');  // more than one chunk of reading
    const QString plain = Write("plain", bytes);
    for (const QString& path : {plain, Link("link", plain)}) {
        const BoundedRead read = ReadBounded(path, bytes.size());
        EXPECT_TRUE(read.Whole());
        EXPECT_EQ(read.bytes, bytes);
    }
    const BoundedRead empty = ReadBounded(Write("empty", {}), 10);
    EXPECT_TRUE(empty.Whole());
    EXPECT_TRUE(empty.bytes.isEmpty());
}

TEST_F(ReadBoundedTest, OneByteMoreIsTooLargeAndGivesTheFirstBytes) {
    const BoundedRead read = ReadBounded(Write("plain", "0123456789"), 9);
    EXPECT_EQ(read.problem, Problem::TooLarge);
    EXPECT_EQ(read.bytes, "012345678");
}

// Nobody writes to the FIFO: opening it for reading the usual way would wait for ever.
TEST_F(ReadBoundedTest, AnythingButAPlainFileIsNotReadNorWaitedFor) {
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, Link("to-fifo", fifo), QString("/dev/zero"),
                                Link("to-zero", "/dev/zero"), dir.path()}) {
        const BoundedRead read = ReadBounded(path, 1000);
        EXPECT_EQ(read.problem, Problem::NotAFile) << path.toStdString();
        EXPECT_TRUE(read.bytes.isEmpty()) << path.toStdString();
    }
}

TEST_F(ReadBoundedTest, AMissingFileIsMissing) {
    for (const QString& path : {dir.filePath("none"), Link("dangling", dir.filePath("none")),
                                Write("plain", "x") + "/below", QString()})
        EXPECT_EQ(ReadBounded(path, 10).problem, Problem::Missing) << path.toStdString();
}

}  // namespace
}  // namespace quabe
