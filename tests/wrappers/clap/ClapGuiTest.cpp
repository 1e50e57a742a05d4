// The gui extension of the CLAP build, driven through the plug-in's table by
// the test host, with recording graphics standing in for the editor window.
// (Size requests and display scales: tests/wrappers/shared.)
#include <climits>

#include "ClapTestFixture.h"
#include "support/RecordingGfx.h"
#include "support/TestControl.h"

using namespace murkwisp;

namespace {

using clap_tests::MurkwispClapFixture;
using ifx::testkit::RecordingGfx;
using ifx::testkit::TestControl;

// What the graphics factory made, and whether the windows may open.
struct Windows
{
  int made = 0;
  int alive = 0;
  std::vector<void*> parents;
  bool failOpen = false;
};

class WindowGfx : public RecordingGfx
{
public:
  WindowGfx(ifx::IEditorDelegate& dlg, Windows& w) : RecordingGfx(dlg), mWindows(w)
  {
    ++mWindows.made;
    ++mWindows.alive;
  }
  ~WindowGfx() override { --mWindows.alive; }
  void* OpenWindow(void* parent) override
  {
    if (mWindows.failOpen)
      return nullptr;
    mWindows.parents.push_back(parent);
    return RecordingGfx::OpenWindow(parent);
  }

private:
  Windows& mWindows;
};

void* const kParentA = reinterpret_cast<void*>(uintptr_t{0xA000});
void* const kParentB = reinterpret_cast<void*>(uintptr_t{0xB000});

struct ClapGui : MurkwispClapFixture
{
  void SetUp() override
  {
    MurkwispClapFixture::SetUp();
    plugin->makeGraphicsFunc = [this]() -> ifx::igfx::IGfx* { return new WindowGfx(*plugin, windows); };
    gui = hosted->Ext<clap_plugin_gui_t>(CLAP_EXT_GUI);
    ASSERT_NE(gui, nullptr);
  }

  bool SetParent(void* handle)
  {
    const clap_window_t window{CLAP_WINDOW_API_WIN32, {handle}};
    return gui->set_parent(hosted->Clap(), &window);
  }
  WindowGfx* Graphics() const { return static_cast<WindowGfx*>(plugin->EditorGraphics()); }
  const clap_plugin_t* P() const { return hosted->Clap(); }

