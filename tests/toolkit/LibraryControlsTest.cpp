// Containers, panels, bitmap and lambda controls, and linear gradients, on
// the recording graphics.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "toolkit/IBitmapControl.h"
#include "toolkit/IContainerBase.h"
#include "toolkit/ILambdaControl.h"
#include "support/FakeClock.h"
#include "support/GfxFixture.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;

namespace {
using LibraryControlsTest = GfxFixture;

// A container that takes the children its attach function makes.
class TestContainer : public IContainerBase
{
public:
  using IContainerBase::IContainerBase;
  using IContainerBase::AddChild;
  void Draw(IGfx&) override {}
  void SetValue(double value, int valIdx) override
  {
    if (log)
      log->Add("set:box");
    IContainerBase::SetValue(value, valIdx);
  }
  EventLog* log = nullptr;
};
} // namespace

TEST_F(LibraryControlsTest, ContainersForwardToTheirChildrenFirst)
{
  std::vector<std::string> calls;
  auto* box = new TestContainer(
    IRECT(10, 10, 110, 60),
    [&](IContainerBase* c, const IRECT& r) {
      calls.push_back("attach " + std::to_string(r.W()));
      for (const char* name : {"x", "y"})
        static_cast<TestContainer*>(c)->AddChild(Attach(name, r));
    },
    [&](IContainerBase*, const IRECT& r) { calls.push_back("resize " + std::to_string(r.H())); });
  box->log = &log;
  EXPECT_TRUE(box->GetIgnoreMouse());
  EXPECT_EQ(box->GetParamIdx(), -1);
  EXPECT_FALSE(box->AddChild(nullptr));

  // Attaching resizes once before the attach function has made any child (no
  // call), and once after it (one call).
  gfx->AttachControl(box);
  EXPECT_EQ(calls, (std::vector<std::string>{"attach 100.000000", "resize 50.000000"}));
  ASSERT_EQ(box->NChildren(), 2);
  EXPECT_EQ(box->GetChild(2), nullptr);
  std::string visited;
  box->ForAllChildren([&](int i, IControl* c) { visited += std::to_string(i) + static_cast<TestControl*>(c)->name; });
  EXPECT_EQ(visited, "0x1y");

  log.Clear();
  box->Hide(true);
  box->SetDisabled(true);
  EXPECT_EQ(log.Entries(), (std::vector<std::string>{"set:x 0.000000", "set:y 0.000000", "set:box",
                                                     "set:x 0.000000", "set:y 0.000000", "set:box"}));
  for (IControl* c : {box->GetChild(0), box->GetChild(1), static_cast<IControl*>(box)})
  {
    EXPECT_TRUE(c->IsHidden());
    EXPECT_TRUE(c->IsDisabled());
    EXPECT_EQ(c->GetBlend().weight, 0.25f);
  }
  box->SetDisabled(false);
  EXPECT_EQ(box->GetChild(1)->GetBlend().weight, 1.f);

  // Without children the resize function is never called.
  calls.clear();
  auto* empty = new TestContainer(IRECT(0, 0, 5, 5), nullptr, [&](IContainerBase*, const IRECT&) {
    calls.push_back("resize");
  });
  gfx->AttachControl(empty);
  empty->SetSize(20, 20);
  EXPECT_TRUE(calls.empty());
}

