#include "ColorValues.h"

namespace Module1 {

int ChosenColorR = 0;
int ChosenColorG = 0;
int ChosenColorB = 0;
std::int16_t ColorCancelled = 0;

QString ColorToHex(int red, int green, int blue)
{
    auto two = [](int v) { return QString::number(v & 0xFF, 16).toUpper().rightJustified(2, QLatin1Char('0')); };
    return two(red) + two(green) + two(blue);
}

}  // namespace Module1
