#include "FolderList.h"

#include "LocalName.h"

#include <QDir>
#include <QKeyEvent>

namespace {
constexpr int PathRole = Qt::UserRole;
}

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    // Moving refills the list, so it happens after the click's signal has been delivered.
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::MoveTo);
}

void FolderList::MoveTo(QListWidgetItem* item)
{
    const QString path = item->data(PathRole).toString();
    QMetaObject::invokeMethod(this, [this, path] { SetPath(path); }, Qt::QueuedConnection);
}

void FolderList::keyPressEvent(QKeyEvent* event)
{
    // Enter is the folder list's own (it moves into the folder), not the dialog's OK.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        MoveTo(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

bool FolderList::SetPath(const QString& path)
{
    // Names are kept as bytes (LocalName), so that a folder whose name is not UTF-8 opens too.
    if (!LocalName::IsReadableFolder(path))
        return false;
    m_path = QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::currentPath() + QLatin1Char('/') + path);
    Fill();
    emit changed();
    return true;
}

void FolderList::Fill()
{
    clear();
    // The chain of folders from the root to the current one, each indented one step more; the
    // names shown as a person reads them (odd bytes and line breaks escaped).
    QStringList chain{QStringLiteral("/")};
    for (const QString& part : m_path.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        chain.append((chain.size() == 1 ? QString() : chain.last()) + QLatin1Char('/') + part);
    int depth = 0;
    for (const QString& folder : chain) {
        const QString name = folder == QLatin1String("/") ? folder : folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1);
        AddEntry(name, folder, depth++);
    }
    setCurrentRow(count() - 1);
    const QString parent = m_path == QLatin1String("/") ? QString() : m_path;
    for (const QString& sub : LocalName::FoldersIn(m_path))
        AddEntry(sub, parent + QLatin1Char('/') + sub, depth);
}

void FolderList::AddEntry(const QString& name, const QString& path, int depth)
{
    // Indented for the eye; a screen reader hears the name and its level instead of blanks.
    const QString shown = LocalName::Shown(name);
    auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + shown, this);
    item->setData(PathRole, path);
    item->setData(Qt::AccessibleTextRole, shown);
    item->setData(Qt::AccessibleDescriptionRole, QStringLiteral("level %1").arg(depth + 1));
}
