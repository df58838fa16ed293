#include "bounded_read.h"

#include <QFile>
#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quabe {
namespace {

using Problem = BoundedRead::Problem;

Problem OpenProblem(int error) {
    return error == ENOENT || error == ENOTDIR ? Problem::Missing : Problem::Unreadable;
}

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

// QFile alone would not do: its open() waits for a writer when the path is a FIFO, it
// cannot ask for O_NONBLOCK, and its size() says 0 for a device, which then reads without
// end. A check of the path before opening it would leave the path free to change between
// the check and the open, so the check that counts is made on the opened descriptor.
BoundedRead ReadBounded(const QString& path, qint64 limit) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    // Devices are never opened at all: opening one may have effects of its own.
    if (name.isEmpty() || ::stat(name.constData(), &status) != 0)
        return {name.isEmpty() ? Problem::Missing : OpenProblem(errno), {}};
    if (!S_ISREG(status.st_mode)) return {Problem::NotAFile, {}};

    const Descriptor file{::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0) return {OpenProblem(errno), {}};
    if (::fstat(file.fd, &status) != 0) return {Problem::Unreadable, {}};
    if (!S_ISREG(status.st_mode)) return {Problem::NotAFile, {}};

    BoundedRead read;
    read.bytes.reserve(std::min<qint64>(status.st_size, limit) + 1);  // a guess, not a bound
    constexpr qint64 kChunk = 64 * 1024;
    // One byte past the limit tells a file that is too large from one that just fits.
    while (read.bytes.size() <= limit) {
        const qint64 want = std::min(kChunk, limit + 1 - read.bytes.size());
        const qsizetype had = read.bytes.size();
        read.bytes.resize(had + want);
        const ssize_t got = ::read(file.fd, read.bytes.data() + had, static_cast<size_t>(want));
        if (got < 0 && errno == EINTR) {
            read.bytes.resize(had);
            continue;
        }
        if (got < 0) return {Problem::Unreadable, {}};
        read.bytes.resize(had + got);
        if (got == 0) return read;
    }
    read.problem = Problem::TooLarge;
    read.bytes.truncate(limit);
    return read;
}

}  // namespace quabe
