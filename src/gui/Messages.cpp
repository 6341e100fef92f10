#include "Messages.h"

#include "LocalName.h"
#include "ProgramFolder.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QSpacerItem>

namespace Module1 {

QString ApplicationTitle()
{
    return QStringLiteral("Huecipher");
}

namespace {

// The width a title needs in a window manager's title bar: the text in a bold face, and room
// for the window's buttons at either end.
int TitleWidth(const QString& title)
{
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + 2 * 48;
}

// A message box at least as wide as its title needs, so that the title is not cut short.
void KeepTitleWhole(QMessageBox& box)
{
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(TitleWidth(box.windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon, const QString& title)
{
    QMessageBox box(icon, title.isEmpty() ? ApplicationTitle() : title, text, QMessageBox::Ok, parent);
    KeepTitleWhole(box);
    box.exec();
}

void ShowError(QWidget* parent, const QString& text)
{
    ShowMessage(parent, text, QMessageBox::Critical, QStringLiteral("Error"));
}

void ShowSaveFailure(QWidget* parent, const QString& heading, const QString& path, const QString& reason)
{
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    ShowError(parent, QStringLiteral("%1\n%2: %3").arg(heading, LocalName::Shown(name), reason));
}

bool AskYesNo(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? ApplicationTitle() : title, text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    KeepTitleWhole(box);
    return box.exec() == QMessageBox::Yes;
}

bool AskFileName(QWidget* parent, const QString& prompt, const QString& refusal, QString* name)
{
    bool accepted = false;
    const QString answer =
        QInputDialog::getText(parent, ApplicationTitle(), prompt, QLineEdit::Normal, QString(), &accepted);
    if (!accepted || TrimBlanks(answer).isEmpty())
        return false;
    if (!IsSafeFileName(answer)) {
        ShowError(parent, QStringLiteral("Invalid name, ") + refusal);
        return false;
    }
    *name = answer;  // as typed: blanks around it stay
    return true;
}

}  // namespace Module1
