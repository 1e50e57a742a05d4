// Mesh building only: the back end discards what it is given.
#include <benchmark/benchmark.h>

#include "EditorWorkload.h"

using namespace ifx::canvas;

namespace
{
int Ok(void*) { return 1; }
int MakeTexture(void*, int, int, int, int, const unsigned char*) { return 1; }
int FreeTexture(void*, int) { return 1; }
int WriteTexture(void*, int, int, int, int, int, const unsigned char*) { return 1; }
int QuerySize(void*, int, int* w, int* h)
{
  *w = *h = 512;
  return 1;
}
void ViewSize(void*, float, float, float) {}
void Nothing(void*) {}
int gVertices = 0;
void Fill(void*, const CanvasPaint*, CanvasComposite, const CanvasClip*, float, const float*,
          const CanvasFlatPath* paths, int n)
{
  for (int i = 0; i < n; i++)
    gVertices += paths[i].nfill + paths[i].nstroke;
}
void Stroke(void*, const CanvasPaint*, CanvasComposite, const CanvasClip*, float, float, const CanvasFlatPath* paths,
            int n)
{
  for (int i = 0; i < n; i++)
    gVertices += paths[i].nstroke;
}
void Triangles(void*, const CanvasPaint*, CanvasComposite, const CanvasClip*, const CanvasVertex*, int n, float)
{
  gVertices += n;
}

void BM_EditorFrameMeshes(benchmark::State& state)
{
  CanvasBackend b{nullptr, 1, Ok, MakeTexture, FreeTexture, WriteTexture, QuerySize, ViewSize, Nothing, Nothing,
                  Fill, Stroke, Triangles, Nothing};
  CanvasContext* ctx = CanvasContext::Create(b);
  if (!ctx)
  {
    state.SkipWithError("no context");
    return;
  }
  for (auto _ : state)
  {
    gVertices = 0;
    DrawEditorFrame(ctx, 1200.f, 800.f);
    benchmark::DoNotOptimize(gVertices);
  }
  state.counters["vertices"] = gVertices;
  state.counters["drawCalls"] = ctx->drawCallCount;
  CanvasContext::Destroy(ctx);
}
BENCHMARK(BM_EditorFrameMeshes)->Unit(benchmark::kMicrosecond);
} // namespace
