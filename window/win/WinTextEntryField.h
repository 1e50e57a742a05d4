#pragma once
// The native one-line text entry: an EDIT control over the editor window.
// Typing is filtered for numeric parameters (TextEntryFilter.h); Return or
// leaving the entry asks for a commit, Escape for a cancel. Both are done
// by the editor's next redraw tick (TakePending), not inside the EDIT's
// own messages, so that the entry is never destroyed under its procedure.
#include <windows.h>

#include <cstdint>

#include "base/IParam.h"
#include "base/IString.h"
#include "toolkit/IRECT.h"
#include "toolkit/ITextStyle.h"

namespace ifx {
namespace igfx {

class WinTooltip;

enum ETextEntryState : int32_t
{
  kTextEntryIdle = 0,
  kTextEntryFocused = 1, // the EDIT has the keyboard focus
  kTextEntryDrawn = 2,   // a tick has drawn while the entry is open
  kTextEntryCancel = 3,
  kTextEntryCommit = 4,
};

class WinTextEntryField
{
public:
  // The control id of the EDIT in its parent.
  static constexpr int kControlId = 99;
  // A commit takes at most this many UTF-16 units of the text.
  static constexpr int kMaxCommitUnits = 255;

  WinTextEntryField() = default;
  ~WinTextEntryField() { Destroy(); }
  WinTextEntryField(const WinTextEntryField&) = delete;
  WinTextEntryField& operator=(const WinTextEntryField&) = delete;

  // Opens the entry over bounds (editor units, times totalScale in window
  // pixels) with text selected and the keyboard focus; the font is the GDI
  // font cached for the style's font (the default GUI font when none is),
  // at the scaled size. param (may be null) filters the typing and must
  // outlive the entry. False, nothing made, when an entry is already open
  // or the EDIT cannot be created.
  bool Open(HWND parent, HINSTANCE instance, const IRECT& bounds, float totalScale, const ITextStyle& style,
            int maxLength, const char* text, const IParam* param);
  // Puts the EDIT's procedure back and destroys it with its font; state idle.
  void Destroy();

  bool IsOpen() const { return mEdit != nullptr; }
  HWND Window() const { return mEdit; }
  int32_t State() const { return mState; }
  void SetState(int32_t state) { mState = state; }
  const IRECT& Bounds() const { return mBounds; }
  const ITextStyle& Style() const { return mStyle; }
  const IParam* Param() const { return mParam; }
  // A tip shown over the editor is hidden as soon as the entry sees input.
  void SetTooltip(WinTooltip* tooltip) { mTooltip = tooltip; }

  enum class ETick
  {
    kNone,      // no entry, or nothing pending: the tick goes on
    kHeld,      // focused or just drawn: the tick draws nothing this time
    kCancelled, // destroyed without a result
    kCommitted, // destroyed; text holds the result
  };
  // The redraw tick's share of the entry: completes a commit or cancel, and
  // resets a focused or drawn state. A text that cannot be read as UTF-8
  // cancels rather than commit something else.
  ETick TakePending(IString& text);

  // The parent's WM_CTLCOLOREDIT: the style's entry colours on the DC and
  // the brush to paint the background with.
  LRESULT ColorEdit(HDC dc) const;

private:
  static LRESULT CALLBACK EditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleEditMessage(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam);
  bool ReadText(IString& text) const;

  HWND mEdit = nullptr;
  WNDPROC mSavedProc = nullptr;
  HFONT mFont = nullptr;
  const IParam* mParam = nullptr;
  ITextStyle mStyle;
  IRECT mBounds;
  int32_t mState = kTextEntryIdle;
  WinTooltip* mTooltip = nullptr;
};

} // namespace igfx
} // namespace ifx
