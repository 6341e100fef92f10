// Running out of memory under a limit on the address space (ulimit -v) ends the layout program
// with "not enough memory" and status 1, also where the toolkit or a library it uses cannot
// report it and crashes or aborts instead.
#pragma once

#include <cstddef>

namespace OutOfMemory {

// The address space the layout program needs at the least (its libraries and fonts).
constexpr std::size_t LayoutMinimum = std::size_t(80) << 20;

// True when a limit on the address space below bytes is set.
bool LimitBelow(std::size_t bytes);

// From now on a crash or abort (an uncaught std::bad_alloc too) while the address space is all
// but used up ends the program with the message, not a crash.
void ReportInsteadOfCrashing();

}  // namespace OutOfMemory
