// An opaque fill of the whole view becomes a clear, on a recording GL table:
// what qualifies, what the clear does, and that what it covers is not drawn.

#include <algorithm>
#include <cmath>

#include "renderer/GLSequenceFixture.h"

TEST_F(GLSequence, AnOpaqueFillOfTheWholeViewIsAClearWithinTheViewport)
{
  Rect(10, 10, 20, 20); // covered: never drawn
  canvas->SetFillColor(CanvasRGBAf(0.25f, 0.5f, 0.75f, 1.f));
  canvas->SetClipRect(0, 0, 100, 100);
  Rect(0, 0, 100, 100);
  canvas->SetFillColor(CanvasRGBAf(1.f, 1.f, 1.f, 1.f));
  Rect(10, 10, 20, 20);
  RecordingGL::viewport[0] = 3;
  RecordingGL::viewport[1] = 4;
  const Lines frame = Submit();
  const Lines clear = {
    L("glGetIntegerv", {cgl::kViewport, 0}), L("glEnable", {cgl::kScissorTest}),   L("glScissor", {3, 4, 100, 100}),
    L("glClearColor", {0.25, 0.5, 0.75, 1}), L("glClear", {cgl::kColorBufferBit}), L("glDisable", {cgl::kScissorTest}),
  };
  auto at = std::search(frame.begin(), frame.end(), clear.begin(), clear.end());
  ASSERT_NE(at, frame.end());
  // Then the rectangle after it, the only one drawn.
  const Lines rest(at + (long)clear.size(), at + (long)clear.size() + 3);
  EXPECT_EQ(rest,
            (Lines{L("glBlendFuncSeparate", {cgl::kOne, cgl::kOneMinusSrcAlpha, cgl::kOne, cgl::kOneMinusSrcAlpha}),
                   L("glUniform4fv", {(double)b->locFrag, 11, 0}),
                   L("glDrawElements", {cgl::kTriangles, 30, cgl::kUnsignedShort, 0})}));
  EXPECT_EQ(Uploaded(cgl::kArrayBuffer).size(), 14u * 16u);
}

TEST_F(GLSequence, OnlyOpaqueAxisAlignedFillsOverTheWholeViewClear)
{
  // A state, then a fill of (x, y, w, h); two paths when w is negative.
  using State = void (*)(CanvasContext&);
  struct Case
  {
    const char* what;
    State state;
    float x, y, w, h;
    bool clears;
  };
  const State none = [](CanvasContext&) {};
  const Case cases[] = {
    {"the view", none, 0, 0, 100, 100, true},
    {"beyond the view", none, -5, -5, 110, 120, true},
    {"copy", [](CanvasContext& c) { c.SetCompositeOperation(kCanvasCopy); }, 0, 0, 100, 100, true},
    {"a scissor around the view", [](CanvasContext& c) { c.SetClipRect(-1, 0, 102, 100); }, 0, 0, 100, 100, true},
    {"at twice the density", [](CanvasContext& c) { c.StartFrame(100, 100, 2); }, 0, 0, 100, 100, true},
    {"scaled up to the view", [](CanvasContext& c) { c.Scale(2, 2); }, 0, 0, 50, 50, true},
    {"short of the view", none, 0, 0, 99.5f, 100, false},
    {"two paths", none, 0, 0, -100, 100, false},
    {"translucent", [](CanvasContext& c) { c.SetFillColor(CanvasRGBAf(1, 1, 1, 0.5f)); }, 0, 0, 100, 100, false},
    {"global alpha", [](CanvasContext& c) { c.SetGlobalAlpha(0.99f); }, 0, 0, 100, 100, false},
    {"a gradient",
     [](CanvasContext& c) {
       c.SetFillPaint(CanvasLinearGradient(0, 0, 0, 100, CanvasRGBAf(1, 0, 0, 1), CanvasRGBAf(0, 0, 1, 1)));
     },
     0, 0, 100, 100, false},
    {"lighter", [](CanvasContext& c) { c.SetCompositeOperation(kCanvasLighter); }, 0, 0, 100, 100, false},
    {"a scissor inside the view", [](CanvasContext& c) { c.SetClipRect(0, 0, 100, 99); }, 0, 0, 100, 100, false},
    {"a turned scissor",
     [](CanvasContext& c) {
       c.Rotate(0.01f);
       c.SetClipRect(-50, -50, 200, 200);
       c.ResetTransform();
     },
     0, 0, 100, 100, false},
    {"turned", [](CanvasContext& c) { c.Rotate(0.01f); }, -50, -50, 200, 200, false},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.what);
    canvas->StartFrame(100.f, 100.f, 1.f);
    c.state(*canvas);
    canvas->BeginPath();
    canvas->AddRectangle(c.x, c.y, std::fabs(c.w), c.h);
    if (c.w < 0.f)
      canvas->AddRectangle(c.x, c.y, -c.w, c.h);
    canvas->FillPath();
    const Lines s = Summary();
    const bool drawn = std::any_of(s.begin(), s.end(), [](const std::string& l) { return l.rfind("draw", 0) == 0; });
    EXPECT_EQ(std::count(s.begin(), s.end(), "clear"), c.clears ? 1 : 0);
    EXPECT_NE(drawn, c.clears);
  }
}
