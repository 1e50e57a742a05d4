// IGfxWin: the platform services (WinNativeMenu, WinTextEntryField,
// WinTooltip, WinFileDialogs, WinColourDialog, WinUrlOpener, WinRevealPath,
// WinClipboard, WinFileDrag) over the editor's window.
#include "window/win/IGfxWin.h"

#include "base/IEditorDelegate.h"
#include "window/win/WinClipboard.h"
#include "window/win/WinColourDialog.h"
#include "window/win/WinFileDialogs.h"
#include "window/win/WinFileDrag.h"
#include "window/win/WinNativeMenu.h"
#include "window/win/WinRevealPath.h"
#include "window/win/WinUrlOpener.h"

namespace ifx {
namespace igfx {

void IGfxWin::CancelUserEdit() { mTextEntry.SetState(kTextEntryCancel); }

// -- Clipboard: owned by the editor's window (Windows refuses data to a
// clipboard opened without an owner).

bool IGfxWin::PasteTextFromClipboard(IString& text) { return igfx::PasteTextFromClipboard(mWindow, text); }

bool IGfxWin::CopyTextToClipboard(const char* text) { return igfx::CopyTextToClipboard(mWindow, text); }

bool IGfxWin::CopyFilePathToClipboard(const char* path) { return igfx::CopyFilePathToClipboard(mWindow, path); }

// -- Drag and drop

bool IGfxWin::StartFileDragOut(const char* path)
{
  const bool dragged = igfx::StartFileDragOut(path);
  // The drag loop took the mouse-up of the press that started it.
  ReleaseCaptureAndShowCursor();
  return dragged;
}

void IGfxWin::OnFileDrop(HDROP drop) { HandleDropFiles(*this, drop, GetTotalScale()); }

// -- Dialogs: modal over the editor's window; each press that opened one
// lost its mouse-up to the dialog.

void IGfxWin::AskForFile(IString& fileName, IString& path, int action, const char* extensions,
                         IFileDialogCompletionHandlerFunc completion)
{
  if (!mWindow)
  {
    fileName.Set("");
    return;
  }
  igfx::AskForFile(mWindow, fileName, path, action, extensions);
  if (completion)
    completion(fileName, path);
  ReleaseCaptureAndShowCursor();
}

void IGfxWin::AskForDirectory(IString& dir, IFileDialogCompletionHandlerFunc completion)
{
  igfx::AskForDirectory(mWindow, dir);
  if (completion)
    completion(IString(""), dir);
  ReleaseCaptureAndShowCursor();
}

bool IGfxWin::AskForColour(IRgba& color, const char* prompt, IColorPickerHandlerFunc completion)
{
  ReleaseCaptureAndShowCursor();
  if (!igfx::AskForColour(mWindow, color, prompt))
    return false;
  if (completion)
    completion(color);
  return true;
}

// -- Shell

bool IGfxWin::OpenURL(const char* url, const char* windowTitle, const char* confirmMsg, const char* errMsg)
{
  return igfx::OpenURL(mWindow, url, windowTitle, confirmMsg, errMsg);
}

bool IGfxWin::RevealPathInFileBrowser(const char* path, bool select)
{
  return igfx::RevealPathInFileBrowser(path, select);
}

// -- Prompts

IPopupMenu* IGfxWin::ShowNativeMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync)
{
  isAsync = false;
  if (!mWindow)
    return nullptr;
  const float scale = GetTotalScale();
  const POINT corner{static_cast<LONG>(bounds.L * scale), static_cast<LONG>(bounds.B * scale)};
  IPopupMenu* chosen = igfx::ShowNativeMenu(mWindow, menu, corner);
  // Where the menu was is drawn again, whatever was chosen.
  const LONG width = static_cast<LONG>(static_cast<int>(Width() * GetDrawScale()) * GetScreenScale());
  const LONG height = static_cast<LONG>(static_cast<int>(Height() * GetDrawScale()) * GetScreenScale());
  const RECT all{0, 0, width, height};
  InvalidateRect(mWindow, &all, FALSE);
  return chosen;
}

void IGfxWin::ShowNativeTextEntry(int paramIdx, const ITextStyle& text, const IRECT& bounds, int length,
                                  const char* str)
{
  if (!mWindow || mTextEntry.IsOpen())
    return;
  const IParam* param = paramIdx >= 0 ? GetDelegate()->GetParam(paramIdx) : nullptr;
  mTextEntry.Open(mWindow, mModule, bounds, GetTotalScale(), text, length, str, param);
}

bool IGfxWin::FinishTextEntryOnTick()
{
  IString text;
  switch (mTextEntry.TakePending(text))
  {
    case WinTextEntryField::ETick::kNone: return false;
    case WinTextEntryField::ETick::kCancelled: mTextEntryOwner = nullptr; return true;
    case WinTextEntryField::ETick::kCommitted: ApplyTextEntryResult(text.Get()); return true;
    case WinTextEntryField::ETick::kHeld:
    default: return true;
  }
}

} // namespace igfx
} // namespace ifx
