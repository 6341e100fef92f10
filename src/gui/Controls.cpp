#include "Controls.h"

#include "AccessibleTree.h"
#include "LocalName.h"

#include <QListWidget>

#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QMouseEvent>
#include <QScreen>
#include <QThread>

namespace Module1 {
namespace {
bool g_pausesEnabled = true;
std::function<void(int)> g_pauseObserver;
}

void Pause(int ms)
{
    // Show what moved or appeared before the program stands still: a control just shown
    // has only posted its update, so that is delivered first, then everything is painted.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            w->repaint();
    if (g_pauseObserver)
        g_pauseObserver(ms);
    if (g_pausesEnabled)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void SetPausesEnabled(bool enabled)
{
    g_pausesEnabled = enabled;
}

void SetPauseObserver(std::function<void(int ms)> observer)
{
    g_pauseObserver = std::move(observer);
}

}  // namespace Module1

ImageButton::ImageButton(const QString& name, const QPixmap& picture, QWidget* parent) : ClickLabel(parent)
{
    setObjectName(name);
    setPixmap(picture);
    setFixedSize(picture.deviceIndependentSize().toSize());
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::PressEffect()
{
    const QPoint home = pos();
    move(home + QPoint(2, 2));
    Module1::Pause(200);
    move(home);
}

namespace {
// A keyboard button as a screen reader sees it: a button with a press action.
class AccessibleClickLabel : public QAccessibleWidget {
public:
    explicit AccessibleClickLabel(ClickLabel* label) : QAccessibleWidget(label, QAccessible::Button) {}
    QString text(QAccessible::Text t) const override
    {
        // A button without a name of its own (the clock) is read as what it shows.
        const QString own = QAccessibleWidget::text(t);
        return t == QAccessible::Name && own.isEmpty() ? static_cast<QLabel*>(widget())->text() : own;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            static_cast<ClickLabel*>(widget())->Press();
    }
};

QAccessibleInterface* ClickLabelAccessible(const QString& className, QObject* object)
{
    auto* label = qobject_cast<ClickLabel*>(object);
    if (label && label->IsKeyboardButton()
        && (className == QLatin1String("ClickLabel") || className == QLatin1String("ImageButton")))
        return new AccessibleClickLabel(label);
    return nullptr;
}


// Installed before the first keyboard button is made, so that no interface of one is made
// (and kept) before the factory can answer for it.
void InstallAccessibleButtons()
{
    static const bool installed = [] {
        QAccessible::installFactory(ClickLabelAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}
}  // namespace

void ClickLabel::MakeKeyboardButton(const QString& accessibleName, const QString& accessibleDescription,
                                    KeyPress press)
{
    m_press = press;
    InstallAccessibleButtons();
    // Reached by Tab only: a click runs the button and leaves the focus where it was (in the
    // text, mostly), as before.
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(accessibleName);
    setAccessibleDescription(accessibleDescription);
}

void ClickLabel::Press()
{
    if (m_press == KeyPress::DoubleClick)
        emit doubleClicked();
    else
        emit clicked();
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    // A press within the double-click time of this label's last click (by the times the
    // system gave the events, however long that click's command took) is part of it.
    if (event->button() == Qt::LeftButton)
        m_pressJoinsLastClick = m_lastClick != 0
            && event->timestamp() - m_lastClick < ulong(QApplication::doubleClickInterval());
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        if (!m_pressJoinsLastClick) {
            m_lastClick = event->timestamp();
            emit clicked();
        }
        m_pressJoinsLastClick = false;
    }
    QLabel::mouseReleaseEvent(event);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

namespace {
// A key pressed without Ctrl, Alt, Shift or Meta (the keypad's Enter counts as plain).
bool IsPlainKey(const QKeyEvent* event)
{
    return (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}
}  // namespace

void ClickLabel::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool pressKey = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (IsKeyboardButton() && pressKey && IsPlainKey(event)) {
        if (!event->isAutoRepeat())
            Press();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void DrawFocusFrame(QWidget* w)
{
    if (!w->hasFocus())
        return;
    QPainter painter(w);
    const QRect frame = w->rect().adjusted(1, 1, -2, -2);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(frame);
}

void ClickLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    DrawFocusFrame(this);
}

FocusScrollBar::FocusScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void FocusScrollBar::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    DrawFocusFrame(this);
}

FlatButton::FlatButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    setFlat(true);
}

void FlatButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    DrawFocusFrame(this);
}

void FlatButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier
        && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

namespace {
class DialogKeys : public QObject {
public:
    DialogKeys(QWidget* dialog, ClickLabel* ok, ClickLabel* cancel) : QObject(dialog), m_ok(ok), m_cancel(cancel) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!IsPlainKey(key) || key->isAutoRepeat())
            return false;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Enter is OK, whatever has the focus frame: with nothing chosen the dialog says so,
            // and a stray Enter never opens a document the user did not choose.
            m_ok->Press();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            m_cancel->Press();
            return true;
        }
        return false;
    }

private:
    ClickLabel* m_ok;
    ClickLabel* m_cancel;
};
}  // namespace

