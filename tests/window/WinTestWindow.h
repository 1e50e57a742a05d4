#pragma once
// A top-level window standing in for the editor window, a message pump, and
// a helper thread that acts on the modal dialog the test thread shows.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace ifx {
namespace testkit {

// The one window of the test process (wine takes 2 s to take a visible
// top-level window down, so tests share it); each test sets onMessage.
class TestWindow
{
public:
  static TestWindow& Get();
  HWND Handle() const { return mWindow; }
  // Messages the test wants first; true when handled (with result set).
  std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)> onMessage;

private:
  TestWindow();
  static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND mWindow = nullptr;
};

// Dispatches what is queued for this thread, for at least ms milliseconds.
void PumpMessages(int ms = 0);
// Posts a key press (down and up) to window, as the keyboard would.
void PostKey(HWND window, UINT key);
// The text of a window (another thread's too).
std::wstring WindowText(HWND window);
// The child of window with control id, at any depth, waiting up to 5 s for
// it to appear; null when none.
HWND WaitForControl(HWND window, int id);

// Waits on a thread of its own for a visible dialog ("#32770") of the test
// thread, then runs act on it there. The test thread shows the dialog after
// making this, and joins it by destroying it once the dialog is gone.
class DialogDriver
{
public:
  explicit DialogDriver(std::function<void(HWND dialog)> act);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;
  bool Acted() const { return mActed; }

private:
  std::atomic<bool> mActed{false};
  std::atomic<bool> mStop{false};
  std::thread mThread;
};

} // namespace testkit
} // namespace ifx
