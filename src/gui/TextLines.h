// The lines of the text box exactly as it displays them (hard breaks and soft wraps).
#pragma once

#include <QStringList>

class Main;
class QPlainTextEdit;

namespace Module1 {

// Fills lines with the displayed lines of box, in order, without line-break characters
// (an empty text gives one empty line); returns the index of the last line.
int GetWrappedLines(QPlainTextEdit* box, QStringList& lines);

// Refills the main window's line buffer List1 from Text1.
void FillLineList(Main& main);

}  // namespace Module1
