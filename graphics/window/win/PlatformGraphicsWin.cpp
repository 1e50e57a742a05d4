#include "graphics/window/PlatformGraphics.h"

namespace ifx {
namespace igfx {

// The Win32 editor window is not part of this build yet: no graphics, so the
// editor reports that no window can be opened and hosts show their generic
// controls.
IGfx* MakePlatformGraphics(IEditorDelegate& /*dlg*/, int /*width*/, int /*height*/, int /*fps*/, float /*scale*/)
{
  return nullptr;
}

} // namespace igfx
} // namespace ifx
