// Placement of the main window's controls, in pixels relative to their panel.
#include "AccessibleTree.h"
#include "Artwork.h"
#include "Controls.h"
#include "Main.h"
#include "PictureBox.h"
#include "TextBox.h"

#include <QListWidget>
#include <QPushButton>

namespace {
const QColor kPanelColour(220, 220, 190);
const QColor kGrey(128, 128, 128);
// The margin around the clock's digits that holds its focus frame.
constexpr int kClockMarginX = 3;
constexpr int kClockMarginY = 2;

// A grey label with a thin border that shows behind the picture and the text box.
QLabel* MakeGreyBacking(const QString& name, QWidget* parent, const QRect& geometry)
{
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setObjectName(name);
    SetBackground(label, kGrey);
    SetThinBorder(label);
    return label;
}
}  // namespace

void Main::LayOutFrame1()
{
    Frame1 = MakePanel(QStringLiteral("Frame1"), centralWidget(), QRect(8, 2, 236, 360), kPanelColour);
    Label1 = MakeGreyBacking(QStringLiteral("Label1"), Frame1, QRect(12, 19, 213, 133));
    AccessibleTree::MarkDecorative(Label1);

    Pic = new PictureBox(QStringLiteral("Pic"), 200, 120, Frame1);
    Pic->move(18, 25);
    Pic->Surface().Frame({0, 0, 0});

    BackPic = new PictureBox(QStringLiteral("BackPic"), 200, 120, this);
    BackPic->hide();

    Label8 = new QLabel(QStringLiteral("Wait..."), Pic);
    Label8->setFont(ArialFont(9.75, true));
    SetTextColour(Label8, Qt::black);
    Place(Label8, QStringLiteral("Label8"), 80, 55);
    Label8->hide();

    Image1 = new ImageButton(QStringLiteral("Image1"), Artwork::ArrowLeft(), Frame1);
    Image1->move(22, 166);
    Image1->setToolTip(QStringLiteral(" Coderen "));
    Label4 = MakeCaption(QStringLiteral("Label4"), QStringLiteral("From Text to Picture (Hqc)"), Frame1, 64, 175);

    Image2 = new ImageButton(QStringLiteral("Image2"), Artwork::ArrowRight(), Frame1);
    Image2->move(24, 212);
    Image2->setToolTip(QStringLiteral(" De-Coderen "));
    Label5 = MakeCaption(QStringLiteral("Label5"), QStringLiteral("From Picture (Hqc) to Text"), Frame1, 64, 221);

    Image3 = new ImageButton(QStringLiteral("Image3"), Artwork::Printer(), Frame1);
    Image3->move(22, 258);
    Label6 = MakeCaption(QStringLiteral("Label6"), QStringLiteral("Print Text"), Frame1, 64, 270);

    Image4 = new ImageButton(QStringLiteral("Image4"), Artwork::PdfPage(), Frame1);
    Image4->move(22, 306);
    Label7 = MakeCaption(QStringLiteral("Label7"), QStringLiteral("Text to PDF document"), Frame1, 64, 318);
}

void Main::LayOutFrame4()
{
    Frame4 = MakePanel(QStringLiteral("Frame4"), centralWidget(), QRect(8, 364, 236, 72), kPanelColour);

    ForeColorLabel = new ClickLabel(Frame4);
    Place(ForeColorLabel, QStringLiteral("ForeColorLabel"), 10, 16, 40, 20);
    SetBackground(ForeColorLabel, QColor(64, 64, 64));
    SetThinBorder(ForeColorLabel);
    ForeColorLabel->setToolTip(QStringLiteral(" Click for change textcolor "));
    Label9 = MakeCaption(QStringLiteral("Label9"), QStringLiteral("Textcolor"), Frame4, 60, 19);

    BackColorLabel = new ClickLabel(Frame4);
    Place(BackColorLabel, QStringLiteral("BackColorLabel"), 10, 42, 40, 20);
    SetBackground(BackColorLabel, Qt::white);
    SetThinBorder(BackColorLabel);
    BackColorLabel->setToolTip(QStringLiteral(" Click for change backgroundcolor "));
    Label10 = MakeCaption(QStringLiteral("Label10"), QStringLiteral("Backgroundcolor Text"), Frame4, 60, 45);

    Label11 = new QLabel(Frame4);
    Place(Label11, QStringLiteral("Label11"), 177, 16, 50, 26);
    SetBackground(Label11, Qt::black);
    SetThinBorder(Label11);
    AccessibleTree::MarkDecorative(Label11);

    ResetKnop = new FlatButton(QStringLiteral("Reset"), Frame4);
    Place(ResetKnop, QStringLiteral("ResetKnop"), 179, 18, 46, 22);
    ResetKnop->setFont(ArialFont(8.25));
    SetBackground(ResetKnop, QColor(180, 200, 200));
    ResetKnop->setToolTip(QStringLiteral(" Reset all Colors "));
}

void Main::LayOutFrame2()
{
    Frame2 = MakePanel(QStringLiteral("Frame2"), centralWidget(), QRect(252, 2, 534, 400), kPanelColour);
    Label2 = MakeGreyBacking(QStringLiteral("Label2"), Frame2, QRect(12, 19, 510, 370));
    AccessibleTree::MarkDecorative(Label2);

    Text1 = new TextBox(QStringLiteral("Text1"), Frame2);
    Text1->setGeometry(18, 25, 496, 356);
    Text1->setFont(ArialFont(8.25));

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->hide();
}

void Main::LayOutFrame3()
{
    Frame3 = MakePanel(QStringLiteral("Frame3"), centralWidget(), QRect(252, 404, 534, 32), kPanelColour);
    Label3 = MakeCaption(QStringLiteral("Label3"), QString(), Frame3, 10, 12);
    // The counter changes on every key: it paints its own background (the panel's colour)
    // so that the panel behind it is not painted again each time.
    SetBackground(Label3, kPanelColour);
    FileLabel = MakeCaption(QStringLiteral("FileLabel"), QStringLiteral("Filename"), Frame3, 180, 12);
    DatumLabel = MakeCaption(QStringLiteral("DatumLabel"), QString(), Frame3, 320, 12);

    KlokLabel = new ClickLabel(QStringLiteral("00:00:00"), Frame3);
    KlokLabel->setFont(ArialFont(8.25));
    SetTextColour(KlokLabel, QColor(64, 64, 64));
    // A margin around the digits holds the keyboard's focus frame, so that the frame is drawn
    // around them, not across; the digits stay at 480, 12.
    KlokLabel->setContentsMargins(kClockMarginX, kClockMarginY, kClockMarginX, kClockMarginY);
    Place(KlokLabel, QStringLiteral("KlokLabel"), 480 - kClockMarginX, 12 - kClockMarginY);
}
