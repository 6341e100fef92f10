#include "CodingRoutines.h"
#include "CodingValues.h"
#include "Main.h"
#include "Messages.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "TextBox.h"

namespace Module1 {

bool OpenPictureFile(Main& main, PixelSurface& staging, const QString& path, const QString& name, QWidget* parent)
{
    // A file that cannot be loaded leaves the staging surface as it was, which fails the check.
    PictureFile::Load(staging, path);
    const int width = staging.Width();
    const int height = staging.Height();
    MirrorPicture(staging);
    SignatureText = PictureFile::ReadSignatureRow(staging);
    if (!PictureFile::IsCodedPicture(width, height, SignatureText)) {
        ShowError(parent, QStringLiteral("No valid Glyphix picture!"));
        return false;
    }
    main.Pic->Surface().CopyFrom(staging);
    main.Pic->Refresh();
    main.SetDocumentName(name);
    main.Text1->SetText(QByteArray());
    return true;
}

}  // namespace Module1
