// File names as the system keeps them: bytes, not always valid UTF-8. A name travels through
// the window as text that keeps every byte, and is shown so that odd bytes can be told apart.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace LocalName {

// The name's bytes as text: valid UTF-8 decoded, every other byte as the code point
// U+DC80 + byte (which no valid UTF-8 gives), so that ToBytes() gives the bytes back.
QString FromBytes(const QByteArray& bytes);

// The bytes of a name made by FromBytes() (or typed: any text, as UTF-8).
QByteArray ToBytes(const QString& name);

// The name for a person to read: a byte that is not UTF-8 as "\xE9", control characters as
// "\n", "\t" or "\x1B", and a backslash as "\\", so that no two names look alike.
QString Shown(const QString& name);

// The regular files (or links to them) in folder whose names end in suffix, in any case, as
// names made by FromBytes(), sorted without regard to case.
QStringList FilesEndingIn(const QString& folder, const QString& suffix);

// The folders (or links to them) in folder, "." and ".." left out, as names made by
// FromBytes(), sorted without regard to case.
QStringList FoldersIn(const QString& folder);

// True when path (a name made by FromBytes() or typed) is a folder this program may list.
bool IsReadableFolder(const QString& path);

}  // namespace LocalName
