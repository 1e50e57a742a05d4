#pragma once
// A control that groups others: it forwards hiding and disabling to its
// children and hands its rectangle to the layout's attach and resize
// functions. The children stay the graphics' to own and draw.
#include <functional>

#include "base/IHeapBuf.h"
#include "toolkit/IControl.h"

namespace ifx {
namespace igfx {

class IContainerBase : public IControl
{
public:
  using AttachFunc = std::function<void(IContainerBase* container, const IRECT& rect)>;
  using ResizeFunc = std::function<void(IContainerBase* container, const IRECT& rect)>;

  // Ignores the mouse: the children take the clicks.
  IContainerBase(const IRECT& bounds, AttachFunc attachFunc = nullptr, ResizeFunc resizeFunc = nullptr);

  void OnAttached() override;
  void OnResize() override;
  void Hide(bool hide) override;
  void SetDisabled(bool disable) override;

  void ForAllChildren(const std::function<void(int idx, IControl* child)>& func);
  int NChildren() const { return mChildren.GetSize() / static_cast<int>(sizeof(IControl*)); }
  // Null outside the list.
  IControl* GetChild(int idx) const;

protected:
  // Appends child to the list (not owned); false, list unchanged, for a null
  // child or when there is no memory.
  bool AddChild(IControl* child);

private:
  AttachFunc mAttachFunc;
  ResizeFunc mResizeFunc;
  IHeapBuf mChildren{4096};
};

} // namespace igfx
} // namespace ifx
