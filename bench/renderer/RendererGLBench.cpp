// A whole editor-like frame drawn by the GL back end into a 1200 x 800
// render target on llvmpipe (surfaceless EGL), finished with glFinish: the
// shapes alone, and every kind of primitive with 60 text runs in Roboto.
#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

#include "EditorWorkload.h"
#include "renderer/EglTestContext.h"
#include "renderer/CanvasGLBackend.h"
#include "renderer/CanvasRenderTarget.h"
#include "renderer/GlyphStore.h"
#include "support/RobotoFont.h"

using namespace ifx::canvas;

namespace
{
// Times draw(canvas) per frame on a fresh GL canvas bound to a 1200 x 800 target.
void RunFrames(benchmark::State& state, const std::function<void(CanvasContext*)>& draw,
               const std::function<bool(CanvasContext*)>& prepare = nullptr)
{
  EglTestContext egl;
  if (!egl.Ok())
  {
    state.SkipWithError(egl.Error());
    return;
  }
  CanvasContext* canvas = CreateCanvasGLForCurrentContext(kCanvasGLAntiAlias);
  CanvasRenderTarget* target = canvas ? CreateCanvasRenderTarget(canvas, 1200, 800) : nullptr;
  if (!target || (prepare && !prepare(canvas)))
  {
    state.SkipWithError(target ? "frame not prepared (is fonts-roboto-unhinted installed?)" : "no GL canvas");
    DeleteCanvasRenderTarget(target);
    CanvasContext::Destroy(canvas);
    return;
  }
  CanvasGLApi& gl = CanvasGLBackendOf(canvas)->gl;
  BindCanvasRenderTarget(canvas, target);
  gl.viewport(0, 0, 1200, 800);
  for (auto _ : state)
  {
    draw(canvas);
    gl.finish();
  }
  state.counters["drawCalls"] = canvas->drawCallCount;
  state.counters["textTriangles"] = canvas->textTriCount;
  DeleteCanvasRenderTarget(target);
  CanvasContext::Destroy(canvas);
}

void BM_EditorFrameGL(benchmark::State& state)
{
  RunFrames(state, [](CanvasContext* canvas) { DrawEditorFrame(canvas, 1200.f, 800.f); });
}
BENCHMARK(BM_EditorFrameGL)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EditorFrameGLWithText(benchmark::State& state)
{
  int font = -1, image = 0;
  auto prepare = [&](CanvasContext* canvas) {
    const std::vector<uint8_t>& roboto = ifx::testkit::RobotoBytes();
    font = canvas->glyphs->RegisterFontBytes("Roboto", roboto.data(), (int)roboto.size(), 0);
    std::vector<unsigned char> pixels(64 * 64 * 4);
    for (size_t i = 0; i < pixels.size(); i++)
      pixels[i] = (unsigned char)(i * 7);
    image = canvas->backend.makeTexture(canvas->backend.user, kCanvasTextureRGBA, 64, 64, 0, pixels.data());
    return font >= 0 && image != 0;
  };
  RunFrames(
    state, [&](CanvasContext* canvas) { DrawEditorFrameWithText(canvas, 1200.f, 800.f, font, image); }, prepare);
}
BENCHMARK(BM_EditorFrameGLWithText)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace
