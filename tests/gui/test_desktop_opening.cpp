// Where the documents live, and documents opened from the desktop: the command line and drops.
#include "BitmapBytes.h"
#include "CodingValues.h"
#include "CommandLine.h"
#include "PictureBox.h"
#include "PictureSteps.h"
#include "TestFiles.h"

#include <QMimeData>
#include <QProcessEnvironment>
#include <QtTest>

namespace {

// Drops the files on widget as the desktop does.
void Drop(QWidget* widget, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = widget->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
}

// Runs the program itself with arguments and no display at all.
QProcess* RunProgram(const QStringList& arguments)
{
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    p->setProcessEnvironment(env);
    p->start(QStringLiteral(HUECIPHER_EXECUTABLE), arguments);
    p->waitForFinished(20000);
    return p;
}

}  // namespace

class TestDesktopOpening : public QObject {
    Q_OBJECT
private slots:
    void documentsLiveBesideAPortableProgramOrInTheDataFolder()
    {
        QTemporaryDir root;
        const QString program = root.filePath("program");
        const QString data = root.filePath("data/Hollowbrandt/Huecipher");
        QVERIFY(QDir().mkpath(program));
        QCOMPARE(Module1::ChooseProgramFolder(program, data), data);  // installed: no pictures folder beside it
        QVERIFY(QDir().mkpath(program + "/Pictures"));
        QCOMPARE(Module1::ChooseProgramFolder(program, data), program);  // build tree or portable folder

        Module1::SetProgramFolder(data);
        QVERIFY(Module1::PrepareProgramFolder());
        QVERIFY(QFileInfo(data + "/Pictures").isDir());
        QVERIFY(Module1::PrepareProgramFolder());  // a second start finds it there
    }

    void commandLineOptions()
    {
        using Module1::ReadCommandLine;
        QCOMPARE(ReadCommandLine({"huecipher"}).exitCode, -1);
        QCOMPARE(ReadCommandLine({"huecipher"}).file, QString());
        QCOMPARE(ReadCommandLine({"huecipher", "/tmp/a b.hqc"}).file, QStringLiteral("/tmp/a b.hqc"));
        const auto withToolkit = ReadCommandLine({"huecipher", "-platform", "offscreen", "notes.txt"});
        QCOMPARE(withToolkit.exitCode, -1);
        QCOMPARE(withToolkit.file, QStringLiteral("notes.txt"));
        // The toolkit's standard options pass, as a session manager's restart gives them.
        const auto restarted = ReadCommandLine({"huecipher", "-session", "10d5c3e4f", "-geometry", "800x492+0+0",
                                                "-title", "T", "-name", "n", "-style", "fusion", "-reverse", "a.hqc"});
        QCOMPARE(restarted.exitCode, -1);
        QCOMPARE(restarted.file, QStringLiteral("a.hqc"));
        std::unique_ptr<QProcess> session(RunProgram({"-session", "10d5c3e4f", "--version"}));
        QCOMPARE(session->exitCode(), 0);

        std::unique_ptr<QProcess> help(RunProgram({"--help"}));
        QCOMPARE(help->exitCode(), 0);
        const QString helpText = QString::fromLocal8Bit(help->readAllStandardOutput());
        QVERIFY2(helpText.startsWith("Usage: huecipher [options] [file]"), qPrintable(helpText));
        QVERIFY(helpText.contains("--version"));

        std::unique_ptr<QProcess> version(RunProgram({"-v"}));
        QCOMPARE(version->exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(version->readAllStandardOutput()),
                 QStringLiteral("huecipher %1\n").arg(Module1::ProgramVersion()));
        QCOMPARE(Module1::ProgramVersion(), QStringLiteral(HUECIPHER_PROJECT_VERSION));

        for (const QStringList& wrong : {QStringList{"--bogus"}, QStringList{"a.hqc", "b.hqc"}}) {
            std::unique_ptr<QProcess> p(RunProgram(wrong));
            QCOMPARE(p->exitStatus(), QProcess::NormalExit);
            QCOMPARE(p->exitCode(), 2);
            QVERIFY(p->readAllStandardOutput().isEmpty());
            QVERIFY(QString::fromLocal8Bit(p->readAllStandardError()).contains("Usage: huecipher"));
        }
    }

