#include "Main.h"
#include "Messages.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "ProgramFolder.h"


void Main::SavePictureFile()
{
    if (PutOffWhileBusy([this] { SavePictureFile(); }))
        return;
    QString name;
    if (!Module1::AskFileName(this, QStringLiteral("Enter a name for this picture..."),
                              QStringLiteral("the picture was not saved!"), &name))
        return;
    const QString path = Module1::ProgramFolder() + Module1::PicturesFolderPart() + name + QStringLiteral(".hqc");
    if (Module1::NameTaken(path)
        && !Module1::AskYesNo(this, QStringLiteral("File already exists, overwrite?"), QStringLiteral("File Exists")))
        return;

    BackPic->Surface().CopyFrom(Pic->Surface());
    Module1::MirrorPicture(BackPic->Surface());
    // The old file is replaced only by a complete new one.
    QString error;
    if (!PictureFile::Save(BackPic->Surface(), path, &error))
        Module1::ShowSaveFailure(this, QStringLiteral("The picture was not saved!"), path, error);
}
