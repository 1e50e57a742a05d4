#include "toolkit/IGestureLedger.h"

#include <cstddef>

#include "base/IEditorDelegate.h"
#include "toolkit/IControl.h"

namespace ifx {
namespace igfx {

bool IGestureLedger::IsOpen(int paramIdx) const
{
  for (const Entry& e : mEntries)
    if (e.paramIdx == paramIdx)
      return true;
  return false;
}

bool IGestureLedger::Holds(const Holder& holder) const
{
  for (const Entry& e : mEntries)
    if (e.holder == holder)
      return true;
  return false;
}

void IGestureLedger::Begin(const Holder& holder, int paramIdx)
{
  if (paramIdx < 0)
    return;
  const bool wasOpen = IsOpen(paramIdx);
  mEntries.push_back(Entry{holder, paramIdx});
  if (!wasOpen)
    mDelegate->BeginParamGestureFromUI(paramIdx);
}

void IGestureLedger::BeginForControl(const Holder& holder, const IControl& control)
{
  for (int v = 0; v < control.NVals(); ++v)
    Begin(holder, control.GetParamIdx(v));
}

template <class Pred>
void IGestureLedger::EndWhere(Pred pred)
{
  // By index: the host may call back into the editor from an end.
  for (size_t i = 0; i < mEntries.size();)
  {
    if (!pred(mEntries[i].holder))
    {
      ++i;
      continue;
    }
    const int paramIdx = mEntries[i].paramIdx;
    mEntries.erase(mEntries.begin() + static_cast<std::ptrdiff_t>(i));
    if (!IsOpen(paramIdx))
      mDelegate->EndParamGestureFromUI(paramIdx);
  }
}

void IGestureLedger::End(const Holder& holder)
{
  EndWhere([&holder](const Holder& h) { return h == holder; });
}

void IGestureLedger::EndKind(int32_t kind)
{
  EndWhere([kind](const Holder& h) { return h.kind == kind; });
}

void IGestureLedger::EndAll()
{
  EndWhere([](const Holder&) { return true; });
}

void IGestureLedger::Move(const Holder& from, const Holder& to)
{
  for (Entry& e : mEntries)
    if (e.holder == from)
      e.holder = to;
}

} // namespace igfx
} // namespace ifx
