// A whole editor-like frame drawn by the GL back end into a 1200 x 800
// render target on llvmpipe (surfaceless EGL), finished with glFinish.
#include <benchmark/benchmark.h>

#include "EditorWorkload.h"
#include "gl/EglTestContext.h"
#include "graphics/renderer/CanvasGLBackend.h"
#include "graphics/renderer/CanvasRenderTarget.h"

namespace
{
void BM_EditorFrameGL(benchmark::State& state)
{
  EglTestContext egl;
  if (!egl.Ok())
  {
    state.SkipWithError(egl.Error());
    return;
  }
  CanvasContext* canvas = CreateCanvasGLForCurrentContext(kCanvasGLAntiAlias);
  CanvasRenderTarget* target = canvas ? CreateCanvasRenderTarget(canvas, 1200, 800) : nullptr;
  if (!target)
  {
    state.SkipWithError("no GL canvas");
    CanvasContext::Destroy(canvas);
    return;
  }
  CanvasGLApi& gl = CanvasGLBackendOf(canvas)->gl;
  BindCanvasRenderTarget(canvas, target);
  gl.viewport(0, 0, 1200, 800);
  for (auto _ : state)
  {
    DrawEditorFrame(canvas, 1200.f, 800.f);
    gl.finish();
  }
  state.counters["drawCalls"] = canvas->drawCallCount;
  DeleteCanvasRenderTarget(target);
  CanvasContext::Destroy(canvas);
}
BENCHMARK(BM_EditorFrameGL)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace
