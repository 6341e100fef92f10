// Coding, decoding, saving and opening pictures through the real main window and dialogs.
#include "CodedPicture.h"
#include "CodingValues.h"
#include "ModalAnswerer.h"
#include "OpenForm.h"
#include "PictureSteps.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "WindowFixture.h"

#include <QAction>
#include <QListWidget>
#include "TestFiles.h"

#include <QtTest>

class TestCodingWindow : public QObject {
    Q_OBJECT
private slots:
    void typedTextBecomesThePicture()
    {
        WindowFixture f;
        Main& m = *f.main;
        QTest::keyClicks(m.Text1, QStringLiteral("ABCDEF"));
        QTest::mouseClick(m.Image1, Qt::LeftButton);
        const PixelSurface& pic = m.Pic->Surface();
        QCOMPARE(pic.GetPixel(2, 3), (Rgb{65, 66, 67}));
        QCOMPARE(pic.GetPixel(3, 3), (Rgb{68, 69, 70}));
        QCOMPARE(pic.GetPixel(4, 3), (Rgb{255, 255, 255}));
        QCOMPARE(pic.GetPixel(18, 2), (Rgb{8, 100, 100}));
        QCOMPARE(pic.GetPixel(19, 2), (Rgb{255, 255, 255}));
        QCOMPARE(pic.GetPixel(20, 2), (Rgb{60, 60, 60}));
        QCOMPARE(Module1::SignatureText, CodedPicture::SignatureText());
        QVERIFY(m.Label8->isHidden());
        QVERIFY(!QApplication::overrideCursor());

        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::Ok);
        m.KlokLabel_DblClick();
        QCOMPARE(answers.messages.at(0).text, QString::fromLatin1(CodedPicture::SignatureText()));
    }

    void emptyTextIsRefusedAndBlanksAreCoded()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QImage before = m.Pic->Surface().Image();
        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::Ok);
        QTest::mouseClick(m.Image1, Qt::LeftButton);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.at(0).text, QStringLiteral("No text available!"));
        QCOMPARE(answers.messages.at(0).title, QStringLiteral("Huecipher"));
        QCOMPARE(answers.messages.at(0).icon, QMessageBox::NoIcon);
        QCOMPARE(m.Pic->Surface().Image(), before);

        m.Text1->SetText("   ");
        m.Image1_Click();
        QCOMPARE(m.Pic->Surface().GetPixel(2, 3), (Rgb{32, 32, 32}));
        QCOMPARE(answers.Unexpected(), 0);
    }

    void textThatWillNotComeBackAsksFirst()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QImage before = m.Pic->Surface().Image();
        m.Text1->SetText(QByteArray("abc\xFF" "de", 6));
        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::No);
        m.Image1_Click();
        QCOMPARE(answers.messages.at(0).text,
                 QStringLiteral("3 characters of this text will not come back from the picture, code anyway?"));
        QCOMPARE(answers.messages.at(0).buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(m.Pic->Surface().Image(), before);

        m.Text1->SetText(QByteArray(70000, 'q'));
        answers.ThenPress(QMessageBox::Yes);
        m.Image1_Click();
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.at(1).text,
                 QStringLiteral("2,380 characters of this text will not come back from the picture, code anyway?"));
        QCOMPARE(m.Pic->Surface().GetPixel(2, 118), (Rgb{'q', 'q', 'q'}));
    }

    void roundTripThroughFilesRestoresTextSizeAndColours()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QByteArray text = QByteArray("First line\r\nZweite Zeile: \xE4\xF6\xFC \x80 and a tab\t.\r\n\r\nEnd");
        m.Text1->SetText(text);
        Choose(m.Lettergrootte, 2);  // 10 Pixels
        Module1::ForeColorR = 10; Module1::ForeColorG = 20; Module1::ForeColorB = 30;
        Module1::BackColorR = 250; Module1::BackColorG = 240; Module1::BackColorB = 230;
        QTest::mouseClick(m.Image1, Qt::LeftButton);
        const QImage coded = m.Pic->Surface().Image();

        ModalAnswerer answers;
        SavePicture(m, answers, QStringLiteral("holiday notes"));
        QVERIFY(Module1::FileExists(f.PicturePath("holiday notes")));
        QCOMPARE(answers.prompts.at(0).text, QStringLiteral("Enter a name for this picture..."));
        QCOMPARE(answers.prompts.at(0).title, QStringLiteral("Huecipher"));

        // Start over, then open and decode.
        m.Text1->SetText("something else");
        Choose(m.Lettergrootte, 4);  // 12 Pixels
        m.Pic->Surface().Clear();
        Module1::SignatureText.clear();
        OpenPicture(m, answers, QStringLiteral("holiday notes"));
        QVERIFY(answers.AllAnswered());
        QCOMPARE(m.Pic->Surface().Image(), coded);
        QCOMPARE(m.FileLabel->text(), QStringLiteral("holiday notes"));
        QVERIFY(m.Text1->Text().isEmpty());
        QVERIFY(Module1::SignatureText.startsWith(CodedPicture::SignatureText()));

        QTest::mouseClick(m.Image2, Qt::LeftButton);
        QByteArray padded = text;
        while (padded.size() % 3)
            padded.append(' ');
        QCOMPARE(m.Text1->Text(), padded);
        QCOMPARE(m.Text1->font().pointSizeF(), 10.0);
        QVERIFY(m.LetGrote[10]->isChecked() && !m.LetGrote[12]->isChecked());
        QCOMPARE(m.Text1->palette().color(QPalette::Text), QColor(10, 20, 30));
        QCOMPARE(m.Text1->palette().color(QPalette::Base), QColor(250, 240, 230));
        QCOMPARE(m.ForeColorLabel->palette().color(QPalette::Window), QColor(10, 20, 30));
        QCOMPARE(m.BackColorLabel->palette().color(QPalette::Window), QColor(250, 240, 230));
        QCOMPARE(Module1::ForeColorB, 30);
        QCOMPARE(Module1::BackColorR, 250);
        QCOMPARE(Module1::SignatureText, CodedPicture::SignatureText());
        QVERIFY(m.Label8->isHidden());

        // A double-click on the entry opens it too.
        m.Pic->Surface().Clear();
        answers.Then([](QWidget* w) { QVERIFY(ClickEntry(qobject_cast<OpenForm*>(w)->List1, "holiday notes", true)); });
        Choose(m.File, 2);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(m.Pic->Surface().Image(), coded);
    }

    void decodingABlankPicture()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText("will be replaced");
        m.Image2_Click();
        QVERIFY(m.Text1->Text().isEmpty());
        QCOMPARE(m.Text1->font().pointSizeF(), 255.0);
        for (auto& [i, item] : m.LetGrote)
            QVERIFY(!item->isChecked());
        QCOMPARE(m.Text1->palette().color(QPalette::Text), QColor(Qt::white));
        QVERIFY(Module1::SignatureText.isEmpty());
    }

    void openDialogListsAndRejects()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText("abc");
        m.Image1_Click();
        ModalAnswerer answers;
        for (const char* name : {"beta", "Alpha", "gamma"})
            SavePicture(m, answers, QString::fromLatin1(name));
        // Not a bitmap, and a bitmap without signature.
        QFile::copy(f.dir.path() + "/Pictures/beta.hqc", f.dir.path() + "/Pictures/ignored.HQC");
        QImage(50, 50, QImage::Format_RGB32).save(f.PicturePath("png"), "PNG");
        QImage white(200, 120, QImage::Format_RGB32);
        white.fill(Qt::white);
        white.save(f.PicturePath("white"), "BMP");

        m.Pic->Surface().Clear();
        const QImage before = m.Pic->Surface().Image();
        QStringList listed;
        QString count;
        OpenPicture(m, answers, QString(), true, &listed, &count);  // OK with nothing selected
        // The extension is matched in any case, as the command line opens such a file too.
        QCOMPARE(listed, QStringList({"Alpha", "beta", "gamma", "ignored", "png", "white"}));
        QCOMPARE(count, QStringLiteral("6 File's"));
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.back().text, QStringLiteral("No valid Glyphix picture!"));
        QCOMPARE(answers.messages.back().title, QStringLiteral("Error"));
        QCOMPARE(answers.messages.back().icon, QMessageBox::Critical);

        for (const char* name : {"png", "white"}) {
            OpenPicture(m, answers, QString::fromLatin1(name), true);
            QVERIFY(answers.AllAnswered());
            QCOMPARE(answers.messages.back().text, QStringLiteral("No valid Glyphix picture!"));
        }
        QCOMPARE(m.Pic->Surface().Image(), before);
        QCOMPARE(m.FileLabel->text(), QStringLiteral("Filename"));
        QCOMPARE(m.Text1->Text(), QByteArray("abc"));
    }

    void openDialogWithoutPicturesFolder()
    {
        WindowFixture f(false);
        ModalAnswerer answers;
        QString count;
        answers.Then([&](QWidget* w) {
            auto* form = qobject_cast<OpenForm*>(w);
            QVERIFY(form);
            count = form->Label1->text();
            QCOMPARE(form->windowTitle(), QStringLiteral("Open Picture (hqc)"));
            QCOMPARE(form->size(), QSize(240 - 6, 380 - 28));  // client area of the outer size
            QCOMPARE(form->List1->geometry(), QRect(13, 14, 208, 276));
            QCOMPARE(form->OkKnop->geometry(), QRect(183, 300, 36, 36));
            QCOMPARE(form->CancelKnop->geometry(), QRect(140, 300, 36, 36));
            QTest::mouseClick(form->CancelKnop, Qt::LeftButton);
        });
        Choose(f.main->File, 2);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(count, QStringLiteral("0 File's"));
    }

    void saveAsksRefusesAndReports()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText("first");
        m.Image1_Click();
        ModalAnswerer answers;
        SavePicture(m, answers, QStringLiteral("name "));  // used as typed
        QVERIFY(Module1::FileExists(f.PicturePath("name ")));
        const QByteArray first = ReadAll(f.PicturePath("name "));

        // Blank, cancelled and refused names write nothing.
        SavePicture(m, answers, QStringLiteral("   "));
        answers.ThenType(QStringLiteral("cancelled"), false);
        Choose(m.File, 3);
        for (const char* bad : {"../escape", "..", "a/b"}) {
            SavePicture(m, answers, QString::fromLatin1(bad), QMessageBox::Ok);
            QVERIFY(answers.AllAnswered());
            QCOMPARE(answers.messages.back().text, QStringLiteral("Invalid name, the picture was not saved!"));
            QCOMPARE(answers.messages.back().icon, QMessageBox::Critical);
        }
        QCOMPARE(QDir(f.dir.path() + "/Pictures").entryList(QDir::Files).size(), 1);
        QVERIFY(!QFileInfo::exists(f.dir.path() + "/escape.hqc"));

        // Overwrite: No keeps the old file, Yes replaces it.
        m.Text1->SetText("second");
        m.Image1_Click();
        SavePicture(m, answers, QStringLiteral("name "), QMessageBox::No);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.back().text, QStringLiteral("File already exists, overwrite?"));
        QCOMPARE(answers.messages.back().title, QStringLiteral("File Exists"));
        QCOMPARE(answers.messages.back().icon, QMessageBox::NoIcon);
        QCOMPARE(ReadAll(f.PicturePath("name ")), first);
        SavePicture(m, answers, QStringLiteral("name "), QMessageBox::Yes);
        QVERIFY(answers.AllAnswered());
        QVERIFY(ReadAll(f.PicturePath("name ")) != first);

        // A vanished pictures folder: the user is told, nothing is written.
        QVERIFY(QDir(f.dir.path() + "/Pictures").removeRecursively());
        SavePicture(m, answers, QStringLiteral("lost"), QMessageBox::Ok);
        QVERIFY(answers.AllAnswered());
        QVERIFY(answers.messages.back().text.startsWith(QStringLiteral("The picture was not saved!")));
        QCOMPARE(answers.messages.back().icon, QMessageBox::Critical);
        QCOMPARE(answers.Unexpected(), 0);
    }

    // Commands given while the encoder lets events run are not lost: they run, in order, once
    // the coding has finished.
    void commandsWaitWhileCodingRuns()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QByteArray text(60000, 'k');
        m.Text1->SetText(text);
        ModalAnswerer answers;
        bool busySeen = false;
        QTimer::singleShot(0, &m, [&] {
            busySeen = m.Busy();
            m.Text1->SetText("changed meanwhile");
            m.FileIndex_Click(2);  // Open Picture
            m.Image1_Click();      // code again: the changed text
        });
        bool busyAtDialog = true;
        QByteArray pictureAtDialog;
        answers.Then([&](QWidget* w) {
            busyAtDialog = m.Busy();
            pictureAtDialog = CodedPicture::Decode(m.Pic->Surface()).text;
            qobject_cast<OpenForm*>(w)->CancelKnop_Click();
        });
        m.Image1_Click();
        QVERIFY(busySeen);
        QCOMPARE(CodedPicture::Decode(m.Pic->Surface()).text, text);  // the text as it was at the start
        QTRY_VERIFY(answers.AllAnswered());
        QVERIFY(!busyAtDialog);
        QCOMPARE(pictureAtDialog, text);  // the dialog came after the first coding ...
        QTRY_COMPARE(CodedPicture::Decode(m.Pic->Surface()).text, QByteArray("changed meanwhile "));  // ... the second after it
        QCOMPARE(answers.Unexpected(), 0);
        QVERIFY(!m.Busy());
    }
};

QTEST_MAIN(TestCodingWindow)
#include "test_coding_window.moc"
