#include "history/history_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace history {

namespace {

QString StateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/') {
        return QString::fromLocal8Bit(state);
    }
    const char* home = std::getenv("HOME");
    return QString::fromLocal8Bit(home ? home : "") + QStringLiteral("/.local/state");
}

bool MakeFolder(const QByteArray& path) {
    return mkdir(path.constData(), 0700) == 0 || errno == EEXIST;
}

QString ErrnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

QString DefaultHistoryPath() {
    return StateFolder() + QStringLiteral("/Veldmark/Horolux/history.sqlite");
}

bool PrepareHistoryFile(const QString& path, QString& reason) {
    reason.clear();
    const QByteArray file = QFile::encodeName(path);
    const QByteArray folder = file.left(file.lastIndexOf('/'));
    // Each missing folder of the chain is made private; the file's own folder always is.
    for (qsizetype slash = folder.indexOf('/', 1); slash > 0;
         slash = folder.indexOf('/', slash + 1)) {
        if (!MakeFolder(folder.left(slash))) {
            reason = ErrnoText();
            return false;
        }
    }
    if (!MakeFolder(folder) || chmod(folder.constData(), 0700) != 0) {
        reason = ErrnoText();
        return false;
    }
    struct stat info {};
    if (stat(file.constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            return false;
        }
        if ((info.st_mode & 07777) != 0600 && chmod(file.constData(), 0600) != 0) {
            reason = ErrnoText();
            return false;
        }
        return true;
    }
    const int fd = open(file.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        reason = ErrnoText();
        return false;
    }
    close(fd);
    return true;
}

FileIdentity IdentityOf(const QString& path) {
    struct stat info {};
    if (stat(QFile::encodeName(path).constData(), &info) != 0) {
        return {};
    }
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

QString MoveAside(const QString& path, std::int64_t nowUtcMicroseconds) {
    const QString stamp = QDateTime::fromMSecsSinceEpoch(nowUtcMicroseconds / 1000, Qt::UTC)
                              .toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QString broken = path + QStringLiteral(".broken-") + stamp;
    // Two in the same second keep both.
    for (int n = 2; QFile::exists(broken) || QFile::exists(broken + QStringLiteral("-wal")); ++n) {
        broken = path + QStringLiteral(".broken-") + stamp + QLatin1Char('-') + QString::number(n);
    }
    if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(broken).constData()) !=
        0) {
        return {};
    }
    // The log belongs to the moved file: left here, it would be replayed into the new one.
    std::rename(QFile::encodeName(path + QStringLiteral("-wal")).constData(),
                QFile::encodeName(broken + QStringLiteral("-wal")).constData());
    unlink(QFile::encodeName(path + QStringLiteral("-shm")).constData());
    return broken;
}

} // namespace history
