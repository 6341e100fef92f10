// The colour panel and its dialog, and the Tools menu, through the real window.
#include "CodedPicture.h"
#include "CodingValues.h"
#include "ColorForm.h"
#include "ColorValues.h"
#include "ModalAnswerer.h"
#include "PictureBox.h"
#include "ToolsTexts.h"
#include "WindowFixture.h"

#include <QScrollBar>
#include <QUrlQuery>
#include <QtTest>

namespace {

QColor Swatch(const QLabel* l)
{
    return l->palette().color(QPalette::Window);
}

struct SeenDialog {
    QString title;
    int bars[3] = {};
    QString labels[3];
    QString hex;
    QColor preview;
};

// Answers the next colour dialog: notes what it shows, sets the bars, then acts.
void AnswerColour(ModalAnswerer& answers, SeenDialog& seen, std::function<void(ColorForm*)> act)
{
    answers.Then([&seen, act](QWidget* w) {
        auto* form = qobject_cast<ColorForm*>(w);
        QVERIFY(form);
        seen.title = form->windowTitle();
        for (int i = 0; i < 3; ++i) {
            seen.bars[i] = form->HScroll1[static_cast<std::size_t>(i)]->value();
            seen.labels[i] = form->RGBlabel[static_cast<std::size_t>(i)]->text();
        }
        seen.hex = form->HexLabel->text();
        seen.preview = form->Label2->palette().color(QPalette::Window);
        act(form);
    });
}

void SetBars(ColorForm* form, int r, int g, int b)
{
    form->HScroll1[0]->setValue(r);
    form->HScroll1[1]->setValue(g);
    form->HScroll1[2]->setValue(b);
}

}  // namespace

class TestColoursTools : public QObject {
    Q_OBJECT
private slots:
    void textColourChosenAndCarriedByThePicture()
    {
        WindowFixture f;
        Main& m = *f.main;
        ModalAnswerer answers;
        SeenDialog seen;
        AnswerColour(answers, seen, [](ColorForm* form) {
            QCOMPARE(form->size(), QSize(320 - 6, 178 - 28));
            QCOMPARE(form->HScroll1[1]->geometry(), QRect(16, 38, 156, 20));
            QCOMPARE(form->RGBlabel[2]->pos(), QPoint(180, 61));
            QCOMPARE(form->HScroll1[0]->maximum(), 255);
            SetBars(form, 255, 0, 10);
            QCOMPARE(form->HexLabel->text(), QStringLiteral("#FF000A"));
            QCOMPARE(form->Label2->palette().color(QPalette::Window), QColor(255, 0, 10));
            form->OkKnop_Click();
        });
        m.ForeColorLabel_Click();
        QVERIFY(answers.AllAnswered());
        QCOMPARE(seen.title, QStringLiteral("Textcolor"));
        QCOMPARE(seen.bars[0], 60);
        QCOMPARE(seen.labels[1], QStringLiteral("60"));
        QCOMPARE(seen.hex, QStringLiteral("#3C3C3C"));
        QCOMPARE(seen.preview, QColor(60, 60, 60));
        QCOMPARE(Module1::ForeColorR, 255);
        QCOMPARE(Module1::ColorCancelled, std::int16_t(0));
        QCOMPARE(m.Text1->palette().color(QPalette::Text), QColor(255, 0, 10));
        QCOMPARE(Swatch(m.ForeColorLabel), QColor(255, 0, 10));

        m.Text1->SetText("coloured");
        m.Image1_Click();
        QCOMPARE(m.Pic->Surface().GetPixel(20, 2), (Rgb{255, 0, 10}));
    }

    void cancelAndCloseBoxChangeNothing()
    {
        WindowFixture f;
        Main& m = *f.main;
        ModalAnswerer answers;
        SeenDialog seen;
        AnswerColour(answers, seen, [](ColorForm* form) {
            SetBars(form, 1, 2, 3);
            form->CancelKnop_Click();
        });
        m.BackColorLabel_Click();
        QCOMPARE(seen.title, QStringLiteral("Backgroundcolor Text"));
        QCOMPARE(seen.hex, QStringLiteral("#FFFFFF"));
        QCOMPARE(Module1::ColorCancelled, std::int16_t(-1));
        QCOMPARE(Module1::BackColorR, 255);
        QCOMPARE(m.Text1->palette().color(QPalette::Base), QColor(Qt::white));

        // An earlier OK must not be taken for this close.
        AnswerColour(answers, seen, [](ColorForm* form) { SetBars(form, 9, 9, 9); form->OkKnop_Click(); });
        m.BackColorLabel_Click();
        QCOMPARE(Module1::BackColorR, 9);
        AnswerColour(answers, seen, [](ColorForm* form) { SetBars(form, 100, 100, 100); form->close(); });
        m.BackColorLabel_Click();
        QVERIFY(answers.AllAnswered());
        QCOMPARE(Module1::BackColorR, 9);
        QCOMPARE(Swatch(m.BackColorLabel), QColor(9, 9, 9));
    }

