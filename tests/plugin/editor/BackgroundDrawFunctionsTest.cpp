// The editor's background draw functions, drawn into the recording graphics:
// shapes per layer and level, colours and gradients at worked points, what a
// tempo of 0 stands still, wrapping, the shared counters, long sessions, bad
// plug-in values, and no allocation per frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <vector>

#include "plugin/editor/BackgroundDrawFunctions.h"
#include "plugin/editor/MurkwispStyles.h"
#include "support/AllocationCounter.h"
#include "support/RecordingDelegate.h"
#include "support/RecordingGfx.h"

using namespace murkwisp;

namespace {

using namespace ifx::igfx;
using murkwisp::kAccentColor;
using murkwisp::kLabelColor;
using ifx::testkit::GfxOp;
using ifx::testkit::RecordingDelegate;
using ifx::testkit::RecordingGfx;

const IRECT kWindow(0.f, 0.f, 1200.f, 800.f);

// One filled or stroked shape, rebuilt from the recorded path steps.
struct Shape
{
  bool filled = false;
  bool ellipse = false;        // the path held an arc
  float cx = 0.f, cy = 0.f;    // ellipse centre and radii (from its transform)
  float rx = 0.f, ry = 0.f;
  std::vector<float> points;   // move/line points, x then y
  IPaintPattern pattern;
  float thickness = 0.f;
};

std::vector<Shape> Shapes(const RecordingGfx& g)
{
  std::vector<Shape> out;
  Shape cur;
  for (const GfxOp& op : g.ops)
    switch (op.kind)
    {
      case GfxOp::kPathArc:
        cur.ellipse = true;
        cur.cx = static_cast<float>(op.transform.tx);
        cur.cy = static_cast<float>(op.transform.ty);
        cur.rx = static_cast<float>(op.transform.xx);
        cur.ry = static_cast<float>(op.transform.yy);
        break;
      case GfxOp::kPathMoveTo:
      case GfxOp::kPathLineTo: cur.points.insert(cur.points.end(), op.v.begin(), op.v.end()); break;
      case GfxOp::kFill:
      case GfxOp::kStroke:
        cur.filled = op.kind == GfxOp::kFill;
        cur.pattern = op.pattern;
        cur.thickness = op.thickness;
        out.push_back(cur);
        cur = Shape();
        break;
      default: break;
    }
  return out;
}

// The four animated layers over one set of plug-in values, each on a counter
// of its own.
struct Layers
{
  std::atomic<float> tempo{120.f}, inputDb{-60.f}, outputDb{-60.f};
  AnimationCounter vignetteCalls, fogCalls, moteCalls, glitchCalls;
  EditorDisplayValues values{&tempo, &inputDb, &outputDb};
  DrawPulsingVignette vignette{kAccentColor, values, &vignetteCalls};
  DrawDriftingFog fog{kLabelColor, values, &fogCalls};
  DrawDriftingMotes motes{kLabelColor, values, &moteCalls};
  DrawGlitchLayer glitch{kLabelColor, kAccentColor, values, &glitchCalls};

