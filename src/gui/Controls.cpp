#include "Controls.h"

#include <QApplication>
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

ImageButton::ImageButton(const QString& name, const QPixmap& picture, QWidget* parent) : QLabel(parent)
{
    setObjectName(name);
    setPixmap(picture);
    setFixedSize(picture.size());
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::PressEffect()
{
    const QPoint home = pos();
    move(home + QPoint(2, 2));
    Module1::Pause(200);
    move(home);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

QFrame* MakePanel(const QString& name, QWidget* parent, const QRect& geometry, const QColor& background)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
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

void SetCaption(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
}

void SetOuterSize(QWidget* w, int outerWidth, int outerHeight)
{
    w->setFixedSize(outerWidth - 6, outerHeight - 28);
}

void CentreOnScreen(QWidget* w, const QScreen* screen, int outerWidth, int outerHeight)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect outer(0, 0, outerWidth, outerHeight);
    outer.moveCenter(screen->availableGeometry().center());
    w->move(outer.topLeft());
}
