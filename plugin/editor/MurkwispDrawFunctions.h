#pragma once
// The draw functions of the editor's lambda controls: four animated
// background layers that follow the host tempo and the plug-in's levels,
// and two static decorations. Each is an IDrawCallback; an empty one draws
// nothing, and the control is attached all the same.
#include <atomic>

#include "graphics/ILambdaControl.h"

// The plug-in's values the background reads, written by its audio
// processing and read here without a lock. They live as long as the plug-in.
struct EditorDisplayValues
{
  const std::atomic<float>* tempo = nullptr;         // beats per minute
  const std::atomic<float>* inputPeakDB = nullptr;   // dB
  const std::atomic<float>* outputPeakDB = nullptr;  // dB
};

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
