// Picture files (".hqc"): a 24-bit bitmap holding the coded picture mirrored left to right.
#pragma once

#include "Bitmap.h"
#include "PixelSurface.h"

#include <QByteArray>
#include <QString>

namespace Module1 {

// True when a regular file exists at path.
bool FileExists(const QString& path);
// Whether anything at all stands at path (a file, folder, FIFO, a link even to nothing): a
// name a save would take from something.
bool NameTaken(const QString& path);

// Mirrors the surface left to right in place.
void MirrorPicture(PixelSurface& surface);

}  // namespace Module1

namespace PictureFile {

// Largest file the loader looks at: a 200 x 120 bitmap needs about 94 KiB at most.
constexpr qint64 MaxFileBytes = PictureBytes::MaxFileBytes;

// The surface as the bytes of an uncompressed 24-bit bitmap.
QByteArray Bytes(const PixelSurface& surface);

// Writes the surface as an uncompressed 24-bit bitmap. The file at path is replaced only
// when the new one is complete; on failure it stays as it was and error says why.
bool Save(const PixelSurface& surface, const QString& path, QString* error = nullptr);

// Reads a bitmap of 200 x 120 pixels from the bytes of a file into surface. Anything else
// (not a bitmap, another size, corrupt) returns false and leaves surface unchanged, without
// decoding more than the header of a file whose size is wrong.
bool FromBytes(PixelSurface& surface, const QByteArray& bytes);

// Reads the regular file at path (a name made by LocalName::FromBytes or typed) as above;
// anything that is not a regular file is refused at once. error says why, when given.
bool Load(PixelSurface& surface, const QString& path, QString* error = nullptr);

// Characters of row 2, x 2-197, empty pixels skipped: what the picture check compares.
QByteArray ReadSignatureRow(const PixelSurface& surface);

// A coded picture is 200 x 120 and its signature row begins with the maker's name.
bool IsCodedPicture(int width, int height, const QByteArray& signatureRow);

}  // namespace PictureFile
