#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/GfxFixture.h"
#include "support/PointerEvent.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;

namespace {
using GfxListTest = GfxFixture;

std::string VisitOrder(IGfx& g, bool all)
{
  std::string s;
  auto f = [&s](IControl* c) { s += static_cast<TestControl*>(c)->name + " "; };
  all ? g.VisitAllControls(f) : g.VisitListedControls(f);
  return s;
}
} // namespace

TEST_F(GfxListTest, AttachRunsSetUpInOrderAndSetsPointers)
{
  TestControl* c = Make("a");
  EXPECT_EQ(gfx->AttachControl(c, 5, "grp"), c);
  EXPECT_EQ(log.Entries(), (std::vector<std::string>{"init:a", "resize:a", "rescale:a", "attached:a"}));
  EXPECT_EQ(c->GetDelegate(), &dlg);
  EXPECT_EQ(c->GetUI(), gfx.get());
  EXPECT_STREQ(c->GetGroup(), "grp");
  EXPECT_EQ(gfx->FindControlByTag(5), c);
  EXPECT_EQ(gfx->FindControlByTag(6), nullptr);
}

TEST_F(GfxListTest, DuplicateTagIsRefusedAndStaysTheCallers)
{
  gfx->AttachControl(Make("a"), 1);
  TestControl* dup = Make("b");
  EXPECT_EQ(gfx->AttachControl(dup, 1), nullptr);
  EXPECT_EQ(gfx->NControls(), 1);
  EXPECT_EQ(dup->inits, 0);
  EXPECT_EQ(gfx->FindControlByTag(1)->GetRECT(), IRECT(0, 0, 10, 10));
  delete dup;
  EXPECT_EQ(destroyed, 1);
}

TEST_F(GfxListTest, BackgroundGoesFirstWithoutSetUp)
{
  Attach("a");
  Attach("b");
  TestControl* bg = Make("bg");
  gfx->AttachBackground(bg);
  EXPECT_EQ(gfx->GetControl(0), bg);
  EXPECT_EQ(bg->inits, 0);
  EXPECT_EQ(bg->GetDelegate(), nullptr);
  EXPECT_EQ(VisitOrder(*gfx, false), "bg a b ");
}

TEST_F(GfxListTest, VisitingOrderPutsSpecialControlsAfterTheList)
{
  Attach("a");
  Attach("b");
  gfx->AddExtraControl(Make("extra"));
  gfx->AttachCornerResizer(Make("resizer"));
  gfx->AttachFrameRateDisplay(Make("fps"));
  EXPECT_EQ(VisitOrder(*gfx, true), "a b fps resizer extra ");
  EXPECT_EQ(VisitOrder(*gfx, false), "a b ");
}

TEST_F(GfxListTest, RemoveAllControlsDeletesEverythingAndForgetsState)
{
  TestControl* a = Make("a", {0, 0, 50, 50});
  gfx->AttachControl(a, 3);
  gfx->AttachControl(Make("b"), 4);
  gfx->AddExtraControl(Make("extra"));
  gfx->AttachCornerResizer(Make("resizer"));
  gfx->SetCapturedControl(0, a);
  gfx->HideMouseCursor(true, true);
  gfx->RemoveAllControls();
  EXPECT_EQ(destroyed, 4);
  EXPECT_EQ(gfx->NControls(), 0);
  EXPECT_EQ(gfx->FindControlByTag(3), nullptr);
  EXPECT_EQ(gfx->FindControlByTag(4), nullptr);
  EXPECT_EQ(gfx->GetMouseOverIdx(), -1);
  EXPECT_FALSE(gfx->ControlIsCaptured());
  EXPECT_FALSE(gfx->GetCursorHidden());
}

TEST_F(GfxListTest, ResizeClampsScaleAndNotifiesInOrder)
{
  TestControl* a = Attach("a");
  gfx->SetLayoutOnResize(true);
  gfx->screenScaleFactor = 1.5f;
  log.Clear();
  a->SetClean();
  gfx->Resize(1000, 700, 10.f, true);
  EXPECT_EQ(gfx->GetDrawScale(), 4.f);
  EXPECT_EQ(gfx->Width(), 1000);
  const auto req = dlg.CallsOf(DelegateCall::kSizeRequest);
  ASSERT_EQ(req.size(), 1u);
  EXPECT_EQ(req[0].width, 6000);  // 1.5 * (1000 * 4)
  EXPECT_EQ(req[0].height, 4200);
  EXPECT_TRUE(req[0].needsPlatformResize);
  EXPECT_TRUE(a->IsDirty());
  EXPECT_EQ(log.Entries(), (std::vector<std::string>{"dlg:SizeRequest", "gfx:ResizeNativeWindow", "resize:a",
                                                     "set:a 0.000000", "gfx:ResizeSurface", "dlg:Layout"}));

  gfx->Resize(1000, 700, 0.1f, false);
  EXPECT_EQ(gfx->GetDrawScale(), 0.5f);
}