// The value picks the nearest of the frames (clamped), which is drawn
// centred in the control from its place in the strip.
TEST_F(LibraryControlsTest, BitmapControlsDrawTheFrameTheirValuePicks)
{
  struct Row { int w, h, n; bool sideBySide; double value; IRECT dest; int srcX, srcY; } rows[] = {
    {400, 100, 4, true, 0.5, IRECT(0, 0, 100, 100), 200, 0}, // frame 3
    {400, 100, 4, true, 0.0, IRECT(0, 0, 100, 100), 0, 0},
    {400, 100, 4, true, 1.0, IRECT(0, 0, 100, 100), 300, 0},
    {400, 100, 4, true, 1.7, IRECT(0, 0, 100, 100), 300, 0},  // clamped to the last
    {400, 100, 4, true, -3.0, IRECT(0, 0, 100, 100), 0, 0},   // and to the first
    {400, 100, 4, true, 0.16, IRECT(0, 0, 100, 100), 0, 0},   // trunc(0.98): frame 1
    {400, 100, 4, true, 0.17, IRECT(0, 0, 100, 100), 100, 0}, // trunc(1.01): frame 2
    {60, 90, 3, false, 0.5, IRECT(20, 35, 80, 65), 0, 30},    // stacked, centred in the rect
    {60, 90, 1, false, 0.9, IRECT(20, 5, 80, 95), 0, 0},      // one frame: always from (0, 0)
    {61, 20, 2, true, 1.0, IRECT(35, 40, 65, 60), 30, 0},     // 61 / 2: integer frame width
  };
  APIBitmap api(1, 400, 100, 1.f, 1.f);
  for (const Row& row : rows)
  {
    SCOPED_TRACE(std::to_string(row.n) + " frames at " + std::to_string(row.value));
    IBitmapControl c(IRECT(0, 0, 100, 100), IBitmapRef(&api, row.w, row.h, row.n, row.sideBySide, "strip.png"));
    c.SetValue(row.value, 0);
    gfx->ClearOps();
    c.Draw(*gfx);
    const auto draws = gfx->OfKind(GfxOp::kDrawBitmap);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].rect, row.dest);
    EXPECT_EQ(draws[0].v, (std::vector<float>{static_cast<float>(row.srcX), static_cast<float>(row.srcY)}));
    EXPECT_EQ(draws[0].bitmap, &api);
    EXPECT_TRUE(draws[0].hasBlend);
  }
  EXPECT_EQ(IBitmapBase::FrameForValue(5, std::nan("")), 1);
  EXPECT_EQ(IBitmapBase::FrameForValue(0, 0.7), 1);

  // An empty bitmap (a missing image) has no frames and draws nothing.
  IBitmapControl missing(IRECT(0, 0, 10, 10), IBitmapRef());
  gfx->ClearOps();
  missing.Draw(*gfx);
  EXPECT_EQ(gfx->Count(GfxOp::kDrawBitmap), 0);
}

TEST_F(LibraryControlsTest, BitmapControlsReloadForTheScreensScale)
{
  const char bytes[4] = {1, 2, 3, 4};
  const IBitmapRef strip = gfx->LoadBitmapFromMemory("strip.png", bytes, 4, 2, true, 1);
  auto* c = new IBitmapControl(IRECT(0, 0, 50, 50), strip);
  gfx->AttachControl(c);
  EXPECT_EQ(c->GetBitmap().GetAPIBitmap(), strip.GetAPIBitmap());

  gfx->SetScreenScaleForTest(1.5f); // rounded up to 2
  c->OnRescale();
  const IBitmapRef& now = c->GetBitmap();
  ASSERT_NE(now.GetAPIBitmap(), nullptr);
  EXPECT_EQ(now.GetScale(), 2.f);
  EXPECT_EQ(now.N(), 2);
  EXPECT_TRUE(now.GetFramesAreHorizontal());
  EXPECT_STREQ(now.GetName(), "strip.png");
}

