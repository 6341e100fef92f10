#include "CliText.h"

#include "AtomicFile.h"
#include "Win1252.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace CliText {

bool ReadAll(const QString& source, QByteArray* bytes, QString* error)
{
    QFile file;
    if (source == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly)) {
            *error = QStringLiteral("standard input cannot be read");
            return false;
        }
    } else {
        if (QFileInfo(source).isDir()) {
            *error = QStringLiteral("is a folder");
            return false;
        }
        file.setFileName(source);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = file.errorString();
            return false;
        }
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}

QByteArray ToBoxText(const QByteArray& input, Encoding encoding, int* replaced)
{
    const QString text = encoding == Encoding::Utf8 ? QString::fromUtf8(input) : Win1252::Decode(input);
    QString box;
    box.reserve(text.size());
    int lost = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            box += QLatin1Char('\n');
        } else if (c == QLatin1Char('\n') || c == QChar(QChar::LineSeparator) || c == QChar(QChar::ParagraphSeparator)) {
            box += QLatin1Char('\n');
        } else if (!Win1252::Holds(c)) {
            ++lost;
            box += QLatin1Char('?');
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
        } else {
            box += c;
        }
    }
    if (replaced)
        *replaced = lost;
    return Win1252::FromDocumentText(box);
}

QByteArray FromBoxText(const QByteArray& text, Encoding encoding)
{
    return encoding == Encoding::Utf8 ? Win1252::Decode(text).toUtf8() : text;
}

bool WriteAll(const QString& path, const QByteArray& bytes, QString* error, AtomicFile::Sync sync)
{
    if (path == QLatin1String("-")) {
        const bool ok = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout)
                            == static_cast<size_t>(bytes.size())
                        && std::fflush(stdout) == 0;
        if (!ok)
            *error = QStringLiteral("standard output cannot be written");
        return ok;
    }
    return AtomicFile::Write(path, [&](QIODevice& file) { return file.write(bytes) == bytes.size(); }, error, sync);
}

}  // namespace CliText
