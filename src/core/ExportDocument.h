// The PDF document of the export for the toolkit's lines of text (see TextDocument.h).
#pragma once

#include <QStringList>

#include <string>

namespace ExportDocument {

// Writes the document for lines to path with the PDF writer; its errors propagate.
void Write(const QStringList& lines, const std::string& path);

}  // namespace ExportDocument
