// The program folder and the application folders inside it.
#pragma once

#include <QString>

namespace Module1 {

// Folder of the executable, without a trailing separator (tests may point it elsewhere).
QString ProgramFolder();
void SetProgramFolder(const QString& folder);

inline QString PicturesFolderPart() { return QStringLiteral("/Pictures/"); }
inline QString TextsFolderPart() { return QStringLiteral("/Teksten/"); }
inline QString PdfFolderPart() { return QStringLiteral("/Pdf/"); }

// True when a name the user typed can name a file in an application folder.
// A name may not hold "/" or NUL, nor be "." or "..": nothing is written outside the folders.
bool IsSafeFileName(const QString& name);

// Removes leading and trailing blanks (spaces only), as the name prompts do.
QString TrimBlanks(const QString& text);

}  // namespace Module1
