// Texts every front end shows the same: the maker's addresses, the special-characters help and
// the e-mail message's address. UTF-8.
#pragma once

#include <string>

namespace ProgramTexts {

std::string MakerWebPage();       // the maker's software page
std::string MakerEmailAddress();  // default recipient of a picture
std::string WatermarkText();      // the maker's web host, as the PDF watermark shows it

// The twenty rows of the special-characters help, joined by CR LF.
std::string SpecialCharacters();

// "mailto:" + recipient + subject and body, nothing encoded.
std::string MailAddress(const std::string& recipient);
// The same as an address a mail program takes: the recipient percent-encoded as a whole, and
// the subject and body too.
std::string MailUrl(const std::string& recipient);

}  // namespace ProgramTexts
