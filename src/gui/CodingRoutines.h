// The coding routines that work on the main window's controls.
#pragma once

class Main;
class PixelSurface;
class QString;
class QWidget;

namespace Module1 {

// Codes the text of Text1, with its text size and colours, into the picture of Pic.
void TextToPicture(Main& main);

// Reads the picture of Pic back into Text1, restoring text size and colours.
void PictureToText(Main& main);

// Opens the picture file at path as the open dialog does: loads it into staging, mirrors it
// back and reads its signature row into SignatureText; a valid coded picture is then shown in
// Pic under the document name name and the text is emptied, anything else gives "No valid
// Glyphix picture!" over parent, followed by the file and the reason when namesTheFile (a
// picture opened from the desktop). True when the picture was opened.
bool OpenPictureFile(Main& main, PixelSurface& staging, const QString& path, const QString& name, QWidget* parent,
                     bool namesTheFile = false);

}  // namespace Module1
