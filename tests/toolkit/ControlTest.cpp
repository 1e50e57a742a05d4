#include <gtest/gtest.h>

#include <cmath>

#include "base/IParam.h"
#include "support/FakeClock.h"
#include "support/GfxFixture.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;

using ControlTest = GfxFixture;

TEST_F(ControlTest, SetDirtyClampsAndOnlyTheTriggeredFormTellsTheDelegate)
{
  TestControl* c = Attach("a", {0, 0, 10, 10}, 1);
  c->SetValue(1.7, 0);
  c->SetClean();
  c->SetDirty(false);
  EXPECT_EQ(c->GetValue(), 1.0);
  EXPECT_TRUE(c->IsDirty());
  EXPECT_TRUE(dlg.CallsOf(DelegateCall::kValue).empty());

  c->SetValue(1.7, 0);
  c->SetDirty(true);
  const auto values = dlg.CallsOf(DelegateCall::kValue);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].paramIdx, 1);
  EXPECT_EQ(values[0].value, 1.0);
}

TEST_F(ControlTest, DirtyMarkingRunsClampDirtyDelegatePeersActionInOrder)
{
  bool dirtyWhenDelegateCalled = false;
  TestControl* a = nullptr;
  struct OrderDelegate : RecordingDelegate
  {
    using RecordingDelegate::RecordingDelegate;
    std::function<void()> hook;
    void ApplyParamValueFromUI(int p, double v) override
    {
      if (hook)
        hook();
      RecordingDelegate::ApplyParamValueFromUI(p, v);
    }
  } odlg(4);
  odlg.log = &log;
  RecordingGfx g(odlg);
  a = new TestControl({0, 0, 10, 10}, 2, [this](IControl*) { log.Add("action"); }, "a");
  auto* peer = new TestControl({20, 0, 30, 10}, 2, nullptr, "peer");
  auto* other = new TestControl({40, 0, 50, 10}, 3, nullptr, "other");
  for (TestControl* c : {a, peer, other})
  {
    c->log = &log;
    g.AttachControl(c);
  }
  odlg.hook = [&] { dirtyWhenDelegateCalled = a->IsDirty(); };
  a->SetClean();
  a->SetValue(-0.5, 0);
  peer->SetValue(0.7, 0);
  log.Clear();
  a->SetDirty(true);

  const int clamp = log.IndexOf("set:a 0.000000");
  const int delegate = log.IndexOf("dlg:Value 2 0");
  const int peers = log.IndexOf("host:peer");
  const int peerSet = log.IndexOf("set:peer 0.000000");
  const int action = log.IndexOf("action");
  EXPECT_EQ(clamp, 0);
  EXPECT_LT(clamp, delegate);
  EXPECT_LT(delegate, peers);
  EXPECT_LT(peers, peerSet);
  EXPECT_LT(peerSet, action);
  EXPECT_EQ(action, static_cast<int>(log.Entries().size()) - 1);
  EXPECT_EQ(log.Count("host:"), 1);
  EXPECT_TRUE(dirtyWhenDelegateCalled);
  EXPECT_EQ(other->hostValues, 0);
}

TEST_F(ControlTest, PeerUpdatesReachTheFirstBoundValueButNotADraggedControl)
{
  TestControl* a = Attach("a", {0, 0, 10, 10}, 1);
  TestControl* multi = Attach("multi", {20, 0, 30, 10}, -1);
  multi->AddValue(1);
  multi->AddValue(1);
  TestControl* dragged = Attach("dragged", {40, 0, 50, 10}, 1);

  gfx->SetCapturedControl(0, dragged);
  a->SetValueFromEditor(0.25, 0);
  EXPECT_EQ(multi->GetValue(1), 0.25);
  EXPECT_EQ(multi->GetValue(2), 0.0);
  EXPECT_EQ(dragged->GetValue(), 0.0);

  gfx->ReleaseMouseCapture();
  a->SetValueFromEditor(0.5, 0);
  EXPECT_EQ(dragged->GetValue(), 0.5);
  // An unchanged value from the editor is not sent again.
  dlg.ClearCalls();
  a->SetValueFromEditor(0.5, 0);
  EXPECT_TRUE(dlg.calls.empty());
}

TEST_F(ControlTest, HostValuesMarkDirtyOnlyWhenChanged)
{
  TestControl* c = Attach("c", {0, 0, 10, 10}, 0);
  c->SetClean();
  c->SetValueFromHostSide(0.0, 0);
  EXPECT_FALSE(c->IsDirty());
  c->SetValueFromHostSide(0.3, 0);
  EXPECT_TRUE(c->IsDirty());
  EXPECT_EQ(c->GetValue(), 0.3);
  EXPECT_TRUE(dlg.calls.empty());
}

