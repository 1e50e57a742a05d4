#pragma once
// The window's scale from the display's DPI.

namespace ifx {
namespace igfx {

// DPI / 96 (96 is exactly 1.0); a DPI of 0 (the query failed or is missing)
// means 1.0.
float ScaleFromDpi(unsigned dpi) noexcept;

// The whole-number scale a window opens at: the integer part of the scale
// (1.5 gives 1), at least 1.
int IntegerWindowScale(float scale) noexcept;

// The redraw tick's view of the window's DPI scale. The tick follows a change
// of it (another monitor, a changed system setting) and otherwise leaves the
// display scale alone, so that a host whose scale differs from the monitor's
// (its own zoom, or no DPI awareness) keeps the scale it set.
class DpiScaleWatch
{
public:
  // The window opened: its DPI scale is not seen yet, so the first tick
  // applies it (the window opens at its whole-number part).
  void Reset() noexcept { mSeen = 0.f; }
  // The host set the display scale while the window's DPI scale was
  // dpiScale: that counts as seen.
  void HostSetScale(float dpiScale) noexcept { mSeen = dpiScale; }
  // A tick saw dpiScale: true when it is to become the display scale, i.e.
  // it differs from the DPI scale last seen and from displayScale.
  bool Follow(float dpiScale, float displayScale) noexcept;

private:
  float mSeen = 0.f; // 0: nothing seen since the window opened
};

} // namespace igfx
} // namespace ifx
