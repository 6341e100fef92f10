#include "PictureFile.h"

#include "AtomicFile.h"
#include "CodedPicture.h"

#include "LocalFile.h"
#include "LocalName.h"

#include "Bitmap.h"
#include "Picture.h"

#include <QFileInfo>

namespace Module1 {

bool FileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool NameTaken(const QString& path)
{
    return LocalFile::Taken(LocalName::ToBytes(path).toStdString());
}

void MirrorPicture(PixelSurface& surface)
{
    surface.Mirror();
}

}  // namespace Module1

namespace PictureFile {

QByteArray Bytes(const PixelSurface& surface)
{
    return QByteArray::fromStdString(PictureBytes::Write(surface));
}

bool Save(const PixelSurface& surface, const QString& path, QString* error)
{
    return AtomicFile::Write(path, Bytes(surface), error);
}

bool FromBytes(PixelSurface& surface, const QByteArray& bytes)
{
    return PictureBytes::Read(bytes.toStdString(), &surface);
}

bool Load(PixelSurface& surface, const QString& path, QString* error)
{
    std::string bytes;
    std::string why;
    if (!LocalFile::ReadRegular(LocalName::ToBytes(path).toStdString(), MaxFileBytes, &bytes, &why)) {
        if (error)
            *error = QString::fromStdString(why);
        return false;
    }
    if (!PictureBytes::Read(bytes, &surface, &why)) {
        if (error)
            *error = QString::fromStdString(why);
        return false;
    }
    return true;
}

QByteArray ReadSignatureRow(const PixelSurface& surface)
{
    return QByteArray::fromStdString(Codec::SignatureRowText(surface));
}

bool IsCodedPicture(int width, int height, const QByteArray& signatureRow)
{
    return Codec::IsCodedPicture(width, height, signatureRow.toStdString());
}

}  // namespace PictureFile
