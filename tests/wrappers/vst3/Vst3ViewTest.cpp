// The editor view: creation by name, attach and removal around the editor
// delegate (with a recording graphics object standing in for the window),
// size constraints, the host's own sizes, and VST3 keys as the editor's key
// records. (Size requests and display scales: tests/wrappers/shared.)
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "abi/vst3/CPluginView.h"
#include "abi/vst3/Vst3PlugView.h"
#include "base/LookUpHost.h"
#include "wrappers/vst3/IFxVST3Keys.h"
#include "platform/KeyScan.h"
#include "toolkit/IGfx.h"
#include "support/RecordingGfx.h"
#include "wrappers/vst3/Vst3TestHost.h"

using namespace vst3test;
using ifx::igfx::IKeyEvent;

namespace {

class Vst3View : public PluginFixture
{
protected:
  void SetUp() override
  {
    PluginFixture::SetUp();
    // The platform gives no window natively: a recording graphics object
    // stands in, keeping the key events that reach the editor.
    plug->makeGraphicsFunc = [this]() {
      auto* g = new ifx::testkit::RecordingGfx(*plug);
      g->SetKeyHandlerFunc([this](const IKeyEvent& key, bool isUp) {
        keys.push_back(key);
        ups.push_back(isUp);
        return keyHandled;
      });
      return g;
    };
    view = controller()->createView("editor");
    ASSERT_NE(view, nullptr);
  }
  void TearDown() override
  {
    if (view)
      view->release();
    PluginFixture::TearDown();
  }
  ifx::igfx::IGfx* gfx() { return plug->EditorGraphics(); }

  IPlugView* view = nullptr;
  int parent = 0; // the window handle is only passed through
  std::vector<IKeyEvent> keys;
  std::vector<bool> ups;
  bool keyHandled = true;
};

class Vst3ViewUnderReaper : public Vst3View
{
protected:
  void SetUp() override
  {
    hostName = u"REAPER";
    Vst3View::SetUp();
  }
};

ViewRect SizeOf(IPlugView* view)
{
  ViewRect r{};
  view->getSize(&r);
  return r;
}

template <class I>
bool Offers(FUnknown* obj)
{
  void* p = nullptr;
  if (obj->queryInterface(I::iid, &p) != kResultOk || !p)
    return false;
  static_cast<FUnknown*>(p)->release();
  return true;
}

} // namespace

TEST_F(Vst3View, OnlyTheEditorNameMakesAViewAndTheViewAnswersItsInterfaces)
{
  EXPECT_EQ(controller()->createView("Editor"), nullptr);
  EXPECT_EQ(controller()->createView("editor2"), nullptr);
  EXPECT_EQ(controller()->createView(nullptr), nullptr);
  EXPECT_TRUE(Offers<IPlugView>(view));
  EXPECT_TRUE(Offers<IPlugViewContentScaleSupport>(view));
  EXPECT_TRUE(Offers<FUnknown>(view));
  EXPECT_FALSE(Offers<IEditController>(view));
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultTrue);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultFalse);
  EXPECT_EQ(view->isPlatformTypeSupported(nullptr), kResultFalse);
  ViewRect r{};
  ASSERT_EQ(view->getSize(&r), kResultOk);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.getWidth(), 1200);
  EXPECT_EQ(r.getHeight(), 800);
  EXPECT_EQ(view->getSize(nullptr), kInvalidArgument);
  // The plug-in's size is fixed by the editor, not the host.
  EXPECT_EQ(view->canResize(), kResultFalse);
  ViewRect tooSmall{0, 0, 300, 200};
  EXPECT_EQ(view->onSize(&tooSmall), kResultFalse);
  EXPECT_EQ(view->onSize(nullptr), kResultFalse);
}

TEST_F(Vst3View, SizeConstraintsClampToTheEditorLimitsFromTheSameCorner)
{
  struct Case
  {
    ViewRect in;
    int w, h;
  };
  // Limits: 400 to 3600 wide, 266 to 2400 high.
  const Case cases[] = {
    {{0, 0, 100, 100}, 400, 266},       {{10, 20, 110, 120}, 400, 266}, {{0, 0, 5000, 5000}, 3600, 2400},
    {{-50, -60, 1150, 740}, 1200, 800}, {{0, 0, 100, 3000}, 400, 2400}, {{0, 0, 400, 266}, 400, 266},
    {{5, 5, 5, 5}, 400, 266},           {{100, 100, 0, 0}, 400, 266},
  };
  for (const Case& c : cases)
  {
    ViewRect r = c.in;
    EXPECT_EQ(view->checkSizeConstraint(&r), kResultOk);
    EXPECT_EQ(r.left, c.in.left);
    EXPECT_EQ(r.top, c.in.top);
    EXPECT_EQ(r.getWidth(), c.w) << c.in.left << "," << c.in.top << " " << c.in.getWidth();
    EXPECT_EQ(r.getHeight(), c.h) << c.in.left << "," << c.in.top << " " << c.in.getHeight();
  }
  EXPECT_EQ(view->checkSizeConstraint(nullptr), kInvalidArgument);
}

