#include "CliText.h"

#include "Output.h"
#include "TextFile.h"
#include "Win1252.h"

#include <QString>

#include <unistd.h>

namespace CliText {

std::size_t MaxTextBytes(Encoding encoding)
{
    return static_cast<std::size_t>(TextFile::MaxReadBytes) * (encoding == Encoding::Utf8 ? 4 : 1);
}

bool ReadAll(const std::string& source, std::size_t maxBytes, std::string* bytes, std::string* error)
{
    if (source == "-")
        return LocalFile::ReadStream(STDIN_FILENO, maxBytes, bytes, error);
    return LocalFile::ReadRegular(source, maxBytes, bytes, error);
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

bool WriteAll(const std::string& path, const std::string& bytes, LocalFile::Replace replace, LocalFile::Sync sync,
              std::string* error)
{
    if (path == "-") {
        Cli::Out(bytes);
        const std::string failure = Cli::TakeOutputFailure();
        if (!failure.empty())
            *error = "standard output cannot be written: " + failure;
        return failure.empty();
    }
    return LocalFile::Write(path, bytes, replace, sync, error);
}

}  // namespace CliText
