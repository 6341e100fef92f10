// What the user sees and reaches in the main window: menus as drawn, sizes and places,
// number formats, and every menu item, swatch and button through its real signal.
#include "CodingValues.h"
#include "ColorForm.h"
#include "OpenForm.h"
#include "OpenTekst.h"
#include "PictureSteps.h"
#include "TestFiles.h"
#include "ToolsTexts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

namespace {

// The menu as it is drawn when it opens.
QImage DrawnMenu(QMenu* menu)
{
    menu->popup(QPoint(10, 10));
    QTest::qWait(50);
    const QImage image = menu->grab().toImage();
    menu->hide();
    return image;
}

// The height of the writing in area of image: the rows that hold a pixel far from the area's
// background (its left edge at mid-height).
int InkHeight(const QImage& image, const QRect& area)
{
    const QColor back = image.pixelColor(area.left(), area.center().y());
    int top = -1, bottom = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - back.red()) + qAbs(c.green() - back.green()) + qAbs(c.blue() - back.blue()) > 200) {
                top = top < 0 ? y : top;
                bottom = y;
                break;
            }
        }
    return top < 0 ? 0 : bottom - top + 1;
}

// Where a window of the given outer size stands when centred on the screen.
QPoint Centred(const QScreen* screen, QSize outer)
{
    QRect r(QPoint(0, 0), outer);
    r.moveCenter(screen->availableGeometry().center());
    return r.topLeft();
}

const char* const kSpecialCharacters[20] = {
    "\u00E1  = Ctrl-Alt - a  / 160", "\u00E9  = Ctrl-Alt - e  / 130", "\u00F3  = Ctrl-Alt - o  / 162",
    "\u00E4  = Ctrl-Alt - q  / 132", "\u00FC  = Ctrl-Alt - y  / 129", "\u00F6  = Ctrl-Alt - p  / 148",
    "\u00FA  = Ctrl-Alt - u  / 163", "\u00B5  = Ctrl-Alt - m / 230",  "",
    "\u00A9 = Ctrl-Alt - c",         " \u00B2  = Ctrl-Alt - 2",       " \u00B3  = Ctrl-Alt - 3",
    "\u20AC  = Ctrl-Alt - 5",        "\u00BC = Ctrl-Alt - 6 / 172",   "\u00BD = Ctrl-Alt - 7 / 171",
    "\u00BE = Ctrl-Alt - 8",         "",                              "Copy    = Ctrl-C",
    "Paste    = Ctrl-V",             "Delete  = Ctrl-X",
};

}  // namespace

class TestWindowDetails : public QObject {
    Q_OBJECT
private slots:
    void menusDrawPlainSeparatorsAndOneMark()
    {
        WindowFixture f;
        Main& m = *f.main;
        for (QMenu* menu : {m.File, m.Info}) {
            const QImage drawn = DrawnMenu(menu);
            for (QAction* a : menu->actions()) {
                if (!a->isSeparator())
                    continue;
                QVERIFY(a->text().isEmpty());
                // One line from end to end: every row of the separator is one colour.
                const QRect r = menu->actionGeometry(a).adjusted(0, -3, 0, 3);
                for (int y = r.top(); y <= r.bottom(); ++y) {
                    const QRgb middle = drawn.pixel(r.center().x(), y);
                    for (int x = r.left() + 6; x <= r.right() - 6; ++x)
                        QVERIFY2(drawn.pixel(x, y) == middle, qPrintable(a->objectName()));
                }
            }
        }
        m.LetGrote[10]->trigger();
        const QImage drawn = DrawnMenu(m.Lettergrootte);
        for (auto& [index, item] : m.LetGrote) {
            // The column before the caption: as wide as the item is high.
            const QRect row = m.Lettergrootte->actionGeometry(item);
            const QRect checkColumn(row.left() + 1, row.top() + 1, row.height() - 4, row.height() - 2);
            const QRgb background = drawn.pixel(row.right() - 2, row.center().y());
            int marked = 0;
            for (int y = checkColumn.top(); y <= checkColumn.bottom(); ++y)
                for (int x = checkColumn.left(); x <= checkColumn.right(); ++x)
                    marked += drawn.pixel(x, y) != background;
            if (index == 10)
                QVERIFY2(marked > 5, "the checked size shows its mark");
            else
                QVERIFY2(marked == 0, qPrintable(QStringLiteral("%1 Pixels shows a box").arg(index)));
        }
    }

