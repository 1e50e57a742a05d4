// The editor's entry points. The plug-in's editor is not built into this
// version yet: without graphics the editor delegate reports that no editor
// window can be opened, and hosts fall back to their generic controls.
#include "plugin/Murkwisp.h"

ifx::igfx::IGfx* Murkwisp::CreateEditorGraphics()
{
  return nullptr;
}

void Murkwisp::LayoutEditor(ifx::igfx::IGfx* /*gfx*/)
{
}
