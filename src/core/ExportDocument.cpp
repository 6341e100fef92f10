#include "ExportDocument.h"

#include "TextDocument.h"
#include "ToolsTexts.h"
#include "Win1252.h"

namespace ExportDocument {

void Write(const QStringList& lines, const std::string& path)
{
    std::vector<std::string> bytes;
    bytes.reserve(lines.size());
    for (const QString& line : lines)
        bytes.push_back(Win1252::Encode(line).toStdString());
    TextDocument::Write(bytes, Win1252::Encode(Module1::WatermarkText()).toStdString(), path);
}

}  // namespace ExportDocument
