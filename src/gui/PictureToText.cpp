#include "CodedPicture.h"
#include "CodingRoutines.h"
#include "CodingValues.h"
#include "Main.h"
#include "PictureBox.h"
#include "TextBox.h"
#include "WaitIndication.h"

#include <QCoreApplication>

namespace Module1 {

void PictureToText(Main& main)
{
    using namespace CodedPicture;
    Main::BusyScope busy(main);
    WaitIndication wait(main);
    const PixelSurface& surface = main.Pic->Surface();

    SignatureText = ReadRow(surface, SignatureRow, SignatureFirstX, SignatureLastX);

    // A size the font cannot take (0) leaves the text size as it was.
    const int size = surface.GetPixel(TextSizeX, SignatureRow).r;
    if (size > 0)
        main.Text1->SetTextSize(size);
    main.CheckTextSizeItem(size);

    const Rgb back = surface.GetPixel(BackColorX, SignatureRow);
    BackColorR = back.r;
    BackColorG = back.g;
    BackColorB = back.b;
    SetBackground(main.BackColorLabel, QColor(back.r, back.g, back.b));
    main.Text1->SetBackColour(QColor(back.r, back.g, back.b));

    const Rgb fore = surface.GetPixel(ForeColorX, SignatureRow);
    ForeColorR = fore.r;
    ForeColorG = fore.g;
    ForeColorB = fore.b;
    SetBackground(main.ForeColorLabel, QColor(fore.r, fore.g, fore.b));
    main.Text1->SetTextColour(QColor(fore.r, fore.g, fore.b));

    main.Text1->SetText(QByteArray());
    QByteArray result;
    result.reserve(ReadableCharacters);
    for (int y = TextFirstRow; y <= TextLastReadRow && !main.Closing(); ++y) {
        AppendRow(result, surface, y, TextFirstX, TextLastX);
        QCoreApplication::processEvents();
    }
    main.Text1->SetText(result);
}

}  // namespace Module1
