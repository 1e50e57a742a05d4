#pragma once
// The editor's graphics object for this platform: the editor window where
// the platform has one, null where it has none. The editor delegate owns
// what it returns. Its module handle is the module this code is linked into.
namespace ifx {

class IEditorDelegate;

namespace igfx {

class IGfx;

IGfx* MakePlatformGraphics(IEditorDelegate& dlg, int width, int height, int fps, float scale);

} // namespace igfx
} // namespace ifx
