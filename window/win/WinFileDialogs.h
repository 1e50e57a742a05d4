#pragma once
// The system's file and folder choosers, modal over the editor window.
#include <windows.h>

#include "base/IString.h"

namespace ifx {
namespace igfx {

enum EFileAction : int
{
  kFileOpen = 0,
  kFileSave = 1
};

// fileName (in: the suggested name, up to 259 UTF-16 units; out: the full
// chosen path, "" when cancelled) and path (in: the folder to start in;
// out: the chosen file's folder with its separator, unchanged when
// cancelled). extensions: space-separated words offered as one filter, the
// first the default extension. A save asks before overwriting; an open
// takes only existing files. True when a file was chosen.
bool AskForFile(HWND owner, IString& fileName, IString& path, int action, const char* extensions);

// directory (out): the chosen folder with a backslash at its end; "" when
// cancelled or when the choice is no folder on disk. True when chosen.
bool AskForDirectory(HWND owner, IString& directory);

} // namespace igfx
} // namespace ifx
