// One frame of the plug-in's editor at 1200 x 800 as the window paints it:
// every control is dirty every frame (the background layers animate over
// the whole window), so this is the whole editor: dirty collection, every
// control's drawing, the renderer and the GL back end on llvmpipe, finished
// with glFinish. Beside it, the same frame with the four animated layers
// hidden (every control still drawn): the difference is what the animated
// background costs. Beside the renderer's own editor-like frame cases
// (bench/renderer).
//
// Per frame it reports what the frame asks of GL (draw calls, uniform
// uploads, texture binds), the pixels it rasterises (Mpx, and window areas
// of 1200 x 800) and the main thread's CPU time up to the final glFinish
// (cpuMs); the benchmark's time is the wall time with the finish. The GL
// counts come from frames drawn through counting trampolines and an
// occlusion query before the timed ones, which run without either.
#include <benchmark/benchmark.h>

#include <time.h>

#include "GLCallCounter.h"
#include "HeadlessEditor.h"
#include "SamplesPassedQuery.h"
#include "base/ISenderPacket.h"
#include "renderer/CanvasGLBackend.h"
#include "plugin/editor/MurkwispLayout.h"

using namespace ifx::canvas;

namespace {

constexpr int kWarmUpFrames = 10;
constexpr int kCountedFrames = 20;
constexpr double kWindowPixels = 1200.0 * 800.0;

double ThreadCpuSeconds()
{
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
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
    ed.HideAnimatedBackground();
  ifx::ISenderPacket packet;
  const float level = state.range(0) ? 1.f : 0.f;
  packet.vals[0][0] = packet.vals[0][1] = packet.vals[1][0] = packet.vals[1][1] = level;
  CanvasGLApi& gl = CanvasGLBackendOf(ed.Gfx().Canvas())->gl;
  auto frame = [&] {
    ed.plugin->PushControlMessageToUI(kTagInputMeter, 0, sizeof(packet), &packet);
    ed.plugin->PushControlMessageToUI(kTagOutputMeter, 0, sizeof(packet), &packet);
    if (!animated)
      ed.Gfx().MarkAllControlsDirty();
    return ed.Frame();
  };
  for (int i = 0; i < kWarmUpFrames; ++i)
  {
    frame();
    gl.finish();
  }

  GLCallCounts calls;
  double samples = 0.0;
  {
    SamplesPassedQuery query;
    if (!query.Ok())
    {
      state.SkipWithError("no occlusion query");
      return;
    }
    GLCallCounter counter(gl);
    for (int i = 0; i < kCountedFrames; ++i)
    {
      query.Begin();
      frame();
      samples += query.End();
    }
    calls = counter.Counts();
  }

  int64_t drawn = 0;
  double cpuSeconds = 0.0;
  for (auto _ : state)
  {
    const double start = ThreadCpuSeconds();
    drawn += frame();
    cpuSeconds += ThreadCpuSeconds() - start;
    gl.finish();
  }

  auto perCountedFrame = [](double total) { return total / kCountedFrames; };
  state.counters["drawCalls"] = perCountedFrame(static_cast<double>(calls.drawCalls));
  state.counters["uniforms"] = perCountedFrame(static_cast<double>(calls.uniformUploads));
  state.counters["texBinds"] = perCountedFrame(static_cast<double>(calls.textureBinds));
  state.counters["Mpx"] = perCountedFrame(samples) / 1e6;
  state.counters["windows"] = perCountedFrame(samples) / kWindowPixels;
  state.counters["cpuMs"] = benchmark::Counter(cpuSeconds * 1e3, benchmark::Counter::kAvgIterations);
  state.counters["framesDrawn"] = static_cast<double>(drawn);
  state.counters["controls"] = ed.Gfx().NControls() + 1;
}
BENCHMARK(BM_MurkwispEditorFrame)
  ->ArgNames({"meters", "animated"})
  ->ArgsProduct({{0, 1}, {0, 1}})
  ->Unit(benchmark::kMillisecond)
  ->UseRealTime();

} // namespace
