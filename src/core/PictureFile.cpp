#include "PictureFile.h"

#include "AtomicFile.h"
#include "CodedPicture.h"

#include "LocalFile.h"
#include "LocalName.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include <cstdlib>

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

QByteArray Bytes(const PixelSurface& surface)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // An RGB888 image makes the writer produce 24 bits per pixel.
    QImageWriter writer(&buffer, "bmp");
    writer.write(surface.Image().convertToFormat(QImage::Format_RGB888));
    return bytes;
}

bool Save(const PixelSurface& surface, const QString& path, QString* error)
{
    return AtomicFile::Write(path, Bytes(surface), error);
}

namespace {

quint32 Le(const QByteArray& b, int at, int bytes)
{
    quint32 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<quint8>(b[at + i]);
    return v;
}

// True when the file holds every pixel its bitmap header declares. The reader would give a
// truncated file's missing rows as undefined memory, so such a file is refused beforehand.
// Only uncompressed bitmaps (with or without bit fields) are taken.
bool BitmapIsComplete(const QByteArray& file)
{
    const QByteArray head = file.left(54);
    if (head.size() < 26 || !head.startsWith("BM"))
        return false;
    const quint32 pixelOffset = Le(head, 10, 4);
    const quint32 infoSize = Le(head, 14, 4);
    qint64 width = 0;
    qint64 height = 0;
    quint32 bitsPerPixel = 0;
    quint32 compression = 0;
    if (infoSize == 12) {
        width = Le(head, 18, 2);
        height = Le(head, 20, 2);
        bitsPerPixel = Le(head, 24, 2);
    } else if (infoSize >= 40 && head.size() >= 34) {
        width = static_cast<qint32>(Le(head, 18, 4));
        height = static_cast<qint32>(Le(head, 22, 4));
        bitsPerPixel = Le(head, 28, 2);
        compression = Le(head, 30, 4);
    } else {
        return false;
    }
    constexpr quint32 Uncompressed = 0;
    constexpr quint32 BitFields = 3;
    if (compression != Uncompressed && compression != BitFields)
        return false;
    // Sizes no file of MaxFileBytes could hold are refused before any arithmetic on them.
    constexpr qint64 MaxSide = 1 << 20;
    if (width <= 0 || height == 0 || width > MaxSide || height > MaxSide || height < -MaxSide || bitsPerPixel == 0
        || bitsPerPixel > 32)
        return false;
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    const qint64 needed = static_cast<qint64>(pixelOffset) + rowBytes * (height < 0 ? -height : height);
    return needed <= file.size();
}

}  // namespace

bool FromBytes(PixelSurface& surface, const QByteArray& bytes)
{
    if (bytes.size() > MaxFileBytes || !BitmapIsComplete(bytes))
        return false;
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    if (reader.format() != "bmp")
        return false;
    // A top-down bitmap (stored with a negative height) is reported with that height.
    QSize size = reader.size();
    size.setHeight(std::abs(size.height()));
    if (size != QSize(CodedPicture::Width, CodedPicture::Height))
        return false;
    QImage image;
    if (!reader.read(&image) || image.size() != size)
        return false;
    surface.SetImage(image);
    return true;
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
    if (!FromBytes(surface, QByteArray::fromStdString(bytes))) {
        if (error)
            *error = QStringLiteral("not a bitmap of 200 x 120 pixels");
        return false;
    }
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

