// The colour panel of the main window: the two swatches and Reset.
#include "CodingValues.h"
#include "ColorForm.h"
#include "ColorValues.h"
#include "Controls.h"
#include "Main.h"
#include "TextBox.h"

#include <QLabel>
#include <QScrollBar>

bool Main::ChooseColour(const QString& caption, int& red, int& green, int& blue)
{
    ColorForm dialog(this);
    dialog.setWindowTitle(caption);
    dialog.HScroll1[0]->setValue(red);
    dialog.HScroll1[1]->setValue(green);
    dialog.HScroll1[2]->setValue(blue);
    SetCaption(dialog.HexLabel, QStringLiteral("#") + Module1::ColorToHex(red, green, blue));
    dialog.exec();
    if (Module1::ColorCancelled == -1)
        return false;
    red = Module1::ChosenColorR;
    green = Module1::ChosenColorG;
    blue = Module1::ChosenColorB;
    return true;
}

void Main::ForeColorLabel_Click()
{
    using namespace Module1;
    if (!ChooseColour(QStringLiteral("Textcolor"), ForeColorR, ForeColorG, ForeColorB))
        return;
    const QColor colour(ForeColorR, ForeColorG, ForeColorB);
    SetBackground(ForeColorLabel, colour);
    Text1->SetTextColour(colour);
}

void Main::BackColorLabel_Click()
{
    using namespace Module1;
    if (!ChooseColour(QStringLiteral("Backgroundcolor Text"), BackColorR, BackColorG, BackColorB))
        return;
    const QColor colour(BackColorR, BackColorG, BackColorB);
    SetBackground(BackColorLabel, colour);
    Text1->SetBackColour(colour);
}

void Main::ResetKnop_Click()
{
    using namespace Module1;
    ForeColorR = ForeColorG = ForeColorB = 60;
    Text1->SetTextColour(QColor(60, 60, 60));
    SetBackground(ForeColorLabel, QColor(60, 60, 60));
    BackColorR = BackColorG = BackColorB = 255;
    Text1->SetBackColour(Qt::white);
    SetBackground(BackColorLabel, Qt::white);
}
