// The host's parameter context menu: the editor's right click reaches the
// host through IComponentHandler3 with the control's own items, and the
// host's choice comes back through a target that outlives nothing it calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "abi/vst3/Vst3ContextMenu.h"
#include "abi/vst3/Vst3Strings.h"
#include "base/IPluginConfiguration.h"
#include "wrappers/vst3/IFxVST3.h"
#include "wrappers/vst3/IFxVST3ContextMenuTarget.h"
#include "toolkit/IPopupMenu.h"
#include "support/RecordingGfx.h"
#include "support/TestControl.h"
#include "wrappers/vst3/Vst3TestHost.h"

using namespace vst3test;
using ifx::igfx::IPopupMenu;
using ifx::testkit::TestControl;

namespace {

// What the host's menu was given, and the host keeping the targets it got.
class FakeMenu : public vst3host::HostObject<IContextMenu>
{
public:
  ~FakeMenu() override
  {
    for (IContextMenuTarget* t : targets)
      if (t)
        t->release();
  }
  int32 PLUGIN_API getItemCount() override { return static_cast<int32>(items.size()); }
  tresult PLUGIN_API getItem(int32, Item&, IContextMenuTarget**) override { return kNotImplemented; }
  tresult PLUGIN_API addItem(const Item& item, IContextMenuTarget* target) override
  {
    items.push_back(item);
    if (target)
      target->addRef();
    targets.push_back(target);
    return kResultOk;
  }
  tresult PLUGIN_API removeItem(const Item&, IContextMenuTarget*) override { return kNotImplemented; }
  // The user picks the entry with this tag while the menu is up.
  tresult PLUGIN_API popup(UCoord x, UCoord y) override
  {
    popups.push_back({x, y});
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i].tag == choose)
        chosen = targets[i]->executeMenuItem(choose);
    return kResultOk;
  }
  std::string Describe() const
  {
    std::string s;
    for (const Item& item : items)
      s += std::to_string(item.tag) + ":" + StrUtf16ToUtf8(item.name) + ":" + std::to_string(item.flags) + " ";
    return s;
  }
  std::vector<Item> items;
  std::vector<IContextMenuTarget*> targets;
  std::vector<std::pair<UCoord, UCoord>> popups;
  int32 choose = -1;
  tresult chosen = -1;
};

// A component handler that also offers host context menus.
class MenuHandler
  : public IComponentHandler
  , public IComponentHandler3
{
public:
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
  {
    if (IidEqual(iid, FUnknown::iid) || IidEqual(iid, IComponentHandler::iid))
      return AnswerInterface<IComponentHandler>(this, obj);
    if (IidEqual(iid, IComponentHandler3::iid))
      return AnswerInterface<IComponentHandler3>(this, obj);
    *obj = nullptr;
    return kNoInterface;
  }
  uint32 PLUGIN_API addRef() override { return ++refs; }
  uint32 PLUGIN_API release() override { return --refs; }
  tresult PLUGIN_API beginEdit(ParamID id) override
  {
    heard += "begin " + std::to_string(id) + " ";
    return kResultOk;
  }
  tresult PLUGIN_API performEdit(ParamID, ParamValue) override { return kResultOk; }
  tresult PLUGIN_API endEdit(ParamID id) override
  {
    heard += "end " + std::to_string(id) + " ";
    return kResultOk;
  }
  tresult PLUGIN_API restartComponent(int32) override { return kResultOk; }
  IContextMenu* PLUGIN_API createContextMenu(IPlugView* view, const ParamID* id) override
  {
    asked.push_back({view, id ? static_cast<int>(*id) : -1});
    heard += "menu ";
    if (menu)
      menu->release();
    menu = new FakeMenu();
    menu->choose = choose;
    menu->addRef(); // kept for the test to read
    return menu;
  }
  virtual ~MenuHandler()
  {
    if (menu)
      menu->release();
  }
  int refs = 1;
  int32 choose = -1;
  std::string heard; // edits and menu requests in order
  std::vector<std::pair<IPlugView*, int>> asked;
  FakeMenu* menu = nullptr;
};

ifx::IPluginConfiguration MenuConfig()
{
  ifx::IPluginConfiguration c;
  c.paramCount = 2;
  c.channelLayoutText = "2-2";
  c.pluginName = "MenuProbe";
  c.uniqueId = ifx::FourCharCode("Mnpb");
  c.makerId = ifx::FourCharCode("Test");
  c.hasEditor = true;
  return c;
}

// A plug-in whose editor is a recording graphics object, opened through its
// view (the window handle is only passed through).
class MenuProbe final : public ifx::IFxVST3
{
public:
  MenuProbe() : IFxVST3(ifx::InstanceInfo(), MenuConfig())
  {
    makeGraphicsFunc = [this]() { return new ifx::testkit::RecordingGfx(*this); };
  }
};

class Vst3ContextMenu : public ::testing::Test
{
protected:
  void SetUp() override
  {
    probe = new MenuProbe();
    app = new vst3host::HostApplication(u"Tests");
    ASSERT_EQ(probe->initialize(app), kResultOk);
    probe->setComponentHandler(&handler);
    view = probe->createView("editor");
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->attached(&parentToken, kPlatformTypeHWND), kResultOk);
    gfx = probe->EditorGraphics();
    AttachControl();
  }
  void AttachControl()
  {
    control = new TestControl({0, 0, 50, 50}, 1);
    control->contextItems = {"Learn", "Reset"};
    gfx->AttachControl(control);
  }
  void TearDown() override
  {
    if (view)
    {
      view->removed();
      view->release();
    }
    probe->CloseWindow();
    probe->setComponentHandler(nullptr);
    probe->terminate();
    static_cast<IComponent*>(probe)->release();
    app->release();
  }
  MenuProbe* probe = nullptr;
  vst3host::HostApplication* app = nullptr;
  MenuHandler handler;
  IPlugView* view = nullptr;
  int parentToken = 0;
  ifx::igfx::IGfx* gfx = nullptr;
  TestControl* control = nullptr;
};

} // namespace

