#include "PictureBox.h"

#include "AccessibleTree.h"

#include <QPainter>

PictureBox::PictureBox(const QString& name, int width, int height, QWidget* parent)
    : QWidget(parent), m_surface(width, height)
{
    setObjectName(name);
    resize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    AccessibleTree::KeepToWhatShows();  // read as a picture, with what shows inside it
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
