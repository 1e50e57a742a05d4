// Batches of the GL back end on a recording GL table: which calls share a
// draw and what ends a batch, and the program without the paint table.

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "renderer/GLSequenceFixture.h"

namespace {
class GLBatches : public GLSequence
{
protected:
  // The renderer made anew over fragment uniforms of the given size, the
  // shaders compiling with the given statuses in turn.
  void Remake(int components, std::vector<int> compileStatuses = {})
  {
    CanvasContext::Destroy(canvas);
    RecordingGL::Reset();
    RecordingGL::maxFragmentUniformComponents = components;
    RecordingGL::compileStatuses = std::move(compileStatuses);
    canvas = CreateCanvasGL(RecordingGL::Table(), kCanvasGLAntiAlias);
    ASSERT_NE(canvas, nullptr);
    b = CanvasGLBackendOf(canvas);
    canvas->StartFrame(100.f, 100.f, 1.f);
  }

  // Queues a rectangle 10 wide per letter, side by side: R plain, L plain
  // under "lighter", A and B filled with one of two images, M with an image
  // that does not exist, C a concave fill (two rectangles in one path).
  void Queue(const char* calls, int a, int bImage)
  {
    float x = 0.f;
    for (const char* k = calls; *k; k++, x += 10.f)
    {
      const int image = *k == 'A' ? a : *k == 'B' ? bImage : *k == 'M' ? 9999 : 0;
      if (image != 0)
        canvas->SetFillPaint(CanvasImagePattern(x, 0.f, 10.f, 10.f, 0.f, image, 1.f));
      else
        canvas->SetFillColor(CanvasRGBAf(1.f, 1.f, 1.f, 1.f));
      canvas->SetCompositeOperation(*k == 'L' ? kCanvasLighter : kCanvasSourceOver);
      canvas->BeginPath();
      canvas->AddRectangle(x, 0.f, 10.f, 10.f);
      if (*k == 'C')
        canvas->AddRectangle(x, 20.f, 10.f, 10.f);
      canvas->FillPath();
    }
  }
};
} // namespace

// A rectangle is a fan of 4 and a fringe strip of 10: 30 indices.
TEST_F(GLBatches, WhatBreaksABatchAndWhatJoinsIt)
{
  struct Case
  {
    const char* what;
    const char* calls;
    Lines expected;
  };
  const Case cases[] = {
    {"one paint state", "RRR", {"blend", "upload 3", "draw 90"}},
    {"a blend change",
     "RLR",
     {"blend", "upload 1", "draw 30", "blend", "upload 1", "draw 30", "blend", "upload 1", "draw 30"}},
    {"another texture; untextured calls join either",
     "ARABR",
     {"blend", "upload 3", "bind A", "draw 90", "upload 2", "bind B", "draw 60"}},
    {"untextured first", "RA", {"blend", "upload 2", "bind A", "draw 60"}},
    // Its stencil block and paint block uploaded on their own, its fans,
    // fringes and cover quad drawn as before.
    {"a concave fill between the runs",
     "RCRR",
     {"blend", "upload 1", "draw 30", "upload 1", "bind dummy", "drawArrays", "drawArrays", "upload 1", "drawArrays",
      "drawArrays", "drawArrays", "upload 2", "draw 60"}},
    {"a call dropped for a missing image leaves no gap", "RMR", {"blend", "upload 2", "draw 60"}},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.what);
    CanvasBackend& t = canvas->backend;
    const int a = t.makeTexture(t.user, kCanvasTextureRGBA, 4, 4, 0, nullptr);
    const int bImage = t.makeTexture(t.user, kCanvasTextureRGBA, 4, 4, 0, nullptr);
    canvas->StartFrame(100.f, 100.f, 1.f);
    Queue(c.calls, a, bImage);
    auto name = [&](int image) { return (double)b->FindTexture(image)->tex; };
    EXPECT_EQ(Summary({{name(a), "A"}, {name(bImage), "B"}, {name(b->dummyTex), "dummy"}}), c.expected);
  }
}

