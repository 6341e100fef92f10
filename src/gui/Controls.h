// Small controls the windows are built from: image buttons, clickable labels, panels.
#pragma once

class QListWidget;

#include <QColor>
#include <QFrame>
#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>

#include <functional>
#include <initializer_list>

class QScreen;

// Waits ms milliseconds without reacting, after repainting what moved (the press effect's
// pause). Benchmarks and tests may switch the pauses off.
namespace Module1 {
void Pause(int ms);
void SetPausesEnabled(bool enabled);
// Called with the length of every pause once the screen shows what moved (for tests).
void SetPauseObserver(std::function<void(int ms)> observer);
}  // namespace Module1

// A label that reports clicks and double-clicks (swatches, the clock). One that is made a
// keyboard button takes the focus, shows it with a dotted frame, and reports Space and
// Enter as clicks.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    // What Space and Enter stand for on a keyboard button.
    enum class KeyPress { Click, DoubleClick };
    // Makes the label reachable by Tab and pressable by keys; name and description are what
    // a screen reader says of it (without a name, the label's text is read).
    void MakeKeyboardButton(const QString& accessibleName, const QString& accessibleDescription = QString(),
                            KeyPress press = KeyPress::Click);
    bool IsKeyboardButton() const { return focusPolicy() != Qt::NoFocus; }
    // Runs what a press from the keyboard (or a screen reader) stands for.
    void Press();

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    KeyPress m_press = KeyPress::Click;
    ulong m_lastClick = 0;  // the time of the last click's release
    bool m_pressJoinsLastClick = false;
};

// A picture that acts as a button: clicked() on a click, Space or Enter; the handler runs
// the press effect.
class ImageButton : public ClickLabel {
    Q_OBJECT
public:
    ImageButton(const QString& name, const QPixmap& picture, QWidget* parent);
    // Moves the button 2 pixels right and down for 200 ms, then back.
    void PressEffect();
};

// Called at the end of a paintEvent: a dotted frame just inside the edge of a control that
// has the focus, in black on white so that it shows on any colour.
void DrawFocusFrame(QWidget* w);

// A scroll bar that takes the focus and shows it with the dotted frame (the colour bars).
class FocusScrollBar : public QScrollBar {
    Q_OBJECT
public:
    FocusScrollBar(Qt::Orientation orientation, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A flat push button (Reset) that shows the focus with the same dotted frame as the picture
// buttons; the flat style draws none of its own.
class FlatButton : public QPushButton {
    Q_OBJECT
public:
    FlatButton(const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter and Return press the button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;
};

// A drop-down list that a screen reader reads by its own name, with the entry shown as its
// value (a plain one on this platform is named by its entry).
class NamedComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit NamedComboBox(QWidget* parent);
};

// Sets the order in which Tab walks the controls: each after the one before it.
void SetTabChain(std::initializer_list<QWidget*> chain);

// Enter in a dialog does what its OK button does and Escape what its Cancel button does,
// unless the control with the focus uses the key itself. Both buttons become keyboard
// buttons, named "OK" and "Cancel".
void UseDialogKeys(QWidget* dialog, ClickLabel* ok, ClickLabel* cancel);

// Helpers that give a control its name, place and look.
QFrame* MakePanel(const QString& name, QWidget* parent, const QRect& geometry, const QColor& background);
void Place(QWidget* w, const QString& name, int left, int top, int width = -1, int height = -1);
void SetBackground(QWidget* w, const QColor& colour);
void SetTextColour(QWidget* w, const QColor& colour);
// A caption label: Arial 8.25 pt, RGB(64, 64, 64), transparent, sized to its text.
QLabel* MakeCaption(const QString& name, const QString& text, QWidget* parent, int left, int top);
// A thin sunken border, as on the grey panels and swatches.
void SetThinBorder(QFrame* f);
QFont ArialFont(double points, bool bold = false);
// Moves a top-level window so that, at the given outer size, it stands centred on screen; one
// larger than the screen keeps its top-left corner (and so its title bar) on the screen.
void CentreOnScreen(QWidget* w, const QScreen* screen, int outerWidth, int outerHeight);
// Where a window of outer size stands centred in available, kept inside it at the top left.
QPoint CentredTopLeft(const QRect& available, QSize outer);

// Sets a caption label's text and sizes it to the text. With maxWidth, a text that would be
// wider is cut with an ellipsis before its kept end (which is shown whole, after text).
void SetCaption(QLabel* label, const QString& text, int maxWidth = 0, const QString& kept = QString());

// Fills a dialog's list with documents: each entry shows the file's name without its
// extension (odd bytes and control characters escaped) and keeps the file's name itself.
void ListDocuments(QListWidget* list, const QStringList& fileNames, int extensionLength);
// In a list where nothing is chosen yet, the first arrow key (or Page, Home, End) chooses the
// first entry rather than moving past it.
void FirstKeyChoosesFirstEntry(QListWidget* list);

// The file name kept by the list's selected entry, or an empty text when none is selected.
QString ChosenDocument(const QListWidget* list);