TEST_F(Vst3ContextMenu, RightClickAsksTheHostAndTheChoiceReachesTheControl)
{
  probe->SetDisplayScale(2.f);
  const int handlerRefs = handler.refs;
  handler.choose = 1;
  ifx::igfx::IMouseEvent e;
  e.x = 10.4f;
  e.y = 20.7f;
  e.ms = ifx::igfx::IMouseModifiers(false, true);
  gfx->OnMouseDown({e});

  ASSERT_EQ(handler.asked.size(), 1u);
  EXPECT_EQ(handler.asked[0].first, view);
  EXPECT_EQ(handler.asked[0].second, 1);
  ASSERT_NE(handler.menu, nullptr);
  EXPECT_EQ(handler.menu->Describe(), "0:Learn:0 1:Reset:0 ");
  // Window pixels: the editor point times the total scale, truncated.
  EXPECT_EQ(handler.menu->popups, (std::vector<std::pair<UCoord, UCoord>>{{20, 41}}));
  EXPECT_EQ(handler.menu->chosen, kResultOk);
  EXPECT_EQ(control->lastContextChoice, 1);
  EXPECT_EQ(control->contextChoices, 1);
  EXPECT_EQ(static_cast<ifx::testkit::RecordingGfx*>(gfx)->menuCalls, 0);
  // Every entry carries the same target, which the host keeps as it likes.
  EXPECT_EQ(handler.menu->targets[0], handler.menu->targets[1]);
  EXPECT_EQ(handler.refs, handlerRefs);
}

TEST_F(Vst3ContextMenu, ItemsBecomeEntriesWithGroupsSeparatorsAndStates)
{
  IPopupMenu items;
  items.AddItem("Plain");
  items.AddItem("Greyed", IPopupMenu::kGreyed);
  items.AddItem("Ticked", IPopupMenu::kChecked);
  items.AddSeparator();
  IPopupMenu::Item* group = items.AddItem("Group");
  auto* sub = new IPopupMenu();
  sub->AddItem("Inner");
  group->SetSubmenu(sub);
  items.AddItem(std::string(140, 'x').c_str());

  FakeMenu menu;
  int32 tag = 5;
  ifx::AddItemsToHostContextMenu(menu, items, nullptr, tag);
  EXPECT_EQ(tag, 13);
  EXPECT_EQ(menu.Describe(), "5:Plain:0 6:Greyed:2 7:Ticked:4 8::1 9:Group:10 10:Inner:0 11:Group:17 12:" +
                               std::string(127, 'x') + ":0 ");
}

TEST_F(Vst3ContextMenu, ALateChoiceReachesNothingOnceTheControlOrTheEditorIsGone)
{
  gfx->PopupHostContextMenuForParam(control, 1, 1.f, 1.f);
  ASSERT_NE(handler.menu, nullptr);
  IContextMenuTarget* kept = handler.menu->targets[0];
  kept->addRef();

  EXPECT_EQ(kept->executeMenuItem(0), kResultOk);
  EXPECT_EQ(control->contextChoices, 1);
  gfx->RemoveAllControls(); // the control is deleted
  EXPECT_EQ(kept->executeMenuItem(0), kResultFalse);

  // A control of a later editor at any address is not the one the menu was for.
  view->removed();
  EXPECT_EQ(kept->executeMenuItem(0), kResultFalse);
  ASSERT_EQ(view->attached(&parentToken, kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(kept->executeMenuItem(0), kResultFalse);
  kept->release();
}

TEST_F(Vst3ContextMenu, NothingHappensWithoutTheHostsMenuOrAnOpenView)
{
  vst3host::ComponentHandler* plain = new vst3host::ComponentHandler();
  probe->setComponentHandler(plain);
  gfx->PopupHostContextMenuForParam(control, 1, 1.f, 1.f);
  probe->setComponentHandler(&handler);
  EXPECT_TRUE(handler.asked.empty());
  // An editor opened without a view (the view is gone) asks no host either.
  view->removed();
  view->release();
  view = nullptr;
  EXPECT_EQ(probe->GetView(), nullptr);
  ASSERT_NE(probe->OpenWindow(nullptr), nullptr);
  gfx = probe->EditorGraphics();
  AttachControl();
  gfx->PopupHostContextMenuForParam(control, 1, 1.f, 1.f);
  EXPECT_TRUE(handler.asked.empty());
  EXPECT_EQ(static_cast<ifx::testkit::RecordingGfx*>(gfx)->menuCalls, 0);
  plain->release();
}

// A right click during a left press (the second button) ends the press's
// edit before the host's menu opens; the right click itself begins none.
TEST_F(Vst3ContextMenu, ASecondButtonEndsThePressBeforeTheHostMenu)
{
  ifx::igfx::IMouseEvent e;
  e.x = 10;
  e.y = 10;
  e.ms = ifx::igfx::IMouseModifiers(true);
  gfx->OnMouseDown({e});
  e.ms = ifx::igfx::IMouseModifiers(true, true);
  gfx->OnMouseDown({e});
  e.ms = ifx::igfx::IMouseModifiers();
  gfx->OnMouseUp({e});
  gfx->OnMouseUp({e});
  EXPECT_EQ(handler.heard, "begin 1 end 1 menu ");
  EXPECT_EQ(control->mouseDowns, 1);
}
