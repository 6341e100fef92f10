// Picture files on disk: the bitmap written, the mirror, the check, and files that are not pictures.
#include "CodedPicture.h"
#include "PictureFile.h"

#include <QDir>
#include <QTemporaryDir>
#include "TestFiles.h"

#include <QtTest>

namespace {

PixelSurface Coded(const QByteArray& text)
{
    PixelSurface s(CodedPicture::Width, CodedPicture::Height);
    QRandomGenerator random(3);
    CodedPicture::Encode(s, text, {}, random);
    return s;
}

// Saves as the program does: mirrored left to right.
bool SaveMirrored(PixelSurface s, const QString& path, QString* error = nullptr)
{
    Module1::MirrorPicture(s);
    return PictureFile::Save(s, path, error);
}

// Loads and checks as the open dialog does; true for a valid coded picture.
bool OpensAsCodedPicture(const QString& path, PixelSurface* out = nullptr)
{
    PixelSurface s;
    PictureFile::Load(s, path);
    const int w = s.Width();
    const int h = s.Height();
    Module1::MirrorPicture(s);
    if (out)
        *out = s;
    return PictureFile::IsCodedPicture(w, h, PictureFile::ReadSignatureRow(s));
}



quint32 Le32(const QByteArray& b, int at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16
         | quint32(quint8(b[at + 3])) << 24;
}

}  // namespace

