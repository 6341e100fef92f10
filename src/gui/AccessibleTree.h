// What a screen reader finds in the windows: only the controls that show, and a caption that
// names a control belongs to that control (its label relation) instead of standing beside it.
#pragma once

class QLabel;
class QWidget;

namespace AccessibleTree {

// Makes the program's windows and panels list only the children that show, leaving out
// captions that label a control. Call before a screen reader may ask for the first window.
void KeepToWhatShows();

// A window or panel whose children are listed that way (the windows themselves are known).
void MarkPanel(QWidget* panel);

// A box drawn only for looks (a backing, a frame, an ornament): left out of what a screen reader
// finds.
void MarkDecorative(QWidget* w);

// The caption names control: a screen reader reads it as the control's label, not twice.
void Caption(QLabel* caption, QWidget* control);

}  // namespace AccessibleTree
