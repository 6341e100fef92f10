// What a careless or hostile world hands the program through its window: pictures that are
// not what they claim, huge and binary text files, and texts far beyond the advertised size.
#include "CodedPicture.h"
#include "CodingValues.h"
#include "FolderList.h"
#include "LocalName.h"
#include "ModalAnswerer.h"
#include "OpenForm.h"
#include "OpenTekst.h"
#include "PictureBox.h"
#include "PictureSteps.h"
#include "TestFiles.h"
#include "TextLines.h"
#include "ToolsTexts.h"
#include "WindowFixture.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QMimeData>
#include <QRegularExpression>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

void Put32(QByteArray& b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A valid saved picture's bytes, to damage.
QByteArray GoodPicture(const QString& folder)
{
    PixelSurface s(200, 120);
    QRandomGenerator random(5);
    CodedPicture::Encode(s, "hostile", {}, random);
    s.Mirror();
    const QString path = folder + "/good.bmp";
    s.Image().save(path, "BMP");
    return ReadAll(path);
}

// Opens name through the picture dialog; returns the message shown, if any.
QString OpenPicture(Main& m, const QString& name)
{
    ModalAnswerer answers;
    answers.Then([name](QWidget* w) {
        auto* form = qobject_cast<OpenForm*>(w);
        const auto found = form->List1->findItems(name, Qt::MatchExactly);
        if (!found.isEmpty())
            form->List1->setCurrentItem(found.first());
        form->OkKnop_Click();
    });
    answers.ThenPress(QMessageBox::Ok);
    m.FileIndex_Click(2);
    return answers.messages.empty() ? QString() : answers.messages.back().text;
}

// Writes bytes to a file named by bytes (not always UTF-8).
bool WriteBytesNamed(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool ok = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && ok;
}

// Runs open() and gives how long it took. Should it block on a FIFO, a writer opens the FIFO
// after three seconds, so that the test fails instead of hanging.
qint64 MillisecondsFor(const QByteArray& fifo, const std::function<void()>& open)
{
    std::atomic<bool> done{false};
    std::thread rescuer([&] {
        for (int i = 0; i < 30 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!done) {
            const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    });
    QElapsedTimer timer;
    timer.start();
    open();
    const qint64 elapsed = timer.elapsed();
    done = true;
    rescuer.join();
    return elapsed;
}

}  // namespace

class TestHostileInputs : public QObject {
    Q_OBJECT
private slots:
    void init() { Module1::SetUrlOpener([](const QString&) {}); }
    void cleanup() { Module1::SetUrlOpener(nullptr); }

    void picturesThatAreNotWhatTheyClaim()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QString folder = f.dir.path() + "/Pictures";
        const QByteArray good = GoodPicture(f.dir.path());

        QByteArray huge = good;  // declares 46,341 x 46,341 pixels: about 2 GB at 8 bits a pixel
        Put32(huge, 18, 46341);
        Put32(huge, 22, 46341);
        Put32(huge, 2, 0x80000000u);
        QVERIFY(WriteAll(folder + "/huge.hqc", huge));
        QVERIFY(WriteAll(folder + "/truncated.hqc", good.left(good.size() / 2)));
        QImage photo(200, 120, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        QVERIFY(photo.save(folder + "/png.hqc", "PNG"));
        QVERIFY(photo.save(folder + "/jpeg.hqc", "JPEG"));
        QVERIFY(WriteAll(folder + "/empty.hqc", QByteArray()));
        QByteArray noise(100000, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<char>(QRandomGenerator::global()->bounded(256));
        noise[0] = 'B';
        noise[1] = 'M';
        QVERIFY(WriteAll(folder + "/noise.hqc", noise));

        m.Text1->SetText("kept");
        const QImage before = m.Pic->Surface().Image();
        for (const char* name : {"huge", "truncated", "png", "jpeg", "empty", "noise"})
            QCOMPARE(OpenPicture(m, QString::fromLatin1(name)), QStringLiteral("No valid Glyphix picture!"));
        QCOMPARE(m.Pic->Surface().Image(), before);
        QCOMPARE(m.Text1->Text(), QByteArray("kept"));
    }

    void textFilesHugeOrBinary()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QString folder = f.dir.path() + "/Teksten";
        QVERIFY(QDir().mkpath(folder));
        QFile huge(folder + "/huge.txt");
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(50 * 1024 * 1024));
        huge.close();
        QVERIFY(WriteAll(folder + "/odd.txt", QByteArray("a\0b\rc\rd\r\ne\0", 11)));

        ModalAnswerer answers;
        answers.Then([&](QWidget* w) {
            auto* dialog = qobject_cast<OpenTekst*>(w);
            dialog->List1->setCurrentRow(0);  // huge
            answers.ThenPress(QMessageBox::Ok);
            dialog->OkKnop_Click();
            dialog->List1->setCurrentRow(1);  // odd
            dialog->OkKnop_Click();
        });
        m.FileIndex_Click(5);
        QVERIFY(answers.AllAnswered());
        QVERIFY(answers.messages.back().text.endsWith("huge.txt\ntoo large: 52,428,800 bytes (at most 2,097,152)"));
        // NUL bytes stay; every lone CR ends a line.
        QCOMPARE(m.Text1->Text(), QByteArray("a\0b\r\nc\r\nd\r\ne\0\r\n", 15));
        QCOMPARE(m.Label3->text(), QStringLiteral("15 / 65.000 Characters"));
    }

    // Names that are not UTF-8 or hold control characters are listed, shown escaped and opened
    // by both dialogs, the command line and a drop; FIFOs are refused at once, never waited on.
    void oddNamesOpenAndFifosAreRefused()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QByteArray pictures = QFile::encodeName(f.dir.path()) + "/Pictures/";
        const QByteArray texts = QFile::encodeName(f.dir.path()) + "/Teksten/";
        QVERIFY(QDir().mkpath(f.dir.path() + "/Teksten"));
        QVERIFY(WriteBytesNamed(pictures + "caf\xE9.hqc", GoodPicture(f.dir.path())));
        // A name typed with a backslash in it must not look like the name with the byte E9.
        QVERIFY(WriteBytesNamed(pictures + "caf\\xE9.hqc", GoodPicture(f.dir.path())));
        QVERIFY(WriteBytesNamed(texts + "caf\xE9.txt", "latin-1 name"));
        QVERIFY(WriteBytesNamed(texts + "two\nlines.txt", "newline name"));
        // The toolkit cannot remove names that are not UTF-8: the test does.
        const auto removeNames = qScopeGuard([&] {
            for (const QByteArray& name : {pictures + "caf\xE9.hqc", texts + "caf\xE9.txt"})
                ::unlink(name.constData());
        });
        QCOMPARE(::mkfifo(pictures + "pipe.hqc", 0600), 0);
        QCOMPARE(::mkfifo(texts + "pipe.txt", 0600), 0);

        QStringList listed;
        ModalAnswerer answers;
        answers.Then([&](QWidget* w) {
            auto* form = qobject_cast<OpenForm*>(w);
            for (int i = 0; i < form->List1->count(); ++i)
                listed << form->List1->item(i)->text();
            QVERIFY(ClickEntry(form->List1, "caf\\xE9"));
            QTest::mouseClick(form->OkKnop, Qt::LeftButton);
        });
        Choose(m.File, 2);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(listed, QStringList({"caf\\\\xE9", "caf\\xE9"}));  // the FIFO is no picture file
        QCOMPARE(m.FileLabel->text(), QStringLiteral("caf\\xE9"));
        QVERIFY(Module1::SignatureText.startsWith("Hollowbrandt"));

        listed.clear();
        answers.Then([&](QWidget* w) {
            auto* form = qobject_cast<OpenTekst*>(w);
            for (int i = 0; i < form->List1->count(); ++i)
                listed << form->List1->item(i)->text();
            QVERIFY(ClickEntry(form->List1, "two\\nlines"));
            QTest::mouseClick(form->OkKnop, Qt::LeftButton);
        });
        Choose(m.File, 5);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(listed, QStringList({"caf\\xE9", "two\\nlines"}));
        QCOMPARE(m.Text1->Text(), QByteArray("newline name\r\n"));

        // Folders whose names are not UTF-8, or hold a line break, are listed escaped and open.
        QCOMPARE(::mkdir(texts + "d\xE9", 0755), 0);
        QCOMPARE(::mkdir(texts + "two\nfolders", 0755), 0);
        QVERIFY(WriteBytesNamed(texts + "d\xE9/inner.txt", "from an odd folder"));
        const auto removeFolder = qScopeGuard([&] {
            ::unlink(texts + "d\xE9/inner.txt");
            ::rmdir(texts + "d\xE9");
        });
        QStringList folders;
        answers.Then([&](QWidget* w) {
            auto* form = qobject_cast<OpenTekst*>(w);
            QVERIFY(form->Dir1->SetPath(LocalName::FromBytes(texts)));
            for (int i = 0; i < form->Dir1->count(); ++i)
                folders << form->Dir1->item(i)->text().trimmed();
            const auto odd = form->Dir1->findItems("d\\xE9", Qt::MatchEndsWith);
            QCOMPARE(odd.size(), 1);
            form->Dir1->setFocus();
            form->Dir1->setCurrentItem(odd.first());
            QTest::keyClick(form->Dir1, Qt::Key_Return);
            QTRY_COMPARE(form->List1->count(), 1);
            QCOMPARE(form->List1->item(0)->text(), QStringLiteral("inner"));
            QVERIFY(ClickEntry(form->List1, "inner"));
            QTest::mouseClick(form->OkKnop, Qt::LeftButton);
        });
        Choose(m.File, 5);
        QVERIFY(answers.AllAnswered());
        QVERIFY2(folders.contains("d\\xE9") && folders.contains("two\\nfolders"), qPrintable(folders.join('|')));
        QCOMPARE(m.Text1->Text(), QByteArray("from an odd folder\r\n"));

        // The command line's bytes, and a dropped file's URL, reach the file unchanged.
        m.OpenDocument(LocalName::FromBytes(texts + "caf\xE9.txt"));
        QCOMPARE(m.Text1->Text(), QByteArray("latin-1 name\r\n"));
        m.Text1->SetText("before the drop");
        QMimeData data;
        data.setUrls({QUrl::fromEncoded("file://" + QByteArray(texts).toPercentEncoding("/") + "caf%E9.txt")});
        QDragEnterEvent enter(m.Frame1->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m.Frame1, &enter);
        QDropEvent drop(m.Frame1->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m.Frame1, &drop);
        QCOMPARE(m.Text1->Text(), QByteArray("latin-1 name\r\n"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("caf\\xE9"));

        for (const QByteArray& fifo : {pictures + "pipe.hqc", texts + "pipe.txt"}) {
            answers.ThenPress(QMessageBox::Ok);
            const qint64 ms = MillisecondsFor(fifo, [&] { m.OpenDocument(LocalName::FromBytes(fifo)); });
            QVERIFY2(ms < 1000, qPrintable(QString::number(ms)));
            QVERIFY(answers.AllAnswered());
        }
        // Opened from the desktop, the message names the file and the reason.
        QCOMPARE(answers.messages.at(answers.messages.size() - 2).text,
                 QStringLiteral("No valid Glyphix picture!\n%1\nis a FIFO, not a regular file")
                     .arg(LocalName::Shown(LocalName::FromBytes(pictures + "pipe.hqc"))));
        QVERIFY2(answers.messages.back().text.endsWith("pipe.txt\nis a FIFO, not a regular file"),
                 qPrintable(answers.messages.back().text));
        QCOMPARE(m.Text1->Text(), QByteArray("latin-1 name\r\n"));
    }

    void aTextOfTwoHundredThousandCharacters()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QByteArray text = TwoHundredThousandCharacters();
        m.Text1->SetText(text);
        QCOMPARE(m.Label3->text(), QStringLiteral("200,000 / 65.000 Characters"));

        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::Yes);
        m.Image1_Click();
        QVERIFY(answers.AllAnswered());
        QVERIFY(answers.messages.at(0).text.startsWith(QStringLiteral("132,380 characters")));
        QCOMPARE(CodedPicture::Decode(m.Pic->Surface()).text, text.left(67620));

        m.Image2_Click();
        QCOMPARE(m.Text1->Text().size(), 67620);

        m.Text1->SetText(text);
        QStringList lines;
        Module1::GetWrappedLines(m.Text1, lines);
        answers.ThenType("big");
        m.Image4_Click();
        const QString pdf = f.dir.path() + "/Pdf/big.pdf";
        const auto pages = QRegularExpression("Pages:\\s+(\\d+)").match(Run("pdfinfo", {pdf}));
        QVERIFY(pages.hasMatch());
        QCOMPARE(pages.captured(1).toInt(), static_cast<int>(lines.size()) / 53 + 1);
        int code = -1;
        Run("qpdf", {"--check", pdf}, &code);
        QCOMPARE(code, 0);
        QCOMPARE(answers.Unexpected(), 0);
    }
};

QTEST_MAIN(TestHostileInputs)
#include "test_hostile_inputs.moc"
