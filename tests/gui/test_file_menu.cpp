// The File menu through the real window: New, the displayed lines, saving and opening texts.
#include "FolderList.h"
#include "ModalAnswerer.h"
#include "OpenTekst.h"
#include "PictureSteps.h"
#include "PictureBox.h"
#include "TextLines.h"
#include "WindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include "TestFiles.h"

#include <QtTest>

namespace {



QStringList Lines(Main& m)
{
    QStringList lines;
    Module1::GetWrappedLines(m.Text1, lines);
    return lines;
}

// A paragraph long enough to wrap several times in the text box.
QByteArray LongParagraph()
{
    QByteArray p;
    for (int i = 0; i < 60; ++i)
        p += "word" + QByteArray::number(i) + " ";
    return p.trimmed();
}

}  // namespace

class TestFileMenu : public QObject {
    Q_OBJECT
private:
    // Saves the text under name through the menu; reply answers a question or message that follows.
    void SaveText(Main& m, ModalAnswerer& answers, const QString& name,
                  QMessageBox::StandardButton reply = QMessageBox::NoButton)
    {
        answers.ThenType(name);
        if (reply != QMessageBox::NoButton)
            answers.ThenPress(reply);
        m.FileIndex_Click(6);
    }

private slots:
    void newAskedFirst()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText("keep me");
        m.Image1_Click();
        m.SetDocumentName("doc");
        m.LetGrote[11]->trigger();
        const QImage coded = m.Pic->Surface().Image();
        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::No);
        m.FileIndex_Click(0);
        QCOMPARE(answers.messages.at(0).text, QStringLiteral("Do you want to create a new text?"));
        QCOMPARE(answers.messages.at(0).title, QStringLiteral("New"));
        QCOMPARE(answers.messages.at(0).buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(m.Text1->Text(), QByteArray("keep me"));
        QCOMPARE(m.Pic->Surface().Image(), coded);
        QCOMPARE(m.FileLabel->text(), QStringLiteral("doc"));

        Module1::FillLineList(m);
        answers.ThenPress(QMessageBox::Yes);
        m.FileIndex_Click(0);
        QVERIFY(answers.AllAnswered());
        QVERIFY(m.Text1->Text().isEmpty());
        QCOMPARE(m.Label3->text(), QStringLiteral("0 / 65.000 Characters"));
        QCOMPARE(m.Pic->Surface().GetPixel(0, 0), (Rgb{255, 255, 255}));
        QCOMPARE(m.Pic->Surface().GetPixel(20, 2), (Rgb{255, 255, 255}));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("Filename"));
        QCOMPARE(m.List1->count(), 0);
        QCOMPARE(m.Text1->TextSize(), 11.0);  // size and colours stay
    }

    void displayedLines()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText("ab\r\ncd");
        QCOMPARE(Lines(m), QStringList({"ab", "cd"}));
        m.Text1->SetText("ab\r\n");
        QCOMPARE(Lines(m), QStringList({"ab", ""}));
        m.Text1->SetText("");
        QCOMPARE(Lines(m), QStringList({""}));
        QStringList lines;
        QCOMPARE(Module1::GetWrappedLines(m.Text1, lines), 0);

        m.Text1->SetText(LongParagraph());
        const QStringList at8 = Lines(m);
        QVERIFY(at8.size() >= 2);
        QCOMPARE(at8.join("").toLatin1(), LongParagraph());  // every character once, in order
        m.LetGrote[12]->trigger();
        QVERIFY(Lines(m).size() > at8.size());

        m.LetGrote[8]->trigger();
        QCOMPARE(Lines(m), at8);
    }

    void saveTextfileWritesDisplayedLines()
    {
        WindowFixture f;
        Main& m = *f.main;
        ModalAnswerer answers;
        const QString folder = f.dir.path() + "/Teksten/";

        m.Text1->SetText("ab\r\ncd");
        SaveText(m, answers, "plain");
        QCOMPARE(answers.prompts.at(0).text, QStringLiteral("Enter a name for this Text file..."));
        QCOMPARE(answers.prompts.at(0).title, QStringLiteral("Huecipher"));
        QCOMPARE(ReadAll(folder + "plain.txt"), QByteArray("ab\r\ncd\r\n"));

        m.Text1->SetText("");
        SaveText(m, answers, "empty");
        QCOMPARE(ReadAll(folder + "empty.txt"), QByteArray("\r\n"));

        m.Text1->SetText("last\r\n");
        SaveText(m, answers, " x");  // the leading blank stays in the name
        QCOMPARE(ReadAll(folder + " x.txt"), QByteArray("last\r\n\r\n"));

        m.Text1->SetText(LongParagraph());
        SaveText(m, answers, "wrapped");
        const QByteArray wrapped = ReadAll(folder + "wrapped.txt");
        QVERIFY(wrapped.count("\r\n") >= 2);
        QCOMPARE(QByteArray(wrapped).replace("\r\n", ""), LongParagraph());
        QCOMPARE(m.List1->count(), wrapped.count("\r\n"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("Filename"));  // saving keeps the name

        SaveText(m, answers, "   ");
        for (const char* bad : {"../out", "a/b", "."}) {
            SaveText(m, answers, QString::fromLatin1(bad), QMessageBox::Ok);
            QCOMPARE(answers.messages.back().text, QStringLiteral("Invalid name, the text was not saved!"));
            QCOMPARE(answers.messages.back().icon, QMessageBox::Critical);
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 4);
        QVERIFY(!QFileInfo::exists(f.dir.path() + "/out.txt"));

        m.Text1->SetText("new");
        SaveText(m, answers, "plain", QMessageBox::No);
        QCOMPARE(answers.messages.back().text, QStringLiteral("File already exists, overwrite?"));
        QCOMPARE(answers.messages.back().title, QStringLiteral("File Exists"));
        QCOMPARE(ReadAll(folder + "plain.txt"), QByteArray("ab\r\ncd\r\n"));
        SaveText(m, answers, "plain", QMessageBox::Yes);
        QCOMPARE(ReadAll(folder + "plain.txt"), QByteArray("new\r\n"));

        // A folder where the file should go: the name is taken, and the user hears why nothing
        // was saved; nothing is lost.
        QVERIFY(QDir(folder).mkdir("taken.txt"));
        answers.ThenType("taken");
        answers.ThenPress(QMessageBox::Yes);
        answers.ThenPress(QMessageBox::Ok);
        m.FileIndex_Click(6);
        QCOMPARE(answers.messages.back().text, QStringLiteral("The text was not saved!\ntaken.txt: is a folder"));
        QVERIFY(QFileInfo(folder + "taken.txt").isDir());
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.Unexpected(), 0);
    }

    void openTextDialog()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QString folder = f.dir.path() + "/Teksten/";
        QVERIFY(QDir().mkpath(folder));
        WriteAll(folder + "notes.txt", "twelve bytes");
        WriteAll(folder + "Beta.txt", "one\r\ntwo");
        WriteAll(folder + "lf.txt", "a\nb\nc\n");
        WriteAll(folder + "ignored.doc", "x");

        ModalAnswerer answers;
        answers.Then([&](QWidget* w) {
            auto* dialog = qobject_cast<OpenTekst*>(w);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Open Textfile (txt)"));
            QCOMPARE(dialog->size(), QSize(434 - 6, 380 - 28));
            QCOMPARE(dialog->List1->geometry(), QRect(216, 14, 200, 276));
            QCOMPARE(dialog->Dir1->geometry(), QRect(12, 38, 200, 246));
            QCOMPARE(dialog->OkKnop->geometry(), QRect(378, 300, 36, 36));
            QCOMPARE(dialog->CancelKnop->toolTip(), QStringLiteral(" Cancel "));
            QCOMPARE(dialog->Drive1->itemText(0), QStringLiteral("/"));
            QCOMPARE(dialog->Label1->text(), QStringLiteral("3 File's"));
            QStringList names;
            for (int i = 0; i < dialog->List1->count(); ++i)
                names << dialog->List1->item(i)->text();
            QCOMPARE(names, QStringList({"Beta", "lf", "notes"}));

            // OK with nothing selected: the message, and the dialog stays.
            answers.ThenPress(QMessageBox::Ok);
            QTest::mouseClick(dialog->OkKnop, Qt::LeftButton);
            QVERIFY(dialog->isVisible());
            QCOMPARE(answers.messages.back().text, QStringLiteral("Select Filename!"));
            QCOMPARE(answers.messages.back().title, QStringLiteral("Huecipher"));

            // A click, or an arrow key, shows the entry's name and size; OK opens the entry chosen last.
            QVERIFY(ClickEntry(dialog->List1, "notes"));
            QCOMPARE(dialog->Label1->text(), QStringLiteral("notes / 12 Bytes"));
            QTest::keyClick(dialog->List1, Qt::Key_Up);
            QCOMPARE(dialog->Label1->text(), QStringLiteral("lf / 6 Bytes"));
            QVERIFY(ClickEntry(dialog->List1, "Beta"));
            QTest::mouseClick(dialog->OkKnop, Qt::LeftButton);
        });
        m.FileIndex_Click(5);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(m.Text1->Text(), QByteArray("one\r\ntwo\r\n"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("Beta"));

        // LF-only ends make one line; the box shows its LFs as breaks.
        answers.Then([&](QWidget* w) { QVERIFY(ClickEntry(qobject_cast<OpenTekst*>(w)->List1, "lf", true)); });
        m.FileIndex_Click(5);
        QCOMPARE(m.Text1->Text(), QByteArray("a\r\nb\r\nc\r\n\r\n"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("lf"));
        QCOMPARE(answers.Unexpected(), 0);
    }

    void openTextRefusesWhatItCannotRead()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QString folder = f.dir.path() + "/Teksten/";
        QVERIFY(QDir().mkpath(folder));
        QFile big(folder + "big.txt");
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(50 * 1024 * 1024));
        big.close();
        WriteAll(folder + "binary.txt", QByteArray("\0\x01\xFF\r\x7F", 5));
        m.Text1->SetText("before");

        ModalAnswerer answers;
        answers.Then([&](QWidget* w) {
            auto* dialog = qobject_cast<OpenTekst*>(w);
            dialog->List1->setCurrentRow(0);  // big
            answers.ThenPress(QMessageBox::Ok);
            dialog->OkKnop_Click();
            // Refused for its size, with the size: not "Select Filename!", which asks for a choice.
            QCOMPARE(answers.messages.back().text,
                     "The text file could not be read!\n" + folder + "big.txt\ntoo large: 52,428,800 bytes (at most "
                     "2,097,152)");
            QCOMPARE(m.Text1->Text(), QByteArray("before"));
            QFile::remove(folder + "binary.txt");
            dialog->List1->setCurrentRow(1);  // binary, deleted meanwhile
            dialog->List1_Click();
            QCOMPARE(dialog->Label1->text(), QStringLiteral("binary"));
            answers.ThenPress(QMessageBox::Ok);
            dialog->OkKnop_Click();
            QVERIFY(answers.messages.back().text.endsWith("binary.txt\nno such file"));
            dialog->List1->clearSelection();
            answers.ThenPress(QMessageBox::Ok);
            dialog->OkKnop_Click();
            QCOMPARE(answers.messages.back().text, QStringLiteral("Select Filename!"));
            dialog->CancelKnop_Click();
        });
        m.FileIndex_Click(5);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(m.Text1->Text(), QByteArray("before"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("Filename"));

        // Binary bytes load as Windows-1252 text.
        WriteAll(folder + "binary.txt", QByteArray("\0\x01\xFF\x7F", 4));
        answers.Then([&](QWidget* w) {
            auto* dialog = qobject_cast<OpenTekst*>(w);
            dialog->List1->setCurrentRow(1);
            dialog->OkKnop_Click();
        });
        m.FileIndex_Click(5);
        QCOMPARE(m.Text1->Text(), QByteArray("\0\x01\xFF\x7F\r\n", 6));
    }

    void foldersAndDrives()
    {
        WindowFixture f;
        Main& m = *f.main;
        QTemporaryDir other;
        QVERIFY(QDir(other.path()).mkdir("sub"));
        WriteAll(other.path() + "/sub/one.txt", "1");
        WriteAll(other.path() + "/sub/two.txt", "2");
        ModalAnswerer answers;
        answers.Then([&](QWidget* w) {
            auto* dialog = qobject_cast<OpenTekst*>(w);
            // No texts folder yet: the files of the working folder are listed.
            QCOMPARE(dialog->FileFolder(), QDir::currentPath());
            QVERIFY(dialog->Dir1->SetPath(other.path()));
            const auto subs = dialog->Dir1->findItems("sub", Qt::MatchEndsWith);
            QCOMPARE(subs.size(), 1);
            QVERIFY(ClickEntry(dialog->Dir1, subs.first()->text(), true));
            QTRY_COMPARE(dialog->FileFolder(), other.path() + "/sub");
            QCOMPARE(dialog->Label1->text(), QStringLiteral("2 File's"));
            QCOMPARE(dialog->List1->item(0)->text(), QStringLiteral("one"));
            QVERIFY(!dialog->Dir1->SetPath(other.path() + "/missing"));
            QCOMPARE(dialog->FileFolder(), other.path() + "/sub");
            dialog->Drive1->setCurrentIndex(0);
            dialog->Drive1_Change();
            QCOMPARE(dialog->Dir1->Path(), QStringLiteral("/"));
            dialog->CancelKnop_Click();
        });
        m.FileIndex_Click(5);
        QVERIFY(answers.AllAnswered());
    }
};

QTEST_MAIN(TestFileMenu)
#include "test_file_menu.moc"
