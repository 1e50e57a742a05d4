#pragma once
// The dirty rectangles collected for one frame and their merge into fewer,
// non-overlapping rectangles.
#include <vector>
#include "toolkit/IRECT.h"

namespace ifx {
namespace igfx {

class IRegionRects
{
public:
  int Size() const { return static_cast<int>(mRects.size()); }
  bool Empty() const { return mRects.empty(); }
  const IRECT& Get(int i) const { return mRects[static_cast<size_t>(i)]; }
  IRECT& Get(int i) { return mRects[static_cast<size_t>(i)]; }
  void Add(const IRECT& r) { mRects.push_back(r); }
  void Set(int i, const IRECT& r) { mRects[static_cast<size_t>(i)] = r; }
  void Remove(int i) { mRects.erase(mRects.begin() + i); }
  void Clear() { mRects.clear(); }

  void PixelAlign(float scale)
  {
    for (IRECT& r : mRects)
      r.PixelAlign(scale);
  }

  // Removes contained and overlapping area, then merges neighbours that form
  // a rectangle together. The result covers exactly the area of the input.
  void Optimize();

  // X lies in a corner of R: appends one piece of R outside X and returns the other.
  IRECT SplitAroundOverlap(const IRECT& r, const IRECT& x);

private:
  // Cuts X (spanning r's full width or height) out of r; a far piece left
  // over when X sits in r's middle is appended.
  IRECT CutAroundOverlap(const IRECT& r, const IRECT& x);

  std::vector<IRECT> mRects;
};

} // namespace igfx
} // namespace ifx
