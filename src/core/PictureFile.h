// Picture files (".hqc"): a 24-bit bitmap holding the coded picture mirrored left to right.
#pragma once

#include "AtomicFile.h"
#include "PixelSurface.h"

#include <QByteArray>
#include <QString>

namespace Module1 {

// True when a regular file exists at path.
bool FileExists(const QString& path);

// Mirrors the surface left to right in place.
void MirrorPicture(PixelSurface& surface);

}  // namespace Module1

namespace PictureFile {

// Largest file the loader looks at: a 200 x 120 bitmap needs about 94 KiB at most.
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

// Writes the surface as an uncompressed 24-bit bitmap. The file at path is replaced only
// when the new one is complete; on failure it stays as it was and error says why.
bool Save(const PixelSurface& surface, const QString& path, QString* error = nullptr,
          AtomicFile::Sync sync = AtomicFile::Sync::EachFile);

// Reads a bitmap of 200 x 120 pixels into surface. Anything else (missing, unreadable,
// not a bitmap, another size, corrupt) returns false and leaves surface unchanged, without
// decoding more than the header of a file whose size is wrong.
bool Load(PixelSurface& surface, const QString& path);

// Characters of row 2, x 2-197, empty pixels skipped: what the picture check compares.
QByteArray ReadSignatureRow(const PixelSurface& surface);

// A coded picture is 200 x 120 and its signature row begins with the maker's name.
bool IsCodedPicture(int width, int height, const QByteArray& signatureRow);

}  // namespace PictureFile