TEST_F(LibraryControlsTest, LambdaControlsDrawThroughTheirFunctionAndKeepThePointer)
{
  FakeClock clock;
  std::vector<std::string> drawn;
  auto* c = new ILambdaControl(
    IRECT(0, 0, 40, 30),
    [&](ILambdaControl* self, IGfx& g, IRECT& r) {
      drawn.push_back(std::to_string(self->GetLastMouseX()) + " " + std::to_string(r.R) + " " +
                      std::to_string(&g == gfx.get()));
    },
    200, false, false);
  gfx->AttachControl(c);
  EXPECT_TRUE(c->GetIgnoreMouse());
  EXPECT_TRUE(c->GetDblAsSingleClick());
  EXPECT_TRUE(c->GetActionFunction());
  EXPECT_FALSE(c->GetAnimationFunction());

  c->Draw(*gfx);
  c->OnMouseDown(5, 6, IMouseModifiers(true, false, true));
  c->OnMouseDrag(7, 8, 2, 3, IMouseModifiers(true, false, false, true));
  EXPECT_EQ(c->GetLastMouseX(), 7.f);
  EXPECT_EQ(c->GetLastDY(), 3.f);
  EXPECT_TRUE(c->GetLastMouseModifiers().C);
  c->OnMouseUp(9, 10, IMouseModifiers(true));
  c->Draw(*gfx);
  EXPECT_EQ(drawn, (std::vector<std::string>{"0.000000 40.000000 1", "9.000000 40.000000 1"}));
  EXPECT_EQ(c->GetLastMouseY(), 10.f);
  EXPECT_EQ(c->GetLastDX(), 2.f); // the deltas outlive the release
  EXPECT_FALSE(c->GetLastMouseModifiers().L);

  // The press started the 200 ms animation; without a loop it ends and runs the end action.
  int ended = 0;
  c->SetAnimationEndActionFunction([&](IControl*) { ++ended; });
  ASSERT_TRUE(c->GetAnimationFunction());
  EXPECT_EQ(c->GetAnimationDuration(), 200.0);
  IRegionRects rects;
  clock.AdvanceMs(201);
  gfx->IsDirty(rects);
  EXPECT_FALSE(c->GetAnimationFunction());
  EXPECT_EQ(ended, 1);

  // A looping one restarts at the time it would have ended, for ever.
  auto* loop = new ILambdaControl(IRECT(0, 0, 10, 10), nullptr, 50, true, true);
  gfx->AttachControl(loop);
  loop->SetAnimationEndActionFunction([&](IControl*) { ++ended; });
  for (int i = 0; i < 3; ++i)
  {
    clock.AdvanceMs(51);
    gfx->IsDirty(rects);
    ASSERT_TRUE(loop->GetAnimationFunction());
    EXPECT_EQ(loop->GetAnimationStart(), clock.NowMs());
  }
  EXPECT_EQ(ended, 1);
  loop->Draw(*gfx); // no draw function: nothing

  // A loop of zero duration is no loop: it ends at once.
  auto* zero = new ILambdaControl(IRECT(0, 0, 10, 10), nullptr, 0, true, true);
  gfx->AttachControl(zero);
  gfx->IsDirty(rects);
  EXPECT_FALSE(zero->GetAnimationFunction());
}