    void blackLeavesThePreviewAtItsDesignColour()
    {
        WindowFixture f;
        Main& m = *f.main;
        Module1::ForeColorR = Module1::ForeColorG = Module1::ForeColorB = 0;
        ModalAnswerer answers;
        SeenDialog seen;
        AnswerColour(answers, seen, [](ColorForm* form) { form->OkKnop_Click(); });
        m.ForeColorLabel_Click();
        QCOMPARE(seen.preview, QColor(64, 0, 0));
        QCOMPARE(seen.hex, QStringLiteral("#000000"));
        QCOMPARE(seen.labels[0], QStringLiteral("0"));
    }

    void resetAfterADecode()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Pic->Surface().SetPixel(19, 2, {1, 2, 3});
        m.Pic->Surface().SetPixel(20, 2, {4, 5, 6});
        m.Image2_Click();
        QCOMPARE(Swatch(m.ForeColorLabel), QColor(4, 5, 6));
        m.Text1->SetText("stays");
        m.ResetKnop_Click();
        QCOMPARE(Module1::ForeColorG, 60);
        QCOMPARE(Module1::BackColorB, 255);
        QCOMPARE(Swatch(m.ForeColorLabel), QColor(60, 60, 60));
        QCOMPARE(Swatch(m.BackColorLabel), QColor(Qt::white));
        QCOMPARE(m.Text1->palette().color(QPalette::Text), QColor(60, 60, 60));
        QCOMPARE(m.Text1->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(m.Text1->Text(), QByteArray("stays"));
    }

    void toolsMenu()
    {
        WindowFixture f;
        Main& m = *f.main;
        QStringList opened;
        Module1::SetUrlOpener([&](const QString& address) { opened << address; });
        m.Text1->SetText("untouched");
        const QImage picture = m.Pic->Surface().Image();
        ModalAnswerer answers;

        m.MeerSoftware->trigger();
        QCOMPARE(opened, QStringList({"https://hollowbrandt.org/software"}));

        answers.ThenPress(QMessageBox::Ok);
        m.BijzondereTekens->trigger();
        const SeenMessage& help = answers.messages.at(0);
        QCOMPARE(help.title, QStringLiteral("Special Characters"));
        QCOMPARE(help.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        const QStringList rows = help.text.split('\n');
        QCOMPARE(rows.size(), 20);
        QCOMPARE(rows[0], QStringLiteral("\u00E1  = Ctrl-Alt - a  / 160"));
        QCOMPARE(rows[7], QStringLiteral("\u00B5  = Ctrl-Alt - m / 230"));
        QVERIFY(rows[8].isEmpty() && rows[16].isEmpty());
        QCOMPARE(rows[10], QStringLiteral(" \u00B2  = Ctrl-Alt - 2"));
        QCOMPARE(rows[12], QStringLiteral("\u20AC  = Ctrl-Alt - 5"));
        QCOMPARE(rows[19], QStringLiteral("Delete  = Ctrl-X"));
        QCOMPARE(Module1::SpecialCharactersText().count("\r\n"), 19);

        QString defaultAnswer;
        answers.Then([&](QWidget* w) {
            auto* input = qobject_cast<QInputDialog*>(w);
            QVERIFY(input);
            defaultAnswer = input->textValue();
            QCOMPARE(input->windowTitle(), QStringLiteral(" Send message"));
            QCOMPARE(input->labelText(), QStringLiteral("Enter the E-mail address to which you want to send a message..."));
            input->setTextValue(" friend@example.org ");
            input->accept();
        });
        m.Verzenden->trigger();
        QCOMPARE(defaultAnswer, QStringLiteral("info@hollowbrandt.org"));
        QCOMPARE(opened.last(), QStringLiteral("mailto:%20friend@example.org%20?subject=Glyphix%20Picture&body=Enter%20your%20"
                                               "text...%20%28Click%20on%20the%20Paperclip%20to%20add%20it%20as%20an%20"
                                               "attachment%29"));
        // An address with "#", "?" or "&" in it keeps the subject and body.
        answers.ThenType("anna#1?x&y@example.org");
        m.Verzenden->trigger();
        const QUrl mail(opened.last());
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QCOMPARE(mail.path(), QStringLiteral("anna#1?x&y@example.org"));
        QCOMPARE(QUrlQuery(mail).queryItemValue("subject", QUrl::FullyDecoded), QStringLiteral("Glyphix Picture"));
        QVERIFY(QUrlQuery(mail).queryItemValue("body", QUrl::FullyDecoded).startsWith("Enter your text... "));
        opened.removeLast();
        answers.ThenType("someone@example.org", false);  // cancelled
        m.Verzenden->trigger();
        answers.ThenType("");
        m.Verzenden->trigger();
        QCOMPARE(opened.size(), 2);
        QVERIFY(answers.AllAnswered());

        QCOMPARE(m.Text1->Text(), QByteArray("untouched"));
        QCOMPARE(m.Pic->Surface().Image(), picture);
        QCOMPARE(m.FileLabel->text(), QStringLiteral("Filename"));
        Module1::SetUrlOpener(nullptr);
    }
};

QTEST_MAIN(TestColoursTools)
#include "test_colours_tools.moc"
