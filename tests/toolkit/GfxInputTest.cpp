// Input dispatch through IGfx: which control hears each event, capture and
// release, live resize, value prompts, and the host gestures around every
// change, whatever interrupts the press that began them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "base/IParam.h"
#include "toolkit/ICaptionControl.h"
#include "support/GfxFixture.h"
#include "support/PointerEvent.h"
#include "support/TestSlider.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;

namespace {

// A small editor: a vertical slider (0, 0, 20, 200) and a caption
// (100, 0, 200, 20) on "Gain" (parameter 1, 0..100 dB, default 25), a caption
// (100, 40, 200, 60) on the enumerated "Mode" (parameter 2), and a plain
// control (300, 0, 400, 100) on "Gain" with one context-menu item.
struct InputEditor
{
  InputEditor()
  {
    dlg.GetParam(1)->ConfigureDouble("Gain", 25.0, 0.0, 100.0, 0.5, "dB");
    dlg.GetParam(2)->ConfigureEnum("Mode", 0, 3, "", 0, "", "Low", "Mid", "High");
    gfx = std::make_unique<RecordingGfx>(dlg);
    gfx->AttachControl(new TestSlider({0, 0, 20, 200}, 1));
    gfx->AttachControl(new ICaptionControl({100, 0, 200, 20}, 1));
    mode = static_cast<ICaptionControl*>(gfx->AttachControl(new ICaptionControl({100, 40, 200, 60}, 2)));
    auto* plain = new TestControl({300, 0, 400, 100}, 1);
    plain->contextItems = {"Learn"};
    gfx->AttachControl(plain);
  }

  void Down(float x, float y, IMouseModifiers mod = IMouseModifiers(true))
  {
    gfx->OnMouseDown({PointerEvent(x, y, mod)});
  }
  void Up(float x, float y) { gfx->OnMouseUp({PointerEvent(x, y, IMouseModifiers())}); }
  void Drag(float x, float y, float dX, float dY)
  {
    gfx->OnMouseDrag({PointerEvent(x, y, IMouseModifiers(true), dX, dY)});
  }
  void Close() { gfx.reset(); }

  // The gestures and values the host heard since the last look: "B1 V1 E1".
  std::string Heard()
  {
    std::string s;
    for (; seen < dlg.calls.size(); ++seen)
    {
      const DelegateCall& c = dlg.calls[seen];
      const char* kind = c.kind == DelegateCall::kBeginGesture ? "B"
                         : c.kind == DelegateCall::kValue      ? "V"
                         : c.kind == DelegateCall::kEndGesture ? "E"
                                                               : nullptr;
      if (!kind)
        continue;
      s += (s.empty() ? "" : " ") + std::string(kind) + std::to_string(c.paramIdx);
    }
    return s;
  }

  RecordingDelegate dlg{4};
  std::unique_ptr<RecordingGfx> gfx;
  ICaptionControl* mode = nullptr;
  size_t seen = 0;
};

using Step = std::function<void(InputEditor&)>;

// Each step and what the host hears during it.
struct GestureCase { const char* name; std::vector<std::pair<Step, const char*>> steps; };

} // namespace

