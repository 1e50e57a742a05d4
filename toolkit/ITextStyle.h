#pragma once
// How a string is drawn: font, size, colours, rotation and alignment.
#include <cstddef>
#include <cstring>
#include "toolkit/IRgba.h"

namespace ifx {
namespace igfx {

enum ETextAlign : int32_t
{
  kAlignNear = 0,
  kAlignCenter = 1,
  kAlignFar = 2
};
enum ETextVAlign : int32_t
{
  kVAlignTop = 0,
  kVAlignMiddle = 1,
  kVAlignBottom = 2
};

inline constexpr float kDefaultFontSize = 14.f;
inline constexpr const char* kDefaultFontName = "Roboto-Regular";

struct ITextStyle
{
  static constexpr size_t kFontNameSize = 64;

  char font[kFontNameSize] = "Roboto-Regular";
  float size = kDefaultFontSize;
  IRgba color = kDefaultTextColor;
  IRgba textEntryBGColor = kDefaultTextEntryBackground;
  IRgba textEntryFGColor = kDefaultTextEntryTextColor;
  float angle = 0.f;
  int32_t align = kAlignCenter;
  int32_t valign = kVAlignMiddle;

  ITextStyle() = default;
  ITextStyle(float sz, IRgba col = kDefaultTextColor, const char* fontName = nullptr, int32_t hAlign = kAlignCenter,
             int32_t vAlign = kVAlignMiddle, float ang = 0.f, IRgba entryBG = kDefaultTextEntryBackground,
             IRgba entryFG = kDefaultTextEntryTextColor)
    : size(sz)
    , color(col)
    , textEntryBGColor(entryBG)
    , textEntryFGColor(entryFG)
    , angle(ang)
    , align(hAlign)
    , valign(vAlign)
  {
    if (fontName)
      SetFont(fontName);
  }

  // Names longer than the field are cut so the terminator always fits.
  void SetFont(const char* name)
  {
    size_t n = 0;
    if (name)
      while (n < kFontNameSize - 1 && name[n])
        ++n;
    if (n)
      std::memcpy(font, name, n);
    font[n] = '\0';
  }

  bool operator==(const ITextStyle& o) const
  {
    return std::strcmp(font, o.font) == 0 && size == o.size && color == o.color &&
           textEntryBGColor == o.textEntryBGColor && textEntryFGColor == o.textEntryFGColor && angle == o.angle &&
           align == o.align && valign == o.valign;
  }
  bool operator!=(const ITextStyle& o) const { return !(*this == o); }
};

inline const ITextStyle kDefaultText{kDefaultFontSize, kDefaultTextColor, nullptr, kAlignCenter, kVAlignMiddle};
inline const ITextStyle kDefaultLabelText{kDefaultFontSize + 5.f, kDefaultTextColor, nullptr, kAlignCenter, kVAlignTop};
inline const ITextStyle kDefaultValueText{kDefaultFontSize, kDefaultTextColor, nullptr, kAlignCenter, kVAlignBottom};

} // namespace igfx
} // namespace ifx
