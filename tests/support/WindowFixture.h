// A main window over a temporary program folder, with the 200 ms pauses switched off.
#pragma once

#include "Controls.h"
#include "ModalAnswerer.h"
#include "Main.h"
#include "ProgramFolder.h"
#include "TextBox.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Runs a menu item as the user does: the action at that place in the menu.
inline void Choose(QMenu* menu, int index)
{
    menu->actions().at(index)->trigger();
}

struct WindowFixture {
    QTemporaryDir dir;
    std::unique_ptr<Main> main;
    ModalAnswerer guard;  // closes a dialog that no test answers, and fails the test

    explicit WindowFixture(bool withPicturesFolder = true)
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Module1::SetPausesEnabled(false);
        Module1::SetProgramFolder(dir.path());
        if (withPicturesFolder)
            QDir(dir.path()).mkdir(QStringLiteral("Pictures"));
        main = std::make_unique<Main>();
        // Shown as the user sees it: the text box wraps at its real width.
        main->show();
    }

    ~WindowFixture()
    {
        if (guard.Unexpected() > 0)
            QTest::qFail("a dialog was left unanswered", __FILE__, __LINE__);
    }

    QString PicturePath(const QString& name) const { return dir.path() + "/Pictures/" + name + ".hqc"; }
};
