#include "AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace AtomicFile {

bool GiveTargetMode(QFileDevice& file, const QString& path)
{
    // A file that is replaced keeps its mode; a new one gets what the user's umask allows.
    struct stat existing {};
    mode_t mode;
    if (::stat(QFile::encodeName(path).constData(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    return ::fchmod(file.handle(), mode) == 0;
}

bool Write(const QString& path, const std::function<bool(QIODevice&)>& write, QString* error, Sync sync)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    // A short temporary name, so that a name of full length still gets its turn.
    const QFileInfo target(path);
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.huecipher-XXXXXX"));
    if (!file.open())
        return fail(file.errorString());
    if (!write(file) || !file.flush())
        return fail(file.errorString().isEmpty() ? QStringLiteral("the data could not be written") : file.errorString());
    if (sync == Sync::EachFile && ::fsync(file.handle()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!GiveTargetMode(file, path))
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    // rename() puts the complete file in place in one step, replacing any old one.
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    file.setAutoRemove(false);
    return true;
}

bool WriteByName(const QString& path, const std::function<void(const std::string& temporaryPath)>& write,
                 QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QTemporaryFile file(QFileInfo(path).absolutePath() + QStringLiteral("/.huecipher-XXXXXX"));
    if (!file.open())
        return fail(file.errorString());
    if (!GiveTargetMode(file, path))
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    file.close();
    try {
        write(QFile::encodeName(file.fileName()).toStdString());
    } catch (const std::exception& e) {
        return fail(QString::fromLocal8Bit(e.what()));
    }
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    file.setAutoRemove(false);
    return true;
}

bool SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::syncfs(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace AtomicFile
