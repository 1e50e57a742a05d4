#pragma once
// A level meter: one track per channel showing the levels a meter sender
// delivers through the editor delegate, on a linear or a decibel scale with
// labelled marks.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "toolkit/IGfx.h"
#include "toolkit/IVTrackControlBase.h"

namespace ifx {
namespace igfx {

enum EMeterResponse : int32_t
{
  kMeterLinear = 0,
  kMeterLog = 1
};

template <int MAXNC = 2>
class IVMeterControl : public IVTrackControlBase
{
  static_assert(MAXNC >= 1, "a meter has at least one channel");

public:
  // Header and one level per channel, as the sender lays them out.
  struct Message
  {
    int32_t controlTag = -1;
    int32_t nChans = MAXNC;
    int32_t chanOffset = 0;
    float vals[MAXNC] = {};
  };
  static constexpr int kMessageSize = static_cast<int>(sizeof(Message));

  IVMeterControl(const IRECT& bounds, const char* label, const IVectorStyle& style = kDefaultVectorStyle,
                 EMeterResponse response = kMeterLinear, std::initializer_list<const char*> trackNames = {},
                 std::initializer_list<int> markDbs = {0, -6, -12, -24, -48}, float lowDb = -72.f, float highDb = 12.f)
    : IVTrackControlBase(bounds, style, trackNames, MAXNC)
    , mHighRangeDB(highDb)
    , mLowRangeDB(lowDb)
    , mResponse(response)
    , mMarks(markDbs)
  {
    SetLabelStr(label);
  }

  void OnDelegateMessage(int msgTag, int dataSize, const void* data) override
  {
    if (IsDisabled() || msgTag != 0)
      return;
    Message m;
    if (data && dataSize >= kMessageSize)
      std::memcpy(&m, data, sizeof(m));
    int first = 0, end = 0;
    ChannelRange(m.nChans, m.chanOffset, first, end);
    for (int c = first; c < end; ++c)
      SetValue(LevelToValue(m.vals[c]), c);
    SetDirty(false);
  }

  void Draw(IGfx& g) override
  {
    DrawBackground(g, mRECT);
    DrawWidget(g);
    DrawLabel(g);
    if (mResponse == kMeterLog)
      DrawMarks(g);
    if (mStyle.drawFrame)
      g.DrawRect(GetColor(kColorFrame), mWidgetBounds, &mBlend, mStyle.frameThickness);
  }

  void DrawPeak(IGfx& g, const IRECT& r, int chIdx, bool aboveBaseline) override
  {
    g.FillRect(GetColor(kColorExtra1), r, &mBlend);
  }

  virtual void DrawMarks(IGfx& g)
  {
    const IRECT& w = mWidgetBounds;
    for (int d : mMarks)
    {
      const float f = static_cast<float>(DbToFraction(static_cast<double>(d)));
      IRECT box;
      if (mDirection == kHorizontal)
      {
        const float x = w.L + w.W() * f;
        g.DrawLine(GetColor(kColorHighlight), x - 5.f, w.T, x - 5.f, w.B, nullptr, 1.f);
        box = IRECT(x - 10.f, w.T, x, w.B);
      }
      else
      {
        const float y = w.B - w.H() * f;
        g.DrawLine(GetColor(kColorHighlight), w.L, y, w.R, y, nullptr, 1.f);
        box = IRECT(w.L, y, w.R, y + 10.f);
      }
      if (mStyle.showValue)
      {
        char text[33];
        std::snprintf(text, sizeof(text), "%i dB", d);
        g.DrawText(kDefaultText, text, box);
      }
    }
  }

  float GetLowRangeDB() const { return mLowRangeDB; }
  float GetHighRangeDB() const { return mHighRangeDB; }
  EMeterResponse GetResponse() const { return mResponse; }
  const std::vector<int>& GetMarks() const { return mMarks; }

protected:
  // The channels [first, end) of a message that this meter has: a negative
  // count is none, and channels outside the meter are skipped.
  static void ChannelRange(int32_t count, int32_t offset, int& first, int& end)
  {
    const int64_t lo = std::max<int64_t>(offset, 0);
    const int64_t hi = std::min<int64_t>(static_cast<int64_t>(offset) + std::max<int32_t>(count, 0), MAXNC);
    first = static_cast<int>(lo);
    end = static_cast<int>(std::max(lo, hi));
  }

  // Where a level in dB sits on the scale, 0 at the low end, 1 at the high end.
  double DbToFraction(double db) const
  {
    const double range = std::fabs(static_cast<double>(mHighRangeDB) - static_cast<double>(mLowRangeDB));
    return range > 0.0 ? (db + std::fabs(static_cast<double>(mLowRangeDB))) / range : 0.0;
  }

  // A linear level on the scale, unclamped; 20 log10 |x| taken through ln.
  // Silence (and a non-finite level, which shows as silence) is minus infinity.
  double LevelToFraction(float level) const
  {
    if (!std::isfinite(level))
      return -HUGE_VAL;
    return DbToFraction(std::log(std::fabs(static_cast<double>(level))) * 8.685889638065037);
  }

  double LevelToValue(float level) const
  {
    if (!std::isfinite(level))
      return 0.0;
    const double v = mResponse == kMeterLog ? LevelToFraction(level) : static_cast<double>(level);
    return std::clamp(v, 0.0, 1.0);
  }

  float mHighRangeDB;
  float mLowRangeDB;
  EMeterResponse mResponse;
  std::vector<int> mMarks;
};

} // namespace igfx
} // namespace ifx
