#include "AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace AtomicFile {

bool Write(const QString& path, const std::function<bool(QIODevice&)>& write, QString* error)
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
    if (::fsync(file.handle()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    // rename() puts the complete file in place in one step, replacing any old one.
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    file.setAutoRemove(false);
    return true;
}

}  // namespace AtomicFile
