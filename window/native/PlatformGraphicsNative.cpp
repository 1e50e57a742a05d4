#include "window/PlatformGraphics.h"

namespace ifx {
namespace igfx {

// Native builds have no editor window: tests draw through graphics objects
// of their own.
IGfx* MakePlatformGraphics(IEditorDelegate& /*dlg*/, int /*width*/, int /*height*/, int /*fps*/, float /*scale*/)
{
  return nullptr;
}

} // namespace igfx
} // namespace ifx
