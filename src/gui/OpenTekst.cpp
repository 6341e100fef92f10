#include "OpenTekst.h"

#include "Artwork.h"
#include "Controls.h"
#include "FolderList.h"
#include "LocalName.h"
#include "Main.h"
#include "Messages.h"
#include "ProgramFolder.h"
#include "StatusTexts.h"
#include "TextBox.h"
#include "TextFile.h"
#include "OuterSize.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QLocale>
#include <QStorageInfo>

#include <sys/stat.h>

namespace {

const QString kExtension = QStringLiteral(".txt");
const QColor kListBack(0, 0, 40);
const QColor kListText(220, 220, 220);

void StyleList(QWidget* w)
{
    SetBackground(w, kListBack);
    SetTextColour(w, kListText);
    w->setFont(ArialFont(8.25));
}

// Mounted volumes' roots, "/" first.
QStringList DriveRoots()
{
    QStringList roots = {QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    return roots;
}

}  // namespace

OpenTekst::OpenTekst(Main& main) : QDialog(&main), m_main(main)
{
    setObjectName(QStringLiteral("OpenTekst"));
    Form_Load();
}

void OpenTekst::Form_Load()
{
    setWindowTitle(QStringLiteral("Open Textfile (txt)"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // Centred on the screen, not over the main window as a dialog would be by default.
    KeepOuterSize(this, {434, 380}, m_main.screen());
    SetBackground(this, QColor(220, 220, 190));

    Drive1 = new NamedComboBox(this);
    Place(Drive1, QStringLiteral("Drive1"), 12, 14, 200, Drive1->sizeHint().height());
    StyleList(Drive1);
    Drive1->addItems(DriveRoots());
    StyleList(Drive1->view());  // the open list looks like the closed box

    Dir1 = new FolderList(this);
    Place(Dir1, QStringLiteral("Dir1"), 12, 38, 200, 246);
    StyleList(Dir1);

    List1 = new QListWidget(this);
    Place(List1, QStringLiteral("List1"), 216, 14, 200, 276);
    StyleList(List1);

    File1 = new QListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->hide();

    Label1 = MakeCaption(QStringLiteral("Label1"), QString(), this, 14, 294);

    CancelKnop = new ImageButton(QStringLiteral("CancelKnop"), Artwork::BevelButton(QStringLiteral("Ca"), QColor(30, 140, 60)), this);
    CancelKnop->move(336, 300);
    CancelKnop->setToolTip(QStringLiteral(" Cancel "));
    OkKnop = new ImageButton(QStringLiteral("OkKnop"), Artwork::BevelButton(QStringLiteral("Ok"), QColor(70, 70, 70)), this);
    OkKnop->move(378, 300);

    // The folder list starts at the working folder; the files come from the texts folder
    // when it exists, from the working folder otherwise.
    Dir1->SetPath(QDir::currentPath());
    const QString texts = Module1::ProgramFolder() + Module1::TextsFolderPart();
    ShowFolder(QFileInfo(texts).isDir() ? texts : Dir1->Path());

    connect(Drive1, &QComboBox::currentIndexChanged, this, &OpenTekst::Drive1_Change);
    connect(Dir1, &FolderList::changed, this, &OpenTekst::Dir1_Change);
    FirstKeyChoosesFirstEntry(List1);
    connect(List1, &QListWidget::itemClicked, this, &OpenTekst::List1_Click);
    // The selection moved by the keyboard counts as a click, as it does for a list box.
    connect(List1, &QListWidget::itemSelectionChanged, this, &OpenTekst::List1_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &OpenTekst::List1_DblClick);
    connect(OkKnop, &ImageButton::clicked, this, &OpenTekst::OkKnop_Click);
    connect(CancelKnop, &ImageButton::clicked, this, &OpenTekst::CancelKnop_Click);

    UseDialogKeys(this, OkKnop, CancelKnop);
    Drive1->setAccessibleName(QStringLiteral("Drive"));
    Dir1->setAccessibleName(QStringLiteral("Folders"));
    List1->setAccessibleName(QStringLiteral("Text files"));
    Label1->setAccessibleDescription(QStringLiteral("Number of text files, or the chosen file and its size"));
    SetTabChain({Drive1, Dir1, List1, CancelKnop, OkKnop});
    List1->setFocus();
}

void OpenTekst::ShowFolder(const QString& folder)
{
    m_fileFolder = QDir(folder).absolutePath();
    // Names are kept as bytes, so that one that is not UTF-8 opens too.
    const QStringList names = LocalName::FilesEndingIn(m_fileFolder, kExtension);
    File1->clear();
    File1->addItems(names);
    ListDocuments(List1, names, kExtension.size());
    SetCaption(Label1, QStringLiteral("%1 File's").arg(List1->count()));
}

QString OpenTekst::FilePath(const QString& file) const
{
    return QDir(m_fileFolder).filePath(file);
}

void OpenTekst::Drive1_Change()
{
    Dir1->SetPath(Drive1->currentText());  // an unreadable drive changes nothing
}

void OpenTekst::Dir1_Change()
{
    ShowFolder(Dir1->Path());
}

void OpenTekst::List1_Click()
{
    const QString file = ChosenDocument(List1);
    if (file.isEmpty())
        return;
    const QString shown = List1->currentItem()->text();
    const int room = CancelKnop->x() - Label1->x() - 6;  // not under the buttons
    struct stat info {};
    if (::stat(LocalName::ToBytes(FilePath(file)).constData(), &info) != 0) {
        SetCaption(Label1, shown, room);  // gone meanwhile: nothing to measure
        return;
    }
    SetCaption(Label1, shown, room,
               QStringLiteral(" / ") + Module1::GroupedNumber(info.st_size, QLocale()) + QStringLiteral(" Bytes"));
}

void OpenTekst::List1_DblClick()
{
    OkKnop_Click();
}

void OpenTekst::OkKnop_Click()
{
    OkKnop->PressEffect();
    const QString file = ChosenDocument(List1);
    if (file.isEmpty()) {
        Module1::ShowMessage(this, QStringLiteral("Select Filename!"));
        return;
    }
    // A file that cannot be read (gone, too large, not a regular file) is named with the reason.
    QByteArray text;
    QString error;
    if (!TextFile::Read(FilePath(file), &text, &error)) {
        Module1::ShowError(this, QStringLiteral("The text file could not be read!\n%1\n%2")
                                     .arg(LocalName::Shown(FilePath(file)), error));
        return;
    }
    m_main.Text1->SetText(text);
    m_main.SetDocumentName(List1->currentItem()->text());
    accept();
}

void OpenTekst::CancelKnop_Click()
{
    CancelKnop->PressEffect();
    reject();
}
