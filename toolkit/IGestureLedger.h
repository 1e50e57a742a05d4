#pragma once
// The host gestures the editor has begun and what holds each: a press (by
// its touch id), an open value menu, or a single event (a double click, a
// wheel turn, a committed text entry). Whatever interrupts a holder (a
// resize, a second button, a menu, the editor closing), its gestures are
// ended through here, so every begin the host hears gets exactly one end.
// A parameter taken by two holders at once (a wheel turn during a drag of
// the same slider) is begun when the first takes it and ended when the last
// lets go: the host never sees a gesture nested in another.
#include <cstdint>
#include <vector>

namespace ifx {

class IEditorDelegate;

namespace igfx {

class IControl;

class IGestureLedger
{
public:
  enum EHolderKind : int32_t
  {
    kHolderPress = 0,
    kHolderMenu = 1,
    kHolderEvent = 2
  };

  struct Holder
  {
    int32_t kind = kHolderPress;
    uint64_t id = 0;
    bool operator==(const Holder& o) const { return kind == o.kind && id == o.id; }
  };

  static Holder Press(uint64_t touchID) { return Holder{kHolderPress, touchID}; }
  static Holder Menu() { return Holder{kHolderMenu, 0}; }
  // A holder for one event, distinct from every other.
  Holder NewEvent() { return Holder{kHolderEvent, ++mLastEventId}; }

  explicit IGestureLedger(IEditorDelegate& dlg) : mDelegate(&dlg) {}

  // A negative index is no parameter and is ignored.
  void Begin(const Holder& holder, int paramIdx);
  // Every value of the control bound to a parameter, in value order.
  void BeginForControl(const Holder& holder, const IControl& control);
  // Lets go of everything holder holds, in the order it was taken.
  void End(const Holder& holder);
  void EndKind(int32_t kind);
  void EndAll();
  // Hands what from holds to to; the host hears nothing.
  void Move(const Holder& from, const Holder& to);

  // A gesture for the parameter is open at the host.
  bool IsOpen(int paramIdx) const;
  bool Holds(const Holder& holder) const;

private:
  template <class Pred>
  void EndWhere(Pred pred);

  struct Entry
  {
    Holder holder;
    int paramIdx;
  };
  std::vector<Entry> mEntries;
  IEditorDelegate* mDelegate;
  uint64_t mLastEventId = 0;
};

} // namespace igfx
} // namespace ifx
