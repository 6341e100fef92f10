// The colour dialog's results and the hexadecimal form of a colour.
#pragma once

#include <QString>
#include <cstdint>

namespace Module1 {

// The colour accepted with OK in the colour dialog.
extern int ChosenColorR;
extern int ChosenColorG;
extern int ChosenColorB;
// -1 after Cancel (or the close box), 0 after OK.
extern std::int16_t ColorCancelled;

// Six upper-case hexadecimal digits, red, green, blue: (60, 60, 60) gives "3C3C3C".
QString ColorToHex(int red, int green, int blue);

}  // namespace Module1
