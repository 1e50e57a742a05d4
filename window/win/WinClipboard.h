#pragma once
// Clipboard text and file paths. The clipboard is opened with the editor's
// window as its owner: after EmptyClipboard the opener owns the clipboard,
// and Windows refuses SetClipboardData to a clipboard opened without an
// owner. Without a window nothing is opened and the result is false.
#include <windows.h>

#include "base/IString.h"

namespace ifx {
namespace igfx {

// The clipboard's Unicode text; false (text "") when there is none, it
// cannot be read or it is malformed. A block without a terminator is read
// to its end, never past it.
bool PasteTextFromClipboard(HWND owner, IString& text);

// Replaces the clipboard with text (UTF-16 with its terminator); an empty
// text leaves it empty. Malformed text changes nothing and gives false.
bool CopyTextToClipboard(HWND owner, const char* text);

// Puts path on the clipboard as a file list (CF_HDROP, DropFiles.h);
// an empty or malformed path changes nothing and gives false.
bool CopyFilePathToClipboard(HWND owner, const char* path);

} // namespace igfx
} // namespace ifx
