// The PDF document of a text's displayed lines, as the export writes it: one line of the PDF for
// each line of the text box, 53 to an A4 page, under a light diagonal watermark on every page.
// Every front end (window, command line, browser page) writes it with this routine.
#pragma once

#include <string>
#include <vector>

namespace TextDocument {

// Writes the document for lines (Windows-1252 bytes, no line breaks) to path; the writer's
// errors propagate.
void Write(const std::vector<std::string>& lines, const std::string& watermark, const std::string& path);

}  // namespace TextDocument