TEST_F(ControlTest, UnattachedControlSkipsDelegateAndPeersButRunsAction)
{
  int actions = 0;
  TestControl c({0, 0, 10, 10}, 1, [&](IControl*) { ++actions; });
  c.SetValue(0.4, 0);
  c.SetDirty(true);
  EXPECT_EQ(actions, 1);
  EXPECT_TRUE(dlg.calls.empty());
}

TEST_F(ControlTest, PointerValuesAreQuantisedClampedAndNeverNaN)
{
  TestControl* c = Attach("c", {0, 0, 100, 100}, 0);
  const IRECT track(0, 0, 100, 100);
  c->SetValueFromPointer(50, 0, 0, track);
  EXPECT_EQ(c->GetValue(), 1.0);
  c->SetValueFromPointer(50, 100, 0, track);
  EXPECT_EQ(c->GetValue(), 0.0);
  c->SetValueFromPointer(50, -40, 0, track);
  EXPECT_EQ(c->GetValue(), 1.0);
  c->SetValueFromPointer(33.3333f, 0, 1, track);
  EXPECT_NEAR(c->GetValue(), 0.333, 1e-12);
  c->SetValueFromPointer(90, 0, 1, track, -1, 0.2, 0.6);
  EXPECT_NEAR(c->GetValue(), 0.6, 1e-12);
  for (float x = 0; x <= 100; x += 0.37f)
  {
    c->SetValueFromPointer(x, 0, 1, track);
    const double v = c->GetValue() * 1000.0;
    ASSERT_NEAR(v, std::round(v), 1e-6) << x;
  }

  c->SetValue(0.42, 0);
  dlg.ClearCalls();
  c->SetValueFromPointer(5, 5, 1, IRECT(5, 0, 5, 10));
  c->SetValueFromPointer(5, 5, 0, IRECT(0, 5, 10, 5));
  EXPECT_EQ(c->GetValue(), 0.42);
  EXPECT_TRUE(dlg.calls.empty());
}

TEST_F(ControlTest, PositionAndSizeKeepTargetOffset)
{
  TestControl* c = Attach("c", {10, 10, 30, 20}, -1);
  c->SetTargetRECT(IRECT(12, 11, 28, 19));
  c->SetPosition(-5, 10);
  EXPECT_EQ(c->GetRECT(), IRECT(0, 10, 20, 20));
  EXPECT_EQ(c->GetTargetRECT(), IRECT(2, 11, 18, 19));
  c->SetSize(-3, 7);
  EXPECT_EQ(c->GetRECT(), IRECT(0, 10, 0, 17));
  EXPECT_EQ(c->GetTargetRECT(), c->GetRECT());
}

TEST_F(ControlTest, ValueAccessorsAreBoundsChecked)
{
  TestControl* c = Attach("c", {0, 0, 10, 10}, 1);
  EXPECT_EQ(c->GetValue(5), 0.0);
  EXPECT_EQ(c->GetParamIdx(-1), -1);
  EXPECT_NO_THROW(c->SetParamIndex(2, 7));
  EXPECT_EQ(c->GetParamIdx(0), 1);
  c->SetValue(0.9, 3);
  EXPECT_EQ(c->NVals(), 1);
  EXPECT_NO_THROW(c->SetDirty(true, 4));
  EXPECT_NO_THROW(c->SetValueFromHostSide(0.1, 9));
  EXPECT_EQ(c->GetParam(3), nullptr);
  c->SetParamIndex(99, 0);
  EXPECT_EQ(c->GetParam(0), nullptr);
}

TEST_F(ControlTest, DoubleClickResetsToDefaultAndNotifies)
{
  dlg.GetParam(1)->ConfigureDouble("P1", 25.0, 0.0, 100.0, 1.0);
  TestControl* c = Attach("c", {0, 0, 10, 10}, 1);
  c->SetValue(0.9, 0);
  gfx->OnMouseDblClick(5, 5, IMouseModifiers(true));
  EXPECT_EQ(c->doubleClicks, 1);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.25);
  const auto values = dlg.CallsOf(DelegateCall::kValue);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_DOUBLE_EQ(values[0].value, 0.25);
  EXPECT_FALSE(gfx->ControlIsCaptured());
}

TEST_F(ControlTest, DefaultClickAnimationKeepsControlDirtyUntilItEnds)
{
  FakeClock clock;
  int ended = 0;
  TestControl* c = Attach("c", {0, 0, 10, 10}, 0, &IControl::DefaultClickAction);
  c->SetAnimationEndActionFunction([&](IControl*) { ++ended; });
  c->SetValueFromEditor(0.5, 0);
  c->SetClean();
  EXPECT_TRUE(c->IsDirty());

  IRegionRects rects;
  clock.AdvanceMs(100.0); // exactly the duration: not over yet
  gfx->IsDirty(rects);
  EXPECT_TRUE(c->GetAnimationFunction() != nullptr);
  clock.AdvanceMs(0.5);
  gfx->IsDirty(rects);
  EXPECT_FALSE(c->GetAnimationFunction());
  EXPECT_EQ(ended, 1);
  c->SetClean();
  EXPECT_FALSE(c->IsDirty());
}