class TestPictureFile : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void savedFileIsA24BitBitmapMirrored()
    {
        const PixelSurface picture = Coded("Hello world!");
        QVERIFY(SaveMirrored(picture, Path("a.hqc")));
        const QByteArray bytes = ReadAll(Path("a.hqc"));
        QVERIFY(bytes.startsWith("BM"));
        QCOMPARE(Le32(bytes, 18), 200u);
        QCOMPARE(Le32(bytes, 22), 120u);
        QCOMPARE(quint8(bytes[28]), quint8(24));
        QCOMPARE(Le32(bytes, 30), 0u);  // no compression

        QImage file(Path("a.hqc"));
        QCOMPARE(file.pixel(197, 2), qRgb('H', 'o', 'l'));  // coded (2, 2) lies at file column 197

        PixelSurface reopened;
        QVERIFY(OpensAsCodedPicture(Path("a.hqc"), &reopened));
        QCOMPARE(reopened.Image(), picture.Image());
        QCOMPARE(CodedPicture::Decode(reopened).text, QByteArray("Hello world!"));
    }

    void unmirroredFileIsRejected()
    {
        QVERIFY(PictureFile::Save(Coded("abc"), Path("plain.hqc")));
        QVERIFY(!OpensAsCodedPicture(Path("plain.hqc")));
    }

    void signatureAfterWhitePixelsIsAccepted()
    {
        PixelSurface s(200, 120);
        const QByteArray signature = CodedPicture::SignatureText();
        for (int i = 0; i < 12; i += 3)
            s.SetPixel(40 + i / 3, 2, CodedPicture::GroupColour(signature, i / 3));
        QVERIFY(SaveMirrored(s, Path("late.hqc")));
        QVERIFY(OpensAsCodedPicture(Path("late.hqc")));
    }

    void wrongSizesAreRejected()
    {
        for (QSize size : {QSize(201, 120), QSize(200, 119), QSize(1, 1)}) {
            PixelSurface s(size.width(), size.height());
            PixelSurface coded = Coded("x");
            s.CopyFrom(coded);
            QVERIFY(SaveMirrored(s, Path("size.hqc")));
            PixelSurface loaded(5, 5);
            QVERIFY(!PictureFile::Load(loaded, Path("size.hqc")));
            QCOMPARE(loaded.Width(), 5);  // untouched
            QVERIFY(!OpensAsCodedPicture(Path("size.hqc")));
        }
    }

    void filesThatAreNotBitmapsAreRejected()
    {
        PixelSurface coded = Coded("secret");
        coded.Mirror();
        QVERIFY(coded.Image().save(Path("png.hqc"), "PNG"));
        QVERIFY(!OpensAsCodedPicture(Path("png.hqc")));

        WriteAll(Path("empty.hqc"), QByteArray());
        QVERIFY(!OpensAsCodedPicture(Path("empty.hqc")));
        WriteAll(Path("text.hqc"), QByteArray("just some text, not a picture at all"));
        QVERIFY(!OpensAsCodedPicture(Path("text.hqc")));
        QVERIFY(!OpensAsCodedPicture(Path("missing.hqc")));
        QVERIFY(!OpensAsCodedPicture(m_dir.path()));  // a folder
    }

    void damagedBitmapsAreRejectedWithoutCrashing()
    {
        QVERIFY(SaveMirrored(Coded("truncate me"), Path("good.hqc")));
        const QByteArray good = ReadAll(Path("good.hqc"));

        // Cut before the signature row (rows are stored bottom-up, so row 2 is near the end).
        WriteAll(Path("cut.hqc"), good.left(good.size() - 200 * 3 * 4));
        QVERIFY(!OpensAsCodedPicture(Path("cut.hqc")));
        WriteAll(Path("cut.hqc"), good.chopped(1));
        QVERIFY(!OpensAsCodedPicture(Path("cut.hqc")));
        WriteAll(Path("header.hqc"), good.left(40));
        QVERIFY(!OpensAsCodedPicture(Path("header.hqc")));

        // A header that declares an enormous picture is refused from the header alone.
        QByteArray huge = good;
        huge[18] = '\xFF'; huge[19] = '\xFF'; huge[20] = '\x00'; huge[21] = '\x00';
        huge[22] = '\xFF'; huge[23] = '\xFF'; huge[24] = '\x00'; huge[25] = '\x00';
        WriteAll(Path("huge.hqc"), huge);
        QVERIFY(!OpensAsCodedPicture(Path("huge.hqc")));

        // Found by fuzzing: sides whose product overflowed the size arithmetic.
        WriteAll(Path("overflow.hqc"), QByteArray::fromBase64("Qk1OAAAAAAAAADYAAAAoAAAAAwAAdAAAaIAAACAAAAAAAA=="));
        QVERIFY(!OpensAsCodedPicture(Path("overflow.hqc")));

        // Random damage anywhere in the header never crashes.
        for (int at = 0; at < 54; ++at) {
            QByteArray damaged = good;
            damaged[at] = static_cast<char>(damaged[at] ^ 0xA5);
            WriteAll(Path("damaged.hqc"), damaged);
            OpensAsCodedPicture(Path("damaged.hqc"));
        }

        // A file far too large for a picture is not read.
        QByteArray big = good;
        big.append(QByteArray(PictureFile::MaxFileBytes, '\0'));
        WriteAll(Path("big.hqc"), big);
        QVERIFY(!OpensAsCodedPicture(Path("big.hqc")));
    }

    void failedSaveKeepsTheOldFileAndSaysWhy()
    {
        QVERIFY(SaveMirrored(Coded("old"), Path("keep.hqc")));
        const QByteArray before = ReadAll(Path("keep.hqc"));
        QVERIFY(SaveMirrored(Coded("new"), Path("keep.hqc")));
        QVERIFY(ReadAll(Path("keep.hqc")) != before);
        QVERIFY(LeftoverTemporaries(m_dir.path()).isEmpty());

        QString error;
        QVERIFY(!SaveMirrored(Coded("x"), Path("no-such-folder/x.hqc"), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFileInfo::exists(Path("no-such-folder")));

        error.clear();
        QVERIFY(!SaveMirrored(Coded("x"), Path(QString(300, QLatin1Char('n')) + ".hqc"), &error));
        QVERIFY(!error.isEmpty());

        QVERIFY(QDir(m_dir.path()).mkdir("folder.hqc"));
        QVERIFY(!SaveMirrored(Coded("x"), Path("folder.hqc")));
        QVERIFY(QFileInfo(Path("folder.hqc")).isDir());
        QVERIFY(!Module1::FileExists(Path("folder.hqc")));
        QVERIFY(Module1::FileExists(Path("keep.hqc")));
    }
};

QTEST_GUILESS_MAIN(TestPictureFile)
#include "test_picture_file.moc"
