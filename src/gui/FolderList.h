// A folder list: the path from the root down to the current folder, then its sub-folders.
// A double-click on an entry, or Enter, moves there.
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

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Fill();
    // One entry: name at depth (0 for the root), for the folder at path.
    void AddEntry(const QString& name, const QString& path, int depth);
    // Moves to the folder of item once the event that chose it has been delivered.
    void MoveTo(QListWidgetItem* item);

    QString m_path;
};
