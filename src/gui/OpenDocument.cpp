// Documents opened from the desktop: named on the command line or dropped on the window.
#include "CodingRoutines.h"
#include "LocalName.h"
#include "Main.h"
#include "Messages.h"
#include "PixelSurface.h"
#include "TextBox.h"
#include "TextFile.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMimeDatabase>

namespace {

const QString kPictureSuffix = QStringLiteral(".hqc");
const QString kTextSuffix = QStringLiteral(".txt");

// The name of a file without its folder.
QString FileName(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// The document name of a file: its name without folder and extension, as a person reads it.
QString DocumentName(const QString& path)
{
    const QString name = FileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return LocalName::Shown(dot > 0 ? name.left(dot) : name);
}

// Whether bytes read from a file of that name are plain text (a shell script, a README ...),
// as the desktop's type database judges them.
bool IsPlainText(const QString& path, const QByteArray& content)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFileNameAndData(FileName(path), content.left(4096));
    return type.inherits(QStringLiteral("text/plain"));
}

bool HasSuffix(const QString& path, const QString& suffix)
{
    return path.endsWith(suffix, Qt::CaseInsensitive) && FileName(path).size() > suffix.size();
}

QString OnlyDocumentsText()
{
    return QStringLiteral("Only coded pictures (.hqc) and text files (.txt) can be opened.");
}

}  // namespace

void Main::OpenDocument(const QString& path)
{
    if (PutOffWhileBusy([this, path] { OpenDocument(path); }))
        return;
    if (HasSuffix(path, kPictureSuffix)) {
        PixelSurface staging;
        Module1::OpenPictureFile(*this, staging, path, DocumentName(path), this, true);
    } else {
        // A text file, or any file of plain text the desktop hands over; only a regular file is
        // read, and only as much as the text box takes.
        QByteArray text;
        QString error;
        if (!TextFile::Read(path, &text, &error)) {
            Module1::ShowError(this, QStringLiteral("The text file could not be read!\n%1\n%2")
                                         .arg(LocalName::Shown(path), error));
            return;
        }
        if (!HasSuffix(path, kTextSuffix) && !IsPlainText(path, text)) {
            Module1::ShowError(this, OnlyDocumentsText() + QStringLiteral("\n%1").arg(LocalName::Shown(path)));
            return;
        }
        Text1->SetText(text);
        SetDocumentName(DocumentName(path));
    }
}

void Main::OpenDroppedFiles(const QList<QUrl>& files)
{
    if (PutOffWhileBusy([this, files] { OpenDroppedFiles(files); }))
        return;
    if (files.size() != 1 || !files.first().isLocalFile()) {
        Module1::ShowError(this, OnlyDocumentsText() + QStringLiteral(" Drop one file at a time."));
        return;
    }
    // The path's bytes as the URL carries them, whether UTF-8 or not.
    const QByteArray path = QByteArray::fromPercentEncoding(files.first().path(QUrl::FullyEncoded).toLatin1());
    OpenDocument(LocalName::FromBytes(path));
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
