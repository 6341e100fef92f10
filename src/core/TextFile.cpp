#include "TextFile.h"

#include "AtomicFile.h"
#include "Win1252.h"

#include "LocalFile.h"
#include "LocalName.h"

namespace TextFile {

bool Write(const QString& path, const QStringList& lines, QString* error)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += Win1252::Encode(line);
        bytes += "\r\n";
    }
    return AtomicFile::Write(path, bytes, error);
}

QByteArray LinesWithCrLf(const QByteArray& content)
{
    QByteArray text;
    text.reserve(content.size() + content.size() / 32 + 2);
    qsizetype start = 0;
    const qsizetype n = content.size();
    while (start < n) {
        qsizetype end = content.indexOf('\r', start);
        if (end < 0)
            end = n;
        text.append(content.constData() + start, end - start);
        text.append("\r\n", 2);
        start = end + 1;
        if (end < n && start < n && content[start] == '\n')
            ++start;
    }
    return text;
}

bool Read(const QString& path, QByteArray* text, QString* error)
{
    std::string content;
    std::string why;
    if (!LocalFile::ReadRegular(LocalName::ToBytes(path).toStdString(), MaxReadBytes, &content, &why)) {
        if (error)
            *error = QString::fromStdString(why);
        return false;
    }
    *text = LinesWithCrLf(QByteArray::fromStdString(content));
    return true;
}

}  // namespace TextFile
