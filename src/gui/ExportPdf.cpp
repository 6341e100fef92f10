#include "AtomicFile.h"
#include "ExportDocument.h"
#include "Main.h"
#include "Messages.h"
#include "OutputRoutines.h"
#include "ProgramFolder.h"
#include "TextLines.h"
#include "ToolsTexts.h"

#include <QDir>
#include <QListWidget>

namespace Module1 {

bool ExportPdf(Main& main, const QString& name)
{
    const QString folder = ProgramFolder() + PdfFolderPart();
    QDir().mkdir(folder);  // inside the program folder only; one that exists already is no error
    const QString path = folder + name + QStringLiteral(".pdf");
    FillLineList(main);

    // The document is written beside its place (under a short name, so that a name of full
    // length still fits) and put there only when complete.
    QStringList lines;
    for (int i = 0; i < main.List1->count(); ++i)
        lines << main.List1->item(i)->text();
    QString failure;
    AtomicFile::WriteByName(path, [&](const std::string& temporary) { ExportDocument::Write(lines, temporary); },
                            &failure);
    if (!failure.isEmpty()) {
        ShowSaveFailure(&main, QStringLiteral("The PDF document was not written!"), path, failure);
        return false;
    }
    OpenUrl(&main, path);
    return true;
}

}  // namespace Module1
