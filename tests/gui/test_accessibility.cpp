// What a screen reader finds in the window and its dialogs: every control it can reach has
// a name and the role of what it is, and the buttons drawn as pictures can be pressed.
#include "ColorForm.h"
#include "FolderList.h"
#include "OpenForm.h"
#include "OpenTekst.h"
#include "PictureBox.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMenuBar>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

struct Found {
    QString object;
    QAccessible::Role role;
    QString name;
    QString description;
};

// Every control in the tree under root that takes the focus from the keyboard.
void Focusable(QAccessibleInterface* iface, QList<Found>& out)
{
    if (!iface)
        return;
    auto* widget = qobject_cast<QWidget*>(iface->object());
    if (widget && widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus))
        out.push_back({widget->objectName(), iface->role(), iface->text(QAccessible::Name),
                       iface->text(QAccessible::Description)});
    for (int i = 0; i < iface->childCount(); ++i)
        Focusable(iface->child(i), out);
}

QList<Found> FocusableIn(QWidget* window)
{
    QList<Found> out;
    Focusable(QAccessible::queryAccessibleInterface(window), out);
    return out;
}

QAccessibleInterface* Of(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// The names of every widget a screen reader finds under iface.
void Tree(QAccessibleInterface* iface, QStringList& out)
{
    if (!iface)
        return;
    if (auto* widget = qobject_cast<QWidget*>(iface->object()); widget && !widget->objectName().isEmpty())
        out << widget->objectName();
    for (int i = 0; i < iface->childCount(); ++i)
        Tree(iface->child(i), out);
}

// What a screen reader finds in window: every name in found, none of absent; each caption
// only as its control's label.
void ExpectTree(QWidget* window, const QStringList& found, const QStringList& absent,
                const QList<QPair<QWidget*, QWidget*>>& captions = {})
{
    QStringList tree;
    Tree(Of(window), tree);
    for (const QString& name : found)
        QVERIFY2(tree.contains(name), qPrintable(name + " is not in the tree"));
    for (const QString& name : absent)
        QVERIFY2(!tree.contains(name), qPrintable(name + " is in the tree"));
    for (const auto& [control, caption] : captions) {
        const auto labels = Of(control)->relations(QAccessible::Label);
        QVERIFY2(labels.size() == 1 && labels.first().first->object() == caption, qPrintable(control->objectName()));
        QVERIFY(!tree.contains(caption->objectName()));
    }
}

// Every reachable control named, with a role from the kinds a screen reader can work.
void ExpectNamedWithRoles(const QList<Found>& found, const QMap<QString, QAccessible::Role>& expected)
{
    QMap<QString, QAccessible::Role> roles;
    for (const Found& f : found) {
        QVERIFY2(!f.name.trimmed().isEmpty(), qPrintable(f.object));
        roles.insert(f.object, f.role);
    }
    QCOMPARE(roles, expected);
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void mainWindowControls()
    {
        WindowFixture f;
        Main& m = *f.main;
        ExpectNamedWithRoles(FocusableIn(&m), {{"Image1", QAccessible::Button},
                                               {"Image2", QAccessible::Button},
                                               {"Image3", QAccessible::Button},
                                               {"Image4", QAccessible::Button},
                                               {"ForeColorLabel", QAccessible::Button},
                                               {"BackColorLabel", QAccessible::Button},
                                               {"ResetKnop", QAccessible::Button},
                                               {"KlokLabel", QAccessible::Button},
                                               {"Text1", QAccessible::EditableText}});
        const QStringList names{Of(m.Image1)->text(QAccessible::Name), Of(m.Image2)->text(QAccessible::Name),
                                Of(m.Image3)->text(QAccessible::Name), Of(m.Image4)->text(QAccessible::Name),
                                Of(m.ForeColorLabel)->text(QAccessible::Name),
                                Of(m.BackColorLabel)->text(QAccessible::Name), Of(m.ResetKnop)->text(QAccessible::Name)};
        QCOMPARE(names, QStringList({"From Text to Picture (Hqc)", "From Picture (Hqc) to Text", "Print Text",
                                     "Text to PDF document", "Text colour", "Background colour", "Reset"}));
        // Controls with a tooltip describe themselves with it.
        QCOMPARE(Of(m.ForeColorLabel)->text(QAccessible::Description), QStringLiteral("Click for change textcolor"));
        QCOMPARE(Of(m.BackColorLabel)->text(QAccessible::Description),
                 QStringLiteral("Click for change backgroundcolor"));
        QCOMPARE(Of(m.ResetKnop)->text(QAccessible::Description), QStringLiteral("Reset all Colors"));
        for (QWidget* button : {static_cast<QWidget*>(m.Image1), static_cast<QWidget*>(m.Image2),
                                static_cast<QWidget*>(m.Image3), static_cast<QWidget*>(m.Image4)})
            QVERIFY(!Of(button)->text(QAccessible::Description).isEmpty());

        // Reset is no "controller" of the whole window.
        QVERIFY(Of(m.ResetKnop)->relations(QAccessible::Controlled).isEmpty());
        // The counter, document name and clock are read as what they show.
        m.Text1->SetText("Twelve chars");
        QCOMPARE(Of(m.Label3)->text(QAccessible::Name), m.Label3->text());
        QVERIFY(Of(m.Label3)->text(QAccessible::Name).contains("12"));
        QCOMPARE(Of(m.FileLabel)->text(QAccessible::Name), QStringLiteral("Filename"));
        QCOMPARE(Of(m.KlokLabel)->text(QAccessible::Name), m.KlokLabel->text());
        QVERIFY(!Of(m.KlokLabel)->text(QAccessible::Description).isEmpty());

        // Each picture button and swatch is read once, its caption as its label; what is hidden
        // (the line buffer, the staging picture, the wait label at rest) is not there at all.
        ExpectTree(&m, {"Image1", "Image4", "Pic", "Text1", "Label3", "FileLabel", "KlokLabel", "ResetKnop"},
                   {"List1", "BackPic", "Label8", "Label1", "Label2", "Label11"},
                   {{m.Image1, m.Label4}, {m.Image2, m.Label5}, {m.Image3, m.Label6}, {m.Image4, m.Label7},
                    {m.ForeColorLabel, m.Label9}, {m.BackColorLabel, m.Label10}});
    }

    void pictureSaysWhatItHolds()
    {
        WindowFixture f;
        Main& m = *f.main;
        QAccessibleInterface* pic = Of(m.Pic);
        QCOMPARE(pic->role(), QAccessible::Graphic);  // read as a picture, not skipped as filler
        QCOMPARE(pic->text(QAccessible::Name), QStringLiteral("Coded picture, 200 \u00d7 120 pixels"));
        QCOMPARE(pic->text(QAccessible::Description), QStringLiteral("Holds no coded text"));
        // Pressed as a screen reader presses it: the button's own action.
        m.Text1->SetText("Held in the picture");
        QAccessibleActionInterface* press = Of(m.Image1)->actionInterface();
        QVERIFY(press);
        QCOMPARE(press->actionNames(), QStringList({QAccessibleActionInterface::pressAction()}));
        press->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(pic->text(QAccessible::Description), QStringLiteral("Holds a coded text"));
        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::Yes);
        Choose(m.File, 0);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(pic->text(QAccessible::Description), QStringLiteral("Holds no coded text"));
    }

    void menuItemsAreNamed()
    {
        WindowFixture f;
        Main& m = *f.main;
        QAccessibleInterface* bar = Of(m.menuBar());
        QStringList titles;
        for (int i = 0; i < bar->childCount(); ++i) {
            QCOMPARE(bar->child(i)->role(), QAccessible::MenuItem);
            titles << bar->child(i)->text(QAccessible::Name);
        }
        QCOMPARE(titles, QStringList({"File", "Tools", "Textsize"}));
        QStringList items;
        for (QMenu* menu : {m.File, m.Info, m.Lettergrootte}) {
            QAccessibleInterface* iface = Of(menu);
            for (int i = 0; i < iface->childCount(); ++i) {
                QAccessibleInterface* item = iface->child(i);
                if (item->role() == QAccessible::Separator)
                    continue;
                QCOMPARE(item->role(), QAccessible::MenuItem);
                items << item->text(QAccessible::Name);
            }
        }
        QCOMPARE(items, QStringList({"New", "Open Picture (hqc)", "Save Picture (hqc)", "Open Textfile (txt)",
                                     "Save Textfile (txt)", "Exit", "More Software", "Special Characters",
                                     "Send Picture by E-mail", "8 Pixels", "9 Pixels", "10 Pixels", "11 Pixels",
                                     "12 Pixels"}));
        QCOMPARE(Of(m.File)->child(0)->text(QAccessible::Accelerator), QStringLiteral("Ctrl+N"));
    }

    void dialogControls()
    {
        WindowFixture f;
        Main& m = *f.main;
        {
            ColorForm form(&m);
            form.show();
            ExpectNamedWithRoles(FocusableIn(&form), {{"HScroll1_0", QAccessible::ScrollBar},
                                                      {"HScroll1_1", QAccessible::ScrollBar},
                                                      {"HScroll1_2", QAccessible::ScrollBar},
                                                      {"CancelKnop", QAccessible::Button},
                                                      {"OkKnop", QAccessible::Button}});
            QCOMPARE(Of(form.HScroll1[1])->text(QAccessible::Name), QStringLiteral("Green"));
            QCOMPARE(Of(form.OkKnop)->text(QAccessible::Name), QStringLiteral("OK"));
            QCOMPARE(Of(form.CancelKnop)->text(QAccessible::Name), QStringLiteral("Cancel"));
            form.HScroll1[0]->setValue(10);
            QCOMPARE(Of(form.HScroll1[0])->valueInterface()->currentValue().toInt(), 10);
            // The frame behind the bars and the colour wheel are for the eye alone.
            for (QScrollBar* bar : form.HScroll1)
                QVERIFY(Of(bar)->relations(QAccessible::Controlled).isEmpty());
            // The numbers beside the bars are read with their bars, as their labels.
            ExpectTree(&form, {"HScroll1_0", "OkKnop"}, {"Label1", "Image1"},
                       {{form.HScroll1[0], form.RGBlabel[0]}, {form.HScroll1[1], form.RGBlabel[1]},
                        {form.HScroll1[2], form.RGBlabel[2]}});
        }
        {
            OpenForm form(m);
            form.show();
            ExpectNamedWithRoles(FocusableIn(&form), {{"List1", QAccessible::List},
                                                      {"CancelKnop", QAccessible::Button},
                                                      {"OkKnop", QAccessible::Button}});
            QCOMPARE(Of(form.List1)->text(QAccessible::Name), QStringLiteral("Pictures"));
            ExpectTree(&form, {"List1", "Label1", "OkKnop"}, {"File1", "Picture1"});
        }
        {
            OpenTekst form(m);
            form.show();
            QVERIFY(form.Dir1->SetPath(f.dir.path()));
            ExpectNamedWithRoles(FocusableIn(&form), {{"Drive1", QAccessible::ComboBox},
                                                      {"Dir1", QAccessible::List},
                                                      {"List1", QAccessible::List},
                                                      {"CancelKnop", QAccessible::Button},
                                                      {"OkKnop", QAccessible::Button}});
            QCOMPARE(Of(form.List1)->text(QAccessible::Name), QStringLiteral("Text files"));
            ExpectTree(&form, {"Drive1", "Dir1", "List1", "Label1", "OkKnop"}, {"File1"});
            QCOMPARE(Of(form.Dir1)->text(QAccessible::Name), QStringLiteral("Folders"));
            // Each folder by its name and its level, not by leading blanks.
            QAccessibleInterface* folders = Of(form.Dir1);
            QStringList read;
            for (int i = 0; i < folders->childCount(); ++i) {
                QAccessibleInterface* entry = folders->child(i);
                if (entry && entry->role() == QAccessible::ListItem)
                    read << entry->text(QAccessible::Name) + " / " + entry->text(QAccessible::Description);
            }
            const QStringList parts = f.dir.path().split('/', Qt::SkipEmptyParts);
            QCOMPARE(read.first(), QStringLiteral("/ / level 1"));
            QCOMPARE(read.at(parts.size()), QStringLiteral("%1 / level %2").arg(parts.last()).arg(parts.size() + 1));
            QVERIFY(read.contains(QStringLiteral("Pictures / level %1").arg(parts.size() + 2)));
            // The drive box by its name, its entry as the value.
            QCOMPARE(Of(form.Drive1)->text(QAccessible::Name), QStringLiteral("Drive"));
            QCOMPARE(Of(form.Drive1)->text(QAccessible::Value), form.Drive1->currentText());
            QCOMPARE(form.Drive1->currentText(), QStringLiteral("/"));
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
