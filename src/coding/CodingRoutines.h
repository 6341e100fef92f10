// The coding routines that work on the main window's controls.
#pragma once

class Main;

namespace Module1 {

// Codes the text of Text1, with its text size and colours, into the picture of Pic.
void TextToPicture(Main& main);

// Reads the picture of Pic back into Text1, restoring text size and colours.
void PictureToText(Main& main);

}  // namespace Module1
