#include "PictureFile.h"

#include "CodedPicture.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace Module1 {

bool FileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

void MirrorPicture(PixelSurface& surface)
{
    surface.Mirror();
}

}  // namespace Module1

namespace PictureFile {

bool Save(const PixelSurface& surface, const QString& path, QString* error)
{
    QSaveFile file(path);
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    // An RGB888 image makes the writer produce 24 bits per pixel.
    QImageWriter writer(&file, "bmp");
    if (!writer.write(surface.Image().convertToFormat(QImage::Format_RGB888)))
        return fail(file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString());
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool Load(PixelSurface& surface, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return false;
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    if (reader.format() != "bmp")
        return false;
    const QSize size = reader.size();
    if (size != QSize(CodedPicture::Width, CodedPicture::Height))
        return false;
    QImage image;
    if (!reader.read(&image) || image.size() != size)
        return false;
    surface.SetImage(image);
    return true;
}

QByteArray ReadSignatureRow(const PixelSurface& surface)
{
    return CodedPicture::ReadRow(surface, CodedPicture::SignatureRow, CodedPicture::TextFirstX,
                                 CodedPicture::TextLastX);
}

bool IsCodedPicture(int width, int height, const QByteArray& signatureRow)
{
    return width == CodedPicture::Width && height == CodedPicture::Height
        && signatureRow.startsWith(CodedPicture::SignaturePrefix);
}

}  // namespace PictureFile

