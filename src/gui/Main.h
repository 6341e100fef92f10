// The main window: picture and image buttons, colour panel, text box, status bar, menus.
#pragma once

#include <QList>
#include <QMainWindow>
#include <QUrl>

#include <array>
#include <functional>
#include <map>
#include <vector>

class ClickLabel;
class ImageButton;
class PictureBox;
class TextBox;
class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

class Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Main(QWidget* parent = nullptr);

    // Size of the client area below the menu bar, in pixels, with the assumed frame (6 x 28);
    // under a window manager with another frame it follows that frame (see OuterSize.h).
    static constexpr int ClientWidth = 794;
    static constexpr int ClientHeight = 444;
    static constexpr int MenuBarHeight = 20;
    static constexpr int OuterWidth = 800;
    static constexpr int OuterHeight = 492;

    // Panels and their controls; every objectName is the member's name.
    QFrame* Frame1 = nullptr;
    QFrame* Frame2 = nullptr;
    QFrame* Frame3 = nullptr;
    QFrame* Frame4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    PictureBox* Pic = nullptr;
    PictureBox* BackPic = nullptr;
    ImageButton* Image1 = nullptr;
    ImageButton* Image2 = nullptr;
    ImageButton* Image3 = nullptr;
    ImageButton* Image4 = nullptr;
    ClickLabel* ForeColorLabel = nullptr;
    ClickLabel* BackColorLabel = nullptr;
    QPushButton* ResetKnop = nullptr;
    TextBox* Text1 = nullptr;
    QLabel* FileLabel = nullptr;
    QLabel* DatumLabel = nullptr;
    ClickLabel* KlokLabel = nullptr;
    QListWidget* List1 = nullptr;
    QTimer* Timer1 = nullptr;
    // Sizes the counter to its text once typing pauses (see Text1_Change): after this many
    // milliseconds without a key, and with this many pixels of room meanwhile.
    QTimer* CounterFit = nullptr;
    static constexpr int CounterFitDelay = 150;
    static constexpr int CounterSlack = 4;

    // Menus.
    QMenu* File = nullptr;
    QMenu* Info = nullptr;
    QMenu* Lettergrootte = nullptr;
    std::array<QAction*, 9> FileIndex{};
    QAction* MeerSoftware = nullptr;
    QAction* BijzondereTekens = nullptr;
    QAction* Streep3 = nullptr;
    QAction* Verzenden = nullptr;
    std::map<int, QAction*> LetGrote;  // indices 8 to 12

    // True while the encoder or decoder runs: other coding, file and output commands wait.
    bool Busy() const { return m_busy; }
    // While coding runs, command is kept and run once it has finished (in the order given);
    // true when it was put off, false when the window is free and the caller goes on.
    bool PutOffWhileBusy(std::function<void()> command);
    // True once the window has been closed: running loops stop.
    bool Closing() const { return m_closing; }

    // Sets the document name shown in the status bar.
    void SetDocumentName(const QString& name);
    // Puts the check mark on text-size item index alone (none when there is no such item).
    void CheckTextSizeItem(int index);
    // Opens a document from anywhere (the command line, a drop): a coded picture (".hqc") as
    // Open Picture opens it, a text file (".txt") as Open Textfile does; anything else is
    // refused with a message and changes nothing.
    void OpenDocument(const QString& path);
    // Opens the files dropped on the window: one document, or a message saying what it takes.
    void OpenDroppedFiles(const QList<QUrl>& files);

    // Marks a coding run; commands that find the window busy wait until it ends.
    class BusyScope {
    public:
        explicit BusyScope(Main& main) : m_main(main) { m_main.m_busy = true; }
        ~BusyScope()
        {
            m_main.m_busy = false;
            m_main.RunWaitingCommands();
        }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;
    private:
        Main& m_main;
    };

public slots:
    void Form_Load();
    void Timer1_Timer();
    void KlokLabel_DblClick();
    void Text1_Change();
    void LetGrote_Click(int Index);
    void FileIndex_Click(int Index);
    void Image1_Click();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();
    void MeerSoftware_Click();
    void BijzondereTekens_Click();
    void Verzenden_Click();
    void ForeColorLabel_Click();
    void BackColorLabel_Click();
    void ResetKnop_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void Form_Unload();

private:
    void LayOutFrame1();
    void LayOutFrame4();
    void LayOutFrame2();
    void LayOutFrame3();
    void BuildFileMenu();
    void BuildToolsMenu();
    void BuildTextsizeMenu();
    void ConnectHandlers();
    void MakeAccessible();
    void DescribePicture();
    void NewText();
    void SavePictureFile();
    void ShowOpenPicture();
    void SaveTextfile();
    void ShowOpenText();
    // Colour dialog for one of the two colours; true when the user chose one with OK.
    bool ChooseColour(const QString& caption, int& red, int& green, int& blue);

    // Runs the commands put off while coding ran, once the event that ended it is done.
    void RunWaitingCommands();

    bool m_busy = false;
    std::vector<std::function<void()>> m_waiting;
    bool m_closing = false;
};
