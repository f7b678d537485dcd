#include "FileReplace.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool syncPath(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    ::close(fd);
    return result == 0;
}

} // namespace

bool syncFileToDisk(const QString& path)
{
    return syncPath(path, O_RDONLY);
}

bool replaceFileWith(const QString& staging, const QString& target, QString* error)
{
    const auto fail = [error](const QString& text) {
        if (error) {
            *error = text;
        }
        return false;
    };
    if (!syncFileToDisk(staging)) {
        return fail(QStringLiteral("cannot sync %1 to the disk: %2").arg(staging, QString::fromLocal8Bit(std::strerror(errno))));
    }
    if (std::rename(QFile::encodeName(staging).constData(), QFile::encodeName(target).constData()) != 0) {
        return fail(QStringLiteral("cannot replace %1: %2").arg(target, QString::fromLocal8Bit(std::strerror(errno))));
    }
    // The rename itself lives in the folder; a folder that cannot be synced
    // (some file systems refuse) still holds the complete file.
    syncPath(QFileInfo(target).absolutePath(), O_RDONLY | O_DIRECTORY);
    return true;
}

bool isWritableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isWritable()) {
        return false;
    }
    return info.ownerId() != ::geteuid() || (info.permissions() & QFile::WriteOwner);
}
