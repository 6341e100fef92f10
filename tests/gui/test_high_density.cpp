// The window on a screen of twice the density: the same layout in device-independent
// pixels, pictures drawn at the density rather than enlarged, and every pixel of the coded
// picture a sharp 2 x 2 block. The reference at the normal density comes from this program
// run again as a child at scale 1.
#include "CodingRoutines.h"
#include "PictureBox.h"
#include "TestFiles.h"
#include "WindowFixture.h"

#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QTextStream>
#include <QtTest>

namespace {

// Name and geometry of every named control of the window, one per line.
QString Geometries(QWidget* window)
{
    QString out;
    QTextStream stream(&out);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QRect g = w->geometry();
        stream << w->objectName() << ' ' << g.x() << ' ' << g.y() << ' ' << g.width() << ' ' << g.height() << '\n';
    }
    stream << "window " << window->width() << ' ' << window->height() << '\n';
    return out;
}

// Writes what the reference run measures into folder: the geometries and Image1's picture.
int WriteReference(const QString& folder)
{
    WindowFixture f;
    QFile list(folder + "/geometries.txt");
    if (!list.open(QIODevice::WriteOnly) || list.write(Geometries(f.main.get()).toUtf8()) < 0)
        return 1;
    return f.main->Image1->grab().toImage().save(folder + "/image1.png") ? 0 : 1;
}

// Number of pixels of two images of one size that differ clearly in a colour component.
int Differing(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            n += std::abs(qRed(p) - qRed(q)) > 40 || std::abs(qGreen(p) - qGreen(q)) > 40
                 || std::abs(qBlue(p) - qBlue(q)) > 40 || std::abs(qAlpha(p) - qAlpha(q)) > 40;
        }
    return n;
}

}  // namespace

class TestHighDensity : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), 2.0); }

    void layoutStaysInDeviceIndependentPixels()
    {
        QTemporaryDir reference;
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_SCALE_FACTOR", "1");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"--reference", reference.path()});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), 0);

        WindowFixture f;
        Main& m = *f.main;
        const QString normal = QString::fromUtf8(ReadAll(reference.filePath("geometries.txt")));
        QVERIFY(normal.contains("window 794 464"));
        QCOMPARE(Geometries(&m), normal);

        // The whole window has twice the pixels each way.
        const QImage window = m.grab().toImage();
        QCOMPARE(window.size(), QSize(2 * m.width(), 2 * m.height()));

        // A button's picture: drawn at the density (its edges have detail inside 2 x 2
        // blocks), and the same drawing as at the normal density.
        const QImage dense = m.Image1->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage plain = QImage(reference.filePath("image1.png")).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(dense.size(), plain.size() * 2);
        QCOMPARE(m.Image1->pixmap().devicePixelRatio(), 2.0);
        for (auto mode : {Qt::FastTransformation, Qt::SmoothTransformation}) {
            const QImage enlarged = plain.scaled(dense.size(), Qt::IgnoreAspectRatio, mode);
            QVERIFY2(Differing(dense, enlarged) > dense.width() * dense.height() / 50,
                     qPrintable(QString::number(Differing(dense, enlarged))));
        }
        const QImage reduced = dense.scaled(plain.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY2(Differing(reduced, plain) < plain.width() * plain.height() / 20,
                 qPrintable(QString::number(Differing(reduced, plain))));

        // The window icon has a picture of its own for the denser screen.
        QVERIFY(m.windowIcon().availableSizes().contains(QSize(64, 64)));
        const QPixmap icon = m.windowIcon().pixmap(QSize(32, 32), 2.0);
        QCOMPARE(icon.size(), QSize(64, 64));
    }

    void codedPictureIsSharpBlocks()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText("Every pixel of the picture a sharp block of two by two.");
        QTest::mouseClick(m.Image1, Qt::LeftButton);
        const QImage shown = m.Pic->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(400, 240));
        const PixelSurface& surface = m.Pic->Surface();
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x) {
                const Rgb p = surface.GetPixel(x, y);
                const QRgb expected = qRgb(p.r, p.g, p.b);
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx)
                        if (shown.pixel(2 * x + dx, 2 * y + dy) != expected)
                            QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is not a sharp block").arg(x).arg(y)));
            }
    }
};

int main(int argc, char* argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--reference") {
        QApplication app(argc, argv);
        return WriteReference(QString::fromLocal8Bit(argv[2]));
    }
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHighDensity test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_high_density.moc"
