// The main window by keyboard and screen reader: which controls take the focus and in what
// order, and what a screen reader says of each.
#include "AccessibleTree.h"
#include "Controls.h"
#include "Main.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "TextBox.h"

#include <QPushButton>

void Main::MakeAccessible()
{
    Image1->MakeKeyboardButton(Label4->text(), QStringLiteral("Codes the text into the picture"));
    Image2->MakeKeyboardButton(Label5->text(), QStringLiteral("Decodes the picture into the text"));
    Image3->MakeKeyboardButton(Label6->text(), QStringLiteral("Prints the text"));
    Image4->MakeKeyboardButton(Label7->text(), QStringLiteral("Exports the text to a PDF document"));
    // The captions beside the picture buttons and the swatches are their labels.
    AccessibleTree::Caption(Label4, Image1);
    AccessibleTree::Caption(Label5, Image2);
    AccessibleTree::Caption(Label6, Image3);
    AccessibleTree::Caption(Label7, Image4);
    AccessibleTree::Caption(Label9, ForeColorLabel);
    AccessibleTree::Caption(Label10, BackColorLabel);
    ForeColorLabel->MakeKeyboardButton(QStringLiteral("Text colour"), ForeColorLabel->toolTip().trimmed());
    BackColorLabel->MakeKeyboardButton(QStringLiteral("Background colour"), BackColorLabel->toolTip().trimmed());
    ResetKnop->setAccessibleDescription(ResetKnop->toolTip().trimmed());
    ResetKnop->setFocusPolicy(Qt::StrongFocus);

    Text1->setAccessibleName(QStringLiteral("Text"));
    Text1->setAccessibleDescription(QStringLiteral("The text to code into the picture; Ctrl+Tab leaves the box"));
    Pic->setAccessibleName(QStringLiteral("Coded picture, 200 \u00d7 120 pixels"));
    Label3->setAccessibleDescription(QStringLiteral("Number of characters of the text"));
    FileLabel->setAccessibleDescription(QStringLiteral("Name of the document"));
    DatumLabel->setAccessibleDescription(QStringLiteral("Date"));
    // The clock's double-click (the signature of the last picture) is Space or Enter.
    KlokLabel->MakeKeyboardButton(QString(), QStringLiteral("Time; Enter shows the signature of the last picture"),
                                  ClickLabel::KeyPress::DoubleClick);
    DescribePicture();
    connect(Pic, &PictureBox::refreshed, this, &Main::DescribePicture);

    // The text first, then the commands from top to bottom, then the colours.
    SetTabChain({Text1, Image1, Image2, Image3, Image4, ForeColorLabel, BackColorLabel, ResetKnop, KlokLabel});
    Text1->setFocus();
}

void Main::DescribePicture()
{
    const PixelSurface& surface = Pic->Surface();
    const bool coded = PictureFile::IsCodedPicture(surface.Width(), surface.Height(),
                                                   PictureFile::ReadSignatureRow(surface));
    Pic->setAccessibleDescription(coded ? QStringLiteral("Holds a coded text") : QStringLiteral("Holds no coded text"));
}
