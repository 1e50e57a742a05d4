// IFxVST3: the host's context menu for a parameter, asked for by the editor.
#include <new>

#include "abi/vst3/Vst3ContextMenu.h"
#include "wrappers/vst3/IFxVST3.h"
#include "wrappers/vst3/IFxVST3ContextMenuTarget.h"
#include "wrappers/vst3/IFxVST3View.h"
#include "toolkit/IGfx.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ifx {

igfx::IGfx* IFxVST3::MakeEditorGraphics()
{
  igfx::IGfx* gfx = IFxAPIBase::MakeEditorGraphics();
  if (gfx)
  {
    // The plug-in owns the graphics, so the hook never outlives it.
    gfx->SetHostContextMenuFunc([this](igfx::IGfx& g, igfx::IControl* control, int paramIdx, float x, float y) {
      PopupHostContextMenu(g, control, paramIdx, x, y);
    });
  }
  return gfx;
}

void IFxVST3::PopupHostContextMenu(igfx::IGfx& g, igfx::IControl* control, int paramIdx, float x, float y)
{
  if (!componentHandler || !mView || paramIdx < 0)
    return;
  auto handler = QueryInterface<IComponentHandler3>(componentHandler);
  if (!handler)
    return;
  const ParamID id = static_cast<ParamID>(paramIdx);
  IContextMenu* menu = handler->createContextMenu(mView, &id);
  if (!menu)
    return;
  auto* target = new (std::nothrow) IFxVST3ContextMenuTarget(*this, control);
  if (!target)
  {
    menu->release();
    return;
  }
  int32 tag = 0;
  AddItemsToHostContextMenu(*menu, g.GetPromptMenu(), target, tag);
  const float scale = g.GetTotalScale();
  menu->popup(static_cast<UCoord>(scale * x), static_cast<UCoord>(scale * y));
  // The host keeps its own references to the target for as long as it needs.
  target->release();
  menu->release();
}

} // namespace ifx
