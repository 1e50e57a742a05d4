#include "plugin/editor/PresetIconButton.h"

#include "framework/IPluginBase.h"
#include "toolkit/IGfx.h"
#include "plugin/editor/PresetPopup.h"

namespace murkwisp {

using namespace ifx::igfx;

void PresetIconButton::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  if (!mPopup)
    return;
  if (mPopup->IsOpen())
  {
    mPopup->Close();
  }
  else
  {
    // Without a plug-in behind the editor the browser keeps its selection.
    const auto* plugin = dynamic_cast<const ifx::IPluginBase*>(GetDelegate());
    mPopup->Open(plugin ? plugin->GetCurrentPresetIdx() : mPopup->GetSelected());
  }
  mPopup->SetDirty(true, -1);
}

} // namespace murkwisp
