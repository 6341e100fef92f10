// Writes the installed icons from the window icon's design: a scalable SVG and PNGs of the
// given sizes, with the border colours fixed by a seed so that every build draws the same icon.
// Usage: gen_icons OUTPUT_FOLDER SIZE... (writes OUTPUT_FOLDER/NAME.svg and OUTPUT_FOLDER/SIZExSIZE/NAME.png)
#include "Artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

const QString kName = QStringLiteral("org.hollowbrandt.Huecipher");

QString Svg(const Artwork::IconDesign& design)
{
    using Artwork::IconDesign;
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << IconDesign::Cells << "\" height=\""
        << IconDesign::Cells << "\" viewBox=\"0 0 " << IconDesign::Cells << ' ' << IconDesign::Cells
        << "\" shape-rendering=\"crispEdges\">\n"
        << "  <rect width=\"" << IconDesign::Cells << "\" height=\"" << IconDesign::Cells << "\" fill=\"#ffffff\"/>\n";
    int next = 0;
    for (int y = 0; y < IconDesign::Cells; ++y)
        for (int x = 0; x < IconDesign::Cells; ++x)
            if (IconDesign::InBorder(x, y))
                out << "  <rect x=\"" << x << "\" y=\"" << y << "\" width=\"1\" height=\"1\" fill=\""
                    << QColor(design.border[next++]).name() << "\"/>\n";
    out << "  <text x=\"" << IconDesign::Cells / 2 << "\" y=\"" << IconDesign::Cells / 2
        << "\" font-family=\"Liberation Sans, Arial, sans-serif\" font-weight=\"bold\" font-size=\""
        << IconDesign::LabelPixels << "\" text-anchor=\"middle\" dominant-baseline=\"central\" fill=\"#000000\">"
        << IconDesign::Label() << "</text>\n"
        << "</svg>\n";
    return svg;
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");  // drawing needs fonts, not a display
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: gen_icons OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QRandomGenerator seeded(2026);
    const Artwork::IconDesign design = Artwork::MakeIconDesign(seeded);

    QFile svg(folder + "/" + kName + ".svg");
    if (!QDir().mkpath(folder) || !svg.open(QIODevice::WriteOnly) || svg.write(Svg(design).toUtf8()) < 0) {
        std::fprintf(stderr, "gen_icons: cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        const QString sub = folder + QStringLiteral("/%1x%1").arg(size);
        if (size <= 0 || !QDir().mkpath(sub) || !Artwork::IconImage(design, size).save(sub + "/" + kName + ".png")) {
            std::fprintf(stderr, "gen_icons: cannot write the %s icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
