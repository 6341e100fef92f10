#include "Artwork.h"

#include <algorithm>

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

namespace Artwork {
namespace {

// A transparent picture of the given size in device-independent pixels, with as many device
// pixels as the densest screen has: drawn on in device-independent coordinates, it is drawn
// at that density rather than enlarged.
QPixmap Canvas(int width, int height)
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pm(QSize(width, height) * ratio);
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    return pm;
}

QPixmap Blank()
{
    return Canvas(ButtonSize, ButtonSize);
}

QPixmap Arrow(bool pointsLeft)
{
    QPixmap pm = Blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    // Drawn pointing right, then flipped for left.
    path.moveTo(4, 13);
    path.lineTo(18, 13);
    path.lineTo(18, 5);
    path.lineTo(32, 18);
    path.lineTo(18, 31);
    path.lineTo(18, 23);
    path.lineTo(4, 23);
    path.closeSubpath();
    if (pointsLeft) {
        QTransform flip;
        flip.translate(ButtonSize, 0);
        flip.scale(-1, 1);
        path = flip.map(path);
    }
    QLinearGradient fill(0, 5, 0, 31);
    fill.setColorAt(0, QColor(120, 220, 100));
    fill.setColorAt(1, QColor(20, 130, 30));
    p.setBrush(fill);
    p.setPen(QPen(QColor(10, 80, 20), 1.2));
    p.drawPath(path);
    return pm;
}

}  // namespace

QPixmap ArrowLeft() { return Arrow(true); }
QPixmap ArrowRight() { return Arrow(false); }

QPixmap Printer()
{
    QPixmap pm = Blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(10.5, 3.5, 16, 12));        // paper going in
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(3.5, 13.5, 29, 13), 2, 2);  // body
    p.setBrush(QColor(90, 90, 100));
    p.drawRect(QRectF(6.5, 26.5, 23, 4));          // tray
    p.setBrush(Qt::white);
    p.drawRect(QRectF(10.5, 22.5, 16, 10));        // printed sheet
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawLine(QPointF(13, 26), QPointF(24, 26));
    p.drawLine(QPointF(13, 29), QPointF(22, 29));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 200, 60));
    p.drawEllipse(QPointF(28, 17.5), 1.5, 1.5);    // power light
    return pm;
}

QPixmap PdfPage()
{
    QPixmap pm = Blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath page;
    page.moveTo(7.5, 2.5);
    page.lineTo(23.5, 2.5);
    page.lineTo(29.5, 8.5);
    page.lineTo(29.5, 33.5);
    page.lineTo(7.5, 33.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(QPointF(23.5, 2.5), QPointF(23.5, 8.5));
    p.drawLine(QPointF(23.5, 8.5), QPointF(29.5, 8.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 20, 20));
    p.drawRect(QRectF(3, 17, 24, 11));             // the red mark
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 17, 24, 11), Qt::AlignCenter, QStringLiteral("PDF"));
    return pm;
}

QPixmap OkMark()
{
    QPixmap pm = Blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 140, 40), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(7, 19), QPointF(15, 27), QPointF(29, 9)}));
    return pm;
}

QPixmap CancelMark()
{
    QPixmap pm = Blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 30, 30), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 9), QPointF(27, 27));
    p.drawLine(QPointF(27, 9), QPointF(9, 27));
    return pm;
}

QPixmap BevelButton(const QString& text, const QColor& colour)
{
    QPixmap pm = Blank();
    QPainter p(&pm);
    p.fillRect(QRect(2, 2, 32, 32), colour);
    p.setPen(colour.lighter(160));
    p.drawLine(2, 2, 33, 2);
    p.drawLine(2, 2, 2, 33);
    p.setPen(colour.darker(170));
    p.drawLine(3, 33, 33, 33);
    p.drawLine(33, 3, 33, 33);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(2, 2, 32, 32), Qt::AlignCenter, text);
    return pm;
}

QPixmap ColourWheel()
{
    QPixmap pm = Canvas(64, 64);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QConicalGradient hues(32, 32, 0);
    for (int i = 0; i <= 6; ++i)
        hues.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 255, 255));
    p.setBrush(hues);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.drawEllipse(QRectF(2.5, 2.5, 59, 59));
    QRadialGradient centre(32, 32, 30);
    centre.setColorAt(0, Qt::white);
    centre.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(centre);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(2.5, 2.5, 59, 59));
    return pm;
}

IconDesign MakeIconDesign(QRandomGenerator& random)
{
    IconDesign design;
    for (QRgb& colour : design.border)
        colour = qRgb(random.bounded(256), random.bounded(256), random.bounded(256));
    return design;
}

QImage IconImage(const IconDesign& design, int size)
{
    // The design is 32 x 32 cells: a border of coloured cells around a white centre with a
    // short black label, each cell drawn as a sharp square at any size.
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    const double cell = size / double(IconDesign::Cells);
    int next = 0;
    for (int y = 0; y < IconDesign::Cells; ++y)
        for (int x = 0; x < IconDesign::Cells; ++x)
            if (IconDesign::InBorder(x, y))
                p.fillRect(QRectF(x * cell, y * cell, cell, cell), QColor(design.border[next++]));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(1, qRound(IconDesign::LabelPixels * cell)));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::black);
    const double inner = IconDesign::Border * cell;
    p.drawText(QRectF(inner, inner, size - 2 * inner, size - 2 * inner), Qt::AlignCenter, IconDesign::Label());
    p.end();
    return img;
}

QIcon WindowIcon()
{
    // One design at the sizes desktops ask for, so that none is enlarged from a smaller one.
    const IconDesign design = MakeIconDesign(*QRandomGenerator::global());
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(IconImage(design, size)));
    return icon;
}

}  // namespace Artwork
