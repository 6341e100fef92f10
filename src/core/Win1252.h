// Windows-1252 on the toolkit's text: the codec's character set for QChar and QString.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace Win1252 {

// The character that stands for byte b (all 256 bytes have one, so decoding never loses).
QChar ToChar(unsigned char b);

// The byte of character c; '?' when the set cannot hold it. ok, when given, tells which.
unsigned char ToByte(QChar c, bool* ok = nullptr);

// True when the set holds c.
bool Holds(QChar c);

QString Decode(const QByteArray& bytes);
// A character the set cannot hold becomes "?", one for each character (also outside the basic plane).
QByteArray Encode(const QString& text);

// Text of the text box model: every line break as CR LF. A lone CR or LF counts as a break.
// Turns document text (paragraph separators U+2029/U+2028 or '\n') into CR LF bytes.
QByteArray FromDocumentText(const QString& documentText);

// Turns bytes into text for the text box: CR LF, lone CR and lone LF all become '\n'.
QString ToDocumentText(const QByteArray& bytes);

}  // namespace Win1252