// Every begin gets exactly one end, at the moment the press, prompt or event
// that began it is over or interrupted; closing the editor ends the rest.
TEST(GfxInput, HostGesturesPairUnderEveryInterruption)
{
  const Step pressSlider = [](InputEditor& e) { e.Down(10, 100); };
  const Step releaseSlider = [](InputEditor& e) { e.Up(10, 100); };
  const Step pressMode = [](InputEditor& e) { e.Down(150, 50); };
  const Step releaseMode = [](InputEditor& e) { e.Up(150, 50); };
  const Step pressGain = [](InputEditor& e) { e.Down(150, 10); };
  const Step releaseGain = [](InputEditor& e) { e.Up(150, 10); };
  const Step close = [](InputEditor& e) { e.Close(); };
  auto asyncMenus = [](const Step& then) {
    return Step([then](InputEditor& e) {
      e.gfx->menuAsync = true;
      then(e);
    });
  };
  auto answer = [](int choice) {
    return Step([choice](InputEditor& e) {
      IPopupMenu& menu = e.gfx->GetPromptMenu();
      menu.SetChosenItemIdx(choice);
      e.gfx->ApplyMenuSelection(choice < 0 ? nullptr : &menu);
    });
  };
  const Step wheel = [](InputEditor& e) { e.gfx->OnMouseWheel(10, 100, IMouseModifiers(), 1.f); };

  const std::vector<GestureCase> cases = {
    {"press, drag, release",
     {{pressSlider, "B1 V1"}, {[](InputEditor& e) { e.Drag(10, 80, 0, -20); }, "V1"}, {releaseSlider, "E1"}}},
    {"a resize during the press",
     {{pressSlider, "B1 V1"},
      {[](InputEditor& e) { e.gfx->Resize(1000, 700, 1.f); }, "E1"},
      {[](InputEditor& e) { e.Drag(10, 80, 0, -20); }, ""},
      {releaseSlider, ""}}},
    {"the editor closing during the press", {{pressSlider, "B1 V1"}, {close, "E1"}}},
    {"a second button during the press",
     {{pressSlider, "B1 V1"},
      {[](InputEditor& e) { e.Down(10, 100, IMouseModifiers(true, true)); }, "E1"},
      {releaseSlider, ""},
      {releaseSlider, ""}}},
    {"the capture dropped by hand",
     {{pressSlider, "B1 V1"}, {[](InputEditor& e) { e.gfx->SetCapturedControl(0, nullptr); }, "E1"}}},
    {"a double click resets",
     {{[](InputEditor& e) { e.gfx->OnMouseDblClick(10, 100, IMouseModifiers(true)); }, "B1 V1 E1"}}},
    {"the window's double-click sequence",
     {{pressSlider, "B1 V1"},
      {releaseSlider, "E1"},
      {[](InputEditor& e) { e.gfx->OnMouseDblClick(10, 100, IMouseModifiers(true)); }, "B1 V1 E1"},
      {releaseSlider, ""}}},
    {"a double click taken as a click",
     {{[](InputEditor& e) { e.gfx->OnMouseDblClick(150, 10, IMouseModifiers(true)); }, "B1"}, {releaseGain, "E1"}}},
    {"a wheel turn", {{wheel, "B1 V1 E1"}}},
    {"a wheel turn during a drag of the same slider", {{pressSlider, "B1 V1"}, {wheel, "V1"}, {releaseSlider, "E1"}}},
    {"a wheel turn over a control without a parameter",
     {{[](InputEditor& e) { e.gfx->OnMouseWheel(500, 500, IMouseModifiers(), 1.f); }, ""}}},
    {"a text entry committed after the press",
     {{pressGain, "B1"}, {releaseGain, "E1"}, {[](InputEditor& e) { e.gfx->ApplyTextEntryResult("50"); }, "B1 V1 E1"}}},
    {"a text entry committed during the press",
     {{pressGain, "B1"}, {[](InputEditor& e) { e.gfx->ApplyTextEntryResult("50"); }, "V1"}, {releaseGain, "E1"}}},
    {"a value menu answered at once",
     {{[](InputEditor& e) {
         e.gfx->menuChoice = 2;
         e.Down(150, 50);
       },
       "B2 V2 E2"},
      {releaseMode, ""}}},
    {"a value menu answered later", {{asyncMenus(pressMode), "B2"}, {releaseMode, ""}, {answer(2), "V2 E2"}}},
    {"a value menu cancelled", {{asyncMenus(pressMode), "B2"}, {releaseMode, ""}, {answer(-1), "E2"}}},
    {"the editor closing while a value menu is open", {{asyncMenus(pressMode), "B2"}, {close, "E2"}}},
    {"a second menu replacing an open one",
     {{asyncMenus(pressMode), "B2"},
      {releaseMode, ""},
      {[](InputEditor& e) { e.gfx->AskValueFromUser(e.mode, IRECT(), 0); }, "E2"},
      {answer(1), "B2 V2 E2"}}},
    {"a value menu opened outside a press",
     {{[](InputEditor& e) {
         e.gfx->menuChoice = 1;
         e.mode->OnMouseDown(150, 50, IMouseModifiers(true));
       },
       "B2 V2 E2"}}},
    {"the editor's own context menu",
     {{[](InputEditor& e) {
         e.gfx->menuChoice = 0;
         e.Down(350, 50, IMouseModifiers(false, true));
       },
       ""}}},
    {"a context menu during a press",
     {{[](InputEditor& e) { e.Down(350, 50); }, "B1"},
      {[](InputEditor& e) { e.Down(350, 50, IMouseModifiers(true, true)); }, "E1"},
      {[](InputEditor& e) { e.Up(350, 50); }, ""}}},
  };

  for (const GestureCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    InputEditor e;
    for (size_t i = 0; i < c.steps.size(); ++i)
    {
      c.steps[i].first(e);
      EXPECT_EQ(e.Heard(), c.steps[i].second) << "step " << i;
    }
    e.Close();
    EXPECT_EQ(e.Heard(), "") << "left open until the editor closed";
    EXPECT_EQ(e.dlg.gestureFaults, std::vector<std::string>{});
    EXPECT_EQ(e.dlg.openGestures, std::vector<int>{});
  }
}

