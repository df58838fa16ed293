#include "set_aside.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>

namespace quabe {
namespace {

constexpr int kNames = 100;

// The rename fails rather than replace a file that took the name meanwhile. Where the
// file system cannot promise that, the name is checked just before.
bool RenameToFreeName(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    const QString name = QFile::decodeName(to);
    if (QFileInfo::exists(name) || QFileInfo(name).isSymLink()) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from.constData(), to.constData()) == 0;
}

}  // namespace

QString SetAside(const QString& path) {
    const QByteArray from = QFile::encodeName(path);
    for (int n = 1; n <= kNames; ++n) {
        const QString name =
            path + (n == 1 ? QStringLiteral(".damaged") : QStringLiteral(".damaged-%1").arg(n));
        if (RenameToFreeName(from, QFile::encodeName(name))) return name;
        if (errno != EEXIST) return {};
    }
    return {};
}

}  // namespace quabe
