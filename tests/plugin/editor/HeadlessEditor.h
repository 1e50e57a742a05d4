#pragma once
// A Murkwisp instance whose editor draws through the real drawing back end
// on a surfaceless EGL context (llvmpipe), at 1200 x 800, with Debian's
// Roboto standing in for the embedded one. Frames are drawn as the window
// paints them: the dirty rectangles collected, then drawn, every frame into
// the same rectangle list.
#include <memory>

#include "toolkit/ILambdaControl.h"
#include "toolkit/IRegionRects.h"
#include "plugin/MurkwispTestSupport.h"
#include "support/HeadlessGfxVG.h"
#include "support/RobotoFont.h"

using namespace murkwisp;

namespace murkwisp_test {

class HeadlessEditor
{
public:
  HeadlessEditor() : plugin(MakePlugin())
  {
    plugin->makeGraphicsFunc = [this]() { return new ifx::testkit::HeadlessGfxVG(*plugin, 1200, 800); };
  }
  ~HeadlessEditor() { plugin->CloseWindow(); }

  // False (with Error()) where there is no GL.
  bool Open()
  {
    plugin->OpenWindow(nullptr);
    mGfx = static_cast<ifx::testkit::HeadlessGfxVG*>(plugin->EditorGraphics());
    if (!mGfx || !mGfx->Open())
      return false;
    const auto& roboto = ifx::testkit::RobotoBytes();
    if (!roboto.empty())
      mGfx->LoadFontFromMemory("Roboto-Regular", roboto.data(), static_cast<int>(roboto.size()));
    plugin->BuildEditorLayout(mGfx);
    plugin->OnEditorOpened();
    return true;
  }
  const char* Error() const { return mGfx ? mGfx->Error() : "no graphics"; }
  ifx::testkit::HeadlessGfxVG& Gfx() { return *mGfx; }

  // Draws one frame; false when nothing was dirty.
  bool Frame()
  {
    mRects.Clear();
    if (!mGfx->IsDirty(mRects))
      return false;
    mGfx->Draw(mRects);
    return true;
  }

  // Hides the looping lambda controls over the whole window (the animated
  // layers): every other control still draws, and the window is still
  // redrawn whole every frame.
  void HideAnimatedBackground()
  {
    const ifx::igfx::IRECT all = mGfx->GetBounds();
    for (int i = 0; i < mGfx->NControls(); ++i)
      if (auto* layer = dynamic_cast<ifx::igfx::ILambdaControl*>(mGfx->GetControl(i)))
        if (layer->GetLoop() && layer->GetRECT() == all)
          layer->Hide(true);
  }

  std::unique_ptr<Murkwisp> plugin;

private:
  ifx::testkit::HeadlessGfxVG* mGfx = nullptr;
  ifx::igfx::IRegionRects mRects;
};

} // namespace murkwisp_test
