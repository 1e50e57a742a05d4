#include "toolkit/IContainerBase.h"

namespace ifx {
namespace igfx {

IContainerBase::IContainerBase(const IRECT& bounds, AttachFunc attachFunc, ResizeFunc resizeFunc)
  : IControl(bounds), mAttachFunc(std::move(attachFunc)), mResizeFunc(std::move(resizeFunc))
{
  mIgnoreMouse = true;
}

IControl* IContainerBase::GetChild(int idx) const
{
  return idx >= 0 && idx < NChildren() ? mChildren.GetAs<IControl*>()[idx] : nullptr;
}

bool IContainerBase::AddChild(IControl* child)
{
  if (!child)
    return false;
  auto* slot = static_cast<IControl**>(mChildren.Grow(static_cast<int64_t>(sizeof(IControl*))));
  if (!slot)
    return false;
  *slot = child;
  return true;
}

void IContainerBase::ForAllChildren(const std::function<void(int idx, IControl* child)>& func)
{
  for (int i = 0; i < NChildren(); ++i)
    func(i, GetChild(i));
}

void IContainerBase::OnAttached()
{
  if (mAttachFunc)
    mAttachFunc(this, mRECT);
  OnResize();
}

void IContainerBase::OnResize()
{
  // Nothing to lay out before the attach function has made children.
  if (mResizeFunc && NChildren() > 0)
    mResizeFunc(this, mRECT);
}

void IContainerBase::Hide(bool hide)
{
  ForAllChildren([hide](int, IControl* child) { child->Hide(hide); });
  IControl::Hide(hide);
}

void IContainerBase::SetDisabled(bool disable)
{
  ForAllChildren([disable](int, IControl* child) { child->SetDisabled(disable); });
  IControl::SetDisabled(disable);
}

} // namespace igfx
} // namespace ifx
