#pragma once
// A level meter fed with (peak, average) packets: the bars show the averages
// on the meter's scale and a thin marker shows each channel's peak.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/ISenderPacket.h"
#include "toolkit/IVMeterControl.h"

namespace ifx {
namespace igfx {

template <int MAXNC = 2>
class IVPeakAvgMeterControl : public IVMeterControl<MAXNC>
{
  static_assert(MAXNC == ISenderPacket::kChannels, "the packet carries a fixed number of channels");
  using Base = IVMeterControl<MAXNC>;

public:
  static constexpr int kPacketSize = static_cast<int>(sizeof(ISenderPacket));
  // Peaks below this are not marked.
  static constexpr float kMinPeak = 0.0001f;

  IVPeakAvgMeterControl(const IRECT& bounds, const char* label, const IVectorStyle& style = kDefaultVectorStyle,
                        EMeterResponse response = kMeterLog, std::initializer_list<const char*> trackNames = {},
                        std::initializer_list<int> markDbs = {0, -6, -12, -24, -48}, float lowDb = -60.f,
                        float highDb = 12.f)
    : Base(bounds, label, style, response, trackNames, markDbs, lowDb, highDb)
  {
  }

  // Averages set the bars (clamped); peaks are kept unclamped, so a peak
  // above the scale can be shown as such. Both are read on the dB scale.
  void OnDelegateMessage(int msgTag, int dataSize, const void* data) override
  {
    if (this->IsDisabled() || msgTag != 0)
      return;
    ISenderPacket packet;
    packet.controlTag = -1;
    if (data && dataSize >= kPacketSize)
      std::memcpy(&packet, data, sizeof(packet));
    int first = 0, end = 0;
    Base::ChannelRange(packet.nChans, packet.chanOffset, first, end);
    for (int c = first; c < end; ++c)
    {
      const double avg = this->LevelToFraction(packet.Average(c));
      const double peak = this->LevelToFraction(packet.Peak(c));
      this->SetValue(std::isfinite(avg) ? std::clamp(avg, 0.0, 1.0) : 0.0, c);
      mPeakValues[c] = std::isfinite(peak) ? static_cast<float>(peak) : 0.f;
    }
    this->SetDirty(false, -1);
  }

  void DrawPeak(IGfx& g, const IRECT& r, int chIdx, bool aboveBaseline) override
  {
    if (chIdx < 0 || chIdx >= MAXNC)
      return;
    const float peak = mPeakValues[chIdx];
    if (!(peak >= kMinPeak))
      return;
    const float fraction = std::min(peak, 1.f);
    const IRECT& w = this->mWidgetBounds;
    const IRECT track = this->GetTrackBounds(chIdx);
    IRECT marker;
    if (this->mDirection == kHorizontal)
    {
      const float x = w.L + w.W() * fraction;
      marker = IRECT(x - this->mPeakSize, track.T, x, track.B);
    }
    else
    {
      const float y = w.B - w.H() * fraction;
      marker = IRECT(track.L, y, track.R, y + this->mPeakSize);
    }
    g.FillRect(this->GetColor(peak > 1.f ? kColorExtra2 : kColorExtra1), marker, &this->mBlend);
  }

  // The last peak of a channel on the scale (0 before any packet).
  float GetPeak(int chIdx) const { return chIdx >= 0 && chIdx < MAXNC ? mPeakValues[chIdx] : 0.f; }

private:
  float mPeakValues[MAXNC] = {};
};

} // namespace igfx
} // namespace ifx