  explicit Layers(int64_t startCalls = 0)
    : vignetteCalls(startCalls), fogCalls(startCalls), moteCalls(startCalls), glitchCalls(startCalls) {}
};

template <class Draw>
std::vector<Shape> Frame(RecordingGfx& g, const Draw& draw, IRECT r = kWindow)
{
  g.ClearOps();
  draw(nullptr, g, r);
  return Shapes(g);
}

struct GlitchCounts
{
  int lines = 0, tears = 0, bars = 0, sparkles = 0;
};

GlitchCounts CountGlitch(const std::vector<Shape>& shapes)
{
  GlitchCounts c;
  for (const Shape& s : shapes)
  {
    if (!s.filled)
      (s.thickness == 3.f ? c.tears : c.lines) += 1;
    else
      (s.ellipse ? c.sparkles : c.bars) += 1;
  }
  return c;
}

class BackgroundDrawFunctions : public ::testing::Test
{
protected:
  RecordingDelegate dlg;
  RecordingGfx g{dlg};
};

TEST_F(BackgroundDrawFunctions, ShapesPerLayerFollowTheLevel)
{
  struct Row { float db; int bars, tears, sparkles; int vignetteMin, vignetteMax; };
  const Row rows[] = {
    {-90.f, 3, 1, 15, 25, 45}, {-60.f, 3, 1, 15, 25, 45}, {-30.f, 4, 2, 19, 31, 57},
    {0.f, 6, 3, 23, 38, 68}, {12.f, 6, 3, 23, 38, 68},
  };
  for (const Row& row : rows)
  {
    SCOPED_TRACE(row.db);
    Layers l;
    l.inputDb = l.outputDb = row.db;
    int mostBars = 0, mostTears = 0, lowTop = 255, highTop = 0;
    for (int frame = 0; frame < 1500; ++frame)
    {
      const auto vignette = Frame(g, l.vignette);
      ASSERT_EQ(vignette.size(), 4u);
      for (const Shape& band : vignette)
      {
        EXPECT_TRUE(band.filled);
        EXPECT_EQ(band.pattern.kind, kPatternLinear);
        ASSERT_EQ(band.pattern.nStops, 2);
        EXPECT_EQ(band.pattern.stops[1].color, kColorTransparent);
      }
      lowTop = std::min(lowTop, vignette[0].pattern.stops[0].color.A);
      highTop = std::max(highTop, vignette[0].pattern.stops[0].color.A);

      const auto fog = Frame(g, l.fog);
      EXPECT_EQ(fog.size(), 28u);
      const auto motes = Frame(g, l.motes);
      EXPECT_EQ(motes.size(), 58u);
      for (const auto* shapes : {&fog, &motes})
        for (const Shape& s : *shapes)
          EXPECT_TRUE(s.filled && s.ellipse);

      const GlitchCounts c = CountGlitch(Frame(g, l.glitch));
      EXPECT_EQ(c.lines, 8);
      EXPECT_EQ(c.sparkles, row.sparkles);
      EXPECT_LE(c.bars, row.bars);
      EXPECT_LE(c.tears, row.tears);
      mostBars = std::max(mostBars, c.bars);
      mostTears = std::max(mostTears, c.tears);
    }
    // In a 24-second run every possible tear shows at once, and so do the
    // bars at full level (when quieter, their beat sines never all agree).
    EXPECT_EQ(mostTears, row.tears);
    EXPECT_GE(mostBars, row.db >= 0.f ? row.bars : row.bars - 1);
    // The top band pulses between its quiet and its loud alpha.
    EXPECT_GE(lowTop, row.vignetteMin);
    EXPECT_LE(highTop, row.vignetteMax);
    EXPECT_GT(highTop - lowTop, (row.vignetteMax - row.vignetteMin) / 2);
  }
}

TEST_F(BackgroundDrawFunctions, WorkedValuesOfTheFirstFrame)
{
  // A counter at -1 draws time 0 first: pulse 0, a = 0.14 at silence.
  Layers l(-1);
  const IRECT r(100.f, 50.f, 1300.f, 850.f);
  const auto bands = Frame(g, l.vignette, r);
  const int alphas[] = {35, 53, 24, 24}; // 0.14, 1.5 x, 0.7 x, 0.7 x of 255
  // Where each band's gradient starts (offset 0) and ends (offset 1).
  const float ends[4][4] = {{700, 50, 700, 200}, {700, 850, 700, 650}, {100, 450, 200, 450}, {1300, 450, 1200, 450}};
  for (int b = 0; b < 4; ++b)
  {
    EXPECT_EQ(bands[b].pattern.stops[0].color, IRgba(alphas[b], 120, 80, 160)) << b;
    for (int end = 0; end < 2; ++end)
    {
      double x = ends[b][2 * end], y = ends[b][2 * end + 1];
      bands[b].pattern.transform.Apply(x, y);
      EXPECT_NEAR(x, 0.0, 1e-4) << b;
      EXPECT_NEAR(y, end, 1e-4) << b;
    }
  }
  EXPECT_EQ(bands[1].points, (std::vector<float>{100, 650, 1300, 650, 1300, 850, 100, 850}));

  // Fog bank 0 at c = 0: centre (mid, mid + 0.25 H), size 0.9, alpha 0.025;
  // wisp 0's halo at 0.6 x 0.03.
  const auto fog = Frame(g, l.fog, r);
  EXPECT_NEAR(fog[0].cx, 700.f, 1e-3);
  EXPECT_NEAR(fog[0].cy, 650.f, 1e-3);
  EXPECT_NEAR(fog[3].ry, 0.4f * 180.f * 0.9f * 0.5f, 1e-3);
  EXPECT_EQ(fog[0].pattern.stops[0].color, IRgba(6, 180, 170, 190));
  EXPECT_EQ(fog[21].pattern.stops[0].color, IRgba(4, 180, 170, 190));

  // The first sparkle sits at the hash of 0 and 500: h(0) = 0.18343, h(500) = 0.32885.
  const auto glitch = Frame(g, l.glitch, r);
  const auto sparkle = std::find_if(glitch.begin(), glitch.end(), [](const Shape& s) { return s.ellipse; });
  ASSERT_NE(sparkle, glitch.end());
  EXPECT_NEAR(sparkle->cx, 100.f + 1200.f * 0.18343f, 0.01f);
  EXPECT_NEAR(sparkle->cy, 50.f + 800.f * 0.32885f, 0.01f);
  EXPECT_EQ(sparkle->pattern.stops[0].color.A, 12); // (0 x 0.5 + 0.5) x 0.1 of 255

  // The static decorations.
  const auto divider = Frame(g, DrawDividerLine(), IRECT(320.f, 543.f, 880.f, 545.f));
  ASSERT_EQ(divider.size(), 1u);
  const IPaintPattern& p = divider[0].pattern;
  ASSERT_EQ(p.nStops, 4);
  const IColorStop stops[] = {{kColorTransparent, 0.f}, {IRgba(127, 60, 100, 100), 0.3f},
                              {IRgba(127, 60, 100, 100), 0.7f}, {kColorTransparent, 1.f}};
  for (int i = 0; i < 4; ++i)
    EXPECT_TRUE(p.stops[i].color == stops[i].color && p.stops[i].offset == stops[i].offset) << i;
  double x = 880.0, y = 544.0;
  p.transform.Apply(x, y);
  EXPECT_NEAR(y, 1.0, 1e-5);

  const auto panel = Frame(g, DrawPitchPanel(), IRECT(240.f, 553.f, 960.f, 743.f));
  ASSERT_EQ(panel.size(), 1u);
  EXPECT_EQ(panel[0].pattern.stops[0].color, IRgba(180, 20, 18, 25));
  EXPECT_TRUE(panel[0].ellipse); // rounded corners are arcs
}

TEST_F(BackgroundDrawFunctions, TempoZeroStandsTheBeatStillButNotTheFog)
{
  auto same = [](const std::vector<Shape>& a, const std::vector<Shape>& b, size_t from, size_t to, bool yOnly) {
    for (size_t i = from; i < to; ++i)
    {
      const bool y = a[i].cy == b[i].cy && a[i].points.size() == b[i].points.size() &&
                     (a[i].points.empty() || a[i].points[1] == b[i].points[1]);
      if (!y || (!yOnly && (a[i].cx != b[i].cx || a[i].pattern.stops[0].color != b[i].pattern.stops[0].color)))
        return false;
    }
    return true;
  };
  for (const float bpm : {0.f, 120.f})
  {
    SCOPED_TRACE(bpm);
    Layers l(1000);
    l.tempo = bpm;
    const bool still = bpm == 0.f;
    // Two frames a third of a second apart.
    auto apart = [&](const auto& draw) {
      std::vector<std::vector<Shape>> two{Frame(g, draw)};
      for (int i = 0; i < 20; ++i)
        draw(nullptr, g, kWindow);
      two.push_back(Frame(g, draw));
      return two;
    };
    const auto v = apart(l.vignette);
    EXPECT_EQ(same(v[0], v[1], 0, 4, false), still);
    const auto m = apart(l.motes);
    EXPECT_EQ(same(m[0], m[1], 0, 48, false), still); // motes: all of them
    EXPECT_EQ(same(m[0], m[1], 48, 58, true), still); // flakes: their fall
    EXPECT_FALSE(same(m[0], m[1], 48, 58, false));    // ... while they wobble
    const auto gl = apart(l.glitch);
    EXPECT_EQ(same(gl[0], gl[1], 0, 8, false), still); // scan lines
    const auto f = apart(l.fog);
    EXPECT_FALSE(same(f[0], f[1], 0, 28, false));
  }
}

TEST_F(BackgroundDrawFunctions, MotesWrapFromTheBottomToTheTop)
{
  Layers l;
  l.tempo = 240.f;
  const IRECT r(100.f, 50.f, 700.f, 450.f);
  std::vector<Shape> before = Frame(g, l.motes, r);
  int wraps = 0;
  for (int frame = 0; frame < 2000; ++frame)
  {
    const std::vector<Shape> now = Frame(g, l.motes, r);
    for (size_t i = 0; i < now.size(); ++i)
    {
      ASSERT_GE(now[i].cy, r.T) << i;
      ASSERT_LT(now[i].cy, r.B) << i;
      wraps += now[i].cy < before[i].cy - 0.5f * r.H();
    }
    before = now;
  }
  EXPECT_GT(wraps, 48);
}

TEST_F(BackgroundDrawFunctions, CountersAreSharedAcrossEditorsAndLongSessionsStaySmooth)
{
  // Two editors' layers made with the defaults share the process counters.
  std::atomic<float> tempo{120.f}, db{-60.f};
  const EditorDisplayValues values{&tempo, &db, &db};
  const DrawPulsingVignette first{kAccentColor, values}, second{kAccentColor, values};
  const DrawDriftingFog fog{kLabelColor, values};
  EXPECT_EQ(first.counter, &gVignetteCalls);
  EXPECT_EQ(fog.counter, &gFogCalls);
  const int64_t start = gVignetteCalls.Calls();
  Frame(g, first);
  Frame(g, second);
  EXPECT_EQ(gVignetteCalls.Calls(), start + 2);

  // A private counter at the same count draws the same picture.
  AnimationCounter mine(start + 2);
  const auto shared = Frame(g, first);
  const auto own = Frame(g, DrawPulsingVignette{kAccentColor, values, &mine});
  EXPECT_EQ(shared[0].pattern.stops[0].color, own[0].pattern.stops[0].color);

  // 64 bits: no wrap where 32 would.
  AnimationCounter big(std::numeric_limits<int32_t>::max());
  EXPECT_EQ(big.Advance(), int64_t(1) << 31);

  // After 3.5 and 7 days at 60 frames a second the fog still moves 16 ms a
  // frame: a float clock would step 31 ms at the first and stand at the second.
  for (const double days : {0.0, 3.5, 7.0})
  {
    SCOPED_TRACE(days);
    const int64_t calls = static_cast<int64_t>(days * 86400.0 * 60.0);
    Layers l(calls);
    for (int64_t k = 1; k <= 3; ++k)
    {
      const auto shapes = Frame(g, l.fog);
      const double c = static_cast<double>(calls + k) * 0.016;
      EXPECT_NEAR(shapes[20].rx, std::sin(0.1 * c) * 20.0 + 80.0, 1e-3); // wisp 0's core
    }
  }
}

TEST_F(BackgroundDrawFunctions, BadValuesAndEmptyRectanglesDrawNothingBroken)
{
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  struct Row { float tempo, db; };
  for (const Row row : {Row{nan, nan}, Row{inf, inf}, Row{-inf, -inf}, Row{-50.f, 1e30f}})
  {
    Layers l;
    l.tempo = row.tempo;
    l.inputDb = l.outputDb = row.db;
    g.ClearOps();
    for (int frame = 0; frame < 50; ++frame)
    {
      l.vignette(nullptr, g, kWindow);
      l.fog(nullptr, g, kWindow);
      l.motes(nullptr, g, kWindow);
      l.glitch(nullptr, g, kWindow);
    }
    for (const GfxOp& op : g.ops)
      for (float v : op.v)
        ASSERT_TRUE(std::isfinite(v)) << row.tempo << " " << row.db;
  }

  // Unset values draw as 120 bpm and silence.
  EditorDisplayValues unset;
  EXPECT_DOUBLE_EQ(unset.Beat(), 2.0);
  EXPECT_DOUBLE_EQ(unset.OutputLevel(), 0.0);

  // An empty rectangle has nothing to wrap over: motes and glitch draw nothing.
  Layers l;
  const IRECT empty(10.f, 10.f, 10.f, 10.f);
  EXPECT_TRUE(Frame(g, l.motes, empty).empty());
  EXPECT_TRUE(Frame(g, l.glitch, empty).empty());
  EXPECT_EQ(l.moteCalls.Calls(), 1); // the clock still runs
}

// Draws without keeping anything: the recording graphics would allocate for
// its own records.
class DiscardingGfx : public RecordingGfx
{
public:
  using RecordingGfx::RecordingGfx;
  int shapes = 0;
  void PathClear() override {}
  void PathClose() override {}
  void PathArc(float, float, float, float, float, EArcDirection) override {}
  void PathMoveTo(float, float) override {}
  void PathLineTo(float, float) override {}
  void PathCubicBezierTo(float, float, float, float, float, float) override {}
  void PathQuadraticBezierTo(float, float, float, float) override {}
  void SetPathTransform(const ITransform2D&) override {}
  void PathStroke(const IPaintPattern&, float, const IStrokeSettings&, const IBlendMode*) override { ++shapes; }
  void PathFill(const IPaintPattern&, const IFillSettings&, const IBlendMode*) override { ++shapes; }
};

TEST(BackgroundDrawFunctionsRealtime, AFrameAllocatesNothing)
{
  RecordingDelegate dlg;
  DiscardingGfx gfx(dlg);
  Layers l;
  l.outputDb = l.inputDb = 0.f;
  auto frame = [&] {
    l.vignette(nullptr, gfx, kWindow);
    l.fog(nullptr, gfx, kWindow);
    l.motes(nullptr, gfx, kWindow);
    l.glitch(nullptr, gfx, kWindow);
    DrawDividerLine()(nullptr, gfx, IRECT(320.f, 543.f, 880.f, 545.f));
    DrawPitchPanel()(nullptr, gfx, IRECT(240.f, 553.f, 960.f, 743.f));
  };
  frame(); // the graphics' transform stack grows once
  murkwisp_test::AllocationCounter allocations;
  for (int i = 0; i < 300; ++i)
    frame();
  EXPECT_EQ(allocations.Count(), 0);
  EXPECT_GT(gfx.shapes, 300 * (4 + 28 + 58 + 8 + 15 + 2));
}

} // namespace
