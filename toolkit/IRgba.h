#pragma once
// Colour value and the program's named colours.
#include <cstdint>

namespace ifx {
namespace igfx {

// Channels are kept unpacked; the back end divides by 255 where it needs floats.
struct IRgba
{
  int32_t A = 255;
  int32_t R = 0;
  int32_t G = 0;
  int32_t B = 0;

  constexpr IRgba() = default;
  constexpr IRgba(int32_t a, int32_t r, int32_t g, int32_t b) : A(a), R(r), G(g), B(b) {}

  constexpr bool operator==(const IRgba& o) const { return A == o.A && R == o.R && G == o.G && B == o.B; }
  constexpr bool operator!=(const IRgba& o) const { return !(*this == o); }
};

inline constexpr IRgba kColorTransparent{0, 0, 0, 0};
inline constexpr IRgba kColorTranslucent{10, 0, 0, 0};
inline constexpr IRgba kColorShadowDefault{60, 0, 0, 0};
inline constexpr IRgba kColorBlack{255, 0, 0, 0};
inline constexpr IRgba kColorWhite{255, 255, 255, 255};
inline constexpr IRgba kColorRed{255, 255, 0, 0};
inline constexpr IRgba kColorGreen{255, 0, 255, 0};
inline constexpr IRgba kColorBlue{255, 0, 0, 255};
inline constexpr IRgba kColorLightGrey{255, 240, 240, 240};
inline constexpr IRgba kColorMidGrey{255, 200, 200, 200};
inline constexpr IRgba kColorDarkGrey{255, 70, 70, 70};

// Role defaults.
inline constexpr IRgba kDefaultTextColor = kColorBlack;
inline constexpr IRgba kDefaultTextEntryBackground = kColorWhite;
inline constexpr IRgba kDefaultTextEntryTextColor = kColorBlack;
inline constexpr IRgba kDefaultHighlightColor = kColorRed;
inline constexpr IRgba kDefaultTextControlBackground = kColorTransparent;

} // namespace igfx
} // namespace ifx