TEST_F(ControlTest, RightClickPromptsOnlyWhenEnabled)
{
  dlg.GetParam(0)->ConfigureEnum("Mode", 1, 3, "", 0, "", "Low", "Mid", "High");
  TestControl* c = Attach("c", {0, 0, 10, 10}, 0);
  c->OnMouseDown(5, 5, IMouseModifiers(false, true));
  EXPECT_EQ(gfx->menuCalls, 0);

  c->SetPromptDisabled(false);
  dlg.GetParam(0)->Set(1.0);
  gfx->menuChoice = 2;
  c->OnMouseDown(5, 5, IMouseModifiers(false, true));
  ASSERT_EQ(gfx->menuCalls, 1);
  EXPECT_EQ(gfx->lastMenuItems, (std::vector<std::string>{"Low", "Mid", "High"}));
  EXPECT_EQ(gfx->lastMenuFlags, (std::vector<int>{0, IPopupMenu::kChecked, 0}));
  EXPECT_EQ(gfx->lastMenuTitle, "Mode");
  EXPECT_EQ(c->menuSelections, 1);
  EXPECT_DOUBLE_EQ(c->GetValue(), 1.0);
}

TEST_F(ControlTest, DisabledBlendAndGestures)
{
  TestControl* c = Attach("c");
  c->SetDisabled(true);
  EXPECT_EQ(c->GetBlend().weight, 0.25f);
  c->SetDisabled(false);
  EXPECT_EQ(c->GetBlend().weight, 1.f);

  IGestureInfo info;
  info.type = 3;
  EXPECT_FALSE(c->OnGesture(info));
  EXPECT_FALSE(c->WantsGestures());
  int handled = 0;
  c->AttachGestureRecognizer(3, [&](IControl*, const IGestureInfo&) { ++handled; });
  EXPECT_TRUE(c->WantsGestures());
  EXPECT_TRUE(c->OnGesture(info));
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(c->GetLastGesture(), 3);
}

TEST_F(ControlTest, RightClickPromptBoundsAreCentredUnlessTheParameterHasTexts)
{
  dlg.GetParam(0)->ConfigureDouble("Gain", 0.0, 0.0, 10.0, 0.1);
  TestControl* c = Attach("c", {0, 0, 100, 50}, 0);
  c->SetPromptDisabled(false);
  c->OnMouseDown(5, 5, IMouseModifiers(false, true));
  EXPECT_EQ(gfx->textEntryParamIdx, 0);
  EXPECT_EQ(gfx->textEntryBounds, IRECT(30, 17, 70, 33)); // 40 x 16 about the centre
  EXPECT_EQ(gfx->textEntryLength, 7);

  dlg.GetParam(1)->ConfigureEnum("Mode", 0, 2, "", 0, "", "A", "B");
  TestControl* e = Attach("e", {0, 0, 100, 50}, 1);
  e->SetPromptDisabled(false);
  e->OnMouseDown(5, 5, IMouseModifiers(false, true));
  const auto menus = gfx->OfKind(GfxOp::kMenu);
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0].rect, IRECT(0, 0, 100, 50));
}

TEST_F(ControlTest, HighlightIsASmallDotInTheTargetsTopRightCorner)
{
  TestControl* c = Attach("c", {0, 0, 100, 50}, -1);
  c->SetTargetRECT(IRECT(10, 20, 60, 40));
  c->DrawHighlight(*gfx);
  EXPECT_TRUE(gfx->ops.empty());
  c->SetHighlight(true);
  c->DrawHighlight(*gfx);
  EXPECT_EQ(gfx->PathString(), "M 55 23|A 55 25 2 0 360|Z");
  const auto fills = gfx->OfKind(GfxOp::kFill);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].pattern.stops[0].color, kColorRed);
  EXPECT_FALSE(fills[0].hasBlend);
}

TEST_F(ControlTest, MouseOverFlagMarksDirtyOnChangeAndMovingClearsIt)
{
  TestControl* c = Attach("c");
  c->SetClean();
  c->OnMouseOver(1, 1, IMouseModifiers());
  EXPECT_TRUE(c->GetMouseIsOver());
  EXPECT_TRUE(c->IsDirty());
  c->SetClean();
  c->OnMouseOver(2, 2, IMouseModifiers());
  EXPECT_FALSE(c->IsDirty());
  c->SetPosition(20, 20);
  EXPECT_FALSE(c->GetMouseIsOver());
  c->OnMouseOut();
  EXPECT_FALSE(c->IsDirty());
  c->OnMouseOver(21, 21, IMouseModifiers());
  c->SetSize(5, 5);
  EXPECT_FALSE(c->GetMouseIsOver());
}
