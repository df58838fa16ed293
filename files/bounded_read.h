#pragma once
// Reading the files that a player or the disk controls: the settings store, the sets'
// titles and pictures, the sound cues. Anyone may put anything in their place, so a file
// is read only when it is a plain file (a link to one is fine), never waiting for a
// writer, and never more of it than its kind of file may hold.
#include <QByteArray>
#include <QString>

namespace quabe {

struct BoundedRead {
    enum class Problem { None, Missing, NotAFile, TooLarge, Unreadable };
    Problem problem = Problem::None;
    // What was read: the whole file, or with TooLarge its first `limit` bytes.
    QByteArray bytes;

    bool Whole() const { return problem == Problem::None; }
};

// The file at `path`, read up to `limit` bytes. More than `limit` bytes is TooLarge,
// judged by the bytes actually read, never by a size the file reports.
BoundedRead ReadBounded(const QString& path, qint64 limit);

}  // namespace quabe