namespace {
using GfxInputTest = GfxFixture;

enum EEvent { kDown, kWheel, kDouble, kDrop, kKey, kOver };
} // namespace

TEST_F(GfxInputTest, EachEventReachesTheTopmostControlThatMayTakeIt)
{
  gfx->AttachBackground(Make("bg", {0, 0, 200, 200}));
  Attach("a", {10, 10, 60, 60});
  Attach("b", {40, 40, 100, 100}); // over a
  Attach("hidden", {120, 10, 160, 50})->Hide(true);
  Attach("disabled", {120, 60, 160, 100})->SetDisabled(true);
  TestControl* clickable = Attach("disabledButClickable", {120, 110, 160, 150});
  clickable->SetDisabled(true);
  clickable->SetMouseEventsWhenDisabled(true);
  Attach("ignoring", {10, 120, 60, 160})->SetIgnoreMouse(true);
  gfx->AttachCornerResizer(Make("resizer", {180, 180, 200, 200}));

  std::vector<TestControl*> all;
  gfx->VisitAllControls([&all](IControl* c) { all.push_back(static_cast<TestControl*>(c)); });
  auto heard = [](const TestControl* c) {
    return c->mouseDowns + c->wheels + c->doubleClicks + c->drops + c->keyDowns + c->mouseOvers;
  };

  // Receiver "-": none.
  struct Row { EEvent event; float x, y; const char* receiver; } rows[] = {
    {kDown, 20, 20, "a"},
    {kDown, 50, 50, "b"},
    {kDown, 40, 40, "b"},        // left and top edges hit
    {kDown, 100, 70, "bg"},      // right edge does not
    {kDown, 130, 20, "bg"},      // hidden
    {kDown, 130, 70, "bg"},      // disabled
    {kDown, 130, 120, "disabledButClickable"},
    {kDown, 20, 130, "bg"},      // ignores the mouse
    {kDown, 190, 190, "resizer"}, // special controls first
    {kWheel, 50, 50, "b"},
    {kWheel, 130, 70, "bg"},
    {kDouble, 20, 20, "a"},
    {kDrop, 20, 20, "a"},
    {kKey, 20, 20, "a"},
    {kKey, 130, 70, "-"},        // the background never hears keys
    {kOver, 20, 20, "-"},        // mouse-over is off for listed controls
    {kOver, 190, 190, "resizer"},
  };
  const char* paths[] = {"/tmp/a.fxp"};
  for (const Row& row : rows)
  {
    SCOPED_TRACE(std::to_string(row.event) + " at " + std::to_string(row.x) + "," + std::to_string(row.y));
    std::vector<int> before;
    for (TestControl* c : all)
      before.push_back(heard(c));
    switch (row.event)
    {
      case kDown:
        gfx->OnMouseDown({PointerEvent(row.x, row.y)});
        gfx->OnMouseUp({PointerEvent(row.x, row.y, IMouseModifiers())});
        break;
      case kWheel: gfx->OnMouseWheel(row.x, row.y, IMouseModifiers(), -2.f); break;
      case kDouble: gfx->OnMouseDblClick(row.x, row.y, IMouseModifiers(true)); break;
      case kDrop: gfx->OnDrop(row.x, row.y, {paths[0]}); break;
      case kKey: gfx->OnKeyDown(row.x, row.y, IKeyEvent()); break;
      case kOver: gfx->OnMouseOver(row.x, row.y, IMouseModifiers()); break;
    }
    std::string receivers;
    for (size_t i = 0; i < all.size(); ++i)
      if (heard(all[i]) != before[i])
        receivers += (receivers.empty() ? "" : ",") + all[i]->name;
    EXPECT_EQ(receivers.empty() ? "-" : receivers, row.receiver);
    EXPECT_FALSE(gfx->ControlIsCaptured());
  }
}

