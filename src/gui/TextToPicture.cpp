#include "CodedPicture.h"
#include "CodingRoutines.h"
#include "CodingValues.h"
#include "Main.h"
#include "Messages.h"
#include "PictureBox.h"
#include "TextBox.h"
#include "WaitIndication.h"

#include <QCoreApplication>
#include <QLocale>

namespace Module1 {
namespace {

// Asks before coding a text of which some characters will not come back; true to go on.
bool AcceptLoss(Main& main, int lost)
{
    if (lost == 0)
        return true;
    const QString count = QLocale().toString(lost);
    const QString text = lost == 1
        ? QStringLiteral("1 character of this text will not come back from the picture, code anyway?")
        : QStringLiteral("%1 characters of this text will not come back from the picture, code anyway?").arg(count);
    return AskYesNo(&main, text);
}

}  // namespace

void TextToPicture(Main& main)
{
    Main::BusyScope busy(main);
    // The text, its size and colours are taken once, when coding starts.
    const QByteArray text = main.Text1->Text();
    CodedPicture::Settings settings;
    settings.textSize = main.Text1->TextSize();
    settings.back = {BackColorR, BackColorG, BackColorB};
    settings.fore = {ForeColorR, ForeColorG, ForeColorB};
    if (!AcceptLoss(main, CodedPicture::CharactersNotRecoverable(text)))
        return;

    WaitIndication wait(main);
    PixelSurface& surface = main.Pic->Surface();
    SignatureText = CodedPicture::SignatureText();
    CodedPicture::DrawHeader(surface, settings, *QRandomGenerator::global());

    const int groups = CodedPicture::GroupCount(static_cast<int>(text.size()));
    for (int k = 0; k < groups && !main.Closing(); ++k) {
        const QPoint p = CodedPicture::GroupPosition(k);
        if (p.y() >= CodedPicture::Height)
            break;  // below the raster nothing is written
        surface.SetPixel(p.x(), p.y(), CodedPicture::GroupColour(text, k));
        QCoreApplication::processEvents();
    }
    main.Pic->Refresh();
}

}  // namespace Module1