TEST_F(GfxListTest, ResizeToTheCurrentStateDoesNothing)
{
  TestControl* a = Attach("a");
  a->SetClean();
  const int resizes = a->resizes;
  gfx->Resize(1200, 800, 1.f, true);
  EXPECT_EQ(a->resizes, resizes);
  EXPECT_FALSE(a->IsDirty());
  EXPECT_TRUE(dlg.calls.empty());
  // A size outside the delegate's limits is clamped first.
  dlg.SetSizeConstraints(400, 3600, 266, 2400);
  gfx->Resize(5000, 100, 1.f, true);
  EXPECT_EQ(gfx->Width(), 3600);
  EXPECT_EQ(gfx->Height(), 266);
}

TEST_F(GfxListTest, ResizeWithAScaleThatIsNotANumberKeepsTheCurrentScale)
{
  gfx->Resize(1000, 700, 2.f, true);
  dlg.ClearCalls();
  gfx->Resize(900, 600, std::nanf(""), true);
  EXPECT_EQ(gfx->GetDrawScale(), 2.f);
  EXPECT_EQ(gfx->Width(), 900);
  const auto req = dlg.CallsOf(DelegateCall::kSizeRequest);
  ASSERT_EQ(req.size(), 1u);
  EXPECT_EQ(req[0].width, 1800);
  EXPECT_EQ(req[0].height, 1200);
  // Only the size changed; the same call again does nothing.
  dlg.ClearCalls();
  gfx->Resize(900, 600, std::nanf(""), true);
  EXPECT_TRUE(dlg.calls.empty());
}

TEST_F(GfxListTest, ResizeReleasesCaptureAndShowsCursor)
{
  TestControl* a = Attach("a");
  gfx->SetCapturedControl(0, a);
  gfx->HideMouseCursor(true, true);
  gfx->Resize(800, 600, 1.f, true);
  EXPECT_FALSE(gfx->ControlIsCaptured());
  EXPECT_FALSE(gfx->GetCursorHidden());
}

TEST_F(GfxListTest, DisplayScaleRescalesEveryControl)
{
  TestControl* a = Attach("a");
  gfx->AttachCornerResizer(Make("resizer"));
  a->SetClean();
  const int rescales = a->rescales;
  gfx->SetDisplayScale(2.f);
  EXPECT_EQ(gfx->GetScreenScale(), 2.f);
  EXPECT_EQ(gfx->GetTotalScale(), 2.f);
  EXPECT_EQ(a->rescales, rescales + 1);
  EXPECT_TRUE(a->IsDirty());
  const auto req = dlg.CallsOf(DelegateCall::kSizeRequest);
  ASSERT_EQ(req.size(), 1u);
  EXPECT_EQ(req[0].width, 1200);
  EXPECT_TRUE(req[0].needsPlatformResize);
  EXPECT_EQ(gfx->Count(GfxOp::kResizeSurface), 1);
}

TEST_F(GfxListTest, MouseCaptureGesturesAndDrags)
{
  TestControl* a = Make("a", {0, 0, 50, 50}, 2);
  a->AddValue(3);
  gfx->AttachControl(a);
  IMouseEvent e;
  e.x = 10;
  e.y = 10;
  e.ms = IMouseModifiers(true);
  gfx->OnMouseDown({e});
  EXPECT_EQ(a->mouseDowns, 1);
  EXPECT_EQ(dlg.CallsOf(DelegateCall::kBeginGesture).size(), 2u);
  e.x = 200; // outside: the capture still gets it
  gfx->OnMouseDrag({e});
  EXPECT_EQ(a->drags, 0);
  e.dX = 3;
  gfx->OnMouseDrag({e});
  EXPECT_EQ(a->drags, 1);
  gfx->OnMouseUp({e});
  EXPECT_EQ(a->mouseUps, 1);
  EXPECT_EQ(dlg.CallsOf(DelegateCall::kEndGesture).size(), 2u);
  EXPECT_FALSE(gfx->ControlIsCaptured());
}

