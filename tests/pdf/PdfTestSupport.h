// Helpers for the PDF writer's tests: private routines, documents in a temporary folder,
// and the real PDF tools that check what was written.
#pragma once

#include "clsFolium.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include "TestFiles.h"

#include <QtTest>

#include <fstream>
#include <sstream>
#include <string>

struct FoliumTestAccess {
    static std::string Number(float v) { return clsFolium::FormatPdfNumber(v, 3); }
    static std::string Number(double v) { return clsFolium::FormatPdfNumber(v, 3); }
    static std::string Escape(const std::string& s) { return clsFolium::EscapePdfString(s); }
    static std::string EncodeAscii85Bytes(const std::vector<std::uint8_t>& b) { return clsFolium::EncodeAscii85Bytes(b); }
    static std::int32_t MaxObject(const clsFolium& f) { return f.MaxObject; }
    static std::int16_t FontCount(const clsFolium& f) { return f.FontCount; }
    static const std::string& FontRegistry(const clsFolium& f) { return f.FontRegistry; }
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}


// qpdf finds no error and no warning in the file.
inline bool QpdfClean(const std::string& path, QString* report = nullptr)
{
    int code = -1;
    const QString out = Run("qpdf", {"--check", QString::fromStdString(path)}, &code);
    if (report)
        *report = out;
    return code == 0 && !out.contains("WARNING", Qt::CaseInsensitive);  // exit 2: errors, 3: warnings
}

inline QString PdfText(const std::string& path, int page = 0)
{
    QStringList args;
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    args << QString::fromStdString(path) << "-";
    return Run("pdftotext", args);
}

// A document in a temporary folder.
struct Doc {
    QTemporaryDir dir;
    std::string path;
    clsFolium pdf;

    explicit Doc(const char* name = "doc.pdf") : path(dir.filePath(name).toStdString()) {}
    void Open()
    {
        std::string p = path;
        pdf.InitPDFFile(p);
    }
    // Closes the document; a document that qpdf finds fault with fails the test.
    std::string Close()
    {
        pdf.ClosePDFFile();
        QString report;
        if (!QpdfClean(path, &report))
            QTest::qFail(qPrintable("qpdf: " + report), __FILE__, __LINE__);
        return ReadBytes(path);
    }
};

// The text between "N 0 obj\r\n" and the following "endobj\r\n".
inline std::string ObjectBody(const std::string& pdf, int number)
{
    const std::string head = "\r\n" + std::to_string(number) + " 0 obj\r\n";
    const std::size_t at = pdf.find(head);
    if (at == std::string::npos)
        return std::string();
    const std::size_t begin = at + head.size();
    const std::size_t end = pdf.find("endobj\r\n", begin);
    return pdf.substr(begin, end - begin);
}

// The data of the stream of object number (between "stream\r\n" and "endstream").
inline std::string StreamOf(const std::string& pdf, int number)
{
    const std::string body = ObjectBody(pdf, number);
    const std::size_t begin = body.find("stream\r\n");
    const std::size_t end = body.rfind("endstream");
    if (begin == std::string::npos || end == std::string::npos)
        return std::string();
    return body.substr(begin + 8, end - begin - 8);
}

inline int Count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

#define QCOMPARE_STR(actual, expected) QCOMPARE(QByteArray::fromStdString(actual), QByteArray::fromStdString(expected))

// The content stream of one page on which draw() was called; the document passes qpdf.
template <typename Draw>
std::string PageStream(Draw draw, std::int32_t scaleMode = 1)
{
    Doc d;
    d.pdf.ScaleMode(scaleMode);
    d.Open();
    d.pdf.StartPage();
    draw(d.pdf);
    d.pdf.EndPage();
    return StreamOf(d.Close(), 6);
}