void SetTabChain(std::initializer_list<QWidget*> chain)
{
    QWidget* previous = nullptr;
    for (QWidget* w : chain) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void UseDialogKeys(QWidget* dialog, ClickLabel* ok, ClickLabel* cancel)
{
    ok->MakeKeyboardButton(QStringLiteral("OK"));
    cancel->MakeKeyboardButton(QStringLiteral("Cancel"));
    // Keys reach the dialog only when the control with the focus has not used them.
    dialog->installEventFilter(new DialogKeys(dialog, ok, cancel));
}

QFrame* MakePanel(const QString& name, QWidget* parent, const QRect& geometry, const QColor& background)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    AccessibleTree::MarkPanel(panel);
    panel->setGeometry(geometry);
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setMidLineWidth(0);
    SetBackground(panel, background);
    return panel;
}

void Place(QWidget* w, const QString& name, int left, int top, int width, int height)
{
    w->setObjectName(name);
    if (width < 0 || height < 0) {
        w->adjustSize();
        w->move(left, top);
    } else {
        w->setGeometry(left, top, width, height);
    }
}

void SetBackground(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Button, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void SetTextColour(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    p.setColor(QPalette::ButtonText, colour);
    w->setPalette(p);
}

QFont ArialFont(double points, bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QLabel* MakeCaption(const QString& name, const QString& text, QWidget* parent, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setFont(ArialFont(8.25));
    SetTextColour(label, QColor(64, 64, 64));
    label->setAutoFillBackground(false);
    Place(label, name, left, top);
    return label;
}

void SetThinBorder(QFrame* f)
{
    f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    f->setLineWidth(1);
}

void SetCaption(QLabel* label, const QString& text, int maxWidth, const QString& kept)
{
    // A caption that would run into its neighbour is cut with an ellipsis, all but its kept
    // end; the whole text stays in the tooltip and for screen readers.
    const QString whole = text + kept;
    QString shown = whole;
    if (maxWidth > 0) {
        const QFontMetrics metrics(label->font());
        if (metrics.horizontalAdvance(whole) > maxWidth)
            shown = metrics.elidedText(text, Qt::ElideRight, std::max(maxWidth - metrics.horizontalAdvance(kept), 0)) + kept;
    }
    const QString cutOff = shown == whole ? QString() : whole;
    label->setText(shown);
    label->setToolTip(cutOff);
    label->setAccessibleName(cutOff);
    label->adjustSize();
}

QPoint CentredTopLeft(const QRect& available, QSize outer)
{
    QRect placed(QPoint(0, 0), outer);
    placed.moveCenter(available.center());
    // A window larger than the screen keeps its title bar (and its left edge) on the screen.
    return QPoint(std::max(placed.left(), available.left()), std::max(placed.top(), available.top()));
}

void CentreOnScreen(QWidget* w, const QScreen* screen, int outerWidth, int outerHeight)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    w->move(CentredTopLeft(screen->availableGeometry(), QSize(outerWidth, outerHeight)));
}

void ListDocuments(QListWidget* list, const QStringList& fileNames, int extensionLength)
{
    list->clear();
    for (const QString& file : fileNames) {
        // A file named just ".hqc" shows its whole name rather than an empty entry.
        const QString stem = file.size() > extensionLength ? file.chopped(extensionLength) : file;
        auto* item = new QListWidgetItem(LocalName::Shown(stem), list);
        item->setData(Qt::UserRole, file);
    }
}

namespace {
class NamedComboBoxAccessible : public QAccessibleWidget {
public:
    explicit NamedComboBoxAccessible(QWidget* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<QComboBox*>(widget())->currentText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* NamedComboBoxFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("NamedComboBox") && object->isWidgetType())
        return new NamedComboBoxAccessible(static_cast<QWidget*>(object));
    return nullptr;
}
}  // namespace

NamedComboBox::NamedComboBox(QWidget* parent) : QComboBox(parent)
{
    static const bool registered = (QAccessible::installFactory(NamedComboBoxFactory), true);
    Q_UNUSED(registered);
}

namespace {
class FirstKey : public QObject {
public:
    explicit FirstKey(QListWidget* list) : QObject(list), m_list(list) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || m_list->count() == 0 || !m_list->selectedItems().isEmpty())
            return false;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Down:
        case Qt::Key_Up:
        case Qt::Key_PageDown:
        case Qt::Key_PageUp:
        case Qt::Key_Home:
            m_list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
            return true;
        default:
            return false;
        }
    }

private:
    QListWidget* m_list;
};
}  // namespace

void FirstKeyChoosesFirstEntry(QListWidget* list)
{
    list->installEventFilter(new FirstKey(list));
}

QString ChosenDocument(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item->data(Qt::UserRole).toString() : QString();
}
