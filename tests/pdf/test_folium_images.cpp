// Bitmap reading, image objects and ASCII85 of the PDF writer.
#include "PdfTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void Le(std::string& b, std::size_t at, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A bitmap file: rows given bottom row first, unpadded; palette entries as 0xRRGGBB.
std::string MakeBmp(std::int32_t w, std::int32_t h, int bpp, const std::vector<std::string>& rows,
                    const std::vector<std::uint32_t>& palette = {})
{
    const std::size_t stride = (static_cast<std::size_t>(w) * bpp + 31) / 32 * 4;
    const std::size_t entries = bpp <= 8 ? std::size_t(1) << bpp : 0;
    std::string b(54 + entries * 4, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Le(b, 10, static_cast<std::uint32_t>(b.size()), 4);
    Le(b, 14, 40, 4);
    Le(b, 18, static_cast<std::uint32_t>(w), 4);
    Le(b, 22, static_cast<std::uint32_t>(h), 4);
    Le(b, 26, 1, 2);
    Le(b, 28, static_cast<std::uint32_t>(bpp), 2);
    for (std::size_t i = 0; i < palette.size() && i < entries; ++i) {
        b[54 + i * 4] = static_cast<char>(palette[i] & 0xFF);
        b[54 + i * 4 + 1] = static_cast<char>((palette[i] >> 8) & 0xFF);
        b[54 + i * 4 + 2] = static_cast<char>((palette[i] >> 16) & 0xFF);
    }
    for (const std::string& row : rows) {
        std::string padded = row;
        padded.resize(stride, '\0');
        b += padded;
    }
    Le(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    return b;
}

std::string WriteTemp(QTemporaryDir& dir, const char* name, const std::string& bytes)
{
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

struct Read {
    bool ok = false;
    std::vector<std::uint8_t> samples;
    std::vector<std::uint8_t> palette;
    std::int32_t w = 0;
    std::int32_t h = 0;
    std::uint8_t bpp = 0;
};

Read ReadBmp(const std::string& path, std::int32_t colourSpace)
{
    clsFolium pdf;
    Read r;
    r.ok = pdf.LeggeBMP(path, colourSpace, r.samples, r.palette, r.w, r.h, r.bpp);
    return r;
}

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

}  // namespace

class TestFoliumImages : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void ascii85()
    {
        using A = FoliumTestAccess;
        QCOMPARE_STR(A::EncodeAscii85Bytes(Bytes({0, 0, 0, 0})), std::string("z"));
        QCOMPARE_STR(A::EncodeAscii85Bytes(Bytes({0})), std::string("!!"));
        QCOMPARE_STR(A::EncodeAscii85Bytes(Bytes({0, 0, 0, 0, 0, 0, 0, 0})), std::string("zz"));
        QCOMPARE_STR(A::EncodeAscii85Bytes(Bytes({255, 255, 255, 255})), std::string("s8W-!"));
        QCOMPARE_STR(A::EncodeAscii85Bytes(Bytes({'M', 'a', 'n', ' '})), std::string("9jqo^"));
        QCOMPARE_STR(A::EncodeAscii85Bytes({}), std::string());
    }

    void oneAndFourBitRowsDropTheirPadding()
    {
        std::vector<std::string> rows;
        for (int y = 0; y < 3; ++y)
            rows.push_back(std::string("\x11\x22\x33\x44\x55", 5));
        const Read one = ReadBmp(WriteTemp(m_dir, "one.bmp", MakeBmp(33, 3, 1, rows, {0x000000, 0xFFFFFF})), 0);
        QVERIFY(one.ok);
        QCOMPARE(int(one.bpp), 1);
        QCOMPARE(int(one.samples.size()), 3 * 5);
        QCOMPARE(int(one.samples[5]), 0x11);
        QCOMPARE(one.palette, Bytes({0, 0, 0, 255, 255, 255}));

        const Read four = ReadBmp(WriteTemp(m_dir, "four.bmp", MakeBmp(3, 2, 4, {"\x01\x20", "\x34\x50"},
                                                                          {0xFF0000, 0x00FF00, 0x0000FF})), 1);
        QVERIFY(four.ok);
        QCOMPARE(four.samples, Bytes({0x01, 0x20, 0x34, 0x50}));
        QCOMPARE(int(four.palette.size()), 16);
        QCOMPARE(four.palette[0], std::uint8_t(84));   // pure red
        QCOMPARE(four.palette[1], std::uint8_t(150));  // pure green
        QCOMPARE(four.palette[2], std::uint8_t(28));   // pure blue
    }

    void eightBitRowsInOrder()
    {
        std::vector<std::string> rows;
        for (int y = 0; y < 4; ++y)
            rows.push_back(std::string(100, static_cast<char>(y + 1)));
        const Read r = ReadBmp(WriteTemp(m_dir, "eight.bmp", MakeBmp(100, 4, 8, rows, {0xFFFFFF})), 1);
        QVERIFY(r.ok);
        QCOMPARE(int(r.samples.size()), 400);
        QCOMPARE(int(r.samples[0]), 1);
        QCOMPARE(int(r.samples[399]), 4);
        QCOMPARE(int(r.palette.size()), 256);
        QCOMPARE(int(r.palette[0]), 255);  // white reaches the limit
    }

    void twentyFourBitColourAndGrey()
    {
        // Bottom row: red, green; top row: blue, white (stored blue, green, red).
        const std::string bmp = MakeBmp(2, 2, 24, {std::string("\x00\x00\xFF\x00\xFF\x00", 6),
                                                   std::string("\xFF\x00\x00\xFF\xFF\xFF", 6)});
        const std::string path = WriteTemp(m_dir, "rgb.bmp", bmp);
        const Read colour = ReadBmp(path, 0);
        QVERIFY(colour.ok);
        QCOMPARE(colour.samples, Bytes({255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 0}));
        QVERIFY(colour.palette.empty());
        const Read grey = ReadBmp(path, 1);
        QCOMPARE(grey.samples, Bytes({84, 150, 28, 255}));
    }

    void redPixelImageObject()
    {
        Doc d;
        d.Open();
        const std::string bmp = MakeBmp(1, 1, 24, {std::string("\x00\x00\xFF", 3)});
        QVERIFY(d.pdf.LoadImgFromBMPFile("Im1", WriteTemp(m_dir, "red.bmp", bmp), 0));
        d.pdf.StartPage();
        d.pdf.DrawImg("Im1", 10, 20, 30, 40);
        d.pdf.EndPage();
        const std::string pdf = d.Close();
        static const char expected[] = "<<\r/Type /XObject\r/Subtype /Image\r/Name /Im1\r/Width 1\r/Height 1\r\n"
                                       "/BitsPerComponent 8\r/ColorSpace /DeviceRGB\r/Length 6 0 R\r\n"
                                       ">>\rstream\r\n\xFF\x00\x00\x00\rendstream\r\n";
        QCOMPARE_STR(ObjectBody(pdf, 5), std::string(expected, sizeof expected - 1));
        QCOMPARE_STR(ObjectBody(pdf, 6), std::string("4\r\n"));
        QCOMPARE_STR(StreamOf(pdf, 8), std::string("q\r30  0 0 -40 10 20 cm\r/Im1 Do\rQ\r\n"));
        QVERIFY(ObjectBody(pdf, 4).find("/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]\r/XObject <<\r/Im1 5 0 R \r\r>>")
                != std::string::npos);
        QString report;
        QVERIFY2(QpdfClean(d.path, &report), qPrintable(report));
    }

    void indexedImagesRawAndAscii85()
    {
        std::vector<std::string> rows;
        for (int y = 0; y < 2; ++y)
            rows.push_back(std::string("\x00\x01\x02", 3));
        const std::string path = WriteTemp(m_dir, "idx.bmp", MakeBmp(3, 2, 8, rows, {0xFF0000, 0x00FF00}));
        for (bool encode : {false, true}) {
            Doc d;
            d.pdf.EncodeASCII85(encode);
            d.Open();
            QVERIFY(d.pdf.LoadImgFromBMPFile("Im1", path, 0));
            QVERIFY(d.pdf.LoadImgFromBMPFile("Im2", path, 1));
            d.pdf.StartPage();
            d.pdf.DrawImg("Im1", 0, 100, 30, 20);
            d.pdf.DrawImg("Im2", 50, 100, 30, 20);
            d.pdf.EndPage();
            const std::string pdf = d.Close();
            const std::string image = ObjectBody(pdf, 5);
            QVERIFY(image.find("/BitsPerComponent 8\r/ColorSpace [/Indexed /DeviceRGB 255 7 0 R]\r/Length 6 0 R\r\n")
                    != std::string::npos);
            QVERIFY(ObjectBody(pdf, 8).find("[/Indexed /DeviceGray 255 10 0 R]") != std::string::npos);
            QCOMPARE(image.find("/Filter /ASCII85Decode") != std::string::npos, encode);
            const std::string palette = ObjectBody(pdf, 7);
            if (encode) {
                QVERIFY(palette.find("<</Filter /ASCII85Decode\r/Length ") == 0);
                QVERIFY(StreamOf(pdf, 5).find("~>\r") != std::string::npos);
            } else {
                QVERIFY(palette.find("<</Length 768 >>\rstream\r\n") == 0);
                QCOMPARE_STR(ObjectBody(pdf, 6), std::string("6\r\n"));
            }
            QString report;
            QVERIFY2(QpdfClean(d.path, &report), qPrintable(report));
            // qpdf decodes every stream: the samples come back whole.
            int code = -1;
            const QString raw = Run("qpdf", {"--show-object=5", "--filtered-stream-data", QString::fromStdString(d.path)}, &code);
            QCOMPARE(raw.toLatin1(), QByteArray("\x00\x01\x02\x00\x01\x02", 6));
        }
    }

    void dishonestHeadersAreRefusedAndTruncationReadsZero()
    {
        const std::string good = MakeBmp(4, 4, 24, std::vector<std::string>(4, std::string(12, '\x7F')));
        auto patched = [&](std::size_t at, std::uint32_t v, int bytes) {
            std::string b = good;
            Le(b, at, v, bytes);
            return b;
        };
        const struct { const char* name; std::string bytes; } refused[] = {
            {"sig.bmp", "XM" + good.substr(2)},
            {"width0.bmp", patched(18, 0, 4)},
            {"negative.bmp", patched(22, static_cast<std::uint32_t>(-4), 4)},
            {"bpp16.bmp", patched(28, 16, 2)},
            {"bpp32.bmp", patched(28, 32, 2)},
            {"huge.bmp", patched(18, 0x7FFFFFFF, 4)},
            {"empty.bmp", std::string()},
            {"tiny.bmp", std::string("BM")},
        };
        for (const auto& r : refused) {
            Doc d;
            d.Open();
            QVERIFY2(!d.pdf.LoadImgFromBMPFile("Im1", WriteTemp(m_dir, r.name, r.bytes), 0), r.name);
            QCOMPARE(FoliumTestAccess::MaxObject(d.pdf), 4);  // nothing written
        }
        QVERIFY(!ReadBmp(m_dir.filePath("missing.bmp").toStdString(), 0).ok);

        const Read cut = ReadBmp(WriteTemp(m_dir, "cut.bmp", good.substr(0, good.size() - 20)), 0);
        QVERIFY(cut.ok);
        QCOMPARE(int(cut.samples.size()), 48);
        QCOMPARE(int(cut.samples[0]), 0x7F);
        QCOMPARE(int(cut.samples[47]), 0);  // missing bytes read as 0
        // Pixel data that begins beyond the end of the file reads as zeros too.
        const Read far = ReadBmp(WriteTemp(m_dir, "offset.bmp", patched(10, 1000000, 4)), 0);
        QVERIFY(far.ok);
        QCOMPARE(far.samples, std::vector<std::uint8_t>(48, 0));
    }

    void everyDepthUpToEightHasItsPalette()
    {
        Doc d;
        d.Open();
        d.pdf.LoadImgFromBuffer("Two", Bytes({0x1B}), Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), 4, 1, 2, 0);
        const std::string pdf = d.Close();
        QVERIFY(ObjectBody(pdf, 5).find("/ColorSpace") == std::string::npos);  // no colour space for 2 bits
        QVERIFY(ObjectBody(pdf, 5).find("/Height 1\r\n/Length 6 0 R\r\n") != std::string::npos);
        QCOMPARE_STR(ObjectBody(pdf, 7), std::string("<</Length 12 >>\rstream\r\n") + "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C" + "\rendstream\r\n");
    }

    void asciiLengthsCoverTheEncodedData()
    {
        Doc d;
        d.pdf.EncodeASCII85(true);
        d.Open();
        d.pdf.LoadImgFromBuffer("Im", Bytes({1, 2, 3, 4, 5}), Bytes({0, 0, 0, 255, 255, 255}), 5, 1, 1, 0);
        const std::string pdf = d.Close();
        const std::string image = StreamOf(pdf, 5);
        const std::string palette = StreamOf(pdf, 7);
        QCOMPARE_STR(image, FoliumTestAccess::EncodeAscii85Bytes(Bytes({1, 2, 3, 4, 5})) + "~>\r");
        QCOMPARE_STR(ObjectBody(pdf, 6), std::to_string(image.size() - 1) + "\r\n");  // the data with its "~>"
        const std::string encoded = FoliumTestAccess::EncodeAscii85Bytes(Bytes({0, 0, 0, 255, 255, 255})) + "~>";
        QVERIFY(ObjectBody(pdf, 7).find("/Length " + std::to_string(encoded.size()) + " >>") != std::string::npos);
        QCOMPARE_STR(palette, encoded + "\r");

        // An image without samples: an empty stream of length 0 (found by fuzzing: an empty
        // buffer handed on as a null pointer).
        Doc empty;
        empty.Open();
        empty.pdf.LoadImgFromBuffer("Im", {}, {}, 0, 0, 24, 0);
        const std::string none = empty.Close();
        QCOMPARE_STR(StreamOf(none, 5), std::string("\r"));
        QCOMPARE_STR(ObjectBody(none, 6), std::string("0\r\n"));
    }

    void greyTwentyFourBitImageObject()
    {
        const std::string bmp = MakeBmp(2, 1, 24, {std::string("\x00\x00\xFF\xFF\xFF\xFF", 6)});  // red, white
        Doc d;
        d.Open();
        QVERIFY(d.pdf.LoadImgFromBMPFile("G", WriteTemp(m_dir, "grey.bmp", bmp), 1));
        const std::string pdf = d.Close();
        QCOMPARE_STR(ObjectBody(pdf, 5), std::string("<<\r/Type /XObject\r/Subtype /Image\r/Name /G\r/Width 2\r/Height 1\r\n"
                                                      "/BitsPerComponent 8\r/ColorSpace /DeviceGray\r/Length 6 0 R\r\n"
                                                      ">>\rstream\r\n\x54\xFF\rendstream\r\n"));
        QCOMPARE_STR(ObjectBody(pdf, 6), std::string("2\r\n"));
    }

    void pixelsAreReadFromTheHeadersOffset()
    {
        std::string bmp = MakeBmp(1, 1, 24, {});
        bmp += std::string(10, '\xEE');            // something between the header and the pixels
        bmp += std::string("\x30\x20\x10\x00", 4);  // blue, green, red, padding
        Le(bmp, 10, 54 + 10, 4);
        const Read r = ReadBmp(WriteTemp(m_dir, "offset.bmp", bmp), 0);
        QVERIFY(r.ok);
        QCOMPARE(r.samples, Bytes({0x10, 0x20, 0x30, 0}));
    }

    // A 55-byte bitmap that declares 128 MiB of pixels: the document holds them all, and
    // writing it takes no more memory than twice what it writes (raw), or than twice the pixels
    // (ASCII85, where zeros shrink to a quarter).
    void aHugeDeclaredBitmapIsStreamed()
    {
#ifdef __SANITIZE_ADDRESS__
        QSKIP("the address sanitizer keeps memory of its own");
#endif
        std::string bmp = MakeBmp(8192, 5461, 24, {});
        bmp.resize(55, '\x7F');
        const std::string source = WriteTemp(m_dir, "huge.bmp", bmp);
        for (const bool ascii85 : {false, true}) {
            std::string out = m_dir.filePath(ascii85 ? "huge85.pdf" : "huge.pdf").toStdString();
            const pid_t child = fork();
            if (child == 0) {
                // A fresh high-water mark for this process, then the document.
                std::ofstream("/proc/self/clear_refs") << "5";
                clsFolium pdf;
                pdf.EncodeASCII85(ascii85);
                pdf.InitPDFFile(out);
                const bool loaded = pdf.LoadImgFromBMPFile("Im1", source, 0);
                pdf.StartPage();
                pdf.DrawImg("Im1", 0, 0, 100, 100);
                pdf.EndPage();
                pdf.ClosePDFFile();
                std::ifstream status("/proc/self/status");
                long peakKiB = -1;
                for (std::string line; std::getline(status, line);)
                    if (line.rfind("VmHWM:", 0) == 0)
                        peakKiB = std::atol(line.c_str() + 6);
                std::ifstream written(out, std::ios::binary | std::ios::ate);
                const long writtenKiB = static_cast<long>(written.tellg() / 1024);
                const long pixelsKiB = 8192L * 3 * 5461 / 1024;
                const long boundKiB = 2 * std::max(writtenKiB, pixelsKiB) + 16 * 1024;
                _exit(loaded && writtenKiB > (ascii85 ? 30 : 120) * 1024 && peakKiB > 0 && peakKiB <= boundKiB ? 0 : 1);
            }
            int status = -1;
            QCOMPARE(waitpid(child, &status, 0), child);
            QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, ascii85 ? "ASCII85" : "raw");
        }
    }

    void halfABigBitmapAndAFolder()
    {
        // The first 40 % of a 1000 x 1000 bitmap reads whole, the missing rest as zeros.
        const std::string row(3000, '\x7F');
        std::string bmp = MakeBmp(1000, 1000, 24, std::vector<std::string>(1000, row));
        bmp.resize(bmp.size() * 2 / 5);
        const Read r = ReadBmp(WriteTemp(m_dir, "half.bmp", bmp), 0);
        QVERIFY(r.ok);
        QCOMPARE(int(r.samples.size()), 3000000);
        QCOMPARE(int(r.samples[1000]), 0x7F);
        QCOMPARE(int(r.samples.back()), 0);

        clsFolium pdf;
        std::vector<std::uint8_t> samples;
        std::vector<std::uint8_t> palette;
        std::int32_t w = 0;
        std::int32_t h = 0;
        std::uint8_t bpp = 0;
        QVERIFY_THROWS_EXCEPTION(std::system_error,
                                 pdf.LeggeBMP(m_dir.path().toStdString(), 0, samples, palette, w, h, bpp));
    }
};

QTEST_GUILESS_MAIN(TestFoliumImages)
#include "test_folium_images.moc"
