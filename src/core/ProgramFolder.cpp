#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Module1 {
namespace {
QString g_overrideFolder;
}

QString ChooseProgramFolder(const QString& executableFolder, const QString& dataFolder)
{
    // Decided by the pictures folder, not by whether the folder is writable: root can write /usr/bin.
    if (QFileInfo(executableFolder + PicturesFolderPart()).isDir())
        return executableFolder;
    return dataFolder;
}

QString ProgramFolder()
{
    if (!g_overrideFolder.isEmpty())
        return g_overrideFolder;
    static const QString folder = ChooseProgramFolder(
        QCoreApplication::applicationDirPath(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return folder;
}

bool PrepareProgramFolder()
{
    const QString folder = ProgramFolder();
    return QFileInfo(folder + PicturesFolderPart()).isDir() || QDir().mkpath(folder + PicturesFolderPart());
}

void SetProgramFolder(const QString& folder)
{
    g_overrideFolder = folder;
    while (g_overrideFolder.size() > 1 && g_overrideFolder.endsWith(QLatin1Char('/')))
        g_overrideFolder.chop(1);
}

bool IsSafeFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

QString TrimBlanks(const QString& text)
{
    int begin = 0;
    int end = static_cast<int>(text.size());
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

}  // namespace Module1