TEST_F(GfxListTest, RightClickOnBoundControlGoesToTheContextMenuOnly)
{
  TestControl* bound = Make("bound", {0, 0, 50, 50}, 1);
  TestControl* free = Make("free", {60, 0, 100, 50});
  gfx->AttachControl(bound);
  gfx->AttachControl(free);
  IMouseEvent e;
  e.x = 10;
  e.y = 10;
  e.ms = IMouseModifiers(false, true);
  gfx->OnMouseDown({e});
  EXPECT_EQ(bound->mouseDowns, 0);
  EXPECT_TRUE(dlg.CallsOf(DelegateCall::kBeginGesture).empty());
  e.x = 70;
  gfx->OnMouseDown({e});
  EXPECT_EQ(free->mouseDowns, 1);
}

// Without a host menu (CLAP) the editor shows the control's context items
// itself; once the VST3 adapter installs the host's, the prompt menu goes
// there instead and the editor's own menus stop being context menus.
TEST_F(GfxListTest, ContextMenuIsTheEditorsOwnUnlessTheHostShowsIt)
{
  TestControl* bound = Attach("bound", {0, 0, 50, 50}, 1);
  bound->contextItems = {"Learn", "Reset"};
  const IMouseEvent e = PointerEvent(10, 20, IMouseModifiers(false, true));
  gfx->menuChoice = 1;
  gfx->OnMouseDown({e});
  ASSERT_EQ(gfx->menuCalls, 1);
  EXPECT_EQ(gfx->lastMenuItems, (std::vector<std::string>{"Learn", "Reset"}));
  EXPECT_EQ(gfx->OfKind(GfxOp::kMenu)[0].rect, IRECT(10, 20, 10, 20));
  EXPECT_EQ(bound->lastContextChoice, 1);

  std::vector<std::string> hostCalls;
  gfx->SetHostContextMenuFunc([&](IGfx& g, IControl* control, int paramIdx, float x, float y) {
    hostCalls.push_back(std::to_string(control == bound) + " " + std::to_string(paramIdx) + " " +
                        std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)) + " " +
                        std::to_string(g.GetPromptMenu().NItems()));
  });
  gfx->OnMouseDown({e});
  EXPECT_EQ(hostCalls, (std::vector<std::string>{"1 1 10 20 2"}));
  EXPECT_EQ(gfx->menuCalls, 1);

  IPopupMenu menu;
  menu.AddItem("A");
  gfx->menuChoice = 0;
  gfx->ShowMenu(bound, menu, IRECT(), -1, true);
  EXPECT_EQ(bound->contextChoices, 1);
  EXPECT_EQ(bound->menuSelections, 1);
}

TEST_F(GfxListTest, KeysSkipTheBackgroundAndFallBackToTheHandler)
{
  TestControl* bg = Make("bg", {0, 0, 1200, 800});
  gfx->AttachBackground(bg);
  IKeyEvent key;
  EXPECT_FALSE(gfx->OnKeyDown(5, 5, key));
  EXPECT_EQ(bg->keyDowns, 0);
  int handled = 0;
  gfx->SetKeyHandlerFunc([&](const IKeyEvent&, bool up) { handled += up ? 10 : 1; return true; });
  EXPECT_TRUE(gfx->OnKeyDown(5, 5, key));
  EXPECT_TRUE(gfx->OnKeyUp(5, 5, key));
  EXPECT_EQ(handled, 11);
}

TEST_F(GfxListTest, MouseOverReachesOnlySpecialControls)
{
  TestControl* a = Attach("a", {0, 0, 50, 50});
  TestControl* resizer = Make("resizer", {1180, 780, 1200, 800});
  gfx->AttachCornerResizer(resizer);
  EXPECT_FALSE(gfx->OnMouseOver(10, 10, IMouseModifiers()));
  EXPECT_EQ(a->mouseOvers, 0);
  EXPECT_TRUE(gfx->OnMouseOver(1190, 790, IMouseModifiers()));
  EXPECT_EQ(resizer->mouseOvers, 1);
  gfx->OnMouseOver(10, 10, IMouseModifiers());
  EXPECT_EQ(resizer->mouseOuts, 1);
}
