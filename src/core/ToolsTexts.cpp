#include "ToolsTexts.h"

#include "ProgramTexts.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace Module1 {
namespace {
std::function<void(const QString&)> g_opener;
}

QString MakerWebPage()
{
    return QString::fromStdString(ProgramTexts::MakerWebPage());
}

QString MakerEmailAddress()
{
    return QString::fromStdString(ProgramTexts::MakerEmailAddress());
}

QString WatermarkText()
{
    return QString::fromStdString(ProgramTexts::WatermarkText());
}

QString SpecialCharactersText()
{
    return QString::fromStdString(ProgramTexts::SpecialCharacters());
}

QString MailAddress(const QString& recipient)
{
    return QString::fromStdString(ProgramTexts::MailAddress(recipient.toStdString()));
}

QString MailUrl(const QString& recipient)
{
    return QString::fromStdString(ProgramTexts::MailUrl(recipient.toStdString()));
}

void OpenUrl(QWidget* window, const QString& address)
{
    Q_UNUSED(window);
    if (g_opener) {
        g_opener(address);
        return;
    }
    // A path of this machine opens as a file; anything else is an address.
    const QUrl url = address.startsWith(QLatin1Char('/')) ? QUrl::fromLocalFile(address)
                                                           : QUrl(address, QUrl::TolerantMode);
    QDesktopServices::openUrl(url);
}

void SetUrlOpener(std::function<void(const QString&)> opener)
{
    g_opener = std::move(opener);
}

}  // namespace Module1
