// The program's command line: a document to open, or --help and --version.
#pragma once

#include <QString>
#include <QStringList>

namespace Module1 {

// The version of the program, as the build sets it.
QString ProgramVersion();

struct StartRequest {
    int exitCode = -1;  // 0 or more: the program ends with it at once, no window opened
    QString file;       // a document to open once the window stands, if any
};

// Reads the arguments (the program's name first). --help and --version print to standard
// output and end with 0; an unknown option or a second file prints the usage to standard
// error and ends with 2. The toolkit's own options (-platform, -display, ...) pass.
StartRequest ReadCommandLine(const QStringList& arguments);

}  // namespace Module1
