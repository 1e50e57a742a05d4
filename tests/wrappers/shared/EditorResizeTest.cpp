// The editor asking the host for a size: only a new size is asked for, what
// is stored when the host accepts or refuses, and a display scale that
// never asks for a size outside the editor's limits (400 to 3600 wide, 266
// to 2400 high). Recording graphics stand in for the window.
#include <cfloat>
#include <climits>
#include <cmath>

#include "support/RecordingGfx.h"
#include "toolkit/IGfx.h"
#include "wrappers/shared/WrapperFixture.h"

namespace wrappertest {

namespace {

using ifx::testkit::RecordingGfx;

// The Windows window grows with the display scale; so does this stand-in.
class ScalingGfx : public RecordingGfx
{
public:
  using RecordingGfx::RecordingGfx;
  float WindowScaleFactor() const override { return GetScreenScale(); }
};

bool IsAScale(double factor) { return std::isfinite(factor) && factor > 0.; }

class WrapperEditorSize : public WrapperTest
{
protected:
  void SetUp() override
  {
    WrapperTest::SetUp();
    ifx::IFxAPIBase& p = plug->Plugin();
    p.makeGraphicsFunc = [&p] { return new RecordingGfx(p); };
    ASSERT_TRUE(plug->CreateEditor());
  }
  void TearDown() override
  {
    if (plug)
      plug->CloseEditor();
    WrapperTest::TearDown();
  }
  ifx::igfx::IGfx* Graphics() { return plug->Plugin().EditorGraphics(); }
  bool AskHost(int width, int height) { return plug->Plugin().ResizeHostEditor(width, height); }
};

TEST_P(WrapperEditorSize, TheEditorAsksTheHostOnlyForANewSize)
{
  ASSERT_TRUE(plug->OpenEditor());
  EXPECT_TRUE(AskHost(1200, 800));
  EXPECT_EQ(plug->ResizeRequests(), 0);
  EXPECT_TRUE(AskHost(900, 600));
  ASSERT_EQ(plug->ResizeRequests(), 1);
  EXPECT_EQ(plug->LastResizeRequest(), (EditorSize{900, 600}));
  EXPECT_EQ(plug->HostReadsSize(), (EditorSize{900, 600}));

  // The editor's own resizes go the same way, at the window's size.
  Graphics()->Resize(1000, 500, 1.5f, true);
  EXPECT_EQ(plug->ResizeRequests(), 2);
  EXPECT_EQ(plug->LastResizeRequest(), (EditorSize{1500, 750}));
  Graphics()->Resize(1500, 1000, 1.2f);
  EXPECT_EQ(plug->ResizeRequests(), 3);
  EXPECT_EQ(plug->LastResizeRequest(), (EditorSize{1800, 1200}));
  EXPECT_EQ(plug->HostReadsSize(), (EditorSize{1800, 1200}));
}

TEST_P(WrapperEditorSize, ARefusedSizeIsStoredOnlyWhereTheFormatTakesItAnyway)
{
  ASSERT_TRUE(plug->OpenEditor());
  plug->AnswerResizeRequests(false);
  EXPECT_TRUE(AskHost(900, 600));
  EXPECT_EQ(plug->ResizeRequests(), 1);
  const EditorSize kept = plug->KeepsARefusedSize() ? EditorSize{900, 600} : EditorSize{1200, 800};
  EXPECT_EQ(plug->HostReadsSize(), kept);

  // A size that was not stored is asked for again, and kept once accepted.
  plug->AnswerResizeRequests(true);
  EXPECT_TRUE(AskHost(900, 600));
  EXPECT_EQ(plug->ResizeRequests(), plug->KeepsARefusedSize() ? 1 : 2);
  EXPECT_EQ(plug->HostReadsSize(), (EditorSize{900, 600}));
}

TEST_P(WrapperEditorSize, AScaleReachesOnlyAnOpenEditorAndOnlyWhenItIsAScale)
{
  // Before the window opens a scale is accepted and kept nowhere. (What an
  // open editor does with what is no scale: the limits' table below.)
  EXPECT_TRUE(plug->SetScale(2.));
  for (double bad : {0., -1., double(NAN), double(INFINITY)})
    EXPECT_EQ(plug->SetScale(bad), !plug->RefusesANonScale()) << bad;
  EXPECT_EQ(Graphics(), nullptr);

  ASSERT_TRUE(plug->OpenEditor());
  ASSERT_NE(Graphics(), nullptr);
  EXPECT_FLOAT_EQ(Graphics()->GetScreenScale(), 1.f);
  EXPECT_TRUE(plug->SetScale(1.25));
  EXPECT_FLOAT_EQ(Graphics()->GetScreenScale(), 1.25f);
}

TEST_P(WrapperEditorSize, AScaleNeverAsksTheHostForASizeOutsideTheLimits)
{
  ifx::IFxAPIBase& p = plug->Plugin();
  p.makeGraphicsFunc = [&p] { return new ScalingGfx(p); };
  ASSERT_TRUE(plug->OpenEditor());
  // The size asked for after each factor; a factor that is no scale asks
  // for nothing and changes nothing.
  const struct
  {
    double factor;
    EditorSize asked;
  } cases[] = {{2., {2400, 1600}},  {1e30f, {3600, 2400}},    {1., {1200, 800}},       {1e-30f, {400, 266}},
               {3.5, {3600, 2400}}, {0.25, {400, 266}},       {FLT_MAX, {3600, 2400}}, {1.5, {1800, 1200}},
               {NAN, {1800, 1200}}, {INFINITY, {1800, 1200}}, {-2., {1800, 1200}},     {0., {1800, 1200}}};
  for (const auto& c : cases)
  {
    EXPECT_EQ(plug->SetScale(c.factor), IsAScale(c.factor) || !plug->RefusesANonScale()) << c.factor;
    EXPECT_EQ(plug->LastResizeRequest(), c.asked) << c.factor;
  }
  EXPECT_EQ(plug->ResizeRequests(), 8);
  EXPECT_FLOAT_EQ(Graphics()->GetScreenScale(), 1.5f);

  // A zoomed editor leaves less room for the display scale.
  plug->SetScale(1.);
  Graphics()->Resize(1200, 800, 2.f, true);
  plug->SetScale(2.);
  EXPECT_EQ(plug->LastResizeRequest().width, 3600);
  EXPECT_FLOAT_EQ(Graphics()->GetScreenScale(), 1.5f);
}

TEST_P(WrapperEditorSize, TheHostReadsTheSizeTheEditorTookAndARefusedSizeChangesNothing)
{
  ifx::IFxAPIBase& p = plug->Plugin();
  p.makeGraphicsFunc = [&p] { return new ScalingGfx(p); };
  ASSERT_TRUE(plug->OpenEditor());
  // At a display scale, a size the host gives: the answer, then the size the
  // host reads and the editor's own (the window's size over the scale). A
  // refused size changes nothing.
  const bool roundedTaken = !plug->RefusesASizeItRounds();
  const struct
  {
    double scale;
    EditorSize given;
    bool taken;
    EditorSize reads;
  } cases[] = {
    {1., {1000, 700}, true, {1000, 700}},         {1., {399, 265}, false, {1000, 700}},
    {1., {8000, 6000}, false, {1000, 700}},       {1., {0, 0}, false, {1000, 700}},
    {1., {INT_MAX, INT_MAX}, false, {1000, 700}}, {1., {3600, 2400}, true, {3600, 2400}},
    {1., {400, 266}, true, {400, 266}},           {1.5, {1500, 1050}, true, {1500, 1050}},
    {1.5, {1501, 1051}, roundedTaken, {1500, 1050}}, {1.5, {1200, 801}, true, {1200, 801}},
  };
  for (const auto& c : cases)
  {
    plug->SetScale(c.scale);
    EXPECT_EQ(plug->HostSizes(c.given.width, c.given.height), c.taken) << c.given << " at " << c.scale;
    EXPECT_EQ(plug->HostReadsSize(), c.reads) << c.given << " at " << c.scale;
    EXPECT_EQ(Graphics()->Width(), static_cast<int>(c.reads.width / c.scale)) << c.given << " at " << c.scale;
    EXPECT_EQ(Graphics()->Height(), static_cast<int>(c.reads.height / c.scale)) << c.given << " at " << c.scale;
    EXPECT_FLOAT_EQ(Graphics()->GetDrawScale(), 1.f);
  }

  // The host's answer to the editor's own zoom is the size it asked for:
  // taken, and the editor keeps its zoom.
  plug->SetScale(1.);
  Graphics()->Resize(1200, 800, 1.25f, true);
  EXPECT_EQ(plug->LastResizeRequest(), (EditorSize{1500, 1000}));
  EXPECT_TRUE(plug->HostSizes(1500, 1000));
  EXPECT_EQ(plug->HostReadsSize(), (EditorSize{1500, 1000}));
  EXPECT_EQ(Graphics()->Width(), 1200);
  EXPECT_FLOAT_EQ(Graphics()->GetDrawScale(), 1.25f);
}

INSTANTIATE_TEST_SUITE_P(Built, WrapperEditorSize, ::testing::ValuesIn(BuiltFormats()), FormatName);

} // namespace

} // namespace wrappertest
