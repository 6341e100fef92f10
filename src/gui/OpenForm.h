// The open-picture dialog: lists the saved pictures, checks and opens the chosen one.
#pragma once

#include <QDialog>

class ImageButton;
class Main;
class PictureBox;
class QLabel;
class QListWidget;

class OpenForm : public QDialog {
    Q_OBJECT
public:
    explicit OpenForm(Main& main);

    QListWidget* List1 = nullptr;
    QListWidget* File1 = nullptr;  // hidden file list of the pictures folder
    QLabel* Label1 = nullptr;
    PictureBox* Picture1 = nullptr;
    ImageButton* OkKnop = nullptr;
    ImageButton* CancelKnop = nullptr;

public slots:
    void Form_Load();
    void List1_Click();
    void List1_DblClick();
    void OkKnop_Click();
    void CancelKnop_Click();

private:
    // Fills File1 with the picture files of the pictures folder, sorted by name.
    void ListPictureFiles();

    Main& m_main;
};
