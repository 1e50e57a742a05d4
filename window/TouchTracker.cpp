#include "window/TouchTracker.h"

namespace ifx {
namespace igfx {

namespace {
constexpr size_t kInitialBuckets = 8;
} // namespace

TouchTracker::TouchTracker() : mPoints(kInitialBuckets) { mPoints.max_load_factor(1.f); }

void TouchTracker::Add(const TouchRecord& record, IMouseEventList& downs, IMouseEventList& ups, IMouseEventList& moves)
{
  IMouseEvent e;
  e.x = record.x;
  e.y = record.y;
  e.ms.touchID = record.id;
  e.ms.touchRadius = record.radius;
  const ITouchID id = record.id;
  if (record.down)
  {
    downs.push_back(e);
    mPoints.emplace(id, e); // a point already down keeps its first event
  }
  else if (record.up)
  {
    mPoints.erase(id);
    ups.push_back(e);
  }
  else if (record.move)
  {
    auto it = mPoints.find(id);
    if (it != mPoints.end())
    {
      e.dX = e.x - it->second.x;
      e.dY = e.y - it->second.y;
      it->second = e;
    }
    else
    {
      mPoints.emplace(id, e);
    }
    moves.push_back(e);
  }
}

} // namespace igfx
} // namespace ifx
