#pragma once
// A vector control with one bar ("track") per value, side by side (vertical:
// bars grow upwards) or stacked (horizontal: bars grow to the right),
// optionally cut into equal step cells. The level meters build on it.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "base/IString.h"
#include "toolkit/IControl.h"
#include "toolkit/IVectorBase.h"

namespace ifx {
namespace igfx {

enum EDirection : int32_t
{
  kVertical = 0,
  kHorizontal = 1
};

class IVTrackControlBase
  : public IControl
  , public IVectorBase
{
public:
  IVTrackControlBase(const IRECT& bounds, const IVectorStyle& style, std::initializer_list<const char*> trackNames,
                     int nTracks = 2);

  void OnResize() override;
  int ValueIndexAt(float x, float y) const override;
  void OnMouseOver(float x, float y, const IMouseModifiers& mod) override;
  void OnMouseOut() override;
  void DrawBackground(IGfx& g, const IRECT& r) override;
  void DrawWidget(IGfx& g) override;

  virtual void DrawTrack(IGfx& g, const IRECT& r, int chIdx);
  virtual void DrawTrackBackground(IGfx& g, const IRECT& r, int chIdx);
  virtual void DrawTrackName(IGfx& g, const IRECT& r, int chIdx);
  virtual void DrawTrackValue(IGfx& g, const IRECT& r, int chIdx, bool aboveBaseline);
  virtual void DrawPeak(IGfx& g, const IRECT& r, int chIdx, bool aboveBaseline);
  virtual void LayoutTracks(const IRECT& r);
  virtual void LayoutSteps(const IRECT& r, int steps);

  int NTracks() const { return static_cast<int>(mTrackBounds.size()); }
  // An empty rect for an index outside the tracks.
  IRECT GetTrackBounds(int chIdx) const;
  int NStepCells() const { return static_cast<int>(mStepBounds.size()); }
  IRECT GetStepBounds(int cell) const;
  int GetDirection() const { return mDirection; }
  int GetTrackUnderMouse() const { return mMouseOverTrack; }

  // Settings take effect at the next OnResize.
  void SetDirection(int direction) { mDirection = direction; }
  void SetSteps(int steps) { mNSteps = steps < 0 ? 0 : steps; }
  void SetTrackPadding(float p) { mTrackPadding = p; }
  void SetPeakSize(float s) { mPeakSize = s; }
  void SetBaseline(double b) { mBaseline = b; }
  void SetDrawTrackFrames(bool v) { mDrawTrackFrame = v; }
  void SetZeroValueStep(bool v) { mZeroValueStepHasBounds = v; }
  void SetSelectedTrack(int i) { mSelectedTrack = i; }

protected:
  int32_t mDirection = kVertical;
  std::vector<IRECT> mTrackBounds;
  std::vector<IRECT> mStepBounds;
  std::vector<IString> mTrackNames;
  int32_t mNSteps = 0;
  float mTrackPadding = 0.f;
  float mPeakSize = 1.f;
  int32_t mSelectedTrack = -1;
  int32_t mMouseOverTrack = -1;
  double mBaseline = 0.0;
  bool mDrawTrackFrame = true;
  bool mZeroValueStepHasBounds = true;
};

} // namespace igfx
} // namespace ifx
