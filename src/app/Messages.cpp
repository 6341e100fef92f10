#include "Messages.h"

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

bool AskYesNo(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? ApplicationTitle() : title, text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace Module1
