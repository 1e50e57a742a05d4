#include "framework/IFxAPIBase.h"
#include "plugin/Murkwisp.h"
#include "plugin/MurkwispParams.h"
#include "plugin/MurkwispPresets.h"
#include "plugin/UpdateChecker.h"
#include "plugin/editor/MurkwispLayout.h"

namespace murkwisp {

void SetUpMurkwisp(ifx::IFxAPIBase& plugin, const MurkwispDsp& dsp)
{
  plugin.StartTimer();
  ConfigureMurkwispParams(plugin);
  MakeMurkwispPresets(plugin);
  // A new instance starts on "Init", not on the parameter defaults.
  plugin.RestorePreset(0);
  // Once per process; later instances find it done.
  UpdateChecker::Instance().CheckForUpdates(false);

  plugin.makeGraphicsFunc = [&plugin]() { return MakeMurkwispGraphics(plugin); };
  plugin.layoutFunc = [&plugin, &dsp](ifx::igfx::IGfx* gfx) {
    LayoutMurkwispEditor(gfx, &plugin, dsp.DisplayValues());
  };
}

} // namespace murkwisp
