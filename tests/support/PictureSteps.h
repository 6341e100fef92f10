// Saving and opening pictures as the user does: the File menu's items, the input box, the
// open dialog's list clicked with the mouse and its OK button pressed.
#pragma once

#include "ModalAnswerer.h"
#include "OpenForm.h"
#include "WindowFixture.h"

#include <QListWidget>
#include <QtTest>

// Clicks (or double-clicks) the entry called name in list with the mouse (nothing when there is
// none).
inline bool ClickEntry(QListWidget* list, const QString& name, bool twice = false)
{
    const auto found = list->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    list->scrollToItem(found.first());
    const QPoint at = list->visualItemRect(found.first()).center();
    // A double-click is a click and then the second press, which the toolkit reports as one.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return true;
}

// Opens the picture dialog and picks name (empty: picks nothing), then presses OK. With
// expectMessage, the message that follows is answered with OK. listed, count and label
// receive the list, the count shown at opening and Label1 after the pick.
inline void OpenPicture(Main& m, ModalAnswerer& answers, const QString& name, bool expectMessage = false,
                        QStringList* listed = nullptr, QString* count = nullptr, QString* label = nullptr)
{
    answers.Then([=](QWidget* w) {
        auto* form = qobject_cast<OpenForm*>(w);
        QVERIFY(form);
        if (listed)
            for (int i = 0; i < form->List1->count(); ++i)
                *listed << form->List1->item(i)->text();
        if (count)
            *count = form->Label1->text();
        if (!name.isEmpty())
            QVERIFY2(ClickEntry(form->List1, name), qPrintable(name));
        if (label)
            *label = form->Label1->text();
        QTest::mouseClick(form->OkKnop, Qt::LeftButton);
    });
    if (expectMessage)
        answers.ThenPress(QMessageBox::Ok);
    Choose(m.File, 2);
}

// Saves the picture under name; a reply answers the question or message that follows.
inline void SavePicture(Main& m, ModalAnswerer& answers, const QString& name,
                        QMessageBox::StandardButton reply = QMessageBox::NoButton)
{
    answers.ThenType(name);
    if (reply != QMessageBox::NoButton)
        answers.ThenPress(reply);
    Choose(m.File, 3);
}
