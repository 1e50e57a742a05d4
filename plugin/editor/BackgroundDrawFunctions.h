#pragma once
// The draw functions behind the editor's controls: four animated layers over
// the whole window (vignette, fog, motes, glitch) that move with the tempo
// and the signal level and are redrawn every frame by their looping
// animations, and two static decorations (the divider and the pitch panel).
// Each is a function object that an ILambdaControl takes as its draw
// callback; none allocates.
#include "toolkit/ILambdaControl.h"
#include "toolkit/IRECT.h"
#include "toolkit/IRgba.h"
#include "plugin/editor/AnimationCounter.h"
#include "plugin/editor/EditorDisplayValues.h"

namespace murkwisp {

// One counter per animated layer, shared by every editor of the process and
// never reset: an editor opened later goes on where the last one stopped,
// and two open editors each advance it. (The layers' own counter members
// exist so that a test can drive one of its own.)
extern AnimationCounter gVignetteCalls;
extern AnimationCounter gFogCalls;
extern AnimationCounter gMoteCalls;
extern AnimationCounter gGlitchCalls;

// Four gradient bands along the edges, pulsing on every fourth beat and
// stronger with the output level.
struct DrawPulsingVignette
{
  ifx::igfx::IRgba accent;
  EditorDisplayValues values; // tempo, output level
  AnimationCounter* counter = &gVignetteCalls;

  void operator()(ifx::igfx::ILambdaControl*, ifx::igfx::IGfx& g, const ifx::igfx::IRECT& r) const;
};

// Five fog banks of four nested ellipses and four two-ellipse wisps (28
// ellipses), drifting on their own clock, denser with the output level.
struct DrawDriftingFog
{
  ifx::igfx::IRgba label;
  EditorDisplayValues values; // output level
  AnimationCounter* counter = &gFogCalls;

  void operator()(ifx::igfx::ILambdaControl*, ifx::igfx::IGfx& g, const ifx::igfx::IRECT& r) const;
};

// 48 motes and 10 ash flakes falling with the tempo and wrapping from the
// bottom to the top, larger and brighter with the input level.
struct DrawDriftingMotes
{
  ifx::igfx::IRgba label;
  EditorDisplayValues values; // tempo, input level
  AnimationCounter* counter = &gMoteCalls;

  void operator()(ifx::igfx::ILambdaControl*, ifx::igfx::IGfx& g, const ifx::igfx::IRECT& r) const;
};

// Scan lines, bars, tears and sparkles placed by a sine hash of the time (no
// random source), more of them with the output level.
struct DrawGlitchLayer
{
  ifx::igfx::IRgba first;     // the label colour
  ifx::igfx::IRgba second;    // the accent colour
  EditorDisplayValues values; // tempo, output level
  AnimationCounter* counter = &gGlitchCalls;

  void operator()(ifx::igfx::ILambdaControl*, ifx::igfx::IGfx& g, const ifx::igfx::IRECT& r) const;
};

// The 2-unit divider: the whisper colour at half alpha fading out to both ends.
struct DrawDividerLine
{
  void operator()(ifx::igfx::ILambdaControl*, ifx::igfx::IGfx& g, const ifx::igfx::IRECT& r) const;
};

// The rounded panel behind the pitch-shift section.
struct DrawPitchPanel
{
  void operator()(ifx::igfx::ILambdaControl*, ifx::igfx::IGfx& g, const ifx::igfx::IRECT& r) const;
};

} // namespace murkwisp
