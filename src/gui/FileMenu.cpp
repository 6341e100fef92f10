// The File menu: new text, pictures and text files, exit.
#include "Main.h"
#include "Messages.h"
#include "OpenForm.h"
#include "OpenTekst.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "ProgramFolder.h"
#include "TextBox.h"
#include "TextFile.h"
#include "TextLines.h"

#include <QDir>
#include <QListWidget>

void Main::FileIndex_Click(int Index)
{
    if (Index != 8 && PutOffWhileBusy([this, Index] { FileIndex_Click(Index); }))
        return;
    switch (Index) {
    case 0: NewText(); break;
    case 2: ShowOpenPicture(); break;
    case 3: SavePictureFile(); break;
    case 5: ShowOpenText(); break;
    case 6: SaveTextfile(); break;
    case 8: close(); break;
    default: break;  // separators
    }
}

void Main::NewText()
{
    if (!Module1::AskYesNo(this, QStringLiteral("Do you want to create a new text?"), QStringLiteral("New")))
        return;
    Text1->SetText(QByteArray());
    Pic->Surface().Clear();
    Pic->Refresh();
    SetDocumentName(QStringLiteral("Filename"));
    List1->clear();
}

void Main::ShowOpenPicture()
{
    OpenForm dialog(*this);
    dialog.exec();
}

void Main::ShowOpenText()
{
    OpenTekst dialog(*this);
    dialog.exec();
}

void Main::SaveTextfile()
{
    QString name;
    if (!Module1::AskFileName(this, QStringLiteral("Enter a name for this Text file..."),
                              QStringLiteral("the text was not saved!"), &name))
        return;
    const QString folder = Module1::ProgramFolder() + Module1::TextsFolderPart();
    QDir().mkdir(folder);  // inside the program folder only; one that exists already is no error
    const QString path = folder + name + QStringLiteral(".txt");
    if (Module1::NameTaken(path)
        && !Module1::AskYesNo(this, QStringLiteral("File already exists, overwrite?"), QStringLiteral("File Exists")))
        return;
    Module1::FillLineList(*this);
    QStringList lines;
    lines.reserve(List1->count());
    for (int i = 0; i < List1->count(); ++i)
        lines.append(List1->item(i)->text());
    // The old file is replaced only by a complete new one.
    QString error;
    if (!TextFile::Write(path, lines, &error))
        Module1::ShowSaveFailure(this, QStringLiteral("The text was not saved!"), path, error);
}
