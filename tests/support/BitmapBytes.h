// Bitmap files written and read byte by byte by the tests themselves, so that the program's
// own mirror and bitmap routines are not what checks them.
#pragma once

#include <QByteArray>
#include <QImage>

namespace BitmapBytes {

inline void PutLe(QByteArray& b, quint32 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline quint32 GetLe(const QByteArray& b, int at, int bytes)
{
    quint32 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | quint8(b[at + i]);
    return v;
}

// A 24-bit bitmap of image; mirrored puts image column x at file column w - 1 - x;
// topDown stores the top row first with a negative height.
inline QByteArray Write(const QImage& image, bool mirrored, bool topDown = false)
{
    const int w = image.width();
    const int h = image.height();
    const int stride = (w * 3 + 3) & ~3;
    QByteArray b("BM");
    PutLe(b, 54 + stride * h, 4);
    PutLe(b, 0, 4);
    PutLe(b, 54, 4);
    PutLe(b, 40, 4);
    PutLe(b, w, 4);
    PutLe(b, topDown ? static_cast<quint32>(-h) : h, 4);
    PutLe(b, 1, 2);
    PutLe(b, 24, 2);
    PutLe(b, 0, 4);
    PutLe(b, stride * h, 4);
    PutLe(b, 2835, 4);
    PutLe(b, 2835, 4);
    PutLe(b, 0, 4);
    PutLe(b, 0, 4);
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        for (int c = 0; c < w; ++c) {
            const QRgb p = image.pixel(mirrored ? w - 1 - c : c, y);
            b.append(static_cast<char>(qBlue(p)));
            b.append(static_cast<char>(qGreen(p)));
            b.append(static_cast<char>(qRed(p)));
        }
        b.append(QByteArray(stride - w * 3, '\0'));
    }
    return b;
}

// The pixel at file column x, row y (from the top) of an uncompressed 24-bit bitmap.
inline QRgb PixelAt(const QByteArray& b, int x, int y)
{
    const int offset = static_cast<int>(GetLe(b, 10, 4));
    const int w = static_cast<int>(GetLe(b, 18, 4));
    const int h = static_cast<qint32>(GetLe(b, 22, 4));
    const int stride = (w * 3 + 3) & ~3;
    const int row = h > 0 ? h - 1 - y : y;
    const int at = offset + row * stride + x * 3;
    return qRgb(quint8(b[at + 2]), quint8(b[at + 1]), quint8(b[at]));
}

}  // namespace BitmapBytes
