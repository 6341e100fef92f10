// Texts and addresses of the Tools menu, and the request to open an address or file.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace Module1 {

QString MakerWebPage();       // the maker's software page
QString MakerEmailAddress();  // default recipient of a picture
QString WatermarkText();      // the maker's web host, as the PDF watermark shows it

// The twenty rows of the special-characters help, joined by CR LF.
QString SpecialCharactersText();

// "mailto:" + recipient + subject and body, nothing encoded.
QString MailAddress(const QString& recipient);
// The address the Tools menu opens: MailAddress() percent-encoded (see ProgramTexts::MailUrl).
QString MailUrl(const QString& recipient);

// Opens a web address, "mailto:" address or file path with the desktop's registered program.
void OpenUrl(QWidget* window, const QString& address);

// Replaces the desktop request (tests catch the address instead of starting a program);
// an empty function restores the desktop.
void SetUrlOpener(std::function<void(const QString&)> opener);

}  // namespace Module1
