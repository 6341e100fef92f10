// Plain text files: lines of Windows-1252 bytes, each followed by CR LF.
#pragma once

#include "TextBytes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace TextFile {

// Largest file the program reads into the text box; anything larger is refused.
constexpr qint64 MaxReadBytes = TextBytes::MaxReadBytes;

// Writes every line followed by CR LF ("?" for a character the code page cannot hold).
// An existing file is replaced only by a complete new one; on failure error says why.
bool Write(const QString& path, const QStringList& lines, QString* error = nullptr);

// Reads a text file as the text box takes it: a line ends at CR or CR LF (an LF alone stays
// in its line) and every line read is followed by CR LF. False, with the reason in error when
// given, when it is not a regular file, cannot be read or is larger than MaxReadBytes.
bool Read(const QString& path, QByteArray* text, QString* error = nullptr);

// The same splitting on bytes already read.
QByteArray LinesWithCrLf(const QByteArray& content);

}  // namespace TextFile