TEST_F(GfxInputTest, ThePressedControlKeepsThePointerUntilReleased)
{
  TestControl* a = Attach("a", {0, 0, 50, 50});
  TestControl* b = Attach("b", {50, 0, 100, 50});
  gfx->OnMouseDown({PointerEvent(10, 10)});
  EXPECT_EQ(gfx->GetCapturedControl(0), a);
  gfx->OnMouseDown({PointerEvent(70, 10)}); // a second press while held goes to the captured control
  EXPECT_EQ(a->mouseDowns, 2);
  EXPECT_EQ(b->mouseDowns, 0);

  gfx->OnMouseDrag({PointerEvent(500, 500, IMouseModifiers(true), 0, 1)});
  EXPECT_EQ(a->drags, 1);
  EXPECT_EQ(b->drags, 0);

  // A platform text entry takes the pointer: nothing is dragged under it.
  gfx->ShowTextEntry(b, ITextStyle(), IRECT(), "x", -1);
  gfx->OnMouseDrag({PointerEvent(70, 10, IMouseModifiers(true), 5, 0)});
  EXPECT_EQ(a->drags, 1);
  gfx->ApplyTextEntryResult("y");
  EXPECT_EQ(b->lastText, "y");

  gfx->OnMouseUp({PointerEvent(70, 10, IMouseModifiers(false, false, false, false, false, 7))}); // another touch
  EXPECT_EQ(a->mouseUps, 0);
  gfx->OnMouseUp({PointerEvent(70, 10, IMouseModifiers())});
  EXPECT_EQ(a->mouseUps, 1);
  EXPECT_EQ(b->mouseUps, 0);
  EXPECT_FALSE(gfx->ControlIsCaptured());
  gfx->OnMouseDrag({PointerEvent(70, 10, IMouseModifiers(true), 5, 0)});
  EXPECT_EQ(b->drags, 0);
}

TEST_F(GfxInputTest, DoubleClickIsAClickForSomeControlsAndAResetThatReleasesForOthers)
{
  TestControl* plain = Attach("plain", {0, 0, 50, 50});
  TestControl* asClick = Attach("asClick", {50, 0, 100, 50});
  asClick->SetDblAsSingleClick(true);
  gfx->HideMouseCursor(true, true);

  gfx->OnMouseDblClick(60, 10, IMouseModifiers(true));
  EXPECT_EQ(asClick->mouseDowns, 1);
  EXPECT_EQ(asClick->doubleClicks, 0);
  EXPECT_EQ(gfx->GetCapturedControl(0), asClick);
  EXPECT_TRUE(gfx->GetCursorHidden());
  gfx->OnMouseUp({PointerEvent(60, 10, IMouseModifiers())});

  gfx->OnMouseDblClick(10, 10, IMouseModifiers(true));
  EXPECT_EQ(plain->doubleClicks, 1);
  EXPECT_EQ(plain->mouseDowns, 0);
  EXPECT_FALSE(gfx->ControlIsCaptured());
  EXPECT_FALSE(gfx->GetCursorHidden());
}