TEST(LinearGradient, MapsItsStartAndEndToTheUnitYAxis)
{
  const IPaintPattern down = IPaintPattern::CreateLinearGradient(0, 0, 0, 100, {{kColorRed, 0.f}, {kColorBlue, 1.f}});
  EXPECT_EQ(down.kind, kPatternLinear);
  EXPECT_EQ(down.extend, kExtendPad);
  EXPECT_EQ(down.transform, ITransform2D(0.01f, 0, 0, 0.01f, 0, 0));
  double x = 0, y = 50;
  down.transform.Apply(x, y);
  EXPECT_EQ(x, 0.0);
  EXPECT_FLOAT_EQ(static_cast<float>(y), 0.5f);
  ASSERT_EQ(down.nStops, 2);
  EXPECT_EQ(down.stops[1].color, kColorBlue);
  EXPECT_EQ(down.stops[1].offset, 1.f);
  EXPECT_EQ(down.stops[2].color, kColorBlack);

  // Any two distinct points: start to (0, 0), end to (0, 1), the midpoint to
  // (0, 0.5), in single precision.
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> coord(-500.f, 500.f);
  for (int i = 0; i < 200; ++i)
  {
    const float x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
    if (std::hypot(x2 - x1, y2 - y1) < 50.f)
      continue; // single precision would need a looser bound
    const IPaintPattern g = IPaintPattern::CreateLinearGradient(x1, y1, x2, y2, {});
    const double points[3][4] = {{x1, y1, 0, 0}, {x2, y2, 0, 1}, {(x1 + x2) / 2.0, (y1 + y2) / 2.0, 0, 0.5}};
    for (const auto& p : points)
    {
      double px = p[0], py = p[1];
      g.transform.Apply(px, py);
      EXPECT_NEAR(px, p[2], 1e-4);
      EXPECT_NEAR(py, p[3], 1e-4);
    }
    for (double v : {g.transform.xx, g.transform.yx, g.transform.xy, g.transform.yy, g.transform.tx, g.transform.ty})
      EXPECT_EQ(v, static_cast<double>(static_cast<float>(v)));
  }

  const IPaintPattern many = IPaintPattern::CreateLinearGradient(
    0, 0, 1, 1, {{kColorRed, 0.00f}, {kColorRed, 0.05f}, {kColorRed, 0.10f}, {kColorRed, 0.15f}, {kColorRed, 0.20f},
                 {kColorRed, 0.25f}, {kColorRed, 0.30f}, {kColorRed, 0.35f}, {kColorRed, 0.40f}, {kColorRed, 0.45f},
                 {kColorRed, 0.50f}, {kColorRed, 0.55f}, {kColorRed, 0.60f}, {kColorRed, 0.65f}, {kColorRed, 0.70f},
                 {kColorGreen, 0.75f}, {kColorBlue, 0.80f}, {kColorBlue, 0.85f}, {kColorBlue, 0.90f},
                 {kColorBlue, 0.95f}});
  EXPECT_EQ(many.nStops, 16);
  EXPECT_EQ(many.stops[15].color, kColorGreen);
}

TEST(LinearGradient, EndPointsWithoutADirectionPaintTheLastStop)
{
  // Coinciding, too close to invert the distance, too far apart for single
  // precision to hold the distance, or not finite.
  const float cases[][4] = {{5, 5, 5, 5},    {0, 0, 0, 0},      {-3, 7, -3, 7},     {0, 0, 1e-40f, 0},
                            {NAN, 0, 1, 1},  {0, 0, INFINITY, 1}, {-3e38f, 0, 3e38f, 0}, {0, -2e38f, 0, 2e38f},
                            {-2.5e38f, -2.5e38f, 2.5e38f, 2.5e38f}};
  const std::initializer_list<IColorStop> redToBlue = {{kColorRed, 0.f}, {kColorBlue, 1.f}};
  for (const auto& c : cases)
  {
    const IPaintPattern g = IPaintPattern::CreateLinearGradient(c[0], c[1], c[2], c[3], redToBlue);
    EXPECT_EQ(g.kind, kPatternSolid) << c[0] << " " << c[2];
    ASSERT_EQ(g.nStops, 1) << c[0] << " " << c[2];
    EXPECT_EQ(g.stops[0].color, kColorBlue);
    EXPECT_TRUE(g.transform.IsIdentity());

    const IPaintPattern none = IPaintPattern::CreateLinearGradient(c[0], c[1], c[2], c[3], {});
    EXPECT_EQ(none.nStops, 0);
    EXPECT_TRUE(none.transform.IsIdentity());
  }
  // A short distance that still inverts keeps its gradient.
  EXPECT_EQ(IPaintPattern::CreateLinearGradient(0, 0, 1e-30f, 0, redToBlue).kind, kPatternLinear);
  // The last stop held: those beyond the sixteenth are dropped first.
  const IColorStop r{kColorRed, 0.f};
  const IPaintPattern held = IPaintPattern::CreateLinearGradient(
    1, 1, 1, 1, {r, r, r, r, r, r, r, r, r, r, r, r, r, r, r, {kColorGreen, 1.f}, {kColorBlue, 1.f}});
  EXPECT_EQ(held.stops[0].color, kColorGreen);
}
