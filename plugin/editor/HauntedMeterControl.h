#pragma once
// The editor's level meter: two columns of sixteen flickering segments in a
// riveted, cracked housing, lit by the averages of the meter sender's
// packets on a -60 to +12 dB scale.
#include "toolkit/IVPeakAvgMeterControl.h"

namespace murkwisp {

class HauntedMeterControl : public ifx::igfx::IVPeakAvgMeterControl<2>
{
public:
  static constexpr int kSegments = 16;
  static constexpr int kSegmentSlots = 20;

  // which: 0 for the input meter, 1 for the output meter.
  HauntedMeterControl(const ifx::igfx::IRECT& bounds, const ifx::igfx::IVectorStyle& style, int which);

  void Draw(ifx::igfx::IGfx& g) override;

  int Which() const { return mWhich; }

private:
  struct SegmentSlot
  {
    float level;
    float target;
    float timer;
  };

  // Advances a segment's flicker by one frame and returns its level.
  float StepSegment(SegmentSlot& slot);
  void DrawHousing(ifx::igfx::IGfx& g);
  void DrawColumns(ifx::igfx::IGfx& g, const ifx::igfx::IRECT& well);
  void DrawWear(ifx::igfx::IGfx& g, const ifx::igfx::IRECT& well);

  int mWhich;
  float mFlickerPhase;
  float mGlowPhase;
  int mSeed;
  SegmentSlot mSlots[kSegmentSlots];
};

} // namespace murkwisp
