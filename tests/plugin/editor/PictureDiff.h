#pragma once
// Two RGB pictures of one size (rows top down) compared channel by channel:
// how many pixels differ, how many by more than a tolerance, where the worst
// ones are, and a picture of the differences for looking at by hand.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace murkwisp_test {

struct PictureDiff
{
  struct Spot
  {
    int x, y, delta;
    const uint8_t* actual;
    const uint8_t* expected;
  };

  long differing = 0;        // pixels with any channel off
  long beyondTolerance = 0;  // pixels with a channel off by more than the tolerance
  int maxDelta = 0;
  std::vector<Spot> worst;   // largest difference first

  std::string Describe() const
  {
    std::string s = std::to_string(differing) + " pixels differ, " + std::to_string(beyondTolerance) +
                    " beyond the tolerance, largest channel difference " + std::to_string(maxDelta);
    for (const Spot& w : worst)
      s += "\n  (" + std::to_string(w.x) + ", " + std::to_string(w.y) + ") off by " + std::to_string(w.delta) +
           ": drawn " + Rgb(w.actual) + ", reference " + Rgb(w.expected);
    return s;
  }

private:
  static std::string Rgb(const uint8_t* p)
  {
    return "(" + std::to_string(p[0]) + ", " + std::to_string(p[1]) + ", " + std::to_string(p[2]) + ")";
  }
};

inline int PixelDelta(const uint8_t* a, const uint8_t* b)
{
  return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
}

// The spots point into the two pictures, which must outlive the result.
inline PictureDiff ComparePictures(const std::vector<uint8_t>& actual, const std::vector<uint8_t>& expected, int w,
                                   int h, int tolerance, size_t nWorst)
{
  PictureDiff d;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
    {
      const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) * 3u;
      const int delta = PixelDelta(&actual[at], &expected[at]);
      if (delta == 0)
        continue;
      ++d.differing;
      d.beyondTolerance += delta > tolerance;
      d.maxDelta = std::max(d.maxDelta, delta);
      d.worst.push_back({x, y, delta, &actual[at], &expected[at]});
    }
  const size_t keep = std::min(nWorst, d.worst.size());
  std::partial_sort(d.worst.begin(), d.worst.begin() + static_cast<long>(keep), d.worst.end(),
                    [](const PictureDiff::Spot& a, const PictureDiff::Spot& b) { return a.delta > b.delta; });
  d.worst.resize(keep);
  return d;
}

// RGBA: black where the pictures agree, grey for differences within the
// tolerance (brighter the larger), red beyond it.
inline std::vector<uint8_t> DifferencePicture(const std::vector<uint8_t>& actual, const std::vector<uint8_t>& expected,
                                              int w, int h, int tolerance)
{
  std::vector<uint8_t> out(static_cast<size_t>(w) * static_cast<size_t>(h) * 4u, 0);
  for (size_t i = 0; i < static_cast<size_t>(w) * static_cast<size_t>(h); ++i)
  {
    const int delta = PixelDelta(&actual[i * 3u], &expected[i * 3u]);
    uint8_t* o = &out[i * 4u];
    if (delta > tolerance)
      o[0] = 255;
    else
      o[0] = o[1] = o[2] = static_cast<uint8_t>(delta * 60);
    o[3] = 255;
  }
  return out;
}

} // namespace murkwisp_test
