#include "Messages.h"

#include "LocalName.h"
#include "ProgramFolder.h"

#include <QInputDialog>

namespace Module1 {

QString ApplicationTitle()
{
    return QStringLiteral("Huecipher");
}

void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon, const QString& title)
{
    QMessageBox box(icon, title.isEmpty() ? ApplicationTitle() : title, text, QMessageBox::Ok, parent);
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
