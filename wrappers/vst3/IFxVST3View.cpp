#include "wrappers/vst3/IFxVST3View.h"

#include <cstring>

#include "base/LookUpHost.h"
#include "wrappers/vst3/IFxVST3.h"
#include "wrappers/vst3/IFxVST3Keys.h"
#include "toolkit/IInputEvents.h"

using namespace Steinberg;

namespace ifx {

IFxVST3View::IFxVST3View(IFxVST3& plug) : mPlug(plug) { mPlug.addRef(); }

IFxVST3View::~IFxVST3View()
{
  // A host that drops the view without removing it first still gets its
  // editor closed; the plug-in forgets a view it no longer has.
  if (mOwnsEditor)
    removed();
  mPlug.ForgetView(this);
  mPlug.release();
}

tresult PLUGIN_API IFxVST3View::queryInterface(const TUID iid, void** obj)
{
  if (!obj)
    return kInvalidArgument;
  if (IidEqual(iid, IPlugViewContentScaleSupport::iid))
    return AnswerInterface<IPlugViewContentScaleSupport>(this, obj);
  return CPluginView::queryInterface(iid, obj);
}

tresult PLUGIN_API IFxVST3View::isPlatformTypeSupported(FIDString type)
{
  if (!mPlug.HasEditor())
    return kResultFalse;
  return type && std::strcmp(type, kPlatformTypeHWND) == 0 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IFxVST3View::attached(void* parent, FIDString type)
{
  if (!mPlug.HasEditor())
    return kResultFalse;
  if (!type || std::strcmp(type, kPlatformTypeHWND) != 0)
    return kResultOk;
  // One editor for the plug-in: a second attach, through this view or
  // another, would orphan the first.
  if (isAttached() || mPlug.EditorGraphics())
    return kResultFalse;
  // Opening may already ask for the size kept from the last close: this
  // view's frame is the one to ask.
  mPlug.MakeCurrentView(this);
  if (!mPlug.OpenWindow(parent))
  {
    // The host learns that there is no editor rather than showing an empty
    // frame; graphics made for the failed window go again.
    mPlug.CloseWindow();
    return kResultFalse;
  }
  mOwnsEditor = true;
  return CPluginView::attached(parent, type);
}

tresult PLUGIN_API IFxVST3View::removed()
{
  if (mOwnsEditor)
  {
    mOwnsEditor = false;
    mPlug.CloseWindow();
  }
  return CPluginView::removed();
}

tresult PLUGIN_API IFxVST3View::getSize(ViewRect* size)
{
  if (!size)
    return kInvalidArgument;
  if (!mPlug.HasEditor())
    return kResultFalse;
  *size = ViewRect{0, 0, mPlug.GetEditorWidth(), mPlug.GetEditorHeight()};
  return kResultOk;
}

tresult PLUGIN_API IFxVST3View::onSize(ViewRect* newSize)
{
  if (!newSize || !mPlug.HasEditor())
    return kResultFalse;
  int width = newSize->getWidth();
  int height = newSize->getHeight();
  if (!mPlug.ClampEditorSize(width, height))
    return kResultFalse;
  rect = *newSize;
  // Inside the plug-in's own resizeView the host echoes the size the editor
  // has just taken, and the editor is still in the middle of taking it.
  if (mOwnsEditor && !mPlug.IsResizingHost() && (width != mPlug.GetEditorWidth() || height != mPlug.GetEditorHeight()))
    mPlug.OnHostWindowResized(width, height);
  return kResultOk;
}

tresult PLUGIN_API IFxVST3View::canResize()
{
  return mPlug.HasEditor() && mPlug.HostCanResize() ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IFxVST3View::checkSizeConstraint(ViewRect* r)
{
  if (!r)
    return kInvalidArgument;
  int width = r->getWidth();
  int height = r->getHeight();
  if (!mPlug.ClampEditorSize(width, height))
  {
    r->right = r->left + width;
    r->bottom = r->top + height;
  }
  return kResultOk;
}

tresult IFxVST3View::OnKey(char16 key, int16 keyCode, int16 modifiers, bool isUp)
{
  igfx::IKeyEvent event;
  // This host sends its own shortcuts to the plug-in as key events; only
  // space (its transport) is passed on.
  if (mPlug.GetHostId() == kHostReaper)
  {
    if (!TranslateVST3SpaceOnly(event, keyCode, modifiers))
      return kResultFalse;
  }
  else
  {
    TranslateVST3KeyEvent(event, key, keyCode, modifiers);
  }
  const bool handled = isUp ? mPlug.OnKeyUp(event) : mPlug.OnKeyDown(event);
  return handled ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IFxVST3View::onKeyDown(char16 key, int16 keyCode, int16 modifiers)
{
  return OnKey(key, keyCode, modifiers, false);
}

tresult PLUGIN_API IFxVST3View::onKeyUp(char16 key, int16 keyCode, int16 modifiers)
{
  return OnKey(key, keyCode, modifiers, true);
}

tresult PLUGIN_API IFxVST3View::setContentScaleFactor(ScaleFactor factor)
{
  // Only the view showing the editor scales it. The delegate passes on only
  // a finite, positive factor, and only as far as the editor's size limits
  // allow.
  if (mOwnsEditor)
    mPlug.SetDisplayScale(factor);
  return kResultOk;
}

} // namespace ifx
