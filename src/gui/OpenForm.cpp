#include "OpenForm.h"

#include "Artwork.h"
#include "CodingRoutines.h"
#include "Controls.h"
#include "LocalName.h"
#include "Main.h"
#include "PictureBox.h"
#include "ProgramFolder.h"
#include "OuterSize.h"

#include <QDir>
#include <QListWidget>

namespace {
const QString kExtension = QStringLiteral(".hqc");
}

OpenForm::OpenForm(Main& main) : QDialog(&main), m_main(main)
{
    setObjectName(QStringLiteral("OpenForm"));
    Form_Load();
}

void OpenForm::Form_Load()
{
    setWindowTitle(QStringLiteral("Open Picture (hqc)"));
    KeepOuterSize(this, {240, 380});
    SetBackground(this, QColor(220, 220, 190));

    List1 = new QListWidget(this);
    Place(List1, QStringLiteral("List1"), 13, 14, 208, 276);
    SetBackground(List1, QColor(0, 0, 40));
    SetTextColour(List1, QColor(220, 220, 220));
    List1->setFont(ArialFont(8.25));

    File1 = new QListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->hide();
    Picture1 = new PictureBox(QStringLiteral("Picture1"), 0, 0, this);
    Picture1->hide();

    ListPictureFiles();

    Label1 = MakeCaption(QStringLiteral("Label1"), QStringLiteral("%1 File's").arg(List1->count()), this, 14, 296);

    CancelKnop = new ImageButton(QStringLiteral("CancelKnop"), Artwork::CancelMark(), this);
    CancelKnop->move(140, 300);
    OkKnop = new ImageButton(QStringLiteral("OkKnop"), Artwork::OkMark(), this);
    OkKnop->move(183, 300);

    FirstKeyChoosesFirstEntry(List1);
    connect(List1, &QListWidget::itemClicked, this, &OpenForm::List1_Click);
    // The selection moved by the keyboard counts as a click, as it does for a list box.
    connect(List1, &QListWidget::itemSelectionChanged, this, &OpenForm::List1_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &OpenForm::List1_DblClick);
    connect(OkKnop, &ImageButton::clicked, this, &OpenForm::OkKnop_Click);
    connect(CancelKnop, &ImageButton::clicked, this, &OpenForm::CancelKnop_Click);

    UseDialogKeys(this, OkKnop, CancelKnop);
    List1->setAccessibleName(QStringLiteral("Pictures"));
    Label1->setAccessibleDescription(QStringLiteral("Number of pictures, or the chosen picture"));
    SetTabChain({List1, CancelKnop, OkKnop});
    List1->setFocus();
}

void OpenForm::ListPictureFiles()
{
    // A missing folder simply lists nothing. Names that begin with "." are the user's too;
    // the program's own temporary files never end in the extension. Names are kept as bytes,
    // so that one that is not UTF-8 opens too.
    const QStringList names =
        LocalName::FilesEndingIn(Module1::ProgramFolder() + Module1::PicturesFolderPart(), kExtension);
    File1->addItems(names);
    ListDocuments(List1, names, kExtension.size());
}

void OpenForm::List1_Click()
{
    const QListWidgetItem* item = List1->currentItem();
    if (item && item->isSelected())
        SetCaption(Label1, item->text(), CancelKnop->x() - Label1->x() - 6);  // not under the buttons
}

void OpenForm::List1_DblClick()
{
    OkKnop_Click();
}

void OpenForm::OkKnop_Click()
{
    OkKnop->PressEffect();
    const QString file = ChosenDocument(List1);
    const QString path = Module1::ProgramFolder() + Module1::PicturesFolderPart() + file;
    const QString name = List1->currentItem() && !file.isEmpty() ? List1->currentItem()->text() : QString();

    Module1::OpenPictureFile(m_main, Picture1->Surface(), path, name, this);
    accept();
}

void OpenForm::CancelKnop_Click()
{
    CancelKnop->PressEffect();
    Module1::Pause(200);
    reject();
}
