#pragma once
// The editor's palette, shared by its controls, popups and draw functions.
#include "graphics/IRgba.h"

inline constexpr ifx::igfx::IRgba kLabelColor{255, 180, 170, 190};
inline constexpr ifx::igfx::IRgba kAccentColor{255, 120, 80, 160};
inline constexpr ifx::igfx::IRgba kWhisperColor{255, 60, 100, 100};
inline constexpr ifx::igfx::IRgba kPopupPanelColor{240, 20, 18, 28};
inline constexpr ifx::igfx::IRgba kBackdropColor{255, 18, 16, 14};
inline constexpr ifx::igfx::IRgba kPitchPanelColor{180, 20, 18, 25};
