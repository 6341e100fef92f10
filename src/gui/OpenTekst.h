// The open-text dialog: drives, folders and the text files of one folder.
#pragma once

#include <QDialog>

class FolderList;
class ImageButton;
class Main;
class QComboBox;
class QLabel;
class QListWidget;

class OpenTekst : public QDialog {
    Q_OBJECT
public:
    explicit OpenTekst(Main& main);

    QComboBox* Drive1 = nullptr;
    FolderList* Dir1 = nullptr;
    QListWidget* List1 = nullptr;
    QListWidget* File1 = nullptr;  // hidden: the "*.txt" file names of FileFolder()
    QLabel* Label1 = nullptr;
    ImageButton* CancelKnop = nullptr;
    ImageButton* OkKnop = nullptr;

    // The folder File1 lists.
    QString FileFolder() const { return m_fileFolder; }

public slots:
    void Form_Load();
    void Drive1_Change();
    void Dir1_Change();
    void List1_Click();
    void List1_DblClick();
    void OkKnop_Click();
    void CancelKnop_Click();

private:
    // Points File1 at folder and refills List1 and the count.
    void ShowFolder(const QString& folder);
    // The path of a file of the folder whose files are listed.
    QString FilePath(const QString& file) const;

    Main& m_main;
    QString m_fileFolder;
};
