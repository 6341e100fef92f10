#include "ColorForm.h"

#include "AccessibleTree.h"
#include "Artwork.h"
#include "ColorValues.h"
#include "Controls.h"
#include "OuterSize.h"

#include <QKeyEvent>
#include <QScrollBar>

ColorForm::ColorForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ColorForm"));
    Form_Load();
}

void ColorForm::Form_Load()
{
    setWindowTitle(QStringLiteral("Colors"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    KeepOuterSize(this, {320, 178});
    SetBackground(this, QColor(220, 220, 190));

    Label1 = new QLabel(this);
    Place(Label1, QStringLiteral("Label1"), 14, 16, 160, 64);
    SetBackground(Label1, QColor(64, 0, 0));
    SetThinBorder(Label1);
    AccessibleTree::MarkDecorative(Label1);  // the frame behind the bars

    for (int i = 0; i < 3; ++i) {
        auto* bar = new FocusScrollBar(Qt::Horizontal, this);
        Place(bar, QStringLiteral("HScroll1_%1").arg(i), 16, 18 + 20 * i, 156, 20);
        bar->setRange(0, 255);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setTracking(false);  // no change while the thumb is dragged
        HScroll1[static_cast<std::size_t>(i)] = bar;
        RGBlabel[static_cast<std::size_t>(i)] =
            MakeCaption(QStringLiteral("RGBlabel_%1").arg(i), QStringLiteral("0"), this, 180, 21 + 20 * i);
        RGBlabel[static_cast<std::size_t>(i)]->resize(32, 14);
        // Through an object of no accessible kind, so that a bar is not called the dialog's controller.
        connect(bar, &QScrollBar::valueChanged, new QObject(this), [this, i] { HScroll1_Change(i); });
    }

    Label2 = new QLabel(this);
    Place(Label2, QStringLiteral("Label2"), 14, 86, 160, 24);
    SetBackground(Label2, QColor(64, 0, 0));
    SetThinBorder(Label2);

    HexLabel = MakeCaption(QStringLiteral("HexLabel"), QStringLiteral("#000000"), this, 16, 116);
    HexLabel->setFont(ArialFont(9.75));
    HexLabel->adjustSize();

    Image1 = new QLabel(this);
    Image1->setPixmap(Artwork::ColourWheel());
    Place(Image1, QStringLiteral("Image1"), 228, 20, 64, 64);
    AccessibleTree::MarkDecorative(Image1);  // the colour wheel, an ornament

    CancelKnop = new ImageButton(QStringLiteral("CancelKnop"), Artwork::CancelMark(), this);
    CancelKnop->move(224, 102);
    OkKnop = new ImageButton(QStringLiteral("OkKnop"), Artwork::OkMark(), this);
    OkKnop->move(266, 102);
    connect(OkKnop, &ImageButton::clicked, this, &ColorForm::OkKnop_Click);
    connect(CancelKnop, &ImageButton::clicked, this, &ColorForm::CancelKnop_Click);
    MakeAccessible();
}

void ColorForm::MakeAccessible()
{
    // The bars take the focus and move with the arrow keys (one step), Page Up/Down (a
    // sixteenth of the range), Home and End; the step of a click beside the thumb stays one.
    const char* const names[] = {"Red", "Green", "Blue"};
    for (std::size_t i = 0; i < HScroll1.size(); ++i) {
        HScroll1[i]->setAccessibleName(QString::fromLatin1(names[i]));
        // The number beside a bar is the bar's value: read with the bar, as its label.
        AccessibleTree::Caption(RGBlabel[i], HScroll1[i]);
        HScroll1[i]->installEventFilter(this);
    }
    UseDialogKeys(this, OkKnop, CancelKnop);
    Label2->setAccessibleName(QStringLiteral("Chosen colour"));
    HexLabel->setAccessibleDescription(QStringLiteral("Chosen colour as a hexadecimal value"));
    SetTabChain({HScroll1[0], HScroll1[1], HScroll1[2], CancelKnop, OkKnop});
    HScroll1[0]->setFocus();
}

bool ColorForm::eventFilter(QObject* watched, QEvent* event)
{
    auto* bar = qobject_cast<QScrollBar*>(watched);
    if (bar && event->type() == QEvent::KeyPress) {
        // Right and Up raise the value, Left and Down lower it; Page Up/Down by a larger step,
        // Home and End to the ends.
        const int value = bar->value();
        int target = value;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Right: case Qt::Key_Up: target = value + 1; break;
        case Qt::Key_Left: case Qt::Key_Down: target = value - 1; break;
        case Qt::Key_PageUp: target = value + PageKeyStep; break;
        case Qt::Key_PageDown: target = value - PageKeyStep; break;
        case Qt::Key_Home: target = bar->minimum(); break;
        case Qt::Key_End: target = bar->maximum(); break;
        default: return QDialog::eventFilter(watched, event);
        }
        bar->setValue(target);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ColorForm::HScroll1_Change(int Index)
{
    const int r = HScroll1[0]->value();
    const int g = HScroll1[1]->value();
    const int b = HScroll1[2]->value();
    SetBackground(Label2, QColor(r, g, b));
    SetCaption(RGBlabel[static_cast<std::size_t>(Index)], QString::number(HScroll1[static_cast<std::size_t>(Index)]->value()));
    SetCaption(HexLabel, QStringLiteral("#") + Module1::ColorToHex(r, g, b));
}

void ColorForm::OkKnop_Click()
{
    OkKnop->PressEffect();
    Module1::ChosenColorR = HScroll1[0]->value();
    Module1::ChosenColorG = HScroll1[1]->value();
    Module1::ChosenColorB = HScroll1[2]->value();
    Module1::ColorCancelled = 0;
    accept();
}

void ColorForm::CancelKnop_Click()
{
    CancelKnop->PressEffect();
    reject();
}

void ColorForm::reject()
{
    Module1::ColorCancelled = -1;
    QDialog::reject();
}
