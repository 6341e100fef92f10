// The window and its dialogs from the keyboard alone: keys go to the window as the user's
// keyboard sends them, to whichever control has the focus.
#include "ColorForm.h"
#include "FolderList.h"
#include "OpenForm.h"
#include "OpenTekst.h"
#include "PictureBox.h"
#include "PictureSteps.h"
#include "TestFiles.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QPointer>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

QPointer<QWidget> g_mainWindow;

// Sends a key to the window the user has in front: the open dialog, else the main window.
void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* window = QApplication::activeModalWidget();
    if (!window) {
        window = g_mainWindow;
        // A closed dialog does not always hand the activation back on this platform.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

void Activate(QWidget* window)
{
    g_mainWindow = window;
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// The place of every pause the press effects made, with what moved.
struct PressWatch {
    std::vector<QPoint> shifted;
    explicit PressWatch(QWidget* button)
    {
        const QPoint home = button->pos();
        Module1::SetPauseObserver([this, button, home](int) { shifted.push_back(button->pos() - home); });
    }
    ~PressWatch() { Module1::SetPauseObserver(nullptr); }
};

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void menusHaveMnemonicsAndShortcuts()
    {
        WindowFixture f;
        Main& m = *f.main;
        QStringList titles;
        QString letters;
        for (QAction* a : m.menuBar()->actions()) {
            titles << a->text();
            letters += QKeySequence::mnemonic(a->text()).toString();
        }
        QCOMPARE(titles, QStringList({"&File", "&Tools", "Text&size"}));
        QCOMPARE(letters, QStringLiteral("Alt+FAlt+TAlt+S"));
        // Every item has a letter of its own within its menu.
        for (QMenu* menu : {m.File, m.Info, m.Lettergrootte}) {
            QSet<QString> seen;
            for (QAction* a : menu->actions()) {
                if (a->isSeparator())
                    continue;
                const QString mnemonic = QKeySequence::mnemonic(a->text()).toString();
                QVERIFY2(!mnemonic.isEmpty() && !seen.contains(mnemonic), qPrintable(a->text()));
                seen.insert(mnemonic);
            }
        }
        QStringList shortcuts;
        for (QAction* a : m.File->actions())
            shortcuts << a->shortcut().toString();
        QCOMPARE(shortcuts, QStringList({"Ctrl+N", "", "Ctrl+O", "Ctrl+S", "", "Ctrl+Shift+O", "Ctrl+Shift+S", "",
                                         "Ctrl+Q"}));
    }

    void shortcutsRunTheirItems()
    {
        WindowFixture f;
        Main& m = *f.main;
        Activate(&m);
        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::No);
        Key(Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.at(0).text, QStringLiteral("Do you want to create a new text?"));

        QString opened;
        answers.Then([&](QWidget* w) {
            opened = w->metaObject()->className();
            qobject_cast<QDialog*>(w)->reject();
        });
        Key(Qt::Key_O, Qt::ControlModifier);
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(opened, QStringLiteral("OpenForm"));
        answers.Then([&](QWidget* w) {
            opened = w->metaObject()->className();
            qobject_cast<QDialog*>(w)->reject();
        });
        Key(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(opened, QStringLiteral("OpenTekst"));

        answers.ThenType(QString(), false);
        Key(Qt::Key_S, Qt::ControlModifier);
        answers.ThenType(QString(), false);
        Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(answers.prompts.at(0).text, QStringLiteral("Enter a name for this picture..."));
        QCOMPARE(answers.prompts.at(1).text, QStringLiteral("Enter a name for this Text file..."));

        // Alt+S opens the Textsize menu; its letters choose a size.
        Key(Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(m.Lettergrootte->isVisible());
        QTest::keyClick(m.Lettergrootte, Qt::Key_2);
        QTRY_COMPARE(m.Text1->TextSize(), 12.0);

        Key(Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!m.isVisible());
    }

    void tabWalksTheControlsAndTheTextKeepsItsTab()
    {
        WindowFixture f;
        Main& m = *f.main;
        Activate(&m);
        QCOMPARE(QApplication::focusWidget(), m.Text1);
        Key(Qt::Key_Tab);
        QCOMPARE(m.Text1->Text(), QByteArray("\t"));
        QCOMPARE(QApplication::focusWidget(), m.Text1);

        Key(Qt::Key_Tab, Qt::ControlModifier);
        const QList<QWidget*> order{m.Image1, m.Image2, m.Image3, m.Image4, m.ForeColorLabel, m.BackColorLabel,
                                    m.ResetKnop, m.KlokLabel, m.Text1};
        for (QWidget* expected : order) {
            QCOMPARE(QApplication::focusWidget()->objectName(), expected->objectName());
            if (expected != m.Text1)
                Key(Qt::Key_Tab);
        }
        Key(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), m.Image1);
        Key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), m.Text1);
        Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), m.KlokLabel);
        QCOMPARE(m.Text1->Text(), QByteArray("\t"));
    }

    void clicksLeaveTheFocusInTheText()
    {
        WindowFixture f;
        Main& m = *f.main;
        Activate(&m);
        m.Text1->SetText("Typing goes on after a click.");
        QCOMPARE(QApplication::focusWidget(), m.Text1);
        QTest::mouseClick(m.Image1, Qt::LeftButton);
        QTest::mouseClick(m.Image2, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), m.Text1);
    }

    void focusIsShown()
    {
        WindowFixture f;
        Main& m = *f.main;
        Activate(&m);
        for (QWidget* control : {static_cast<QWidget*>(m.Image1), static_cast<QWidget*>(m.ForeColorLabel),
                                 static_cast<QWidget*>(m.ResetKnop), static_cast<QWidget*>(m.KlokLabel)}) {
            const QImage without = control->grab().toImage();
            control->setFocus(Qt::TabFocusReason);
            const QImage with = control->grab().toImage();
            QVERIFY2(with != without, qPrintable(control->objectName()));
            // A frame at the edge; the middle of the picture is untouched.
            QCOMPARE(with.pixel(with.width() / 2, with.height() / 2), without.pixel(with.width() / 2, with.height() / 2));
        }
        // The clock's frame goes around its digits: no pixel of a digit is drawn over.
        m.Text1->setFocus();
        const QImage digits = m.KlokLabel->grab().toImage();
        m.KlokLabel->setFocus(Qt::TabFocusReason);
        const QImage framed = m.KlokLabel->grab().toImage();
        const QRgb background = digits.pixel(0, 0);
        for (int y = 0; y < digits.height(); ++y)
            for (int x = 0; x < digits.width(); ++x)
                if (framed.pixel(x, y) != digits.pixel(x, y))
                    QVERIFY2(digits.pixel(x, y) == background, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        QCOMPARE(m.KlokLabel->mapTo(&m, m.KlokLabel->contentsRect().topLeft()),
                 m.Frame3->mapTo(&m, QPoint(480, 12)));  // the digits stay where they were
    }

    void spaceAndEnterPressTheButtons()
    {
        WindowFixture f;
        Main& m = *f.main;
        Activate(&m);
        // The same pauses, with the button moved the same way, as on a click.
        auto pauses = [&](ImageButton* button, const std::function<void()>& press) {
            PressWatch watch(button);
            press();
            return watch.shifted;
        };
        m.Text1->SetText("Coded with the mouse.");
        const auto clicked1 = pauses(m.Image1, [&] { QTest::mouseClick(m.Image1, Qt::LeftButton); });
        const auto clicked2 = pauses(m.Image2, [&] { QTest::mouseClick(m.Image2, Qt::LeftButton); });
        QCOMPARE(clicked1.front(), QPoint(2, 2));
        // A double-click is one command, as one click is.
        // (press, release, press, release within the double-click time, by the times the system
        // gives them); a click after that time is a command again.
        auto click = [&](ulong time) {
            for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent event(type, QPointF(5, 5), m.Image2->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
                event.setTimestamp(time + (type == QEvent::MouseButtonRelease ? 40 : 0));
                QApplication::sendEvent(m.Image2, &event);
            }
        };
        const ulong interval = ulong(QApplication::doubleClickInterval());
        QCOMPARE(pauses(m.Image2, [&] { click(1000000); click(1000000 + interval / 2); }), clicked2);
        QCOMPARE(pauses(m.Image2, [&] { click(1000000 + 3 * interval); }), clicked2);
        m.Text1->SetText("Coded from the keyboard.");
        m.Image1->setFocus(Qt::TabFocusReason);
        QCOMPARE(pauses(m.Image1, [] { Key(Qt::Key_Space); }), clicked1);
        QCOMPARE(m.Pic->Surface().GetPixel(2, 3), (Rgb{'C', 'o', 'd'}));
        m.Text1->SetText(QByteArray());
        m.Image2->setFocus(Qt::TabFocusReason);
        QCOMPARE(pauses(m.Image2, [] { Key(Qt::Key_Return); }), clicked2);
        QVERIFY(m.Text1->Text().startsWith("Coded from the keyboard."));

        ModalAnswerer answers;
        answers.ThenType(QString(), false);
        m.Image4->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(answers.prompts.at(0).text, QStringLiteral("Enter a name for this PDF document..."));

        // A swatch opens the colour dialog; Enter there takes the colour.
        answers.Then([](QWidget* w) {
            auto* form = qobject_cast<ColorForm*>(w);
            QVERIFY(form);
            QCOMPARE(QApplication::focusWidget(), form->HScroll1[0]);
            Key(Qt::Key_Right);
            Key(Qt::Key_Return);
        });
        m.ForeColorLabel->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Space);
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(m.ForeColorLabel->palette().color(QPalette::Window), QColor(61, 60, 60));
        m.ResetKnop->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Space);
        QCOMPARE(m.ForeColorLabel->palette().color(QPalette::Window), QColor(60, 60, 60));
        // Enter presses Reset too, as it presses every button.
        SetBackground(m.ForeColorLabel, QColor(1, 2, 3));
        Key(Qt::Key_Return);
        QCOMPARE(m.ForeColorLabel->palette().color(QPalette::Window), QColor(60, 60, 60));
        SetBackground(m.ForeColorLabel, QColor(1, 2, 3));
        Key(Qt::Key_Enter);
        QCOMPARE(m.ForeColorLabel->palette().color(QPalette::Window), QColor(60, 60, 60));

        // The clock's double-click: the signature of the last picture.
        answers.ThenPress(QMessageBox::Ok);
        m.KlokLabel->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Return);
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.back().text, QStringLiteral("HollowbrandtGlyphix Coder 2026, hollowbrandt.org"));
    }

    void colourDialogByKeys()
    {
        WindowFixture f;
        Main& m = *f.main;
        Activate(&m);
        ModalAnswerer answers;
        QStringList shown;
        answers.Then([&](QWidget* w) {
            auto* form = qobject_cast<ColorForm*>(w);
            QVERIFY(form);
            // The bar with the focus shows it.
            const QImage focused = form->HScroll1[0]->grab().toImage();
            QVERIFY(focused != form->HScroll1[1]->grab().toImage());
            Key(Qt::Key_PageDown);  // red from 255 down a page
            Key(Qt::Key_Left);
            Key(Qt::Key_Tab);
            Key(Qt::Key_PageDown);
            Key(Qt::Key_Tab);
            // Every key of the blue bar: one step, a page of 16, and the ends.
            QStringList blue;
            for (Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_End, Qt::Key_Home, Qt::Key_PageUp, Qt::Key_Up,
                                Qt::Key_Right, Qt::Key_Down, Qt::Key_Down}) {
                Key(key);
                blue << form->RGBlabel[2]->text();
            }
            QCOMPARE(blue, QStringList({"254", "253", "255", "0", "16", "17", "18", "17", "16"}));
            shown << form->RGBlabel[0]->text() << form->RGBlabel[1]->text() << form->RGBlabel[2]->text()
                  << form->HexLabel->text();
            Key(Qt::Key_Tab);  // Cancel has the focus: Enter is Cancel's
            QCOMPARE(QApplication::focusWidget(), form->CancelKnop);
            Key(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), form->OkKnop);
            Key(Qt::Key_Enter, Qt::KeypadModifier);
        });
        m.BackColorLabel->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Return);
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(shown, QStringList({"238", "239", "16", "#EEEF10"}));
        QCOMPARE(m.BackColorLabel->palette().color(QPalette::Window), QColor(238, 239, 16));

        // Escape cancels, and so does Enter on Cancel.
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Tab}) {
            answers.Then([key](QWidget* w) {
                Key(Qt::Key_Right);
                if (key == Qt::Key_Tab) {
                    auto* form = qobject_cast<ColorForm*>(w);
                    form->CancelKnop->setFocus(Qt::TabFocusReason);
                    Key(Qt::Key_Return);
                } else {
                    Key(key);
                }
            });
            Key(Qt::Key_Space);
            QTRY_VERIFY(answers.AllAnswered());
            QCOMPARE(m.BackColorLabel->palette().color(QPalette::Window), QColor(238, 239, 16));
        }
    }

    void openDialogsByKeys()
    {
        WindowFixture f;
        Main& m = *f.main;
        Activate(&m);
        ModalAnswerer answers;
        m.Text1->SetText("First picture");
        QTest::mouseClick(m.Image1, Qt::LeftButton);
        SavePicture(m, answers, "first");
        m.Text1->SetText("Second picture");
        QTest::mouseClick(m.Image1, Qt::LeftButton);
        SavePicture(m, answers, "second");
        QTRY_VERIFY(answers.AllAnswered());

        // Escape leaves the picture as it is; Enter opens the entry chosen with the arrows, and
        // with nothing chosen says so and leaves the picture as it is.
        answers.Then([](QWidget* w) {
            QCOMPARE(QApplication::focusWidget(), qobject_cast<OpenForm*>(w)->List1);
            Key(Qt::Key_Down);
            Key(Qt::Key_Escape);
        });
        Key(Qt::Key_O, Qt::ControlModifier);
        QTRY_VERIFY(answers.AllAnswered());
        const std::vector<std::uint32_t> shown = m.Pic->Surface().Pixels();
        const QString name = m.FileLabel->text();
        answers.Then([](QWidget* w) {
            QVERIFY(qobject_cast<OpenForm*>(w)->List1->selectedItems().isEmpty());
            Key(Qt::Key_Return);
        });
        answers.ThenPress(QMessageBox::Ok);
        Key(Qt::Key_O, Qt::ControlModifier);
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.back().text, QStringLiteral("No valid Glyphix picture!"));
        QVERIFY(m.Pic->Surface().Pixels() == shown);
        QCOMPARE(m.FileLabel->text(), name);
        m.Text1->SetText(QByteArray());
        answers.Then([](QWidget* w) {
            Key(Qt::Key_Down);
            Key(Qt::Key_Home);
            QCOMPARE(qobject_cast<OpenForm*>(w)->Label1->text(), QStringLiteral("first"));
            Key(Qt::Key_Return);
        });
        Key(Qt::Key_O, Qt::ControlModifier);
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(m.FileLabel->text(), QStringLiteral("first"));
        QTest::mouseClick(m.Image2, Qt::LeftButton);
        QVERIFY(m.Text1->Text().startsWith("First picture"));

        // The text dialog: Enter in the folder list moves into the folder, in the file list opens.
        QVERIFY(QDir(f.dir.path()).mkpath("Texts/inner"));
        QVERIFY(WriteAll(f.dir.filePath("Texts/inner/letter.txt"), "From the inner folder"));
        answers.Then([&](QWidget* w) {
            auto* form = qobject_cast<OpenTekst*>(w);
            QVERIFY(form);
            QCOMPARE(QApplication::focusWidget(), form->List1);
            form->Dir1->SetPath(f.dir.filePath("Texts"));
            form->Dir1->setFocus(Qt::TabFocusReason);
            const auto inner = form->Dir1->findItems("inner", Qt::MatchEndsWith);
            QCOMPARE(inner.size(), 1);
            form->Dir1->setCurrentItem(inner.first());
            Key(Qt::Key_Return);
            QTRY_COMPARE(form->List1->count(), 1);
            QVERIFY(form->isVisible());
            Key(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), form->List1);
            // Enter with nothing chosen is OK with nothing chosen: the dialog says so.
            QCOMPARE(form->List1->currentRow(), 0);
            QVERIFY(form->List1->selectedItems().isEmpty());
            int said = 0;
            QTimer::singleShot(0, [&said] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box && box->text() == QStringLiteral("Select Filename!"))
                    ++said;
                if (box)
                    box->accept();
            });
            Key(Qt::Key_Return);
            QCOMPARE(said, 1);
            QVERIFY(form->isVisible());
            // The first arrow key chooses the first entry, and Enter opens it.
            Key(Qt::Key_Down);
            QCOMPARE(form->List1->selectedItems().size(), 1);
            Key(Qt::Key_Return);
        });
        Key(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(m.Text1->Text(), QByteArray("From the inner folder\r\n"));
        QCOMPARE(m.FileLabel->text(), QStringLiteral("letter"));
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
