// Prints, for each pixel size of the text box's font, the Windows-1252 characters whose glyph
// reaches past its advance as the text box lays it out, and by how much in 1/64 pixel: the box
// wraps a word only when that reach fits too. The browser page's text box faces carry the
// table (web/box_overhangs.txt). Usage: gen_box_overhangs > web/box_overhangs.txt
#include "DisplayedLines.h"
#include "Win1252.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QTextLayout>

#include <cmath>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    for (const double points : {8.25, 9.0, 10.0, 11.0, 12.0}) {
        const QFont font = DisplayedLines::TextBoxFont(points);
        std::printf("%d:", QFontInfo(font).pixelSize());
        for (int byte = 0x21; byte <= 0xFF; ++byte) {
            const QString character = Win1252::Decode(QByteArray(1, char(byte)));
            if (character.size() != 1)
                continue;
            QTextLayout layout(character, font);
            layout.beginLayout();
            QTextLine line = layout.createLine();
            line.setLineWidth(1000);
            layout.endLayout();
            const long reach = std::lround((line.naturalTextWidth() - line.horizontalAdvance()) * 64);
            if (reach > 0)
                std::printf(" %04X=%ld", unsigned(character.at(0).unicode()), reach);
        }
        std::printf("\n");
    }
}
