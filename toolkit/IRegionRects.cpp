#include "toolkit/IRegionRects.h"

namespace ifx {
namespace igfx {

namespace {
bool Overlap(const IRECT& a, const IRECT& b) { return a.R >= b.L && b.R > a.L && a.B >= b.T && b.B > a.T; }
} // namespace

IRECT IRegionRects::SplitAroundOverlap(const IRECT& r, const IRECT& x)
{
  if (x.L == r.L && x.T == r.T)
  {
    Add(IRECT(x.R, r.T, r.R, x.B));
    return IRECT(r.L, x.B, r.R, r.B);
  }
  if (x.L == r.L)
  {
    Add(IRECT(r.L, r.T, r.R, x.T));
    return IRECT(x.R, x.T, r.R, r.B);
  }
  if (x.T == r.T)
  {
    Add(IRECT(r.L, r.T, x.L, x.B));
    return IRECT(r.L, x.B, r.R, r.B);
  }
  Add(IRECT(r.L, r.T, r.R, x.T));
  return IRECT(r.L, x.T, x.L, r.B);
}

IRECT IRegionRects::CutAroundOverlap(const IRECT& r, const IRECT& x)
{
  if (x.L == r.L)
  {
    if (x.T != r.T)
    {
      // X spans the width below the top; the part under X must survive too.
      if (x.B != r.B && x.R == r.R)
        Add(IRECT(r.L, x.B, r.R, r.B));
      return IRECT(r.L, r.T, r.R, x.T);
    }
    if (x.R != r.R)
      return IRECT(x.R, r.T, r.R, r.B);
    return IRECT(r.L, x.B, r.R, r.B);
  }
  // X spans the height right of the left edge; keep the part right of X too.
  if (x.R != r.R && x.T == r.T && x.B == r.B)
    Add(IRECT(x.R, r.T, r.R, r.B));
  return IRECT(r.L, r.T, x.L, r.B);
}

void IRegionRects::Optimize()
{
  // Pass 1: containment and overlap. Indices are re-read after every step
  // because removals shift entries down and splits append at the end.
  for (int i = 0; i < Size(); ++i)
  {
    for (int j = i + 1; j < Size();)
    {
      const IRECT a = Get(i);
      const IRECT b = Get(j);
      const bool aEmpty = a.Empty(), bEmpty = b.Empty();

      if (!aEmpty && !bEmpty && a.Contains(b))
      {
        Remove(j);
        continue;
      }
      if (!aEmpty && !bEmpty && b.Contains(a))
      {
        Remove(i);
        j = i + 1;
        continue;
      }
      if (aEmpty || bEmpty || !Overlap(a, b))
      {
        ++j;
        continue;
      }

      const IRECT x = a.Intersect(b);
      if (a.IsMergeableWith(x))
        Set(i, CutAroundOverlap(a, x));
      else if (b.IsMergeableWith(x))
        Set(j, CutAroundOverlap(b, x));
      else if (b.Area() > a.Area())
        Set(i, SplitAroundOverlap(a, x));
      else
        Set(j, SplitAroundOverlap(b, x));
      ++j;
    }
  }

  // Pass 2: merge pairs whose union is exactly the two, restarting after each.
  bool merged = true;
  while (merged)
  {
    merged = false;
    for (int i = 0; i < Size() && !merged; ++i)
    {
      for (int j = i + 1; j < Size(); ++j)
      {
        if (Get(i).IsMergeableWith(Get(j)))
        {
          Set(j, Get(i).Union(Get(j)));
          Remove(i);
          merged = true;
          break;
        }
      }
    }
  }
}

} // namespace igfx
} // namespace ifx