    void documentsFromAnywhereOpenAsTheMenuOpensThem()
    {
        WindowFixture f;
        Main& m = *f.main;
        QTemporaryDir elsewhere;
        m.Text1->SetText("The picture from elsewhere.");
        QTest::mouseClick(m.Image1, Qt::LeftButton);
        const QImage coded = m.Pic->Surface().Image();
        QVERIFY(WriteAll(elsewhere.filePath("holiday.hqc"), BitmapBytes::Write(coded, true)));
        QVERIFY(WriteAll(elsewhere.filePath("letter.TXT"), "Dear reader,\r\nall the best."));
        QVERIFY(WriteAll(elsewhere.filePath("fake.hqc"), "not a picture"));
        QImage blank(200, 120, QImage::Format_RGB32);
        blank.fill(Qt::white);
        QVERIFY(WriteAll(elsewhere.filePath("blank.hqc"), BitmapBytes::Write(blank, true)));
        QVERIFY(WriteAll(elsewhere.filePath("photo.png"), "png"));

        m.Pic->Surface().Clear();
        m.OpenDocument(elsewhere.filePath("holiday.hqc"));
        QCOMPARE(m.Pic->Surface().Image(), coded);
        QCOMPARE(m.FileLabel->text(), QStringLiteral("holiday"));
        QVERIFY(m.Text1->Text().isEmpty());
        QVERIFY(Module1::SignatureText.startsWith("Hollowbrandt"));

        // Any plain text the desktop hands over (the entry claims text/plain) opens as a text.
        QVERIFY(WriteAll(elsewhere.filePath("README"), "Read me first."));
        QVERIFY(WriteAll(elsewhere.filePath("notes.md"), "# Notes\n"));
        m.OpenDocument(elsewhere.filePath("README"));
        QCOMPARE(m.Text1->Text(), QByteArray("Read me first.\r\n"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("README"));
        m.OpenDocument(elsewhere.filePath("notes.md"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("notes"));

        m.OpenDocument(elsewhere.filePath("letter.TXT"));
        QCOMPARE(m.Text1->Text(), QByteArray("Dear reader,\r\nall the best.\r\n"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("letter"));
        QCOMPARE(m.Pic->Surface().Image(), coded);  // a text leaves the picture alone

        ModalAnswerer answers;
        for (const char* name : {"fake.hqc", "photo.png", "missing.txt", "blank.hqc"}) {
            answers.ThenPress(QMessageBox::Ok);
            m.OpenDocument(elsewhere.filePath(name));
        }
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.at(0).text,
                 QStringLiteral("No valid Glyphix picture!\n%1\nnot a bitmap").arg(elsewhere.filePath("fake.hqc")));
        QCOMPARE(answers.messages.at(0).title, QStringLiteral("Error"));
        QVERIFY(answers.messages.at(1).text.startsWith("Only coded pictures (.hqc) and text files (.txt) can be opened."));
        QVERIFY(answers.messages.at(2).text.startsWith("The text file could not be read!"));
        QCOMPARE(answers.messages.at(3).text,
                 QStringLiteral("No valid Glyphix picture!\n%1\nno Hollowbrandt signature: not a valid Glyphix picture")
                     .arg(elsewhere.filePath("blank.hqc")));
        for (const SeenMessage& seen : answers.messages)
            QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(m.Text1->Text(), QByteArray("Dear reader,\r\nall the best.\r\n"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("letter"));
        QCOMPARE(m.Pic->Surface().Image(), coded);
    }

    void droppedFilesOpenAndOthersAreRefused()
    {
        WindowFixture f;
        Main& m = *f.main;
        QTemporaryDir elsewhere;
        QVERIFY(WriteAll(elsewhere.filePath("dropped.txt"), "dropped text"));
        QVERIFY(WriteAll(elsewhere.filePath("second.txt"), "second text"));
        QVERIFY(WriteAll(elsewhere.filePath("image.png"), "png"));
        const QUrl dropped = QUrl::fromLocalFile(elsewhere.filePath("dropped.txt"));

        Drop(m.Frame1, {dropped});  // on the picture side of the window
        QCOMPARE(m.Text1->Text(), QByteArray("dropped text\r\n"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("dropped"));

        m.Text1->SetText("kept");
        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::Ok);
        Drop(m.Text1->viewport(), {QUrl::fromLocalFile(elsewhere.filePath("image.png"))});
        answers.ThenPress(QMessageBox::Ok);
        Drop(m.Text1->viewport(), {dropped, QUrl::fromLocalFile(elsewhere.filePath("second.txt"))});
        answers.ThenPress(QMessageBox::Ok);
        Drop(m.Frame1, {QUrl(QStringLiteral("https://hollowbrandt.org/a.txt"))});
        QVERIFY(answers.AllAnswered());
        QCOMPARE(int(answers.messages.size()), 3);
        for (const SeenMessage& seen : answers.messages)
            QVERIFY2(seen.text.startsWith("Only coded pictures (.hqc) and text files (.txt) can be opened."),
                     qPrintable(seen.text));
        QCOMPARE(m.Text1->Text(), QByteArray("kept"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("dropped"));

        // A file dropped on the text box opens as a document; its name is not typed in.
        Drop(m.Text1->viewport(), {QUrl::fromLocalFile(elsewhere.filePath("second.txt"))});
        QCOMPARE(m.Text1->Text(), QByteArray("second text\r\n"));
    }
};

QTEST_MAIN(TestDesktopOpening)
#include "test_desktop_opening.moc"
