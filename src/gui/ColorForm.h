// The colour dialog: three bars for red, green and blue, a preview and the hexadecimal value.
#pragma once

#include <QDialog>

#include <array>

class ImageButton;
class QLabel;
class QScrollBar;

class ColorForm : public QDialog {
    Q_OBJECT
public:
    explicit ColorForm(QWidget* parent);

    QLabel* Label1 = nullptr;
    std::array<QScrollBar*, 3> HScroll1{};
    std::array<QLabel*, 3> RGBlabel{};
    QLabel* Label2 = nullptr;
    QLabel* HexLabel = nullptr;
    QLabel* Image1 = nullptr;
    ImageButton* CancelKnop = nullptr;
    ImageButton* OkKnop = nullptr;

public slots:
    void Form_Load();
    void HScroll1_Change(int Index);
    void OkKnop_Click();
    void CancelKnop_Click();

public:
    // Steps of Page Up and Page Down on a bar.
    static constexpr int PageKeyStep = 16;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The close box counts as Cancel.
    void reject() override;

private:
    void MakeAccessible();
};
