#pragma once
// A Murkwisp instance whose editor opens on a recording graphics object, as
// the editor window would open it: the graphics made by the delegate, the
// layout built, every parameter value pushed to the controls.
#include <memory>
#include <string>
#include <typeinfo>

#include "toolkit/IGfx.h"
#include "plugin/MurkwispTestSupport.h"
#include "support/DrawnShapes.h"
#include "support/RecordingGfx.h"

using namespace murkwisp;

namespace murkwisp_test {

class EditorHarness
{
public:
  EditorHarness() : plugin(MakePlugin())
  {
    plugin->makeGraphicsFunc = [this]() { return new ifx::testkit::RecordingGfx(*plugin); };
  }
  ~EditorHarness() { plugin->CloseWindow(); }

  ifx::testkit::RecordingGfx& Open()
  {
    plugin->OpenWindow(nullptr);
    auto* g = static_cast<ifx::testkit::RecordingGfx*>(plugin->EditorGraphics());
    plugin->BuildEditorLayout(g);
    plugin->OnEditorOpened();
    return *g;
  }
  void Close() { plugin->CloseWindow(); }
  ifx::testkit::RecordingGfx& Gfx() const { return *static_cast<ifx::testkit::RecordingGfx*>(plugin->EditorGraphics()); }

  void Click(float x, float y)
  {
    ifx::igfx::IMouseEvent e;
    e.x = x;
    e.y = y;
    e.ms.L = true;
    Gfx().OnMouseDown({e});
    Gfx().OnMouseUp({e});
  }

  // One frame as the window paints it: the dirty rectangles, then drawing.
  std::vector<ifx::testkit::DrawnShape> Frame()
  {
    ifx::igfx::IRegionRects rects;
    Gfx().ClearOps();
    if (Gfx().IsDirty(rects))
      Gfx().Draw(rects);
    return ifx::testkit::DrawnShapes(Gfx());
  }

  template <class T>
  T* Find(int nth = 0) const
  {
    for (int i = 0; i < Gfx().NControls(); ++i)
      if (auto* c = dynamic_cast<T*>(Gfx().GetControl(i)))
        if (nth-- == 0)
          return c;
    return nullptr;
  }

  double ParamValue(int idx) const { return plugin->GetParam(idx)->Value(); }

  std::unique_ptr<Murkwisp> plugin;
};

} // namespace murkwisp_test
