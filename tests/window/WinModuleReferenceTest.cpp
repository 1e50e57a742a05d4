// The vertical-blank thread and the module its code lives in, loaded and
// released as a host does with a plug-in: a host may unload the module as
// soon as the editor is closed, so the thread keeps it mapped for as long as
// it runs, and not a moment longer.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>

namespace {

constexpr wchar_t kModule[] = L"blank_thread_module.dll";

template <class F>
F Export(HMODULE module, const char* name)
{
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

void Pump(int ms)
{
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end)
  {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageW(&m);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
}

TEST(VerticalBlankThreadModule, KeepsItsModuleMappedWhileItRunsAndReleasesItWhenItEnds)
{
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"MurkwispModuleTestHost";
  RegisterClassW(&wc);
  HWND parent = CreateWindowExW(0, wc.lpszClassName, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1250, 850,
                                nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(parent, nullptr);

  HMODULE module = LoadLibraryW(kModule);
  ASSERT_NE(module, nullptr);
  auto open = Export<HWND (*)(HWND)>(module, "OpenBlankThreadEditor");
  auto ticks = Export<int (*)()>(module, "BlankThreadTicks");
  auto close = Export<void (*)()>(module, "CloseBlankThreadEditor");
  ASSERT_TRUE(open && ticks && close);
  ASSERT_NE(open(parent), nullptr);
  Pump(300);
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
  DestroyWindow(parent);
}

} // namespace
