// The editor's entry points: the graphics factory and the layout function
// the plug-in hands its editor delegate.
#include "window/PlatformGraphics.h"
#include "plugin/Murkwisp.h"
#include "plugin/editor/MurkwispLayout.h"

ifx::igfx::IGfx* Murkwisp::CreateEditorGraphics()
{
  return ifx::igfx::MakePlatformGraphics(*this, 1200, 800, 60, 1.f);
}

void Murkwisp::LayoutEditor(ifx::igfx::IGfx* gfx)
{
  LayoutMurkwispEditor(gfx, this, EditorDisplayValues{&displayTempo, &mInputPeakDB, &mOutputPeakDB});
}
