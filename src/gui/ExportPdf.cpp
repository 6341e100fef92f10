#include "AtomicFile.h"
#include "Main.h"
#include "Messages.h"
#include "OutputRoutines.h"
#include "ProgramFolder.h"
#include "TextLines.h"
#include "ToolsTexts.h"
#include "Win1252.h"
#include "clsFolium.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

// Writes the document to path with the writer; errors propagate.
void WriteDocument(const std::string& path, const QListWidget& lines)
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
    pdf.DrawText(x, 10, Win1252::Encode(Module1::WatermarkText()).toStdString(), "Fnt2", 88, 1, 58);
    pdf.SetColorFill(0);
    pdf.EndObject();

    pdf.StartPage();
    int counter = 1;
    float y = 280;
    for (int i = 0; i < lines.count(); ++i) {
        x = 10;
        pdf.DrawText(x, y, Win1252::Encode(lines.item(i)->text()).toStdString(), "Fnt2", 11, 1, 0);
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

}  // namespace

namespace Module1 {

bool ExportPdf(Main& main, const QString& name)
{
    const QString folder = ProgramFolder() + PdfFolderPart();
    QDir().mkdir(folder);  // inside the program folder only; one that exists already is no error
    const QString path = folder + name + QStringLiteral(".pdf");
    FillLineList(main);

    // The document is written beside its place (under a short name, so that a name of full
    // length still fits) and put there only when complete.
    QString failure;
    QTemporaryFile temporary(folder + QStringLiteral(".huecipher-XXXXXX"));
    if (!temporary.open()) {
        failure = temporary.errorString();
    } else if (!AtomicFile::GiveTargetMode(temporary, path)) {
        failure = QString::fromLocal8Bit(std::strerror(errno));
    } else {
        temporary.close();
        try {
            WriteDocument(QFile::encodeName(temporary.fileName()).toStdString(), *main.List1);
            if (std::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
                failure = QString::fromLocal8Bit(std::strerror(errno));
            else
                temporary.setAutoRemove(false);
        } catch (const std::exception& e) {
            failure = QString::fromLocal8Bit(e.what());
        }
    }
    if (!failure.isEmpty()) {
        ShowError(&main, QStringLiteral("The PDF document was not written!\n%1").arg(failure));
        return false;
    }
    OpenUrl(&main, path);
    return true;
}

}  // namespace Module1
