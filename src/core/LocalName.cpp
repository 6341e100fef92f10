#include "LocalName.h"

#include "Cp1252.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace LocalName {
namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool IsEscapedByte(char16_t c)
{
    return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF;
}

// "\xE9".
QString ByteEscape(int byte)
{
    return QLatin1String("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

}  // namespace

QString FromBytes(const QByteArray& bytes)
{
    QString name;
    name.reserve(bytes.size());
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t code = 0;
        const int length = Cp1252::Utf8Sequence(s + i, std::size_t(bytes.size() - i), &code);
        if (length == 0) {
            name += QChar(char16_t(EscapeBase + s[i]));
            ++i;
            continue;
        }
        name += QString::fromUcs4(&code, 1);
        i += length;
    }
    return name;
}

QByteArray ToBytes(const QString& name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        // A lone escape (not the second half of a pair) stands for one byte.
        const bool escaped = i < name.size() && IsEscapedByte(name[i].unicode())
            && !(i > 0 && name[i - 1].isHighSurrogate());
        if (i == name.size() || escaped) {
            bytes += QStringView(name).mid(start, i - start).toUtf8();
            if (escaped)
                bytes += char(name[i].unicode() - EscapeBase);
            start = i + 1;
        }
    }
    return bytes;
}

QString Shown(const QString& name)
{
    QString shown;
    shown.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool escaped = IsEscapedByte(c) && !(i > 0 && name[i - 1].isHighSurrogate());
        if (escaped)
            shown += ByteEscape(c - EscapeBase);
        else if (c == '\\')
            shown += QLatin1String("\\\\");  // so that a typed "\xE9" differs from the byte E9
        else if (c == '\n')
            shown += QLatin1String("\\n");
        else if (c == '\t')
            shown += QLatin1String("\\t");
        else if (c == '\r')
            shown += QLatin1String("\\r");
        else if (c < 0x20 || c == 0x7F)
            shown += ByteEscape(c);
        else
            shown += QChar(c);
    }
    return shown;
}

namespace {

// The entries of folder (links followed) whose kind passes keep, as names made by FromBytes(),
// sorted without regard to case.
template <typename Keep>
QStringList EntriesIn(const QString& folder, Keep keep)
{
    QStringList names;
    const QByteArray path = ToBytes(folder);
    DIR* dir = ::opendir(path.constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray bytes(entry->d_name);
        if (bytes == "." || bytes == "..")
            continue;
        const QString name = FromBytes(bytes);
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && keep(name, info.st_mode))
            names.append(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

}  // namespace

QStringList FilesEndingIn(const QString& folder, const QString& suffix)
{
    return EntriesIn(folder, [&suffix](const QString& name, mode_t mode) {
        return S_ISREG(mode) && name.endsWith(suffix, Qt::CaseInsensitive);
    });
}

QStringList FoldersIn(const QString& folder)
{
    return EntriesIn(folder, [](const QString&, mode_t mode) { return S_ISDIR(mode); });
}

bool IsReadableFolder(const QString& path)
{
    const QByteArray bytes = ToBytes(path);
    struct stat info {};
    return ::stat(bytes.constData(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(bytes.constData(), R_OK | X_OK) == 0;
}

}  // namespace LocalName
