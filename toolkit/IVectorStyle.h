#pragma once
// Colours and look of the vector-drawn controls.
#include <initializer_list>
#include "toolkit/IRgba.h"
#include "toolkit/ITextStyle.h"

namespace ifx {
namespace igfx {

enum EVectorColorKind : int32_t
{
  kColorBackground = 0,
  kColorForeground,
  kColorPressed,
  kColorFrame,
  kColorHighlight,
  kColorShadow,
  kColorExtra1,
  kColorExtra2,
  kColorExtra3,
  kNumVectorColors
};

enum ELabelPosition : int32_t
{
  kLabelTop = 0,
  kLabelRight,
  kLabelBottom,
  kLabelLeft
};

class IVectorColorSpec
{
public:
  IVectorColorSpec();
  // Kinds beyond the end of the list keep their defaults; extra colours are ignored.
  IVectorColorSpec(std::initializer_list<IRgba> colors);

  static IRgba GetDefaultColor(int kind);
  // Kinds outside the table read as transparent.
  IRgba GetColor(int kind) const;
  void SetColor(int kind, const IRgba& color);

  bool operator==(const IVectorColorSpec& o) const;
  bool operator!=(const IVectorColorSpec& o) const { return !(*this == o); }

private:
  IRgba mColors[kNumVectorColors];
};

struct IVectorStyle
{
  bool leading = true;
  bool showLabel = true;
  bool showValue = true;
  bool drawFrame = true;
  bool drawShadows = true;
  bool emboss = false;
  float roundness = 0.f;
  float frameThickness = 1.f;
  float shadowOffset = 3.f;
  float widgetFrac = 1.f;
  float angle = 0.f;
  IVectorColorSpec colorSpec;
  ITextStyle labelText = kDefaultLabelText;
  ITextStyle valueText = kDefaultValueText;
  int32_t labelPosition = kLabelTop;
};

inline const IVectorStyle kDefaultVectorStyle{};

} // namespace igfx
} // namespace ifx
