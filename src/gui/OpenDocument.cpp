// Documents opened from the desktop: named on the command line or dropped on the window.
#include "CodingRoutines.h"
#include "Main.h"
#include "Messages.h"
#include "PixelSurface.h"
#include "TextBox.h"
#include "TextFile.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

namespace {

const QString kPictureSuffix = QStringLiteral(".hqc");
const QString kTextSuffix = QStringLiteral(".txt");

// The document name of a file: its name without folder and extension.
QString DocumentName(const QString& path)
{
    return QFileInfo(path).fileName().chopped(4);
}

bool HasSuffix(const QString& path, const QString& suffix)
{
    return path.endsWith(suffix, Qt::CaseInsensitive) && QFileInfo(path).fileName().size() > suffix.size();
}

QString OnlyDocumentsText()
{
    return QStringLiteral("Only coded pictures (.hqc) and text files (.txt) can be opened.");
}

}  // namespace

void Main::OpenDocument(const QString& path)
{
    if (Busy())
        return;
    if (HasSuffix(path, kPictureSuffix)) {
        PixelSurface staging;
        Module1::OpenPictureFile(*this, staging, path, DocumentName(path), this);
    } else if (HasSuffix(path, kTextSuffix)) {
        QByteArray text;
        if (!QFileInfo(path).isFile() || !TextFile::Read(path, &text)) {
            Module1::ShowError(this, QStringLiteral("The text file could not be read!\n%1").arg(path));
            return;
        }
        Text1->SetText(text);
        SetDocumentName(DocumentName(path));
    } else {
        Module1::ShowError(this, OnlyDocumentsText() + QStringLiteral("\n%1").arg(path));
    }
}

void Main::OpenDroppedFiles(const QList<QUrl>& files)
{
    if (Busy())
        return;
    if (files.size() != 1 || !files.first().isLocalFile()) {
        Module1::ShowError(this, OnlyDocumentsText() + QStringLiteral(" Drop one file at a time."));
        return;
    }
    OpenDocument(files.first().toLocalFile());
}

void Main::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Main::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    OpenDroppedFiles(event->mimeData()->urls());
}
