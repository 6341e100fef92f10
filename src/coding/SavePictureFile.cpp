#include "Main.h"
#include "Messages.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "ProgramFolder.h"

#include <QInputDialog>

void Main::SavePictureFile()
{
    if (Busy())
        return;
    bool accepted = false;
    const QString name = QInputDialog::getText(this, Module1::ApplicationTitle(),
                                               QStringLiteral("Enter a name for this picture..."),
                                               QLineEdit::Normal, QString(), &accepted);
    if (!accepted || Module1::TrimBlanks(name).isEmpty())
        return;
    if (!Module1::IsSafeFileName(name)) {
        Module1::ShowError(this, QStringLiteral("Invalid name, the picture was not saved!"));
        return;
    }
    const QString path = Module1::ProgramFolder() + Module1::PicturesFolderPart() + name + QStringLiteral(".hqc");
    if (Module1::FileExists(path)
        && !Module1::AskYesNo(this, QStringLiteral("File already exists, overwrite?"), QStringLiteral("File Exists")))
        return;

    BackPic->Surface().CopyFrom(Pic->Surface());
    Module1::MirrorPicture(BackPic->Surface());
    // The old file is replaced only by a complete new one.
    QString error;
    if (!PictureFile::Save(BackPic->Surface(), path, &error))
        Module1::ShowError(this, QStringLiteral("The picture was not saved!\n%1").arg(error));
}
