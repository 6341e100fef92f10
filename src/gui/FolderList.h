// A folder list: the path from the root down to the current folder, then its sub-folders.
// A double-click on an entry moves there.
#pragma once

#include <QListWidget>

class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent);

    QString Path() const { return m_path; }
    // Moves to path when it is a readable folder; emits changed(). False when it is not.
    bool SetPath(const QString& path);

signals:
    void changed();

private:
    void Fill();

    QString m_path;
};
