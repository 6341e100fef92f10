#include "TextDocument.h"

#include "clsFolium.h"

namespace TextDocument {

void Write(const std::vector<std::string>& lines, const std::string& watermark, const std::string& path)
{
    clsFolium pdf;
    pdf.Title("Glyphix by Hollowbrandt");
    pdf.ScaleMode(3);
    pdf.PaperSize(0);
    pdf.Margin(0);
    pdf.Orientation(1);
    std::string name = path;
    pdf.InitPDFFile(name);
    pdf.LoadFont("Fnt1", "Times New Roman", 1);
    pdf.LoadFont("Fnt2", "Arial", 3);
    pdf.LoadFont("Fnt3", "Courier New", 1);
    pdf.LoadFontStandard("Fnt4", "Courier New", 4);

    // The watermark, drawn by the writer at the start of every page.
    pdf.StartObject("Item1", 7);
    pdf.SetColorFill(-240);
    pdf.SetTextHorizontalScaling(120);
    float x = 25;
    pdf.DrawText(x, 10, watermark, "Fnt2", 88, 1, 58);
    pdf.SetColorFill(0);
    pdf.EndObject();

    pdf.StartPage();
    int counter = 1;
    float y = 280;
    for (const std::string& line : lines) {
        x = 10;
        pdf.DrawText(x, y, line, "Fnt2", 11, 1, 0);
        ++counter;
        y -= 5;
        if (counter == 54) {
            y = 280;
            counter = 1;
            pdf.EndPage();
            pdf.StartPage();
        }
    }
    pdf.EndPage();
    pdf.ClosePDFFile();
}

}  // namespace TextDocument