TEST_F(GLBatches, EachCallOfABatchReadsItsOwnBlock)
{
  canvas->SetFillColor(CanvasRGBAf(1.f, 0.f, 0.f, 1.f));
  Rect(0, 0, 10, 10);
  canvas->SetFillColor(CanvasRGBAf(0.f, 1.f, 0.f, 1.f));
  Rect(20, 0, 10, 10);
  canvas->SetFillColor(CanvasRGBAf(0.f, 0.f, 1.f, 1.f));
  Rect(40, 0, 10, 10);
  Submit();
  // Call k's 14 vertices name block k, which holds its colour.
  std::vector<float> slots;
  for (float k : {0.f, 1.f, 2.f})
    slots.insert(slots.end(), 14, k);
  EXPECT_EQ(Slots(), slots);
  const auto blocks = Blocks();
  ASSERT_EQ(blocks.size(), 3u);
  for (int k = 0; k < 3; k++)
    for (int c = 0; c < 3; c++)
      EXPECT_FLOAT_EQ(blocks[k][kInner + c], c == k ? 1.f : 0.f) << k << " " << c;
  // The second rectangle's triangles are the first's moved by its 14 vertices.
  const std::vector<int> indices = Indices();
  ASSERT_EQ(indices.size(), 90u);
  for (int i = 0; i < 30; i++)
    EXPECT_EQ(indices[30 + i], indices[i] + 14) << i;
}

// A convex fill's polygon comes first, its fringe strip of 2 n + 2 after it:
// 3 (n - 2) + 6 n indices. Its triangles cover the polygon once, wound as
// it is, and a large one's triangles stay small: their bounding boxes add up
// to a few times its area (a fan from one vertex: about 14 times at 64
// vertices), which is what a tiled rasteriser pays for.
TEST_F(GLBatches, AConvexFillCoversItsPolygonOnceInCompactTriangles)
{
  for (float radius : {1.5f, 8.f, 45.f, 400.f})
  {
    SCOPED_TRACE(radius);
    canvas->StartFrame(100.f, 100.f, 1.f);
    canvas->BeginPath();
    canvas->AddArc(50.f, 50.f, radius, 0.f, 6.2831853f, kCanvasCW);
    canvas->ClosePath();
    canvas->FillPath();
    Submit();
    const std::vector<int> indices = Indices();
    ASSERT_EQ((indices.size() + 6) % 9, 0u);
    const int n = (int)(indices.size() + 6) / 9;
    ASSERT_GE(n, 4);
    std::vector<float> xy(Uploaded(cgl::kArrayBuffer).size() / 4);
    std::memcpy(xy.data(), Uploaded(cgl::kArrayBuffer).data(), xy.size() * 4);
    auto x = [&](int i) { return (double)xy[4 * (size_t)i]; };
    auto y = [&](int i) { return (double)xy[4 * (size_t)i + 1]; };
    auto cross = [&](int a, int b, int c) { return (x(b) - x(a)) * (y(c) - y(a)) - (y(b) - y(a)) * (x(c) - x(a)); };

    double polygonArea = 0.0;
    for (int i = 1; i + 1 < n; i++)
      polygonArea += cross(0, i, i + 1) / 2.0;
    std::map<std::pair<int, int>, int> edges;
    double boxes = 0.0;
    for (size_t t = 0; t < 3 * (size_t)(n - 2); t += 3)
    {
      const int v[3] = {indices[t], indices[t + 1], indices[t + 2]};
      for (int k = 0; k < 3; k++)
      {
        ASSERT_LT(v[k], n);
        edges[std::minmax(v[k], v[(k + 1) % 3])]++;
      }
      EXPECT_GT(cross(v[0], v[1], v[2]) * polygonArea, 0.0) << "triangle " << t / 3 << " turned over";
      boxes += (std::max({x(v[0]), x(v[1]), x(v[2])}) - std::min({x(v[0]), x(v[1]), x(v[2])})) *
               (std::max({y(v[0]), y(v[1]), y(v[2])}) - std::min({y(v[0]), y(v[1]), y(v[2])}));
    }
    // Each side of the polygon in one triangle, each diagonal in two.
    for (const auto& [edge, count] : edges)
    {
      const bool side = edge.second - edge.first == 1 || (edge.first == 0 && edge.second == n - 1);
      EXPECT_EQ(count, side ? 1 : 2) << edge.first << "-" << edge.second;
    }
    EXPECT_EQ(edges.size(), 2u * (size_t)n - 3u);
    EXPECT_LT(boxes, 4.0 * std::fabs(polygonArea)) << n << " vertices";
  }
}

