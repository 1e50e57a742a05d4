#include "plugin/editor/MurkwispDrawFunctions.h"

#include "plugin/editor/BackgroundDrawFunctions.h"
#include "plugin/editor/MurkwispStyles.h"

using murkwisp_ui::kAccentColor;
using murkwisp_ui::kLabelColor;

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
