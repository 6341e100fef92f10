// The keyboard focus goes back to the window a dialog or message box was opened over when it
// closes: a window manager (or none at all) may otherwise leave it nowhere.
#pragma once

namespace FocusReturn {

// Watches every dialog of the program from now on; once is enough.
void Install();

}  // namespace FocusReturn
