// IGfxWin: the seam of the platform services (popup menus, native text
// entry, tooltips text, file, folder and colour dialogs, URLs, the file
// browser, clipboard, drag and drop). Until they are wired in here each one
// answers as a platform without it would: nothing is shown, nothing is
// copied or opened, and every prompt reports that the user chose nothing.
// The window procedure and the redraw tick already keep the text entry's
// state (mEditWindow, mTextEntryState, mEditBounds, mEditStyle): a text
// entry sets them and gets cancel (3) and commit (4) through
// FinishTextEntryOnTick.
#include "graphics/window/win/IGfxWin.h"

namespace ifx {
namespace igfx {

void IGfxWin::CancelUserEdit()
{
  mTextEntryState = 3;
}

bool IGfxWin::PasteTextFromClipboard(IString& text)
{
  return false;
}

bool IGfxWin::CopyTextToClipboard(const char* text)
{
  return false;
}

bool IGfxWin::CopyFilePathToClipboard(const char* path)
{
  return false;
}

bool IGfxWin::StartFileDragOut(const char* path)
{
  return false;
}

void IGfxWin::AskForFile(IString& fileName, IString& path, int action, const char* extensions,
                         IFileDialogCompletionHandlerFunc completion)
{
}

void IGfxWin::AskForDirectory(IString& dir, IFileDialogCompletionHandlerFunc completion)
{
}

bool IGfxWin::AskForColour(IRgba& color, const char* prompt, IColorPickerHandlerFunc completion)
{
  return false;
}

bool IGfxWin::OpenURL(const char* url, const char* windowTitle, const char* confirmMsg, const char* errMsg)
{
  return false;
}

bool IGfxWin::RevealPathInFileBrowser(const char* path, bool select)
{
  return false;
}

void IGfxWin::ShowNativeTextEntry(int paramIdx, const ITextStyle& text, const IRECT& bounds, int length,
                                  const char* str)
{
}

IPopupMenu* IGfxWin::ShowNativeMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync)
{
  isAsync = false;
  return nullptr;
}

void IGfxWin::SetTooltipText(const char* text)
{
}

void IGfxWin::DestroyEditWindow()
{
  mEditWindow = nullptr;
  mEditParam = nullptr;
  mTextEntryState = 0;
}

bool IGfxWin::FinishTextEntryOnTick()
{
  return false;
}

void IGfxWin::OnFileDrop(HDROP drop)
{
  // The drop's memory is ours to free whatever becomes of it.
  DragFinish(drop);
}

} // namespace igfx
} // namespace ifx
