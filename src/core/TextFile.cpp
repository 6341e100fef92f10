#include "TextFile.h"

#include "AtomicFile.h"
#include "Win1252.h"

#include "LocalFile.h"
#include "LocalName.h"
#include "TextBytes.h"

namespace TextFile {

bool Write(const QString& path, const QStringList& lines, QString* error)
{
    std::vector<std::string> encoded;
    encoded.reserve(std::size_t(lines.size()));
    for (const QString& line : lines)
        encoded.push_back(Win1252::Encode(line).toStdString());
    return AtomicFile::Write(path, QByteArray::fromStdString(TextBytes::Write(encoded)), error);
}

QByteArray LinesWithCrLf(const QByteArray& content)
{
    return QByteArray::fromStdString(TextBytes::Read(content.toStdString()));
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
    *text = QByteArray::fromStdString(TextBytes::Read(content));
    return true;
}

}  // namespace TextFile
