#pragma once
// The draw functions of the editor's lambda controls: four animated
// background layers that follow the host tempo and the plug-in's levels,
// and two static decorations (plugin/editor/BackgroundDrawFunctions.h).
#include "toolkit/ILambdaControl.h"
#include "plugin/editor/EditorDisplayValues.h"

namespace murkwisp {

struct EditorDrawFunctions
{
  // Background layers, back to front; each a looping 50 ms animation.
  ifx::igfx::IDrawCallback vignette;
  ifx::igfx::IDrawCallback fog;
  ifx::igfx::IDrawCallback motes;
  ifx::igfx::IDrawCallback glitch;
  // Decorations of the pitch-shift section.
  ifx::igfx::IDrawCallback divider;
  ifx::igfx::IDrawCallback pitchPanel;
};

// The functions for one editor, reading values.
EditorDrawFunctions MakeEditorDrawFunctions(const EditorDisplayValues& values);

} // namespace murkwisp
