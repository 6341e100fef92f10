// The PDF document of the export: the displayed lines of a text, 53 to an A4 page, under the
// maker's watermark. The window's export and the command line write it with the same routine.
#pragma once

#include <QStringList>

#include <string>

namespace ExportDocument {

// Writes the document for lines to path with the PDF writer; its errors propagate.
void Write(const QStringList& lines, const std::string& path);

}  // namespace ExportDocument
