// The main window Main: its start (Form_Load), the handlers of its controls and menus, the clock,
// the character counter, the text size and its end.
#include "Main.h"

#include "Artwork.h"
#include "CodingRoutines.h"
#include "CodingValues.h"
#include "Controls.h"
#include "DateText.h"
#include "FocusReturn.h"
#include "Messages.h"
#include "OutputRoutines.h"
#include "PictureBox.h"
#include "ProgramFolder.h"
#include "StatusTexts.h"
#include "TextBox.h"
#include "Win1252.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QLocale>
#include <QPushButton>
#include "AccessibleTree.h"
#include "OuterSize.h"

#include <QScreen>
#include <QTime>
#include <QTimer>

Main::Main(QWidget* parent) : QMainWindow(parent)
{
    AccessibleTree::KeepToWhatShows();
    FocusReturn::Install();
    setObjectName(QStringLiteral("Main"));
    Form_Load();
}

void Main::Form_Load()
{
    // 1. Size, background and caption: a fixed window without maximise button.
    setWindowTitle(QStringLiteral("Huecipher (Glyphix)"));
    setWindowIcon(Artwork::WindowIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    AccessibleTree::MarkPanel(client);
    SetBackground(client, QColor(220, 220, 190));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);
    setAcceptDrops(true);  // documents dropped on the window open
    BuildFileMenu();
    BuildToolsMenu();
    BuildTextsizeMenu();
    menuBar()->setFixedHeight(MenuBarHeight);

    // 2-5. The panels and their controls.
    LayOutFrame1();
    LayOutFrame4();
    LayOutFrame2();
    LayOutFrame3();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    CounterFit = new QTimer(this);
    CounterFit->setSingleShot(true);
    CounterFit->setInterval(CounterFitDelay);
    connect(CounterFit, &QTimer::timeout, this, [this] { SetCaption(Label3, Label3->text()); });
    ConnectHandlers();
    MakeAccessible();
    Text1->SetText(QByteArray());
    Text1_Change();
    SetCaption(DatumLabel, DateText());

    // 6. Text colour and background of the text box; the swatches keep their own colours.
    Module1::ForeColorR = Module1::ForeColorG = Module1::ForeColorB = 60;
    Module1::BackColorR = Module1::BackColorG = Module1::BackColorB = 255;
    Text1->SetTextColour(QColor(60, 60, 60));
    Text1->SetBackColour(Qt::white);

    // 7. The clock ticks from now on.
    // The outer size 800 x 492, centred: the client area follows the window manager's frame.
    KeepOuterSize(this, {OuterWidth, OuterHeight}, QGuiApplication::primaryScreen(), [this](QSize client) {
        centralWidget()->setFixedSize(client.width(), client.height() - MenuBarHeight);
        setFixedSize(client);
    });
    Timer1->start();
}

void Main::ConnectHandlers()
{
    connect(Timer1, &QTimer::timeout, this, &Main::Timer1_Timer);
    connect(KlokLabel, &ClickLabel::doubleClicked, this, &Main::KlokLabel_DblClick);
    connect(Text1, &QPlainTextEdit::textChanged, this, &Main::Text1_Change);
    connect(Text1, &TextBox::filesDropped, this, &Main::OpenDroppedFiles);
    connect(Image1, &ImageButton::clicked, this, &Main::Image1_Click);
    connect(Image2, &ImageButton::clicked, this, &Main::Image2_Click);
    connect(Image3, &ImageButton::clicked, this, &Main::Image3_Click);
    connect(Image4, &ImageButton::clicked, this, &Main::Image4_Click);
    connect(ForeColorLabel, &ClickLabel::clicked, this, &Main::ForeColorLabel_Click);
    connect(BackColorLabel, &ClickLabel::clicked, this, &Main::BackColorLabel_Click);
    // Through an object of no accessible kind: a screen reader would otherwise call Reset the
    // controller of the whole window.
    connect(ResetKnop, &QPushButton::clicked, new QObject(this), [this] { ResetKnop_Click(); });
}

void Main::Timer1_Timer()
{
    SetCaption(KlokLabel, Module1::ClockText(QTime::currentTime(), QLocale()));
}

void Main::KlokLabel_DblClick()
{
    Module1::ShowMessage(this, Win1252::Decode(Module1::SignatureText.left(48)));
}

namespace {
// True when the two texts differ in digits only, each against a digit.
bool DifferInDigitsOnly(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a.at(i) != b.at(i) && !(a.at(i).isDigit() && b.at(i).isDigit()))
            return false;
    return true;
}
}  // namespace

void Main::Text1_Change()
{
    // The counter changes on every key, and measuring its text for its size is most of what
    // a key costs. While only its digits change, the text follows at once and the label,
    // a little wider meanwhile so that nothing is cut off, is sized when typing pauses.
    const QString counter = Module1::CounterText(Text1->CharacterCount(), QLocale());
    if (!DifferInDigitsOnly(Label3->text(), counter)) {
        CounterFit->stop();
        SetCaption(Label3, counter);
        return;
    }
    if (!CounterFit->isActive())
        Label3->resize(Label3->width() + CounterSlack, Label3->height());
    Label3->setText(counter);
    CounterFit->start();
}

void Main::LetGrote_Click(int Index)
{
    Text1->SetTextSize(Index);
    CheckTextSizeItem(Index);
}

void Main::CheckTextSizeItem(int index)
{
    for (auto& [i, item] : LetGrote)
        item->setChecked(i == index);
}

bool Main::PutOffWhileBusy(std::function<void()> command)
{
    if (!m_busy)
        return false;
    m_waiting.push_back(std::move(command));
    return true;
}

void Main::RunWaitingCommands()
{
    if (m_waiting.empty())
        return;
    QTimer::singleShot(0, this, [this] {
        std::vector<std::function<void()>> waiting;
        waiting.swap(m_waiting);
        // A command that starts coding again puts the ones after it off once more.
        for (auto& command : waiting)
            if (!m_closing)
                command();
    });
}

void Main::SetDocumentName(const QString& name)
{
    // Cut short before it runs into the date.
    SetCaption(FileLabel, name, DatumLabel->x() - FileLabel->x() - 8);
}

void Main::Image1_Click()
{
    if (PutOffWhileBusy([this] { Image1_Click(); }))
        return;
    Image1->PressEffect();
    if (Text1->CharacterCount() == 0) {
        Module1::ShowMessage(this, QStringLiteral("No text available!"));
        return;
    }
    Module1::TextToPicture(*this);
}

void Main::Image2_Click()
{
    if (PutOffWhileBusy([this] { Image2_Click(); }))
        return;
    Image2->PressEffect();
    Module1::PictureToText(*this);
}

void Main::Image3_Click()
{
    if (PutOffWhileBusy([this] { Image3_Click(); }))
        return;
    Image3->PressEffect();
    if (Module1::TrimBlanks(Win1252::Decode(Text1->Text())).isEmpty())
        return;
    Module1::PrintText(*this, FileLabel->text());
}

void Main::Image4_Click()
{
    if (PutOffWhileBusy([this] { Image4_Click(); }))
        return;
    Image4->PressEffect();
    if (Module1::TrimBlanks(Win1252::Decode(Text1->Text())).isEmpty())
        return;
    QString name;
    if (!Module1::AskFileName(this, QStringLiteral("Enter a name for this PDF document..."),
                              QStringLiteral("the PDF document was not written!"), &name))
        return;
    Module1::ExportPdf(*this, name);
}

void Main::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void Main::Form_Unload()
{
    // Closing the main window ends the program: nothing is asked, every other window closes.
    m_closing = true;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
}
