#pragma once
// Fixed pixels of the opened editor at 1200 x 800 (draw scale 1), as any
// back end draws it: the LEDs of the selected tabs and the mode button,
// every slider's handle at the Init preset's value (and its bare track
// beside it), the input meter's segments lit by a test tone of about
// -6 dBFS, and the animated vignette's accent along the window's edges. Shared by the native pixel test and the editor window's
// screenshot under wine.
#include <functional>
#include <string>
#include <vector>

namespace murkwisp_test {

struct EditorPixel
{
  int r, g, b;
};

enum class PixelKind
{
  kTabLED,        // cyan: a lit LED of a tab switch
  kModeLED,       // violet: the mode button's LED in "Wind"
  kDark,          // no LED, bare track, unlit segment: nothing bright
  kHandle,        // a slider handle's body
  kLitSegment,    // a meter segment lit by the tone
  kVignette,      // the backdrop tinted by the vignette's accent (violet)
};

struct PixelProbe
{
  const char* what;
  int x, y;
  PixelKind kind;
};

// Init: Input, Output 50 %, Haunt 75 %, Possess 50 %, Freeze 80 %, Smear
// 64 %, Whisper 0 %, Resonance 50 %, Mix 100 %, Fine 0, Octave "0",
// Interval "Uni", Whisper Mode "Wind". Handle probes sit beside the grip
// and the grooves.
inline const std::vector<PixelProbe>& EditorPixelProbes()
{
  static const std::vector<PixelProbe> probes = {
    {"octave LED on \"0\"", 600, 608, PixelKind::kTabLED},
    {"octave tab -2 has no LED", 460, 607, PixelKind::kDark},
    {"octave tab +2 has no LED", 740, 607, PixelKind::kDark},
    {"interval LED on \"Uni\"", 362, 663, PixelKind::kTabLED},
    {"interval tab P5 has no LED", 665, 662, PixelKind::kDark},
    {"whisper mode LED", 570, 433, PixelKind::kModeLED},
    {"input handle at 50 %", 50, 441, PixelKind::kHandle},
    {"input track above", 60, 300, PixelKind::kDark},
    {"output handle at 50 %", 1130, 441, PixelKind::kHandle},
    {"haunt handle at 75 %", 678, 165, PixelKind::kHandle},
    {"haunt track at 50 %", 600, 160, PixelKind::kDark},
    {"possess handle at 50 %", 596, 233, PixelKind::kHandle},
    {"freeze handle at 80 %", 695, 301, PixelKind::kHandle},
    {"smear handle at 64 %", 642, 369, PixelKind::kHandle},
    {"whisper handle at 0 %", 431, 437, PixelKind::kHandle},
    {"whisper track at 100 %", 480, 432, PixelKind::kDark},
    {"resonance handle at 50 %", 721, 437, PixelKind::kHandle},
    {"mix handle at 100 %", 761, 505, PixelKind::kHandle},
    {"mix track at 0 %", 440, 500, PixelKind::kDark},
    {"fine handle at 0 cents", 596, 728, PixelKind::kHandle},
    {"input meter left, segment 1", 107, 665, PixelKind::kLitSegment},
    {"input meter right, segment 1", 122, 665, PixelKind::kLitSegment},
    {"input meter left, segment 6", 107, 498, PixelKind::kLitSegment},
    {"input meter left, segment 15", 107, 197, PixelKind::kDark},
    {"input meter right, segment 15", 122, 197, PixelKind::kDark},
    {"vignette in the top left corner", 4, 4, PixelKind::kVignette},
    {"vignette along the bottom edge", 600, 797, PixelKind::kVignette},
  };
  return probes;
}

inline bool PixelIs(PixelKind kind, const EditorPixel& p)
{
  const int lum = (p.r + p.g + p.b) / 3;
  switch (kind)
  {
    case PixelKind::kTabLED: return p.g > p.r + 30 && p.b > p.r + 30 && p.g > 90;
    case PixelKind::kModeLED: return p.b > p.g + 30 && p.b > 90;
    case PixelKind::kDark: return lum < 50;
    case PixelKind::kHandle: return lum >= 55 && lum <= 130 && p.b >= p.g;
    case PixelKind::kLitSegment: return lum >= 55;
    // The quietest pulse still tints the backdrop (18, 16, 14) by a tenth.
    case PixelKind::kVignette: return p.b > p.g + 8 && p.r > p.g + 4;
  }
  return false;
}

// Every probe that does not show what it should, described; empty when all
// do. A probe looks at three pixels in a row, two units apart, and needs two
// of them right: the meters' cracks and dust lie at random places, one unit wide.
inline std::vector<std::string> CheckEditorPixels(const std::function<EditorPixel(int x, int y)>& at)
{
  std::vector<std::string> failures;
  for (const PixelProbe& probe : EditorPixelProbes())
  {
    int right = 0;
    std::string seen;
    for (int dx = -2; dx <= 2; dx += 2)
    {
      const EditorPixel p = at(probe.x + dx, probe.y);
      right += PixelIs(probe.kind, p);
      seen += " (" + std::to_string(p.r) + ", " + std::to_string(p.g) + ", " + std::to_string(p.b) + ")";
    }
    if (right < 2)
      failures.push_back(std::string(probe.what) + " at (" + std::to_string(probe.x) + ", " + std::to_string(probe.y) +
                         "):" + seen);
  }
  return failures;
}

} // namespace murkwisp_test
