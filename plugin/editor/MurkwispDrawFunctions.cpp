#include "plugin/editor/MurkwispDrawFunctions.h"

#include "plugin/editor/BackgroundDrawFunctions.h"
#include "plugin/editor/MurkwispStyles.h"

namespace murkwisp {

EditorDrawFunctions MakeEditorDrawFunctions(const EditorDisplayValues& values)
{
  EditorDrawFunctions draw;
  draw.vignette = DrawPulsingVignette{kAccentColor, values};
  draw.fog = DrawDriftingFog{kLabelColor, values};
  draw.motes = DrawDriftingMotes{kLabelColor, values};
  draw.glitch = DrawGlitchLayer{kLabelColor, kAccentColor, values};
  draw.divider = DrawDividerLine{};
  draw.pitchPanel = DrawPitchPanel{};
  return draw;
}

} // namespace murkwisp
