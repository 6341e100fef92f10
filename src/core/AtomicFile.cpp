#include "AtomicFile.h"

#include "LocalFile.h"
#include "LocalName.h"

namespace AtomicFile {
namespace {

bool Result(bool ok, const std::string& why, QString* error)
{
    if (!ok && error)
        *error = QString::fromStdString(why);
    return ok;
}

}  // namespace

bool Write(const QString& path, const QByteArray& bytes, QString* error)
{
    std::string why;
    const bool ok = LocalFile::Write(LocalName::ToBytes(path).toStdString(), bytes.toStdString(),
                                     LocalFile::Replace::Allowed, LocalFile::Sync::EachFile, &why);
    return Result(ok, why, error);
}

bool WriteByName(const QString& path, const std::function<void(const std::string& temporaryPath)>& write,
                 QString* error)
{
    std::string why;
    const bool ok = LocalFile::WriteByName(LocalName::ToBytes(path).toStdString(), write,
                                           LocalFile::Replace::Allowed, &why);
    return Result(ok, why, error);
}

}  // namespace AtomicFile
