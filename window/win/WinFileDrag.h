#pragma once
// Files across the editor window's edge: one file dragged out with OLE,
// and files dropped in from the shell (WM_DROPFILES, enabled by
// DragAcceptFiles) handed to the control under the drop point.
#include <windows.h>
#include <shellapi.h>

namespace ifx {
namespace igfx {

class IGfx;

// Drags path out (copy only) until the user drops or cancels; true when
// the drag ran (a cancel too). False for an empty or malformed path.
bool StartFileDragOut(const char* path);

// Reads the drop's names (each whole, or not at all: DropFiles.h) and its
// point (window pixels / totalScale), gives them to the control there
// (IGfx::OnDrop) and releases the drop.
void HandleDropFiles(IGfx& gfx, HDROP drop, float totalScale);

} // namespace igfx
} // namespace ifx