// The prompt for a value: a menu of display texts for enumerated parameters
// (current text checked, the parameter's name as title), else a text entry
// of the current value, with the unit when the control asks for it.
TEST_F(GfxInputTest, PromptsAreFilledFromTheParameter)
{
  struct Row
  {
    const char* name;
    std::function<void(IParam&)> configure;
    double value;
    bool showLabel;
    std::vector<std::string> items; // a menu; empty: a text entry
    std::vector<int> flags;
    const char* text;
  } rows[] = {
    {"enumerated", [](IParam& p) { p.ConfigureEnum("Mode", 0, 3, "", 0, "", "Low", "Mid", "High"); }, 1, false,
     {"Low", "Mid", "High"}, {0, IPopupMenu::kChecked, 0}, ""},
    {"a text twice", [](IParam& p) { p.ConfigureEnum("Twin", 0, 3, "", 0, "", "A", "B", "A"); }, 2, false,
     {"A", "B", "A"}, {IPopupMenu::kChecked, 0, IPopupMenu::kChecked}, ""},
    {"a text for no index",
     [](IParam& p) {
       p.ConfigureEnum("Gap", 0, 2, "", 0, "", "On", "Off");
       p.SetDisplayText(7, "Far");
     },
     0, false, {"On", "Off", ""}, {IPopupMenu::kChecked, 0, 0}, ""},
    {"a number", [](IParam& p) { p.ConfigureDouble("Gain", 0, 0, 100, 0.5, "dB"); }, 12.5, false, {}, {}, "12.5"},
    {"a number with its unit", [](IParam& p) { p.ConfigureDouble("Gain", 0, 0, 100, 0.5, "dB"); }, 12.5, true, {},
     {}, "12.5 dB"},
    {"a value with a text shows no unit",
     [](IParam& p) {
       p.ConfigureDouble("Gain", 0, 0, 100, 0.5, "dB");
       p.SetDisplayText(0, "Off");
     },
     0, true, {}, {}, "0.0 "},
  };
  for (const Row& row : rows)
  {
    SCOPED_TRACE(row.name);
    RecordingDelegate d(1);
    RecordingGfx g(d);
    row.configure(*d.GetParam(0));
    d.GetParam(0)->Set(row.value);
    auto* c = new TestControl({0, 0, 100, 20}, 0);
    g.AttachControl(c);
    c->SetPromptShowsParamLabel(row.showLabel);
    g.menuAsync = true;
    g.AskValueFromUser(c, IRECT(1, 2, 3, 4), 0);
    if (row.items.empty())
    {
      EXPECT_EQ(g.menuCalls, 0);
      EXPECT_EQ(g.textEntryText, row.text);
      EXPECT_EQ(g.textEntryParamIdx, 0);
      EXPECT_EQ(g.textEntryBounds, IRECT(1, 2, 3, 4));
      EXPECT_EQ(g.textEntryLength, 7);
    }
    else
    {
      EXPECT_EQ(g.lastMenuItems, row.items);
      EXPECT_EQ(g.lastMenuFlags, row.flags);
      EXPECT_EQ(g.lastMenuTitle, d.GetParam(0)->GetName());
      EXPECT_EQ(g.OfKind(GfxOp::kMenu)[0].rect, IRECT(1, 2, 3, 4));
    }
  }
}

TEST_F(GfxInputTest, CommittedTextBecomesTheValueOrGoesToTheControlWithoutAParameter)
{
  dlg.GetParam(1)->ConfigureDouble("Gain", 0, 0, 100, 0.5, "dB");
  TestControl* bound = Attach("bound", {0, 0, 10, 10}, 1);
  TestControl* gone = Attach("gone", {0, 0, 10, 10}, 9); // no such parameter

  gfx->ShowTextEntry(bound, ITextStyle(), IRECT(), "", 0);
  EXPECT_EQ(gfx->GetTextEntryOwner(), bound);
  gfx->ApplyTextEntryResult("12.5");
  EXPECT_DOUBLE_EQ(bound->GetValue(), 0.125);
  EXPECT_DOUBLE_EQ(dlg.GetParam(1)->Value(), 12.5);
  EXPECT_EQ(gfx->GetTextEntryOwner(), nullptr);
  gfx->ApplyTextEntryResult("13"); // no entry open: nothing
  EXPECT_DOUBLE_EQ(bound->GetValue(), 0.125);

  gfx->ShowTextEntry(gone, ITextStyle(), IRECT(), "", 0);
  EXPECT_EQ(gfx->textEntryParamIdx, 9);
  gfx->ApplyTextEntryResult("hello");
  EXPECT_EQ(gone->textEntries, 1);
  EXPECT_EQ(gone->lastText, "hello");
  EXPECT_EQ(dlg.CallsOf(DelegateCall::kBeginGesture).size(), 1u);
}

