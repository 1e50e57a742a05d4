// One frame of the plug-in's editor at 1200 x 800 as the window paints it:
// every control is dirty every frame (the background layers animate over
// the whole window), so this is the whole editor: dirty collection, every
// control's drawing, the renderer and the GL back end on llvmpipe, finished
// with glFinish. Beside it, the same frame with the four animated layers
// hidden (every control still drawn): the difference is what the animated
// background costs. Beside the renderer's own editor-like frame cases
// (bench/renderer).
#include <benchmark/benchmark.h>

#include "HeadlessEditor.h"
#include "base/ISenderPacket.h"
#include "toolkit/ILambdaControl.h"
#include "renderer/CanvasGLBackend.h"
#include "plugin/editor/MurkwispLayout.h"

using namespace ifx::canvas;

namespace {

// The looping lambda controls over the whole window: the animated layers.
void HideAnimatedBackground(ifx::igfx::IGfx& g)
{
  const ifx::igfx::IRECT all = g.GetBounds();
  for (int i = 0; i < g.NControls(); ++i)
    if (auto* layer = dynamic_cast<ifx::igfx::ILambdaControl*>(g.GetControl(i)))
      if (layer->GetLoop() && layer->GetRECT() == all)
        layer->Hide(true);
}

// Argument 0: silent meters; 1: both meters at 0 dB (every segment drawn
// lit). Argument 1: 1 animated background, 0 hidden (a static frame).
void BM_MurkwispEditorFrame(benchmark::State& state)
{
  murkwisp_test::HeadlessEditor ed;
  if (!ed.Open())
  {
    state.SkipWithError(ed.Error());
    return;
  }
  const bool animated = state.range(1) != 0;
  if (!animated)
    HideAnimatedBackground(ed.Gfx());
  ifx::ISenderPacket packet;
  const float level = state.range(0) ? 1.f : 0.f;
  packet.vals[0][0] = packet.vals[0][1] = packet.vals[1][0] = packet.vals[1][1] = level;
  CanvasGLApi& gl = CanvasGLBackendOf(ed.Gfx().Canvas())->gl;
  auto frame = [&] {
    ed.plugin->PushControlMessageToUI(kTagInputMeter, 0, sizeof(packet), &packet);
    ed.plugin->PushControlMessageToUI(kTagOutputMeter, 0, sizeof(packet), &packet);
    if (!animated)
      ed.Gfx().MarkAllControlsDirty();
    const bool drawn = ed.Frame();
    gl.finish();
    return drawn;
  };
  for (int i = 0; i < 10; ++i)
    frame();
  int64_t drawn = 0;
  for (auto _ : state)
    drawn += frame();
  state.counters["framesDrawn"] = static_cast<double>(drawn);
  state.counters["controls"] = ed.Gfx().NControls() + 1;
}
BENCHMARK(BM_MurkwispEditorFrame)
  ->ArgNames({"meters", "animated"})
  ->ArgsProduct({{0, 1}, {0, 1}})
  ->Unit(benchmark::kMillisecond)
  ->UseRealTime();

} // namespace
