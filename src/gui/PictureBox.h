// A picture box: shows a pixel surface 1:1, without smoothing.
#pragma once

#include "PixelSurface.h"

#include <QWidget>

class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const QString& name, int width, int height, QWidget* parent);

    PixelSurface& Surface() { return m_surface; }
    const PixelSurface& Surface() const { return m_surface; }
    // refresh: the window shows the raster as drawn now.
    void Refresh();

signals:
    // After every refresh: what the box shows may have changed.
    void refreshed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PixelSurface m_surface;
};
