// The vertical-blank thread and the module its code lives in, loaded and
// released as a host does with a plug-in: a host may unload the module as
// soon as the editor is closed, so the thread keeps it mapped for as long as
// it runs, and not a moment longer.
#include <windows.h>

#include <gtest/gtest.h>

#include "WinTestWindow.h"

using ifx::testkit::PumpMessages;
using ifx::testkit::TestWindow;

namespace {

constexpr wchar_t kModule[] = L"blank_thread_module.dll";

template <class F>
F Export(HMODULE module, const char* name)
{
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

TEST(VerticalBlankThreadModule, KeepsItsModuleMappedWhileItRunsAndReleasesItWhenItEnds)
{
  HWND parent = TestWindow::Get().Handle();
  ASSERT_NE(parent, nullptr);

  HMODULE module = LoadLibraryW(kModule);
  ASSERT_NE(module, nullptr);
  auto open = Export<HWND (*)(HWND)>(module, "OpenBlankThreadEditor");
  auto ticks = Export<int (*)()>(module, "BlankThreadTicks");
  auto close = Export<void (*)()>(module, "CloseBlankThreadEditor");
  ASSERT_TRUE(open && ticks && close);
  ASSERT_NE(open(parent), nullptr);
  PumpMessages(300);
  ASSERT_GT(ticks(), 0) << "the editor ticks from its thread";

  // The host lets go of the module while the thread runs: the thread's own
  // reference keeps it mapped, and the host can take it back to close.
  FreeLibrary(module);
  ASSERT_EQ(GetModuleHandleW(kModule), module) << "unmapped under a running thread";
  ASSERT_EQ(LoadLibraryW(kModule), module);

  // Closed, the thread has ended and let go: the host's one release unloads it.
  close();
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(GetModuleHandleW(kModule), nullptr);
}

} // namespace
