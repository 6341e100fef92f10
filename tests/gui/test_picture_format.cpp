// Picture files on the window's real save and open paths, read and written byte by byte by
// the test: the mirror, top-down bitmaps, names with a leading dot, the wait indication and
// what SignatureText holds after an open.
#include "BitmapBytes.h"
#include "CodedPicture.h"
#include "CodingValues.h"
#include "PictureBox.h"
#include "PictureSteps.h"
#include "TestFiles.h"

#include <QScreen>
#include <QtTest>

namespace {

// Codes text through the window and returns the coded picture it shows.
QImage CodeInWindow(Main& m, const QByteArray& text)
{
    m.Text1->SetText(text);
    QTest::mouseClick(m.Image1, Qt::LeftButton);
    return m.Pic->Surface().Image();
}

// Number of pixels of the screen inside rect (global coordinates) darker than mid grey.
int DarkPixelsOnScreen(QScreen* screen, const QRect& rect)
{
    const QImage shot = screen->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height()).toImage();
    int dark = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            dark += qGray(shot.pixel(x, y)) < 100;
    return dark;
}

}  // namespace

class TestPictureFormat : public QObject {
    Q_OBJECT
private slots:
    void savedThroughTheMenuIsThePictureMirrored()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QImage coded = CodeInWindow(m, "Mirrored on disk, column for column.");
        ModalAnswerer answers;
        SavePicture(m, answers, QStringLiteral("mirror"));
        QVERIFY(answers.AllAnswered());
        const QByteArray file = ReadAll(f.PicturePath("mirror"));
        QVERIFY(file.startsWith("BM"));
        QCOMPARE(BitmapBytes::GetLe(file, 18, 4), 200u);
        QCOMPARE(BitmapBytes::GetLe(file, 22, 4), 120u);
        QCOMPARE(BitmapBytes::GetLe(file, 28, 2), 24u);
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 200; ++x)
                QCOMPARE(BitmapBytes::PixelAt(file, x, y), coded.pixel(199 - x, y) | 0xFF000000u);
        QCOMPARE(BitmapBytes::PixelAt(file, 197, 2), qRgb('H', 'o', 'l'));
    }

    void handWrittenFilesOpenOnlyMirrored()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QByteArray text = "Written by hand, read by the window.";
        const QImage coded = CodeInWindow(m, text);
        QVERIFY(WriteAll(f.PicturePath("bottom-up"), BitmapBytes::Write(coded, true)));
        QVERIFY(WriteAll(f.PicturePath("top-down"), BitmapBytes::Write(coded, true, true)));
        QVERIFY(WriteAll(f.PicturePath("unmirrored"), BitmapBytes::Write(coded, false)));

        ModalAnswerer answers;
        for (const char* name : {"bottom-up", "top-down"}) {
            m.Pic->Surface().Clear();
            m.Text1->SetText("replaced by the open");
            OpenPicture(m, answers, QString::fromLatin1(name));
            QVERIFY2(answers.AllAnswered(), name);
            QCOMPARE(m.Pic->Surface().Image(), coded);
            QCOMPARE(m.FileLabel->text(), QString::fromLatin1(name));
            QVERIFY(m.Text1->Text().isEmpty());
            QTest::mouseClick(m.Image2, Qt::LeftButton);
            QVERIFY(m.Text1->Text().startsWith(text));
        }

        // Unmirrored, the signature lies at the other end of row 2: refused.
        m.Pic->Surface().Clear();
        OpenPicture(m, answers, QStringLiteral("unmirrored"), true);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.back().text, QStringLiteral("No valid Glyphix picture!"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("top-down"));
        QCOMPARE(m.Pic->Surface().GetPixel(2, 2), (Rgb{255, 255, 255}));
    }

    // A picture coded and saved by the browser page opens and decodes in the window.
    void pictureOfThePageOpens()
    {
        WindowFixture f;
        Main& m = *f.main;
        QVERIFY(QFile::copy(QStringLiteral(HUECIPHER_PAGE_PICTURE), f.PicturePath("from the page")));
        ModalAnswerer answers;
        OpenPicture(m, answers, QStringLiteral("from the page"));
        QVERIFY(answers.AllAnswered());
        QCOMPARE(m.FileLabel->text(), QStringLiteral("from the page"));
        QTest::mouseClick(m.Image2, Qt::LeftButton);
        QCOMPARE(m.Text1->Text(), QByteArray("Coded in the browser: caf\xE9 \x80\r\nsecond line "));
        QVERIFY(m.LetGrote[11]->isChecked());
        QCOMPARE(m.Text1->palette().color(QPalette::Text), QColor(0x10, 0x20, 0x30));
        QCOMPARE(m.Text1->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void signatureTextIsWhatTheLastOpenRead()
    {
        WindowFixture f;
        Main& m = *f.main;
        // A picture of the right size whose row 2 carries another maker's name.
        QImage other(200, 120, QImage::Format_RGB32);
        other.fill(Qt::white);
        const QByteArray name = "Someone else";
        for (int i = 0; i < name.size(); i += 3)
            other.setPixel(2 + i / 3, 2, qRgb(quint8(name[i]), quint8(name[i + 1]), quint8(name[i + 2])));
        QVERIFY(WriteAll(f.PicturePath("other"), BitmapBytes::Write(other, true)));
        QVERIFY(WriteAll(f.PicturePath("broken"), "BM not really a bitmap"));

        ModalAnswerer answers;
        OpenPicture(m, answers, QStringLiteral("other"), true);
        QCOMPARE(Module1::SignatureText, name);
        answers.ThenPress(QMessageBox::Ok);
        QTest::mouseDClick(m.KlokLabel, Qt::LeftButton);
        QCOMPARE(answers.messages.back().text, QString::fromLatin1(name));

        CodeInWindow(m, "abc");
        OpenPicture(m, answers, QStringLiteral("broken"), true);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(Module1::SignatureText, QByteArray());  // nothing could be read
    }

    void namesWithALeadingDotAreListed()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QImage coded = CodeInWindow(m, "hidden by its name only");
        ModalAnswerer answers;
        SavePicture(m, answers, QStringLiteral(".secret"));
        QVERIFY(QFileInfo::exists(f.PicturePath(".secret")));
        m.Pic->Surface().Clear();
        QStringList listed;
        OpenPicture(m, answers, QStringLiteral(".secret"), false, &listed);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(listed, QStringList({".secret"}));
        QCOMPARE(m.Pic->Surface().Image(), coded);
    }

    void keyboardSelectionShowsTheName()
    {
        WindowFixture f;
        Main& m = *f.main;
        CodeInWindow(m, "abc");
        ModalAnswerer answers;
        for (const char* name : {"first", "second"})
            SavePicture(m, answers, QString::fromLatin1(name));
        QStringList labels;
        answers.Then([&](QWidget* w) {
            auto* form = qobject_cast<OpenForm*>(w);
            QVERIFY(form);
            form->List1->setFocus();
            for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_End}) {
                QTest::keyClick(form->List1, key);
                labels << form->List1->currentItem()->text() << form->Label1->text();
            }
            QTest::mouseClick(form->CancelKnop, Qt::LeftButton);
        });
        Choose(m.File, 2);
        QVERIFY(answers.AllAnswered());
        // The first key chooses the first entry; then the keys move on.
        QCOMPARE(labels, QStringList({"first", "first", "first", "first", "second", "second"}));
    }

    void waitLabelAndBusyPointerWhileCodingRuns()
    {
        WindowFixture f;
        Main& m = *f.main;
        QVERIFY(QTest::qWaitForWindowExposed(m.windowHandle()));
        m.Text1->SetText(QByteArray(6000, 'w'));
        const QRect label(m.Label8->mapToGlobal(QPoint(0, 0)), m.Label8->size());
        QCOMPARE(DarkPixelsOnScreen(m.screen(), label), 0);

        // At the pause before the work the label is already on screen, the pointer not yet busy.
        struct Seen { int darkAtPause = -1; bool busyAtPause = true; bool labelWhileWorking = false;
                      bool busyWhileWorking = false; };
        for (ImageButton* button : {m.Image1, m.Image2}) {
            Seen seen;
            Module1::SetPauseObserver([&](int ms) {
                if (ms == 200 && m.Label8->isVisible() && seen.darkAtPause < 0) {
                    seen.darkAtPause = DarkPixelsOnScreen(m.screen(), label);
                    seen.busyAtPause = QApplication::overrideCursor() != nullptr;
                }
            });
            QTimer probe;
            QObject::connect(&probe, &QTimer::timeout, [&] {
                if (!m.Busy())
                    return;
                seen.labelWhileWorking |= m.Label8->isVisible();
                const QCursor* cursor = QApplication::overrideCursor();
                seen.busyWhileWorking |= cursor && cursor->shape() == Qt::WaitCursor;
            });
            probe.start(0);
            QTest::mouseClick(button, Qt::LeftButton);
            probe.stop();
            Module1::SetPauseObserver(nullptr);
            QVERIFY2(seen.darkAtPause > 20, qPrintable(button->objectName()));
            QVERIFY(!seen.busyAtPause);
            QVERIFY(seen.labelWhileWorking);
            QVERIFY(seen.busyWhileWorking);
            QVERIFY(m.Label8->isHidden());
            QVERIFY(!QApplication::overrideCursor());
        }
    }

    void fillerDiffersFromCodingToCoding()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QImage first = CodeInWindow(m, "same text");
        const QImage second = CodeInWindow(m, "same text");
        int differing = 0;
        for (int x = 0; x < 200; ++x)
            differing += first.pixel(x, 2) != second.pixel(x, 2);
        QVERIFY2(differing > 150, qPrintable(QString::number(differing)));  // the 177 filler pixels
        QCOMPARE(first.copy(0, 3, 200, 117), second.copy(0, 3, 200, 117));
        QCOMPARE(first.copy(0, 2, 21, 1), second.copy(0, 2, 21, 1));
    }
};

QTEST_MAIN(TestPictureFormat)
#include "test_picture_format.moc"
