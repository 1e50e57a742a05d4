// One frame of the plug-in's editor at 1200 x 800 as the window paints it:
// every control is dirty every frame (they animate), so this is the whole
// editor: dirty collection, every control's drawing, the renderer and the GL
// back end on llvmpipe, finished with glFinish. Beside the renderer's own
// editor-like frame cases (bench/renderer).
#include <benchmark/benchmark.h>

#include "HeadlessEditor.h"
#include "core/ISenderPacket.h"
#include "graphics/renderer/CanvasGLBackend.h"
#include "plugin/editor/MurkwispLayout.h"

namespace {

// Argument 0: silent meters; 1: both meters at 0 dB (every segment drawn lit).
void BM_MurkwispEditorFrame(benchmark::State& state)
{
  murkwisp_test::HeadlessEditor ed;
  if (!ed.Open())
  {
    state.SkipWithError(ed.Error());
    return;
  }
  ifx::ISenderPacket packet;
  const float level = state.range(0) ? 1.f : 0.f;
  packet.vals[0][0] = packet.vals[0][1] = packet.vals[1][0] = packet.vals[1][1] = level;
  CanvasGLApi& gl = CanvasGLBackendOf(ed.Gfx().Canvas())->gl;
  auto frame = [&] {
    ed.plugin->PushControlMessageToUI(kTagInputMeter, 0, sizeof(packet), &packet);
    ed.plugin->PushControlMessageToUI(kTagOutputMeter, 0, sizeof(packet), &packet);
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
BENCHMARK(BM_MurkwispEditorFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
