// The main window as the user first sees it, and its status bar, text size and text box.
#include "CodingValues.h"
#include "DateText.h"
#include "ModalAnswerer.h"
#include "PictureBox.h"
#include "StatusTexts.h"
#include "WindowFixture.h"

#include <QAction>
#include <QFontInfo>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextCursor>
#include <QtTest>

namespace {

QColor Background(const QWidget* w)
{
    return w->palette().color(w->backgroundRole());
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void captionSizeAndPanels()
    {
        WindowFixture f;
        Main& m = *f.main;
        QCOMPARE(m.windowTitle(), QStringLiteral("Huecipher (Glyphix)"));
        QCOMPARE(m.centralWidget()->size(), QSize(794, 444));
        QCOMPARE(m.minimumSize(), m.maximumSize());  // cannot be resized
        QVERIFY(!(m.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!m.windowIcon().isNull());
        QCOMPARE(m.windowIcon().pixmap(32, 32).size(), QSize(32, 32));

        const struct { const char* name; QRect geometry; } places[] = {
            {"Frame1", {8, 2, 236, 360}},   {"Label1", {12, 19, 213, 133}}, {"Pic", {18, 25, 200, 120}},
            {"Image1", {22, 166, 36, 36}},  {"Image2", {24, 212, 36, 36}},  {"Image3", {22, 258, 36, 36}},
            {"Image4", {22, 306, 36, 36}},  {"Frame4", {8, 364, 236, 72}},  {"ForeColorLabel", {10, 16, 40, 20}},
            {"BackColorLabel", {10, 42, 40, 20}}, {"Label11", {177, 16, 50, 26}}, {"ResetKnop", {179, 18, 46, 22}},
            {"Frame2", {252, 2, 534, 400}}, {"Label2", {12, 19, 510, 370}}, {"Text1", {18, 25, 496, 356}},
            {"Frame3", {252, 404, 534, 32}},
        };
        for (const auto& p : places) {
            auto* w = m.findChild<QWidget*>(p.name);
            QVERIFY2(w, p.name);
            QCOMPARE(w->geometry(), p.geometry);
        }
        const struct { const char* name; QPoint at; const char* text; } labels[] = {
            {"Label4", {64, 175}, "From Text to Picture (Hqc)"}, {"Label5", {64, 221}, "From Picture (Hqc) to Text"},
            {"Label6", {64, 270}, "Print Text"}, {"Label7", {64, 318}, "Text to PDF document"},
            {"Label9", {60, 19}, "Textcolor"}, {"Label10", {60, 45}, "Backgroundcolor Text"},
            {"Label3", {10, 12}, "0 / 65.000 Characters"}, {"FileLabel", {180, 12}, "Filename"},
            {"DatumLabel", {320, 12}, nullptr}, {"KlokLabel", {480, 12}, "00:00:00"}, {"Label8", {80, 55}, "Wait..."},
        };
        for (const auto& l : labels) {
            auto* label = m.findChild<QLabel*>(l.name);
            QVERIFY2(label, l.name);
            QCOMPARE(label->pos() + label->contentsRect().topLeft(), l.at);  // where its text stands
            if (l.text)
                QCOMPARE(label->text(), QString::fromLatin1(l.text));
            QVERIFY(label->width() >= label->sizeHint().width());  // sized to its text
        }
        QCOMPARE(m.DatumLabel->text(), DateText());
        QVERIFY(m.Label8->isHidden());
        QVERIFY(m.BackPic->isHidden() && m.List1->isHidden());
        QCOMPARE(m.Label8->font().pointSizeF(), 9.75);
        QVERIFY(m.Label8->font().bold());
        QCOMPARE(QFontInfo(m.Label4->font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(m.Label4->font().pointSizeF(), 8.25);
        QCOMPARE(m.Label4->palette().color(QPalette::WindowText), QColor(64, 64, 64));
        QCOMPARE(m.Text1->font().pointSizeF(), 8.25);
    }

    void coloursAndTooltips()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QColor panel(220, 220, 190);
        for (QWidget* w : {static_cast<QWidget*>(m.Frame1), static_cast<QWidget*>(m.Frame2),
                           static_cast<QWidget*>(m.Frame3), static_cast<QWidget*>(m.Frame4), m.centralWidget()})
            QCOMPARE(Background(w), panel);
        QCOMPARE(Background(m.Label1), QColor(128, 128, 128));
        QCOMPARE(Background(m.Label2), QColor(128, 128, 128));
        QCOMPARE(Background(m.Label11), QColor(Qt::black));
        QCOMPARE(Background(m.ResetKnop), QColor(180, 200, 200));
        QCOMPARE(Background(m.ForeColorLabel), QColor(64, 64, 64));
        QCOMPARE(Background(m.BackColorLabel), QColor(Qt::white));
        QCOMPARE(m.Text1->palette().color(QPalette::Text), QColor(60, 60, 60));
        QCOMPARE(m.Text1->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(m.Image1->toolTip(), QStringLiteral(" Coderen "));
        QCOMPARE(m.Image2->toolTip(), QStringLiteral(" De-Coderen "));
        QCOMPARE(m.ForeColorLabel->toolTip(), QStringLiteral(" Click for change textcolor "));
        QCOMPARE(m.BackColorLabel->toolTip(), QStringLiteral(" Click for change backgroundcolor "));
        QCOMPARE(m.ResetKnop->toolTip(), QStringLiteral(" Reset all Colors "));
        QCOMPARE(m.ResetKnop->text(), QStringLiteral("Reset"));
        QCOMPARE(Module1::ForeColorR, 60);
        QCOMPARE(Module1::BackColorB, 255);
        // The picture box starts white inside the black frame.
        QCOMPARE(m.Pic->Surface().GetPixel(0, 0), (Rgb{0, 0, 0}));
        QCOMPARE(m.Pic->Surface().GetPixel(199, 119), (Rgb{0, 0, 0}));
        QCOMPARE(m.Pic->Surface().GetPixel(100, 60), (Rgb{255, 255, 255}));
    }

    void menusInOrder()
    {
        WindowFixture f;
        Main& m = *f.main;
        QStringList tops;
        for (QAction* a : m.menuBar()->actions())
            tops << QString(a->text()).remove('&');  // the underlined letter is no part of the caption
        QCOMPARE(tops, QStringList({"File", "Tools", "Textsize"}));

        auto captions = [](QMenu* menu) {
            QStringList out;
            for (QAction* a : menu->actions()) {
                out << (a->isSeparator() ? QStringLiteral("-") : QString(a->text()).remove('&'));
            }
            return out;
        };
        QCOMPARE(captions(m.File), QStringList({"New", "-", "Open Picture (hqc)", "Save Picture (hqc)", "-",
                                                "Open Textfile (txt)", "Save Textfile (txt)", "-", "Exit"}));
        QCOMPARE(captions(m.Info),
                 QStringList({"More Software", "Special Characters", "-", "Send Picture by E-mail"}));
        QCOMPARE(captions(m.Lettergrootte),
                 QStringList({"8 Pixels", "9 Pixels", "10 Pixels", "11 Pixels", "12 Pixels"}));
        QVERIFY(m.findChild<QAction*>("FileIndex_5"));
        QVERIFY(m.findChild<QAction*>("LetGrote_10"));
        QVERIFY(m.findChild<QAction*>("Streep3")->isSeparator());
    }

    void textSizeMenuKeepsOneMark()
    {
        WindowFixture f;
        Main& m = *f.main;
        auto checked = [&] {
            QList<int> out;
            for (auto& [i, a] : m.LetGrote)
                if (a->isChecked())
                    out << i;
            return out;
        };
        QCOMPARE(checked(), QList<int>({8}));
        m.Text1->SetText("unchanged");
        m.LetGrote[12]->trigger();
        m.LetGrote[9]->trigger();
        QCOMPARE(checked(), QList<int>({9}));
        QCOMPARE(m.Text1->font().pointSizeF(), 9.0);
        m.LetGrote[9]->trigger();  // clicking the checked item keeps its mark
        QCOMPARE(checked(), QList<int>({9}));
        QCOMPARE(m.Text1->Text(), QByteArray("unchanged"));
    }

    void counterFollowsEveryChange()
    {
        WindowFixture f;
        Main& m = *f.main;
        QTest::keyClicks(m.Text1, QString(1234, QLatin1Char('a')));
        QCOMPARE(m.Label3->text(), QStringLiteral("1,234 / 65.000 Characters"));
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        m.Text1->SetText(QByteArray(1234, 'b'));
        QCOMPARE(m.Label3->text(), QStringLiteral("1.234 / 65.000 Characters"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m.Text1->SetText("ab\r\ncd");
        QCOMPARE(m.Label3->text(), QStringLiteral("6 / 65.000 Characters"));
        m.Text1->SetText(QByteArray(70000, 'x'));
        QCOMPARE(m.Label3->text(), QStringLiteral("70,000 / 65.000 Characters"));
        QCOMPARE(m.Text1->Text().size(), 70000);
    }

    void counterFollowsAndIsSizedToItsText()
    {
        WindowFixture f;
        Main& m = *f.main;
        // Counts that change their digits only, and counts that grow a digit or a separator:
        // the text follows at once, the label never cuts it off, and it fits once typing pauses.
        for (int n : {0, 5, 9, 10, 11, 99, 100, 999, 1000, 1001, 54321, 12345, 11111, 9999, 3, 7}) {
            m.Text1->SetText(QByteArray(n, 'w'));
            QCOMPARE(m.Label3->text(), Module1::CounterText(n, QLocale()));
            QVERIFY(m.Label3->width() >= m.Label3->sizeHint().width());
            QCOMPARE(m.Label3->height(), m.Label3->sizeHint().height());
        }
        QTRY_COMPARE(m.Label3->size(), m.Label3->sizeHint());
        m.Text1->SetText(QByteArray(4, 'w'));
        QCOMPARE(m.Label3->width(), m.Label3->sizeHint().width() + Main::CounterSlack);
        QTRY_COMPARE(m.Label3->size(), m.Label3->sizeHint());
        m.Text1->SetText(QByteArray(10, 'w'));  // a digit more: sized at once
        QCOMPARE(m.Label3->size(), m.Label3->sizeHint());
    }

    void textBoxHoldsOnlyTheCodePage()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->insertPlainText(QStringLiteral("caf\u00E9 \u20AC \u0101\u4E2D"));
        QCOMPARE(m.Text1->toPlainText(), QStringLiteral("caf\u00E9 \u20AC ??"));
        QCOMPARE(m.Text1->Text(), QByteArray("caf\xE9 \x80 ??"));
        m.Text1->clear();
        m.Text1->insertPlainText(QStringLiteral("one\u2028two\rthree\r\nfour"));
        QCOMPARE(m.Text1->Text(), QByteArray("one\r\ntwo\r\nthree\r\nfour"));
        QCOMPARE(m.Text1->CharacterCount(), qint64(21));
        m.Text1->SetText(QByteArray("nul\0byte\xA0", 9));
        QCOMPARE(m.Text1->Text(), QByteArray("nul\0byte\xA0", 9));

        // Pasted into the middle of a paragraph: every paragraph of the paste is kept to the
        // code page, the text around it is left alone.
        m.Text1->SetText("abc\r\ndef\x80");
        QTextCursor cursor = m.Text1->textCursor();
        cursor.setPosition(2);
        m.Text1->setTextCursor(cursor);
        m.Text1->insertPlainText(QStringLiteral("1\u4E2D2\n3\U0001F6004\u20AC\r\n\u0101\u2028x\r"));
        QCOMPARE(m.Text1->Text(), QByteArray("ab1?2\r\n3?4\x80\r\n?\r\nx\r\nc\r\ndef\x80"));
    }

    void clockTicksAndShowsTheSignature()
    {
        WindowFixture f;
        Main& m = *f.main;
        QCOMPARE(m.KlokLabel->text(), QStringLiteral("00:00:00"));
        QTRY_VERIFY_WITH_TIMEOUT(m.KlokLabel->text() != QStringLiteral("00:00:00"), 2500);
        QVERIFY(QRegularExpression("^([0-9]|1[0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$").match(m.KlokLabel->text()).hasMatch());
        // The user's time separator: Finnish writes 9.05.03; the date stays Dutch.
        const QString date = m.DatumLabel->text();
        QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
        QTRY_VERIFY_WITH_TIMEOUT(QRegularExpression("^([0-9]|1[0-9]|2[0-3])\\.[0-5][0-9]\\.[0-5][0-9]$")
                                     .match(m.KlokLabel->text()).hasMatch(), 2500);
        QCOMPARE(m.DatumLabel->text(), date);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

        Module1::SignatureText.clear();
        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::Ok);
        m.KlokLabel_DblClick();
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.at(0).text, QString());
        QCOMPARE(answers.messages.at(0).title, QStringLiteral("Huecipher"));
        QCOMPARE(answers.messages.at(0).buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void closingEndsWithoutAQuestion()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.show();
        QWidget other;
        other.show();
        m.Text1->SetText("unsaved");
        ModalAnswerer answers;
        m.FileIndex_Click(8);
        QVERIFY(!m.isVisible());
        QVERIFY(!other.isVisible());
        QVERIFY(m.Closing());
        QCOMPARE(answers.Unexpected(), 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