TEST_F(GLBatches, AFullTableEndsTheBatchAndAFrameEndsEveryBatch)
{
  Remake((2 * 11 + 8) * 4); // uniform space for 2 blocks and the reserve
  EXPECT_EQ(RecordingGL::Named("glShaderSource")[0].strings[0],
            "#define NANOVG_GL2 1\n#define UNIFORMARRAY_SIZE 22\n#define PAINT_TABLE 1\n\n");
  for (int i = 0; i < 5; i++)
    Rect(20.f * (float)i, 0, 10, 10);
  EXPECT_EQ(Summary(), (Lines{"blend", "upload 2", "draw 60", "upload 2", "draw 60", "upload 1", "draw 30"}));
  std::vector<float> slots;
  for (float k : {0.f, 1.f, 0.f, 1.f, 0.f})
    slots.insert(slots.end(), 14, k);
  EXPECT_EQ(Slots(), slots);
  canvas->StartFrame(100.f, 100.f, 1.f);
  Rect(0, 0, 10, 10);
  EXPECT_EQ(Summary(), (Lines{"blend", "upload 1", "draw 30"}));
}

TEST_F(GLBatches, FramesOfMoreThan65536VerticesTakeWideIndices)
{
  // 4682 rectangles of 14 vertices: 65548 vertices.
  for (int i = 0; i < 4682; i++)
    Rect(10, 10, 10, 10);
  Submit();
  const auto draws = RecordingGL::Named("glDrawElements");
  ASSERT_EQ(draws.size(), 74u); // 73 full tables and the rest
  for (const GLRecord& d : draws)
    EXPECT_EQ(d.Arg(2), cgl::kUnsignedInt);
  EXPECT_EQ(draws.back().Arg(3), 73.0 * 64 * 30 * 4);
  const std::vector<unsigned char> bytes = Uploaded(cgl::kElementArrayBuffer);
  ASSERT_EQ(bytes.size(), 4682u * 30u * 4u);
  uint32_t last = 0;
  std::memcpy(&last, &bytes[bytes.size() - 4], 4);
  EXPECT_EQ(last, 65547u); // the last rectangle's last fringe vertex
}

TEST_F(GLBatches, TheTableHoldsWhatTheFragmentUniformsHold)
{
  // The GL 2.0 minimum, a DX9-class card, llvmpipe.
  const int cases[][2] = {{64, 1}, {(11 + 8) * 4, 1}, {896, 19}, {16384, 64}};
  for (const auto& c : cases)
  {
    Remake(c[0]);
    EXPECT_EQ(b->paintSlots, c[1]) << c[0];
    EXPECT_EQ(RecordingGL::Named("glShaderSource").size(), 2u); // one program built either way
  }
}

TEST_F(GLBatches, ADriverThatCannotIndexTheTableGetsTheProgramWithoutIt)
{
  Remake(16384, {1, 0}); // the table's fragment shader fails
  EXPECT_EQ(b->paintSlots, 1);
  const auto sources = RecordingGL::Named("glShaderSource");
  ASSERT_EQ(sources.size(), 4u);
  EXPECT_EQ(sources[2].strings[0], "#define NANOVG_GL2 1\n#define UNIFORMARRAY_SIZE 11\n\n");
  EXPECT_EQ(sources[3].strings[0], sources[2].strings[0]);
  // The failed program and its shaders are gone.
  EXPECT_EQ(RecordingGL::Named("glDeleteProgram").size(), 1u);
  EXPECT_EQ(RecordingGL::Named("glDeleteShader").size(), 2u);
  EXPECT_EQ(RecordingGL::Named("glBindAttribLocation").size(), 2u); // no paint slot attribute

  // Every call its own draw of its own block, and no slots uploaded.
  Queue("RRR", 0, 0);
  EXPECT_EQ(Summary(), (Lines{"blend", "upload 1", "draw 30", "upload 1", "draw 30", "upload 1", "draw 30"}));
  EXPECT_EQ(RecordingGL::Named("glEnableVertexAttribArray").size(), 2u);
  EXPECT_TRUE(Uploaded(cgl::kArrayBuffer, 1).empty());
}
