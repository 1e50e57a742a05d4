#pragma once
// The touch points of one window: turns the records of a touch message into
// lists of presses, releases and moves, remembering each point's last event
// so that moves carry their distance.
#include <cstdint>
#include <unordered_map>

#include "toolkit/IGfx.h"
#include "toolkit/IInputEvents.h"

namespace ifx {
namespace igfx {

// One point of a touch message, already in editor units.
struct TouchRecord
{
  uint32_t id = 0;
  float x = 0.f;
  float y = 0.f;
  bool down = false;
  bool up = false;
  bool move = false;
  // Contact width, 0 when the system gave none.
  float radius = 0.f;
};

class TouchTracker
{
public:
  TouchTracker();

  // Sorts one record into its list. A record flagged both down and up counts
  // only as down; a move of a point never seen going down starts it, with no
  // distance.
  void Add(const TouchRecord& record, IMouseEventList& downs, IMouseEventList& ups, IMouseEventList& moves);
  int ActivePoints() const noexcept { return static_cast<int>(mPoints.size()); }
  void Clear() noexcept { mPoints.clear(); }

private:
  std::unordered_map<ITouchID, IMouseEvent, TouchIdHash> mPoints;
};

} // namespace igfx
} // namespace ifx