  Windows windows;
  const clap_plugin_gui_t* gui = nullptr;
};

// (The plain answers, api, size, resize hints and adjust_size(100, 5000),
// are checked end to end by claphost's editor command.)
TEST_F(ClapGui, AnswersEdgeCasesOfApisSizesAndScales)
{
  struct Api { const char* api; bool floating; bool supported; };
  for (const Api& a : {Api{"win32", false, true}, Api{"win32", true, false}, Api{"WIN32", false, false},
                       Api{"win32 ", false, false}})
    EXPECT_EQ(gui->is_api_supported(P(), a.api, a.floating), a.supported) << a.api << " " << a.floating;
  ASSERT_TRUE(gui->create(P(), CLAP_WINDOW_API_WIN32, false));
  const clap_window_t transient{CLAP_WINDOW_API_WIN32, {kParentA}};
  EXPECT_FALSE(gui->set_transient(P(), &transient));

  // Host values beyond the int range clamp like any other, and nothing resizes.
  struct Adjust { uint32_t w, h, expectW, expectH; };
  for (const Adjust& a : {Adjust{1000, 700, 1000, 700}, Adjust{UINT32_MAX, 0, 3600, 266},
                          Adjust{uint32_t{INT_MAX} + 1u, 300, 3600, 300}})
  {
    uint32_t w = a.w, h = a.h;
    ASSERT_TRUE(gui->adjust_size(P(), &w, &h));
    EXPECT_EQ(w, a.expectW) << a.w;
    EXPECT_EQ(h, a.expectH) << a.h;
  }
  EXPECT_EQ(plugin->GetEditorWidth(), 1200);
  EXPECT_EQ(windows.made, 0);
}

TEST_F(ClapGui, OpensInTheParentShowsHidesAndDestroys)
{
  ASSERT_TRUE(gui->create(P(), CLAP_WINDOW_API_WIN32, false));
  EXPECT_EQ(windows.made, 0) << "create makes no window";

  // The order hosts use: set_parent opens the window, show right after
  // reports it shown without opening a second one.
  ASSERT_TRUE(SetParent(kParentA));
  EXPECT_TRUE(plugin->IsGuiEmbedded());
  EXPECT_TRUE(gui->show(P()));
  EXPECT_EQ(windows.made, 1);
  EXPECT_EQ(windows.parents, std::vector<void*>{kParentA});

  EXPECT_TRUE(gui->set_size(P(), 1000, 700));
  EXPECT_EQ(Graphics()->Width(), 1000);
  EXPECT_EQ(Graphics()->Height(), 700);

  // hide closes the window; show reopens it in the same parent at the kept size.
  EXPECT_TRUE(gui->hide(P()));
  EXPECT_EQ(windows.alive, 0);
  EXPECT_TRUE(gui->hide(P()));
  EXPECT_TRUE(gui->show(P()));
  EXPECT_EQ(windows.alive, 1);
  EXPECT_EQ(windows.parents, (std::vector<void*>{kParentA, kParentA}));
  EXPECT_EQ(Graphics()->Width(), 1000);

  // A new parent moves the editor there.
  ASSERT_TRUE(SetParent(kParentB));
  EXPECT_EQ(windows.alive, 1);
  EXPECT_EQ(windows.parents.back(), kParentB);

  gui->destroy(P());
  EXPECT_EQ(windows.alive, 0);
  EXPECT_FALSE(plugin->IsGuiCreated());
  EXPECT_FALSE(plugin->IsGuiEmbedded());
  // Nothing to show in once destroyed: the parent is forgotten.
  EXPECT_FALSE(gui->show(P()));
  EXPECT_EQ(windows.alive, 0);

  // The plug-in's own destroy closes a window the host left open.
  ASSERT_TRUE(gui->create(P(), CLAP_WINDOW_API_WIN32, false));
  ASSERT_TRUE(SetParent(kParentA));
  hosted->Destroy();
  EXPECT_EQ(windows.alive, 0);
}

TEST_F(ClapGui, OnlyACreatedGuiOpensScalesSizesShowsOrHides)
{
  auto nothingWithoutAGui = [&](const char* when) {
    const int made = windows.made;
    EXPECT_FALSE(SetParent(kParentA)) << when;
    EXPECT_FALSE(gui->show(P())) << when;
    EXPECT_FALSE(gui->hide(P())) << when;
    EXPECT_FALSE(gui->set_scale(P(), 1.5)) << when;
    EXPECT_FALSE(gui->set_size(P(), 1000, 700)) << when;
    EXPECT_EQ(windows.made, made) << when;
    EXPECT_EQ(windows.alive, 0) << when;
    EXPECT_FALSE(plugin->IsGuiEmbedded()) << when;
  };
  nothingWithoutAGui("before create");

  // create takes exactly what is_api_supported supports.
  struct Api { const char* api; bool floating; };
  for (const Api& a : {Api{"cocoa", false}, Api{"x11", false}, Api{"win32", true}, Api{"", false}})
  {
    EXPECT_FALSE(gui->create(P(), a.api, a.floating)) << a.api << " " << a.floating;
    EXPECT_FALSE(plugin->IsGuiCreated()) << a.api;
  }
  nothingWithoutAGui("after refused creates");

  ASSERT_TRUE(gui->create(P(), CLAP_WINDOW_API_WIN32, false));
  ASSERT_TRUE(SetParent(kParentA));
  // A refused create leaves the gui that exists as it was.
  EXPECT_FALSE(gui->create(P(), "cocoa", false));
  EXPECT_TRUE(plugin->IsGuiCreated());
  EXPECT_TRUE(plugin->IsGuiEmbedded());
  EXPECT_EQ(plugin->GuiApi(), CLAP_WINDOW_API_WIN32);
  EXPECT_EQ(windows.alive, 1);

  gui->destroy(P());
  nothingWithoutAGui("after destroy");
}

TEST_F(ClapGui, ReportsAWindowThatCannotOpen)
{
  ASSERT_TRUE(gui->create(P(), CLAP_WINDOW_API_WIN32, false));
  const clap_window_t noHandle{CLAP_WINDOW_API_WIN32, {nullptr}};
  EXPECT_FALSE(gui->set_parent(P(), &noHandle));
  EXPECT_FALSE(gui->show(P()));
  EXPECT_EQ(windows.made, 0);

  windows.failOpen = true;
  EXPECT_FALSE(SetParent(kParentA));
  EXPECT_FALSE(plugin->IsGuiEmbedded());
  EXPECT_FALSE(gui->show(P()));
  EXPECT_EQ(windows.alive, 0) << "a window that failed leaves no graphics behind";

  // Once windows can open, show tries again in the parent it was given.
  windows.failOpen = false;
  EXPECT_TRUE(gui->show(P()));
  EXPECT_EQ(windows.parents, std::vector<void*>{kParentA});

  // Without graphics at all (no window on this platform) nothing opens either.
  gui->destroy(P());
  plugin->makeGraphicsFunc = [] { return nullptr; };
  ASSERT_TRUE(gui->create(P(), CLAP_WINDOW_API_WIN32, false));
  EXPECT_FALSE(SetParent(kParentA));
  EXPECT_FALSE(gui->show(P()));
}

TEST_F(ClapGui, ARightClickOnAParameterShowsTheEditorsOwnMenu)
{
  ASSERT_TRUE(gui->create(P(), CLAP_WINDOW_API_WIN32, false));
  ASSERT_TRUE(SetParent(kParentA));
  WindowGfx& g = *Graphics();
  auto* withItems = new TestControl(ifx::igfx::IRECT(0.f, 0.f, 100.f, 100.f), kParamHaunt);
  withItems->contextItems = {"Reset", "Learn"};
  auto* without = new TestControl(ifx::igfx::IRECT(200.f, 0.f, 300.f, 100.f), kParamMix);
  g.AttachControl(withItems);
  g.AttachControl(without);

  auto rightClick = [&](float x) {
    ifx::igfx::IMouseEvent e;
    e.x = x, e.y = 50.f;
    e.ms = ifx::igfx::IMouseModifiers(false, true);
    g.OnMouseDown({e});
  };
  rightClick(50.f);
  EXPECT_EQ(g.menuCalls, 1);
  EXPECT_EQ(g.lastMenuItems, (std::vector<std::string>{"Reset", "Learn"}));
  EXPECT_EQ(withItems->mouseDowns, 0);
  rightClick(250.f);
  EXPECT_EQ(g.menuCalls, 1) << "an empty menu is not shown";
}

} // namespace
