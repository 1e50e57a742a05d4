#pragma once
// The editor window's tooltip: one tool covering the whole window, whose
// text is set when the pointer rests over a control.
#include <windows.h>

namespace ifx {
namespace igfx {

class WinTooltip
{
public:
  WinTooltip() = default;
  ~WinTooltip() { Destroy(); }
  WinTooltip(const WinTooltip&) = delete;
  WinTooltip& operator=(const WinTooltip&) = delete;

  // The tooltip window over owner (topmost, at most 250 pixels wide); false
  // when it cannot be made.
  bool Create(HWND owner, HINSTANCE instance);
  void Destroy();
  HWND Window() const { return mWindow; }

  // The tool's text (UTF-8; null for none).
  void SetTooltipText(const char* text);
  // Sets the text and marks the tip shown.
  void Show(const char* text);
  // A shown tip gets no text and is marked hidden.
  void Hide();
  bool IsShown() const { return mShown; }

private:
  HWND mWindow = nullptr;
  HWND mOwner = nullptr;
  bool mShown = false;
};

} // namespace igfx
} // namespace ifx
