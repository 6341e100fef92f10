// The Tools menu: the maker's web page, the special-characters help, a picture by e-mail.
#include "Main.h"
#include "Messages.h"
#include "ToolsTexts.h"

#include <QInputDialog>

void Main::MeerSoftware_Click()
{
    Module1::OpenUrl(this, Module1::MakerWebPage());
}

void Main::BijzondereTekens_Click()
{
    // The rows are joined by CR LF; the message box breaks lines at LF.
    QString text = Module1::SpecialCharactersText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Module1::ShowMessage(this, text, QMessageBox::NoIcon, QStringLiteral("Special Characters"));
}

void Main::Verzenden_Click()
{
    const QString recipient = QInputDialog::getText(
        this, QStringLiteral(" Send message"),
        QStringLiteral("Enter the E-mail address to which you want to send a message..."), QLineEdit::Normal,
        Module1::MakerEmailAddress());
    if (recipient.isEmpty())
        return;
    Module1::OpenUrl(this, Module1::MailUrl(recipient));
}
