#pragma once
// The flickering brightness of an LED: the level eases towards a target at
// a rate, and at random intervals a new target, rate and interval are drawn
// (sometimes with a sudden dip).
#include "plugin/editor/EditorAnimation.h"

namespace murkwisp {

struct FlickerLight
{
  // How new values are drawn: base + scale x (random mod 1000); one in
  // kickOdds draws kicks the level to kickLevel + kickLevelScale x (random mod 100).
  struct Tuning
  {
    float intervalBase, intervalScale;
    float targetBase, targetScale;
    float rateBase, rateScale;
    int kickOdds;
    float kickRate;
    float kickLevelBase, kickLevelScale;
  };

  float level = 0.f;
  float target = 0.f;
  float rate = 0.f;
  float timer = 0.f;
  float interval = 0.f;

  // One frame (16 ms) on; returns the brightness, 0.25 to 1.
  float Step(const Tuning& t)
  {
    timer += 0.016f;
    level += (target - level) * rate;
    if (timer >= interval)
    {
      timer = 0.f;
      interval = t.intervalBase + t.intervalScale * static_cast<float>(EditorRand() % 1000);
      target = t.targetBase + t.targetScale * static_cast<float>(EditorRand() % 1000);
      rate = t.rateBase + t.rateScale * static_cast<float>(EditorRand() % 1000);
      if (EditorRand() % t.kickOdds == 0)
      {
        rate = t.kickRate;
        level = t.kickLevelBase + t.kickLevelScale * static_cast<float>(EditorRand() % 100);
      }
    }
    return std::max(std::min(level, 1.f), 0.25f);
  }
};

} // namespace murkwisp
