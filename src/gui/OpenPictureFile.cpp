#include "CodingRoutines.h"
#include "CodingValues.h"
#include "LocalName.h"
#include "Main.h"
#include "Messages.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "TextBox.h"

namespace Module1 {

bool OpenPictureFile(Main& main, PixelSurface& staging, const QString& path, const QString& name, QWidget* parent,
                     bool namesTheFile)
{
    // A file that cannot be loaded leaves the staging surface as it was, which fails the check.
    QString why;
    PictureFile::Load(staging, path, &why);
    const int width = staging.Width();
    const int height = staging.Height();
    MirrorPicture(staging);
    SignatureText = PictureFile::ReadSignatureRow(staging);
    if (!PictureFile::IsCodedPicture(width, height, SignatureText)) {
        // Opened from the desktop, the message says which file and why, as for a text file.
        if (why.isEmpty())
            why = QStringLiteral("no Hollowbrandt signature: not a valid Glyphix picture");
        ShowError(parent, namesTheFile ? QStringLiteral("No valid Glyphix picture!\n%1\n%2").arg(LocalName::Shown(path), why)
                                       : QStringLiteral("No valid Glyphix picture!"));
        return false;
    }
    main.Pic->Surface().CopyFrom(staging);
    main.Pic->Refresh();
    main.SetDocumentName(name);
    main.Text1->SetText(QByteArray());
    return true;
}

}  // namespace Module1
