#pragma once
// Shared set-up for the plug-in tests: an instance without network access,
// driven like a host would drive it.
#include "base/IParam.h"
#include "plugin/Murkwisp.h"
#include "plugin/MurkwispParams.h"
#include "wrappers/headless/IFxHeadless.h"
#include "plugin/UpdateChecker.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace murkwisp;

using Murkwisp = murkwisp::MurkwispPlugin<ifx::IFxHeadless>;

namespace murkwisp_test {

inline std::string NoFeed(const char*)
{
  return std::string();
}

// The version check must not reach for the network from a test.
inline std::unique_ptr<Murkwisp> MakePlugin(double sampleRate = 48000., int maxBlock = 4096)
{
  murkwisp::UpdateChecker::Instance().SetFetchFunction(&NoFeed);
  auto plugin = std::make_unique<Murkwisp>(ifx::InstanceInfo{});
  plugin->Setup(sampleRate, maxBlock);
  return plugin;
}

inline void SetValue(Murkwisp& p, int idx, double value)
{
  p.GetParam(idx)->Set(value);
}

// Tail off, no pitch shift, dry bins through the engine: the wet path is a
// pure delay and gain.
inline void MakeNeutral(Murkwisp& p)
{
  SetValue(p, kParamInput, 100.);
  SetValue(p, kParamOutput, 100.);
  SetValue(p, kParamHaunt, 0.);
  SetValue(p, kParamFreeze, 0.);
  SetValue(p, kParamOctave, 2.);
  SetValue(p, kParamInterval, 0.);
  SetValue(p, kParamFine, 0.);
  SetValue(p, kParamSmear, 0.);
  SetValue(p, kParamWhisper, 0.);
  SetValue(p, kParamPossess, 0.);
  SetValue(p, kParamMix, 100.);
}

struct StereoBuffers
{
  explicit StereoBuffers(int frames) : l(frames, 0.), r(frames, 0.), outL(frames, 0.), outR(frames, 0.) {}
  std::vector<double> l, r, outL, outR;
  double* in[2] = {nullptr, nullptr};
  double* out[2] = {nullptr, nullptr};
  double** Inputs() { in[0] = l.data(); in[1] = r.data(); return in; }
  double** Outputs() { out[0] = outL.data(); out[1] = outR.data(); return out; }
};

// Runs a whole signal through the plug-in in blocks of `block` frames.
inline void RunBlocks(Murkwisp& p, StereoBuffers& b, int block)
{
  const int frames = static_cast<int>(b.l.size());
  for (int off = 0; off < frames; off += block)
  {
    const int n = std::min(block, frames - off);
    double* in[2] = {b.l.data() + off, b.r.data() + off};
    double* out[2] = {b.outL.data() + off, b.outR.data() + off};
    p.Process(in, 2, out, 2, n);
  }
}

// Frequency of the strongest component of x between lo and hi, scanned in
// steps of `step` Hz: Hann-windowed DFT power averaged over consecutive
// segments of segLen samples (the smeared phases make one segment noisy).
inline double DominantFrequency(const std::vector<double>& x, double sampleRate, double lo, double hi, double step,
                                size_t segLen = 8192)
{
  const double twoPi = 6.283185307179586;
  const size_t nSeg = x.size() / segLen;
  std::vector<double> win(segLen);
  for (size_t j = 0; j < segLen; ++j)
    win[j] = 0.5 - 0.5 * std::cos(twoPi * static_cast<double>(j) / static_cast<double>(segLen));
  double bestF = lo, bestP = -1.;
  for (double f = lo; f <= hi; f += step)
  {
    const double dr = std::cos(twoPi * f / sampleRate), di = -std::sin(twoPi * f / sampleRate);
    double power = 0.;
    for (size_t s = 0; s < nSeg; ++s)
    {
      const double* seg = x.data() + s * segLen;
      double zr = 1., zi = 0., re = 0., im = 0.;
      for (size_t j = 0; j < segLen; ++j)
      {
        const double v = seg[j] * win[j];
        re += v * zr;
        im += v * zi;
        const double t = zr * dr - zi * di;
        zi = zr * di + zi * dr;
        zr = t;
      }
      power += re * re + im * im;
    }
    if (power > bestP)
    {
      bestP = power;
      bestF = f;
    }
  }
  return bestF;
}

} // namespace murkwisp_test
