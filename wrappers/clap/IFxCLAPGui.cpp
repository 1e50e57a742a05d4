// The "clap.gui" extension: the editor as an embedded Win32 child window.
// Host order: create -> set_parent (the window opens) -> show / hide any
// number of times -> destroy; sizes and scale may come any time after create.
// Only a plug-in with an editor creates a gui, so a created gui implies one.
#include <algorithm>
#include <climits>
#include <cstring>

#include "wrappers/clap/IFxCLAP.h"

namespace ifx {

namespace {

// Host sizes are unsigned; the editor's are int.
int ToEditorSize(uint32_t v) { return static_cast<int>(std::min<uint32_t>(v, INT_MAX)); }

uint32_t ToHostSize(int v) { return static_cast<uint32_t>(std::max(0, v)); }

} // namespace

bool IFxCLAP::GuiIsApiSupported(const char* api, bool isFloating)
{
  return !isFloating && std::strcmp(api, CLAP_WINDOW_API_WIN32) == 0;
}

bool IFxCLAP::GuiCreate(const char* api, bool isFloating)
{
  // The window itself is made when the host hands over its parent.
  return HasEditor() && GuiIsApiSupported(api, isFloating);
}

void IFxCLAP::GuiDestroy()
{
  CloseWindow();
  mParentWindow = nullptr;
  mEditorOpen = false;
}

bool IFxCLAP::GuiSetScale(double scale)
{
  if (!IsGuiCreated())
    return false;
  // Without graphics yet the window takes its scale from its own display.
  SetDisplayScale(static_cast<float>(scale));
  return true;
}

bool IFxCLAP::OpenGuiWindow()
{
  if (OpenWindow(mParentWindow))
  {
    mEditorOpen = true;
    return true;
  }
  CloseWindow();
  mEditorOpen = false;
  return false;
}

bool IFxCLAP::GuiSetParent(const clap_window_t* window)
{
  // Only a gui the host created (and has not destroyed) gets a window.
  if (!IsGuiCreated() || !window->win32)
    return false;
  // A second parent moves the editor: close it in the old one first.
  if (mEditorOpen)
    GuiHide();
  mParentWindow = window->win32;
  return OpenGuiWindow();
}

bool IFxCLAP::GuiShow()
{
  if (!IsGuiCreated() || !mParentWindow)
    return false;
  // set_parent has opened it already: hosts call show right after.
  if (mEditorOpen)
    return true;
  return OpenGuiWindow();
}

bool IFxCLAP::GuiHide()
{
  if (!IsGuiCreated())
    return false;
  CloseWindow();
  mEditorOpen = false;
  return true;
}

bool IFxCLAP::GuiGetSize(uint32_t* width, uint32_t* height)
{
  if (!HasEditor())
    return false;
  *width = ToHostSize(GetEditorWidth());
  *height = ToHostSize(GetEditorHeight());
  return true;
}

bool IFxCLAP::GuiCanResize() const { return HasEditor() && HostCanResize(); }

bool IFxCLAP::GuiAdjustSize(uint32_t* width, uint32_t* height)
{
  if (!HasEditor())
    return false;
  int w = ToEditorSize(*width), h = ToEditorSize(*height);
  ClampEditorSize(w, h);
  *width = ToHostSize(w);
  *height = ToHostSize(h);
  return true;
}

bool IFxCLAP::GuiSetSize(uint32_t width, uint32_t height)
{
  if (!IsGuiCreated())
    return false;
  int w = ToEditorSize(width), h = ToEditorSize(height);
  // A size adjust_size would change is refused, and nothing changes.
  if (!ClampEditorSize(w, h))
    return false;
  // The host's answer to the editor's own request: the editor has that size
  // already and keeps its zoom.
  if (w == GetEditorWidth() && h == GetEditorHeight())
    return true;
  OnHostWindowResized(w, h);
  // True only when the editor took the size (not so without a window).
  return w == GetEditorWidth() && h == GetEditorHeight();
}

bool IFxCLAP::ResizeHostEditor(int width, int height)
{
  if (!HasEditor())
    return true;
  // Only a real change reaches the host; its answer is not needed, the
  // editor has already taken the size. Stored first, so that a host that
  // answers with set_size inside the request finds the size taken.
  const bool changed = width != GetEditorWidth() || height != GetEditorHeight();
  SetEditorSize(width, height);
  if (changed)
    Host().RequestResize(ToHostSize(width), ToHostSize(height));
  return true;
}

} // namespace ifx