TEST_F(Vst3View, AttachOpensOneEditorAndRemovalClosesItKeepingSizeAndScale)
{
  // Another platform's window type is accepted and ignored.
  EXPECT_EQ(view->attached(&parent, kPlatformTypeX11EmbedWindowID), kResultOk);
  EXPECT_EQ(gfx(), nullptr);

  ASSERT_EQ(view->attached(&parent, kPlatformTypeHWND), kResultOk);
  ASSERT_NE(gfx(), nullptr);
  EXPECT_TRUE(gfx()->IsWindowOpen());
  ifx::igfx::IGfx* first = gfx();
  // A second attach while open is refused and leaves the editor as it was.
  EXPECT_EQ(view->attached(&parent, kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(gfx(), first);

  gfx()->Resize(1000, 700, 1.5f, true);
  EXPECT_EQ(view->removed(), kResultOk);
  EXPECT_EQ(gfx(), nullptr);
  EXPECT_EQ(view->removed(), kResultOk);

  ASSERT_EQ(view->attached(&parent, kPlatformTypeHWND), kResultOk);
  ASSERT_NE(gfx(), nullptr);
  EXPECT_EQ(gfx()->Width(), 1000);
  EXPECT_EQ(gfx()->Height(), 700);
  EXPECT_FLOAT_EQ(gfx()->GetDrawScale(), 1.5f);
  view->removed();
}

TEST_F(Vst3View, AnEditorWithoutAWindowIsAnErrorAndLeavesNothingOpen)
{
  int made = 0;
  plug->makeGraphicsFunc = [&]() -> ifx::igfx::IGfx* {
    ++made;
    return nullptr;
  };
  EXPECT_EQ(view->attached(&parent, kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(made, 1);

  // Graphics whose window cannot open are closed again.
  struct NoWindow : ifx::testkit::RecordingGfx
  {
    using RecordingGfx::RecordingGfx;
    void* OpenWindow(void*) override { return nullptr; }
  };
  plug->makeGraphicsFunc = [this]() { return new NoWindow(*plug); };
  EXPECT_EQ(view->attached(&parent, kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(gfx(), nullptr);
  // ...and the view can still be attached once a window opens.
  plug->makeGraphicsFunc = [this]() { return new ifx::testkit::RecordingGfx(*plug); };
  EXPECT_EQ(view->attached(&parent, kPlatformTypeHWND), kResultOk);
  view->removed();
}

TEST_F(Vst3View, WithoutAFrameTheEditorsSizeIsOnlyStored)
{
  auto* frame = new vst3host::PlugFrame();
  ASSERT_EQ(view->setFrame(frame), kResultTrue);
  ASSERT_EQ(view->attached(&parent, kPlatformTypeHWND), kResultOk);
  EXPECT_TRUE(plug->ResizeHostEditor(900, 600));
  ASSERT_EQ(frame->resizes.size(), 1u);
  EXPECT_EQ(frame->resizes[0].left, 0);
  EXPECT_EQ(frame->resizes[0].top, 0);
  view->removed();
  view->setFrame(nullptr);
  EXPECT_TRUE(plug->ResizeHostEditor(640, 480));
  EXPECT_EQ(frame->resizes.size(), 1u);
  EXPECT_EQ(SizeOf(view).getHeight(), 480);
  frame->release();
}

TEST_F(Vst3View, TheHostsSizeIsTakenInsideAResizeAndAfterItWithinTheLimits)
{
  auto* frame = new vst3host::PlugFrame();
  view->setFrame(frame);
  ASSERT_EQ(view->attached(&parent, kPlatformTypeHWND), kResultOk);
  // A corner drag, 1124x749 down to 898x598: the host answers each request
  // with onSize inside resizeView, and the echo leaves the editor's zoom.
  for (float s : {0.9367f, 0.9f, 0.85f, 0.8f, 0.78f, 0.76f, 0.75f, 0.7484f})
    gfx()->Resize(1200, 800, s, true);
  EXPECT_EQ(frame->sizeAnswers, std::vector<tresult>(8, kResultTrue));
  const ViewRect& kept = dynamic_cast<CPluginView*>(view)->getRect();
  EXPECT_EQ(kept.getWidth(), 898);
  EXPECT_EQ(kept.getHeight(), 598);
  EXPECT_EQ(SizeOf(view).getWidth(), 898);
  EXPECT_FLOAT_EQ(gfx()->GetDrawScale(), 0.7484f);

  // A size the host gives its frame on its own: the editor follows without
  // asking back. Sizes outside the limits are refused.
  ViewRect hostSize{0, 0, 1500, 1000};
  EXPECT_EQ(view->onSize(&hostSize), kResultOk);
  EXPECT_EQ(gfx()->Width(), 1500);
  EXPECT_EQ(SizeOf(view).getHeight(), 1000);
  for (ViewRect bad : {ViewRect{0, 0, 5000, 1000}, ViewRect{0, 0, 399, 600}, ViewRect{100, 100, 0, 0}})
  {
    EXPECT_EQ(view->onSize(&bad), kResultFalse) << bad.getWidth();
    EXPECT_EQ(kept.getWidth(), 1500);
  }
  EXPECT_EQ(frame->resizes.size(), 8u);
  EXPECT_EQ(view->canResize(), kResultFalse);
  view->removed();
  frame->release();
}

TEST_F(Vst3View, ASecondViewNeitherClosesNorTakesOverTheFirstViewsEditor)
{
  vst3host::PlugFrame* frames[2] = {new vst3host::PlugFrame(), new vst3host::PlugFrame()};
  view->setFrame(frames[0]);
  ASSERT_EQ(view->attached(&parent, kPlatformTypeHWND), kResultOk);
  IPlugView* second = controller()->createView("editor");
  second->setFrame(frames[1]);
  EXPECT_EQ(second->attached(&parent, kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(second->removed(), kResultOk);
  ASSERT_NE(gfx(), nullptr);
  // Nor does it scale it.
  EXPECT_TRUE(vst3host::SetViewContentScale(second, 2.f));
  EXPECT_FLOAT_EQ(gfx()->GetScreenScale(), 1.f);
  // The editor still asks the frame it is shown in.
  plug->ResizeHostEditor(900, 600);
  EXPECT_EQ(frames[0]->resizes.size(), 1u);
  EXPECT_TRUE(frames[1]->resizes.empty());
  second->release();
  EXPECT_NE(gfx(), nullptr);
  view->removed();
  EXPECT_EQ(gfx(), nullptr);
  for (auto* f : frames)
    f->release();
}

TEST_F(Vst3View, ThePluginForgetsAViewWhenItIsDestroyed)
{
  EXPECT_EQ(plug->GetView(), view);
  IPlugView* second = controller()->createView("editor");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(plug->GetView(), second);
  view->release(); // an earlier view: the current one stays
  view = nullptr;
  EXPECT_EQ(plug->GetView(), second);
  // A host that releases an attached view gets its editor closed too.
  ASSERT_EQ(second->attached(&parent, kPlatformTypeHWND), kResultOk);
  second->release();
  EXPECT_EQ(plug->GetView(), nullptr);
  EXPECT_EQ(gfx(), nullptr);
  // Host resizes and context menus find no view now, and nothing breaks.
  EXPECT_TRUE(plug->ResizeHostEditor(700, 500));
}

TEST(Vst3Keys, KeyCodesAndCharactersBecomeTheEditorsKeyRecords)
{
  struct Case
  {
    char16_t character;
    int16_t code;
    int vk;
    const char* text;
  };
  const Case cases[] = {
    {0, 40, 112, ""},   // F1
    {0, 51, 123, ""},   // F12
    {0, 145, 65, "A"},  // ASCII-coded key
    {0, 200, 120, "x"}, // (200 & 0xFF) - 80 = 'x'
    {0, 7, 32, " "},    // space has a character of its own
    {0, 1, 8, ""},        {0, 4, 13, ""},      {0, 19, 13, ""},     {0, 6, 27, ""},      {0, 11, 37, ""},
    {0, 14, 40, ""},      {0, 15, 33, ""},     {0, 16, 34, ""},     {0, 24, 96, ""},     {0, 33, 105, ""},
    {0, 39, 111, ""},     {0, 52, 144, ""},    {0, 54, 16, ""},     {0, 55, 17, ""},     {0, 56, 18, ""},
    {0, 58, 0, ""},       {0, 127, 0, ""},                                               // unknown codes
    {u'a', 0, 65, "a"},   {u'Q', 0, 81, "Q"},  {u'7', 0, 55, "7"},  {u'=', 57, -1, "="}, // -1: whatever the keyboard layout says
    {u'#', 0, -1, "#"},   {0, 0, -1, ""},      {0x00E9, 0, -1, ""},                      // two bytes in UTF-8: no text
    {0x20AC, 0, -1, ""},  {0xD800, 0, -1, ""},                                           // lone surrogate
    {0, -1, 0, ""},       // bit 7 set but 175 is not ASCII
    {u'z', 40, 112, "z"}, // a named key keeps the host's character
  };
  for (const Case& c : cases)
  {
    IKeyEvent e;
    ifx::TranslateVST3KeyEvent(e, c.character, c.code, 0);
    const int vk = c.vk >= 0 ? c.vk : ifx::VirtualKeyFromScan(ifx::ScanCharacterKey(e.utf8[0]));
    EXPECT_EQ(e.VK, vk) << int(c.character) << "/" << c.code;
    EXPECT_STREQ(e.utf8, c.text) << int(c.character) << "/" << c.code;
    EXPECT_FALSE(e.S || e.C || e.A);
  }
  // Modifier word: shift bit 0, alternate bit 1, command bit 2 (control on
  // Windows); the Mac control bit means nothing here.
  const int16_t mods[][4] = {{1, 1, 0, 0}, {2, 0, 0, 1}, {4, 0, 1, 0}, {8, 0, 0, 0}, {7, 1, 1, 1}};
  for (const auto& m : mods)
  {
    IKeyEvent e;
    ifx::TranslateVST3KeyEvent(e, u'a', 0, m[0]);
    EXPECT_EQ(e.S, m[1] != 0) << m[0];
    EXPECT_EQ(e.C, m[2] != 0) << m[0];
    EXPECT_EQ(e.A, m[3] != 0) << m[0];
  }
  // Scan results: the low byte only, -1 for none (on the native stand-in
  // layout nothing types '=').
  EXPECT_EQ(ifx::VirtualKeyFromScan(-1), 0);
  EXPECT_EQ(ifx::VirtualKeyFromScan(0x0141), 0x41);
  EXPECT_EQ(ifx::VirtualKeyFromScan(static_cast<int16_t>(0x06DE)), 0xDE);
#ifndef _WIN32
  EXPECT_EQ(ifx::ScanCharacterKey('='), -1);
#endif
}

TEST_F(Vst3View, KeysReachTheEditorAndAnswerWhetherItTookThem)
{
  EXPECT_EQ(view->onKeyDown(0, 40, 0), kResultFalse); // closed
  ASSERT_EQ(view->attached(&parent, kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(view->onKeyDown(0, 40, 0), kResultTrue);
  EXPECT_EQ(view->onKeyUp(0, 145, 1), kResultTrue);
  keyHandled = false;
  EXPECT_EQ(view->onKeyDown(u'a', 0, 4), kResultFalse);
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].VK, 112);
  EXPECT_FALSE(ups[0]);
  EXPECT_EQ(keys[1].VK, 65);
  EXPECT_STREQ(keys[1].utf8, "A");
  EXPECT_TRUE(keys[1].S);
  EXPECT_TRUE(ups[1]);
  EXPECT_STREQ(keys[2].utf8, "a");
  EXPECT_TRUE(keys[2].C);
  view->removed();
}

TEST_F(Vst3ViewUnderReaper, OnlyTheSpaceKeyIsPassedOn)
{
  ASSERT_EQ(plug->GetHostId(), ifx::kHostReaper);
  ASSERT_EQ(view->attached(&parent, kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(view->onKeyDown(u'a', 0, 0), kResultFalse);
  EXPECT_EQ(view->onKeyDown(0, 145, 0), kResultFalse);
  EXPECT_EQ(view->onKeyDown(0, 40, 0), kResultFalse);
  EXPECT_EQ(view->onKeyUp(u' ', 0, 0), kResultFalse); // a space by character only
  EXPECT_TRUE(keys.empty());
  EXPECT_EQ(view->onKeyDown(0, 7, 1), kResultTrue);
  EXPECT_EQ(view->onKeyUp(u'x', 7, 0), kResultTrue);
  ASSERT_EQ(keys.size(), 2u);
  for (const IKeyEvent& k : keys)
  {
    EXPECT_EQ(k.VK, 32);
    EXPECT_STREQ(k.utf8, " ");
  }
  EXPECT_TRUE(keys[0].S);
  EXPECT_FALSE(keys[1].S);
  view->removed();
}