// A live resize in scale mode zooms by the smaller of the two ratios of the
// pointer to the press point, within [0.5, 4]; no press point and no pointer
// ever give a scale that is negative, infinite or not a number.
TEST_F(GfxInputTest, LiveResizeScalesByTheSmallerRatioAndNeverBreaksTheScale)
{
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  // scale: the draw scale after the drag from 2.0 (2.0 when nothing happens).
  struct Row { float downX, downY, x, y; float scale; } rows[] = {
    {100, 100, 200, 150, 3.f},   // 1.5 times the draw scale: the smaller ratio
    {100, 100, 150, 200, 3.f},
    {100, 100, 1000, 1000, 4.f}, // clamped
    {100, 100, 10, 10, 0.5f},
    {100, 100, -50, 80, 0.5f},   // past the corner: the smallest zoom, not a negative one
    {100, 100, 0, 0, 0.5f},
    {100, 100, inf, 150, 3.f},
    {100, 100, -inf, 150, 0.5f},
    {1e-30f, 100, 50, 150, 3.f}, // a huge ratio in x loses to y
    {0, 100, 50, 50, 2.f},       // a press at the edge gives no ratio
    {-5, 100, 50, 50, 2.f},
    {100, 0, 50, 50, 2.f},
    {nan, 100, 50, 50, 2.f},
    {100, 100, nan, 50, 2.f},
    {100, 100, 50, nan, 2.f},
  };
  TestControl* a = Attach("a");
  for (const Row& row : rows)
  {
    SCOPED_TRACE(std::to_string(row.downX) + "," + std::to_string(row.downY) + " -> " + std::to_string(row.x) +
                 "," + std::to_string(row.y));
    gfx->Resize(1200, 800, 2.f);
    dlg.ClearCalls();
    gfx->SetResizerMode(kResizeModeScale);
    gfx->StartLiveResize(row.downX, row.downY);
    gfx->OnMouseDrag({PointerEvent(row.x, row.y, IMouseModifiers(true), 1, 1)});
    EXPECT_EQ(gfx->GetDrawScale(), row.scale);
    for (const DelegateCall& c : dlg.CallsOf(DelegateCall::kSizeRequest))
    {
      EXPECT_GT(c.width, 0);
      EXPECT_GT(c.height, 0);
    }
    const int rescales = a->rescales;
    gfx->OnMouseUp({PointerEvent(row.x, row.y, IMouseModifiers())});
    EXPECT_FALSE(gfx->GetResizingInProcess());
    EXPECT_EQ(a->rescales, rescales + 1); // the end of a scale-mode resize rescales every control
  }

  // Size mode sizes the editor to the pointer and keeps the zoom.
  TestControl* resizer = Make("resizer", {1180, 780, 1200, 800});
  gfx->AttachCornerResizer(resizer, kResizeModeSize);
  gfx->StartLiveResize(1190, 790);
  gfx->OnMouseDrag({PointerEvent(900.7f, 600.2f, IMouseModifiers(true), 1, 1)});
  EXPECT_EQ(gfx->Width(), 900);
  EXPECT_EQ(gfx->Height(), 600);
  EXPECT_EQ(gfx->GetDrawScale(), 2.f);
  const int rescales = a->rescales;
  resizer->SetClean();
  gfx->OnMouseUp({PointerEvent(900, 600, IMouseModifiers())});
  EXPECT_EQ(a->rescales, rescales);
  EXPECT_TRUE(resizer->IsDirty());
}

// A NaN from the host side reads as the minimum: it is never sent back.
TEST_F(GfxInputTest, ANaNFromTheHostNeverGoesBackToTheHost)
{
  TestControl* c = Attach("c", {0, 0, 10, 10}, 1);
  c->SetValueFromHostSide(std::nan(""), 0);
  EXPECT_EQ(c->GetValue(), 0.0);
  c->SetDirty(true);
  c->SetValue(std::nan(""), 0);
  c->SetDirty(true);
  const auto values = dlg.CallsOf(DelegateCall::kValue);
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].value, 0.0);
  EXPECT_EQ(values[1].value, 0.0);
}
