#pragma once
// The system's colour chooser, modal over the editor window, titled with
// the prompt. The 16 custom colours are kept for the process (white at
// first).
#include <windows.h>

#include "toolkit/IRgba.h"

namespace ifx {
namespace igfx {

// colour (in: the colour shown first; out: red, green and blue of the
// choice, alpha unchanged). True when a colour was chosen.
bool AskForColour(HWND owner, IRgba& colour, const char* prompt);

} // namespace igfx
} // namespace ifx
