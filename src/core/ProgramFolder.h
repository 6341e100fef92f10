// The program folder and the application folders inside it.
#pragma once

#include <QString>

namespace Module1 {

// The folder that holds the application folders, without a trailing separator: the
// executable's folder when a pictures folder stands beside it (a build tree or a portable
// folder), the user's data folder otherwise (an installed program). Tests may point it elsewhere.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);

// The choice ProgramFolder makes, for the given executable and data folders.
QString ChooseProgramFolder(const QString& executableFolder, const QString& dataFolder);

// Run once at start-up: when the program folder is the user's data folder, creates it and the
// pictures folder inside it. False when that fails.
bool PrepareProgramFolder();

inline QString PicturesFolderPart() { return QStringLiteral("/Pictures/"); }
inline QString TextsFolderPart() { return QStringLiteral("/Teksten/"); }
inline QString PdfFolderPart() { return QStringLiteral("/Pdf/"); }

// True when a name the user typed can name a file in an application folder.
// A name may not hold "/" or NUL, nor be "." or "..": nothing is written outside the folders.
bool IsSafeFileName(const QString& name);

// Removes leading and trailing blanks (spaces only), as the name prompts do.
QString TrimBlanks(const QString& text);

}  // namespace Module1