    void outerSizeAndPlaceOnScreen()
    {
        WindowFixture f;
        Main& m = *f.main;
        // The client area with a 6 by 28 pixel frame is the window of 800 x 492.
        QCOMPARE(m.size(), QSize(800 - 6, 492 - 28));
        QCOMPARE(m.menuBar()->height(), 20);
        QCOMPARE(m.centralWidget()->geometry(), QRect(0, 20, 794, 444));
        QCOMPARE(m.pos(), Centred(m.screen(), QSize(800, 492)));
    }

    void openTextDialogCentredDarkAndKeyboardFriendly()
    {
        WindowFixture f;
        Main& m = *f.main;
        QLocale::setDefault(QLocale::c());
        QDir(f.dir.path()).mkdir("Teksten");
        QVERIFY(WriteAll(f.dir.path() + "/Teksten/alpha.txt", QByteArray(1234, 'a')));
        QVERIFY(WriteAll(f.dir.path() + "/Teksten/beta.txt", QByteArray(1234567, 'b')));
        m.move(0, 0);
        ModalAnswerer answers;
        QPoint at;
        QColor popupBack, popupText, popupPixel;
        int inkInBox = 0, inkInList = 0;
        QStringList labels;
        answers.Then([&](QWidget* w) {
            auto* form = qobject_cast<OpenTekst*>(w);
            QVERIFY(form);
            at = form->pos();
            // Rows enough that the last one is not the selected "/", however few volumes
            // this machine mounts: its corner shows the list's own background.
            while (form->Drive1->count() < 3)
                form->Drive1->addItem(QStringLiteral("/nowhere-%1").arg(form->Drive1->count()));
            form->Drive1->showPopup();
            QTest::qWait(50);
            QAbstractItemView* view = form->Drive1->view();
            popupBack = view->palette().color(QPalette::Base);
            popupText = view->palette().color(QPalette::Text);
            const QImage shown = view->viewport()->grab().toImage();
            popupPixel = shown.pixel(shown.width() - 3, shown.height() - 3);
            // The list's entries are written as large as the box's own entry (the same entry in
            // both, chosen without moving the folder list).
            const QSignalBlocker still(form->Drive1);
            form->Drive1->setCurrentIndex(2);
            const QImage box = form->Drive1->grab().toImage();
            inkInBox = InkHeight(box, QRect(2, 0, box.width() * 3 / 4, box.height()));
            const QImage list = view->viewport()->grab().toImage();
            inkInList = InkHeight(list, view->visualRect(view->model()->index(2, 0)));
            form->Drive1->setCurrentIndex(0);
            form->Drive1->hidePopup();
            form->List1->setFocus();
            for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up})
                QTest::keyClick(form->List1, key);  // the first key chooses the first entry, Up stays there
            labels << form->Label1->text();
            QTest::keyClick(form->List1, Qt::Key_Down);
            labels << form->Label1->text();
            QTest::mouseClick(form->CancelKnop, Qt::LeftButton);
        });
        Choose(m.File, 5);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(at, Centred(m.screen(), QSize(434, 380)));
        QCOMPARE(popupBack, QColor(0, 0, 40));
        QCOMPARE(popupText, QColor(220, 220, 220));
        QCOMPARE(popupPixel, QColor(0, 0, 40));
        QVERIFY(inkInBox > 5);
        QCOMPARE(inkInList, inkInBox);
        QCOMPARE(labels, QStringList({"alpha / 1,234 Bytes", "beta / 1,234,567 Bytes"}));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // A long document name is cut with an ellipsis before it reaches the date, and before the
    // open dialog's buttons; the whole name stays in the tooltip.
    void longNamesAreCutWithAnEllipsis()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QString name = QStringLiteral("A letter to the whole family about the summer holiday in Zeeland");
        m.SetDocumentName(name);
        QVERIFY(m.FileLabel->text().endsWith(QChar(0x2026)));
        QVERIFY2(m.FileLabel->geometry().right() < m.DatumLabel->x(),
                 qPrintable(QStringLiteral("%1 reaches %2").arg(m.FileLabel->geometry().right()).arg(m.DatumLabel->x())));
        QCOMPARE(m.FileLabel->toolTip(), name);
        m.SetDocumentName(QStringLiteral("short"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("short"));
        QVERIFY(m.FileLabel->toolTip().isEmpty());

        ModalAnswerer answers;
        m.Text1->SetText("A picture of a long name.");
        QTest::mouseClick(m.Image1, Qt::LeftButton);
        SavePicture(m, answers, name);
        QVERIFY(answers.AllAnswered());
        answers.Then([&](QWidget* w) {
            auto* form = qobject_cast<OpenForm*>(w);
            form->List1->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
            QVERIFY(form->Label1->text().endsWith(QChar(0x2026)));
            QVERIFY(form->Label1->geometry().right() < form->CancelKnop->x());
            form->reject();
        });
        Choose(m.File, 2);
        QVERIFY(answers.AllAnswered());
    }

    void countsInGroupsOfThreeWithLatinDigits()
    {
        WindowFixture f;
        Main& m = *f.main;
        QByteArray text;
        while (text.size() < 123456)
            text += QByteArray(98, 'x') + "\r\n";
        text.truncate(123456);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::India));  // its own grouping: 1,23,456
        m.Text1->SetText(text);
        QCOMPARE(m.Label3->text(), QStringLiteral("123,456 / 65.000 Characters"));
        const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
        QLocale::setDefault(arabic);
        m.Text1->SetText(QByteArray(1234, 'x'));
        QCOMPARE(m.Label3->text(), QStringLiteral("1") + arabic.groupSeparator() + QStringLiteral("234 / 65.000 Characters"));
        QLocale::setDefault(QLocale::c());
        m.Text1->SetText(QByteArray(999, 'x'));
        QCOMPARE(m.Label3->text(), QStringLiteral("999 / 65.000 Characters"));
        m.Text1->SetText(QByteArray(1000, 'x'));
        QCOMPARE(m.Label3->text(), QStringLiteral("1,000 / 65.000 Characters"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void characterOutsideTheBasicPlaneIsOneQuestionMark()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->insertPlainText(QStringLiteral("a\U0001F600b\U0001F600\U0001F600"));
        QCOMPARE(m.Text1->Text(), QByteArray("a?b??"));
        QCOMPARE(m.Label3->text(), QStringLiteral("5 / 65.000 Characters"));
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\U0001F600"));  // as an input method types it
        QApplication::sendEvent(m.Text1, &typed);
        QCOMPARE(m.Text1->Text(), QByteArray("a?b???"));
    }

    void everyMenuItemRunsItsOwnCommand()
    {
        WindowFixture f;
        Main& m = *f.main;
        QStringList opened;
        Module1::SetUrlOpener([&](const QString& address) { opened << address; });
        ModalAnswerer answers;
        QStringList dialogs;
        auto cancelDialog = [&](QWidget* w) {
            dialogs << w->objectName();
            if (auto* picture = qobject_cast<OpenForm*>(w))
                QTest::mouseClick(picture->CancelKnop, Qt::LeftButton);
            else if (auto* text = qobject_cast<OpenTekst*>(w))
                QTest::mouseClick(text->CancelKnop, Qt::LeftButton);
        };
        m.Text1->SetText("kept");
        answers.ThenPress(QMessageBox::No);
        Choose(m.File, 0);
        answers.Then(cancelDialog);
        Choose(m.File, 2);
        answers.ThenType(QString(), false);
        Choose(m.File, 3);
        answers.Then(cancelDialog);
        Choose(m.File, 5);
        answers.ThenType(QString(), false);
        Choose(m.File, 6);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.at(0).text, QStringLiteral("Do you want to create a new text?"));
        QCOMPARE(answers.messages.at(0).title, QStringLiteral("New"));
        QCOMPARE(dialogs, QStringList({"OpenForm", "OpenTekst"}));
        QCOMPARE(answers.prompts.at(0).text, QStringLiteral("Enter a name for this picture..."));
        QCOMPARE(answers.prompts.at(1).text, QStringLiteral("Enter a name for this Text file..."));
        QCOMPARE(m.Text1->Text(), QByteArray("kept"));

        Choose(m.Info, 0);
        QCOMPARE(opened, QStringList({Module1::MakerWebPage()}));
        answers.ThenPress(QMessageBox::Ok);
        Choose(m.Info, 1);
        answers.ThenType(QString(), false);
        Choose(m.Info, 3);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.at(1).title, QStringLiteral("Special Characters"));
        QStringList rows;
        for (const char* row : kSpecialCharacters)
            rows << QString::fromUtf8(row);
        QCOMPARE(answers.messages.at(1).text, rows.join(QLatin1Char('\n')));
        QCOMPARE(answers.prompts.at(2).title, QStringLiteral(" Send message"));

        for (int i = 0; i < 5; ++i) {
            Choose(m.Lettergrootte, i);
            QCOMPARE(m.Text1->font().pointSizeF(), 8.0 + i);
            for (auto& [index, item] : m.LetGrote)
                QCOMPARE(item->isChecked(), index == 8 + i);
        }

        Choose(m.File, 8);
        QVERIFY(!m.isVisible());
        QCOMPARE(answers.Unexpected(), 0);
        Module1::SetUrlOpener(nullptr);
    }

    void swatchesResetAndClockThroughTheirSignals()
    {
        WindowFixture f;
        Main& m = *f.main;
        ModalAnswerer answers;
        QStringList captions;
        auto choose = [&](int r, int g, int b) {
            answers.Then([&captions, r, g, b](QWidget* w) {
                auto* form = qobject_cast<ColorForm*>(w);
                QVERIFY(form);
                captions << form->windowTitle();
                form->HScroll1[0]->setValue(r);
                form->HScroll1[1]->setValue(g);
                form->HScroll1[2]->setValue(b);
                QTest::mouseClick(form->OkKnop, Qt::LeftButton);
            });
        };
        choose(255, 0, 10);
        QTest::mouseClick(m.ForeColorLabel, Qt::LeftButton);
        choose(1, 2, 3);
        QTest::mouseClick(m.BackColorLabel, Qt::LeftButton);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(captions, QStringList({"Textcolor", "Backgroundcolor Text"}));
        QCOMPARE(m.Text1->palette().color(QPalette::Text), QColor(255, 0, 10));
        QCOMPARE(m.Text1->palette().color(QPalette::Base), QColor(1, 2, 3));

        QTest::mouseClick(m.ResetKnop, Qt::LeftButton);
        QCOMPARE(m.Text1->palette().color(QPalette::Text), QColor(60, 60, 60));
        QCOMPARE(m.BackColorLabel->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(Module1::ForeColorR, 60);

        Module1::SignatureText = "Hollowbrandt and more";
        answers.ThenPress(QMessageBox::Ok);
        QTest::mouseDClick(m.KlokLabel, Qt::LeftButton);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.back().text, QStringLiteral("Hollowbrandt and more"));
    }

    void pressEffectMovesTwoPixelsThenBack()
    {
        WindowFixture f;
        Main& m = *f.main;
        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::Ok);  // Image1 with no text
        for (ImageButton* button : {m.Image1, m.Image2, m.Image3, m.Image4}) {
            const QPoint home = button->pos();
            QList<QPoint> atPauses;
            Module1::SetPauseObserver([&](int ms) {
                if (ms == 200)
                    atPauses << button->pos();
            });
            QTest::mouseClick(button, Qt::LeftButton);
            Module1::SetPauseObserver(nullptr);
            QVERIFY2(!atPauses.isEmpty(), qPrintable(button->objectName()));
            QCOMPARE(atPauses.first(), home + QPoint(2, 2));
            QCOMPARE(button->pos(), home);
        }
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.at(0).text, QStringLiteral("No text available!"));
    }
};

QTEST_MAIN(TestWindowDetails)
#include "test_window_details.moc"
