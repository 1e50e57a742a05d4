#pragma once
// Shared set-up for the plug-in tests: an instance without network access,
// driven like a host would drive it.
#include "core/IParam.h"
#include "plugin/Murkwisp.h"
#include "plugin/UpdateChecker.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace murkwisp_test {

inline std::string NoFeed(const char*)
{
  return std::string();
}

// The version check must not reach for the network from a test.
inline std::unique_ptr<Murkwisp> MakePlugin(double sampleRate = 48000., int maxBlock = 4096)
{
  ifx::UpdateChecker::Instance().SetFetchFunction(&NoFeed);
  auto plugin = std::make_unique<Murkwisp>(ifx::InstanceInfo{});
  plugin->Setup(sampleRate, maxBlock);
  return plugin;
}

inline void SetParam(Murkwisp& p, int idx, double value)
{
  p.GetParam(idx)->Set(value);
}

// Tail off, no pitch shift, dry bins through the engine: the wet path is a
// pure delay and gain.
inline void MakeNeutral(Murkwisp& p)
{
  SetParam(p, kParamInput, 100.);
  SetParam(p, kParamOutput, 100.);
  SetParam(p, kParamHaunt, 0.);
  SetParam(p, kParamFreeze, 0.);
  SetParam(p, kParamOctave, 2.);
  SetParam(p, kParamInterval, 0.);
  SetParam(p, kParamFine, 0.);
  SetParam(p, kParamSmear, 0.);
  SetParam(p, kParamWhisper, 0.);
  SetParam(p, kParamPossess, 0.);
  SetParam(p, kParamMix, 100.);
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
inline void Run(Murkwisp& p, StereoBuffers& b, int block)
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
// steps of `step` Hz over a Hann-windowed DFT.
inline double DominantFrequency(const std::vector<double>& x, double sampleRate, double lo, double hi, double step)
{
  const double twoPi = 6.283185307179586;
  const size_t n = x.size();
  std::vector<double> wx(n);
  for (size_t j = 0; j < n; ++j)
    wx[j] = x[j] * (0.5 - 0.5 * std::cos(twoPi * static_cast<double>(j) / static_cast<double>(n)));
  double bestF = lo, bestP = -1.;
  for (double f = lo; f <= hi; f += step)
  {
    const double dr = std::cos(twoPi * f / sampleRate), di = -std::sin(twoPi * f / sampleRate);
    double zr = 1., zi = 0., re = 0., im = 0.;
    for (size_t j = 0; j < n; ++j)
    {
      re += wx[j] * zr;
      im += wx[j] * zi;
      const double t = zr * dr - zi * di;
      zi = zr * di + zi * dr;
      zr = t;
    }
    const double power = re * re + im * im;
    if (power > bestP)
    {
      bestP = power;
      bestF = f;
    }
  }
  return bestF;
}

} // namespace murkwisp_test
