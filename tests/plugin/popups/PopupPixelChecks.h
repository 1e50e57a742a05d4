#pragma once
// Fixed pixels of the editor at 1200 x 800 (draw scale 1) while its popups
// open and close, as any back end draws them: the native pixel test and the
// test host's shots under wine take the same steps, in editor window pixels.
// The preset icon opens the browser on "Init" and a click on its third row
// restores "Banshee Scream" (shot "presets open"); Escape closes it
// ("presets closed"); the Fennow icon opens the about panel ("about open");
// a click left of the panel closes it ("about closed"). "Banshee Scream"
// puts the octave switch on "+2", whose LED lies under both panels; the
// vignette tints the top left corner unless a popup dims it.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "plugin/editor/EditorPixelChecks.h"

namespace murkwisp_test {

struct PopupStep
{
  int x, y;  // a click there, or, with key set, that key
  int key;
};

struct PopupShot
{
  const char* name;  // the picture's file name
  std::vector<PopupStep> steps;
  bool open;         // a panel is open: its pixels; else the editor's own
  bool presets;      // which panel
};

inline const std::vector<PopupShot>& PopupShots()
{
  static const std::vector<PopupShot> shots = {
    {"popups_presets_open.png", {{1170, 28, 0}, {600, 297, 0}}, true, true},
    {"popups_presets_closed.png", {{0, 0, 27}}, false, true},
    {"popups_about_open.png", {{30, 28, 0}}, true, false},
    {"popups_about_closed.png", {{200, 400, 0}}, false, false},
  };
  return shots;
}

// src (alpha, red, green, blue) over an opaque pixel.
inline EditorPixel Over(const EditorPixel& dst, int a, int r, int g, int b)
{
  const double k = a / 255.0;
  auto mix = [k](int d, int s) { return static_cast<int>(std::lround(s * k + d * (1.0 - k))); };
  return EditorPixel{mix(dst.r, r), mix(dst.g, g), mix(dst.b, b)};
}

// Every probe of the shot that does not show what it should, described;
// empty when all do. Panel colours may be off by the glows' breathing and
// the animated background under the dimming; the background itself (its
// vignette and fog move) is only told apart dimmed or not.
inline std::vector<std::string> CheckPopupPixels(const PopupShot& shot,
                                                 const std::function<EditorPixel(int x, int y)>& at)
{
  const EditorPixel dimmed = Over(EditorPixel{18, 16, 14}, 180, 0, 0, 0);
  // The panel over its two glows.
  const EditorPixel panel = Over(Over(Over(dimmed, 30, 120, 80, 160), 15, 120, 80, 160), 240, 20, 18, 28);
  const EditorPixel list = Over(panel, 150, 10, 8, 15);
  auto lit = [](const EditorPixel& under) { return Over(under, 76, 120, 80, 160); };
  auto near = [](const EditorPixel& want) {
    return [want](const EditorPixel& p) {
      return std::abs(p.r - want.r) <= 4 && std::abs(p.g - want.g) <= 4 && std::abs(p.b - want.b) <= 4;
    };
  };
  auto isDimmed = [](const EditorPixel& p) { return (p.r + p.g + p.b) / 3 <= 20 && !PixelIs(PixelKind::kVignette, p); };
  auto is = [](PixelKind kind) { return [kind](const EditorPixel& p) { return PixelIs(kind, p); }; };
  struct Probe { const char* what; int x, y; std::function<bool(const EditorPixel&)> right; };
  std::vector<Probe> probes;
  if (!shot.open)
    probes = {{"vignette in the top left corner", 4, 4, is(PixelKind::kVignette)},
              {"octave LED on +2", 740, 608, is(PixelKind::kTabLED)}};
  else if (shot.presets)
    probes = {{"editor dimmed", 4, 4, isDimmed},
              {"panel over the haunt handle", 678, 165, near(panel)},
              {"panel right of the list", 798, 400, near(panel)},
              {"row of Init", 770, 233, near(list)},
              {"row of Banshee Scream", 770, 297, near(lit(list))},
              {"panel over the octave LED", 740, 607, near(panel)}};
  else
    probes = {{"editor dimmed", 4, 4, isDimmed},
              {"panel over the mix handle", 761, 505, near(panel)},
              {"panel, bottom right", 795, 650, near(panel)},
              {"Info tab", 495, 185, near(lit(panel))},
              {"panel over the octave LED", 740, 607, near(panel)}};

  // As the editor's own probes: two of three pixels, two units apart, are
  // right (an LED's glint and shade are one unit wide).
  std::vector<std::string> failures;
  for (const Probe& probe : probes)
  {
    int hits = 0;
    std::string seen;
    for (int dx = -2; dx <= 2; dx += 2)
    {
      const EditorPixel p = at(probe.x + dx, probe.y);
      hits += probe.right(p);
      seen += " (" + std::to_string(p.r) + ", " + std::to_string(p.g) + ", " + std::to_string(p.b) + ")";
    }
    if (hits < 2)
      failures.push_back(std::string(shot.name) + ": " + probe.what + " at (" + std::to_string(probe.x) + ", " +
                         std::to_string(probe.y) + "):" + seen);
  }
  return failures;
}

} // namespace murkwisp_test
