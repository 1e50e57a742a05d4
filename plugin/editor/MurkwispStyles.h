#pragma once
// The editor's palette, fonts and text styles, shared by its controls,
// popups and draw functions. Colours are (alpha, red, green, blue).
#include "toolkit/IRgba.h"
#include "toolkit/ITextStyle.h"
#include "toolkit/IVectorStyle.h"

namespace murkwisp {

using ifx::igfx::IRgba;
using ifx::igfx::ITextStyle;

inline constexpr IRgba kLabelColor{255, 180, 170, 190};
inline constexpr IRgba kAccentColor{255, 120, 80, 160};
inline constexpr IRgba kWhisperColor{255, 60, 100, 100};
inline constexpr IRgba kPopupPanelColor{240, 20, 18, 28};
inline constexpr IRgba kBackdropColor{255, 18, 16, 14};
inline constexpr IRgba kPitchPanelColor{180, 20, 18, 25};

// Font ids and the files they are looked up in. Only Roboto is embedded;
// the other two are used when present on disk.
inline constexpr const char* kFontRoboto = "Roboto-Regular";
inline constexpr const char* kFontRobotoFile = "Roboto-Regular.ttf";
inline constexpr const char* kFontCinzel = "Cinzel";
inline constexpr const char* kFontCinzelFile = "Cinzel-Regular.ttf";
inline constexpr const char* kFontGipsyCurse = "GipsyCurse";
inline constexpr const char* kFontGipsyCurseFile = "GipsyCurse.ttf";

// Images the editor names; normally absent, and drawn as nothing then.
inline constexpr const char* kBackgroundImage = "background_fennow.png";
inline constexpr const char* kFennowIconImage = "FennowIcon.png";
inline constexpr const char* kPresetIconImage = "PresetIcon.png";

// Roboto in the label colour.
inline ITextStyle LabelStyle(float size, int32_t align = ifx::igfx::kAlignCenter, IRgba color = kLabelColor)
{
  return ITextStyle(size, color, kFontRoboto, align, ifx::igfx::kVAlignMiddle);
}

inline const ITextStyle kStyleL18 = LabelStyle(18.f);                        // section labels
inline const ITextStyle kStyleC16 = LabelStyle(16.f, ifx::igfx::kAlignFar);  // captions
inline const ITextStyle kStyleS10 = LabelStyle(10.f, ifx::igfx::kAlignFar);  // meter scale
inline const ITextStyle kStyleS14R = LabelStyle(14.f, ifx::igfx::kAlignFar); // preset name, "Res"
inline const ITextStyle kStyleTitle{48.f, kLabelColor, kFontGipsyCurse};     // "Murkwisp"
inline const ITextStyle kStyleHeading = LabelStyle(16.f, ifx::igfx::kAlignCenter, kWhisperColor);

// The two level meters' look.
ifx::igfx::IVectorStyle MakeMeterStyle();

} // namespace murkwisp
