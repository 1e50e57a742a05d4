// The editor's entry points. The editor window is not built into this
// version yet: the platform gives no graphics, the editor delegate reports
// that no editor window can be opened, and hosts fall back to their generic
// controls.
#include "graphics/window/PlatformGraphics.h"
#include "plugin/Murkwisp.h"

ifx::igfx::IGfx* Murkwisp::CreateEditorGraphics()
{
  return ifx::igfx::MakePlatformGraphics(*this, 1200, 800, 60, 1.f);
}

void Murkwisp::LayoutEditor(ifx::igfx::IGfx* /*gfx*/)
{
}
