// Native popup menus under wine: what BuildNativeMenu makes, and choices
// made with keys posted to the window before the menu takes the thread.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WinTestWindow.h"
#include "toolkit/IPopupMenu.h"
#include "window/win/WinNativeMenu.h"

using namespace ifx;
using namespace ifx::igfx;
using ifx::testkit::PostKey;
using ifx::testkit::TestWindow;

namespace {

// top (4 items per column): "Load & Save" checked, "Greyed", separator,
// "Disabled", "More" -> [x, y, "z&" -> [p, q]] numbered "%03d", "Last".
// Ids: top 0-5, More's items 6-8, z's items 9-10.
struct MenuTree
{
  IPopupMenu top;
  IPopupMenu* more = new IPopupMenu;
  IPopupMenu* deep = new IPopupMenu;
  std::vector<std::string> completions;

  MenuTree()
  {
    top.SetItemsPerColumn(4);
    top.AddItem("Load & Save", IPopupMenu::kChecked);
    top.AddItem("Greyed", IPopupMenu::kGreyed);
    top.AddSeparator();
    top.AddItem("Disabled", IPopupMenu::kDisabled);
    top.AddItem("More")->SetSubmenu(more);
    top.AddItem("Last");
    more->SetPrefix(3);
    more->AddItem("x");
    more->AddItem("y");
    more->AddItem("z&")->SetSubmenu(deep);
    deep->AddItem("p");
    deep->AddItem("q");
    for (IPopupMenu* m : {&top, more, deep})
      m->SetFunction(
        [this](IPopupMenu* chosen) { completions.push_back(std::string(chosen->GetChosenItem()->GetText())); });
  }
};

std::wstring Label(HMENU menu, int pos)
{
  wchar_t text[128] = {};
  GetMenuStringW(menu, static_cast<UINT>(pos), text, 128, MF_BYPOSITION);
  return text;
}

} // namespace

TEST(WinNativeMenu, BuildsIdsLabelsColumnBreaksAndStates)
{
  MenuTree tree;
  int nextId = 0;
  HMENU menu = BuildNativeMenu(tree.top, nextId);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(nextId, 11);

  struct Row
  {
    HMENU (*menu)(HMENU);
    int pos;
    int id;
    const wchar_t* label;
    UINT state;
  };
  auto top = [](HMENU m) { return m; };
  auto more = [](HMENU m) { return GetSubMenu(m, 4); };
  auto deep = [](HMENU m) { return GetSubMenu(GetSubMenu(m, 4), 2); };
  const Row rows[] = {
    {top, 0, 0, L"Load && Save", MF_CHECKED},
    {top, 1, 1, L"Greyed", MF_GRAYED},
    {top, 2, 0, L"", MF_SEPARATOR},
    {top, 3, 3, L"Disabled", MF_DISABLED},
    {top, 4, -1, L"More", MF_POPUP | MF_MENUBARBREAK}, // the fifth item opens the second column
    {top, 5, 5, L"Last", 0},
    {more, 0, 6, L"001: x", 0},
    {more, 1, 7, L"002: y", 0},
    {more, 2, -1, L"003: z&&", MF_POPUP},
    {deep, 0, 9, L"p", 0},
    {deep, 1, 10, L"q", 0},
  };
  EXPECT_EQ(GetMenuItemCount(menu), 6);
  EXPECT_EQ(GetMenuItemCount(more(menu)), 3);
  EXPECT_EQ(GetMenuItemCount(deep(menu)), 2);
  for (const Row& r : rows)
  {
    HMENU m = r.menu(menu);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(Label(m, r.pos), r.label) << r.pos;
    const UINT state = GetMenuState(m, static_cast<UINT>(r.pos), MF_BYPOSITION);
    if (r.state == MF_SEPARATOR)
    {
      EXPECT_TRUE(state & MF_SEPARATOR) << r.pos; // (wine also marks it greyed)
      continue;
    }
    // A submenu's item count is in the high byte.
    EXPECT_EQ(state & 0xFF, r.state) << r.pos;
    if (r.id >= 0)
    {
      EXPECT_EQ(static_cast<int>(GetMenuItemID(m, r.pos)), r.id) << r.pos;
    }
  }
  DestroyMenu(menu);
}

TEST(WinNativeMenu, KeysChooseItemsOfEveryLevel)
{
  TestWindow& window = TestWindow::Get();
  struct Case
  {
    std::vector<UINT> keys;
    IPopupMenu* (*menu)(MenuTree&);
    int index;
    const char* completion;
  };
  const Case cases[] = {
    {{VK_END, VK_RETURN}, [](MenuTree& t) { return &t.top; }, 5, "Last"},
    {{VK_END, VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN}, [](MenuTree& t) { return t.more; }, 1, "y"},
    {{VK_END, VK_UP, VK_RIGHT, VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN}, [](MenuTree& t) { return t.deep; }, 1, "q"},
    {{VK_HOME, VK_RETURN}, [](MenuTree& t) { return &t.top; }, 0, "Load & Save"},
    {{VK_END, VK_ESCAPE, VK_ESCAPE}, nullptr, -1, nullptr},
  };
  for (const Case& c : cases)
  {
    MenuTree tree;
    for (UINT key : c.keys)
      PostKey(window.Handle(), key);
    IPopupMenu* chosen = ShowNativeMenu(window.Handle(), tree.top, POINT{10, 20});
    ifx::testkit::PumpMessages();
    if (!c.menu)
    {
      EXPECT_EQ(chosen, nullptr);
      EXPECT_TRUE(tree.completions.empty());
      continue;
    }
    ASSERT_EQ(chosen, c.menu(tree)) << c.completion;
    EXPECT_EQ(chosen->GetChosenItemIdx(), c.index);
    EXPECT_EQ(tree.completions, std::vector<std::string>{c.completion});
  }
}
