// Reading a text file as the text box takes it, on arbitrary bytes.
#include "FuzzFile.h"
#include "TextFile.h"
#include "Win1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray text = TextFile::LinesWithCrLf(content);
    // Every byte but the line ends survives, and the text ends with a line break.
    FUZZ_CHECK(content.isEmpty() || text.endsWith("\r\n"));
    FUZZ_CHECK(QByteArray(text).replace("\r\n", "") == QByteArray(content).replace("\r\n", "").replace('\r', ""));

    QByteArray read;
    const std::string path = WriteFuzzFile(data, size, ".txt");
    FUZZ_CHECK(TextFile::Read(QString::fromStdString(path), &read));
    FUZZ_CHECK(read == text);
    // What the text box is given, and what it gives back: every line break as CR LF.
    const QByteArray back = Win1252::FromDocumentText(Win1252::ToDocumentText(read));
    FUZZ_CHECK(back.count('\r') == back.count("\r\n") && back.count('\n') == back.count("\r\n"));
    return 0;
}
