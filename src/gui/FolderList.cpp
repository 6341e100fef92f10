#include "FolderList.h"

#include <QDir>
#include <QFileInfo>
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
    const QFileInfo info(path);
    if (!info.isDir() || !info.isReadable())
        return false;
    m_path = QDir(info.absoluteFilePath()).absolutePath();
    Fill();
    emit changed();
    return true;
}

void FolderList::Fill()
{
    clear();
    // The chain of folders from the root to the current one, each indented one step more.
    QStringList chain;
    for (QDir dir(m_path);; ) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    int depth = 0;
    for (const QString& folder : chain) {
        const QString name = QDir(folder).isRoot() ? folder : QFileInfo(folder).fileName();
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(PathRole, folder);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QStringList subfolders =
        QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& sub : subfolders) {
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + sub, this);
        item->setData(PathRole, QDir(m_path).filePath(sub));
    }
}
