#include "ToolsTexts.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace Module1 {
namespace {
std::function<void(const QString&)> g_opener;
}

QString MakerWebPage()
{
    return QStringLiteral("https://hollowbrandt.org/software");
}

QString MakerEmailAddress()
{
    return QStringLiteral("info@hollowbrandt.org");
}

QString WatermarkText()
{
    return QStringLiteral("hollowbrandt.org");
}

QString SpecialCharactersText()
{
    const QStringList rows = {
        QStringLiteral("\u00E1  = Ctrl-Alt - a  / 160"),
        QStringLiteral("\u00E9  = Ctrl-Alt - e  / 130"),
        QStringLiteral("\u00F3  = Ctrl-Alt - o  / 162"),
        QStringLiteral("\u00E4  = Ctrl-Alt - q  / 132"),
        QStringLiteral("\u00FC  = Ctrl-Alt - y  / 129"),
        QStringLiteral("\u00F6  = Ctrl-Alt - p  / 148"),
        QStringLiteral("\u00FA  = Ctrl-Alt - u  / 163"),
        QStringLiteral("\u00B5  = Ctrl-Alt - m / 230"),
        QString(),
        QStringLiteral("\u00A9 = Ctrl-Alt - c"),
        QStringLiteral(" \u00B2  = Ctrl-Alt - 2"),
        QStringLiteral(" \u00B3  = Ctrl-Alt - 3"),
        QStringLiteral("\u20AC  = Ctrl-Alt - 5"),
        QStringLiteral("\u00BC = Ctrl-Alt - 6 / 172"),
        QStringLiteral("\u00BD = Ctrl-Alt - 7 / 171"),
        QStringLiteral("\u00BE = Ctrl-Alt - 8"),
        QString(),
        QStringLiteral("Copy    = Ctrl-C"),
        QStringLiteral("Paste    = Ctrl-V"),
        QStringLiteral("Delete  = Ctrl-X"),
    };
    return rows.join(QStringLiteral("\r\n"));
}

QString MailAddress(const QString& recipient)
{
    return QStringLiteral("mailto:") + recipient
         + QStringLiteral("?subject=Glyphix Picture&body=Enter your text... ")
         + QStringLiteral("(Click on the Paperclip to add it as an attachment)");
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
