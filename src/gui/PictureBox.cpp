#include "PictureBox.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace {

// A screen reader reads a picture box as a picture (the graphic role), not as filler it skips.
QAccessibleInterface* PictureBoxAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("PictureBox") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

}  // namespace

PictureBox::PictureBox(const QString& name, int width, int height, QWidget* parent)
    : QWidget(parent), m_surface(width, height)
{
    setObjectName(name);
    resize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    static const bool registered = (QAccessible::installFactory(PictureBoxAccessible), true);
    Q_UNUSED(registered);
}

void PictureBox::Refresh()
{
    repaint();
    emit refreshed();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // On a denser screen every pixel of the picture becomes a sharp block, never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPoint(0, 0), m_surface.Image());
}
