// The per-bin work of one hop, four bins per instruction.
//
// Every value is formed with the operations of the straightforward loop, in
// its order and in single precision; only sine, cosine, arctangent and the
// tables' exponentials come from SimdMath instead of the C library. The loop
// reads the held spectrum "as it stands at bin k" (bins below k already
// updated, bins above k not yet), so the hold runs first over all bins, and
// the shift reads the previous hop's copy for the bins above k.
#include "engine/StftEngine.h"

#include "engine/SimdMath.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace murkwisp::engine {

namespace {

constexpr float kPi = 3.1415927f;

inline __m128 Load(const float* p) { return _mm_load_ps(p); }

inline __m128 Set(float v) { return _mm_set1_ps(v); }

// 2r - 1 for four draws.
inline __m128 Centred(__m128 r) { return _mm_sub_ps(_mm_mul_ps(Set(2.0f), r), Set(1.0f)); }

// Four values at four indices (SSE2 has no gather).
inline __m128 Gather(const float* base, const int32_t* index)
{
  return _mm_setr_ps(base[index[0]], base[index[1]], base[index[2]], base[index[3]]);
}

} // namespace

void StftEngine::ProcessBins() noexcept
{
  // The groups start at bin 0, which passes through untouched: keep it.
  const float bin0Re = binRe[0], bin0Im = binIm[0];
  const float held0 = held[0], phase0 = phase[0], previous0 = previousMagnitude[0];

  RefreshSourceTable();
  UpdateHold(readsPrevious);
  ShapeBins();

  binRe[0] = bin0Re;
  binIm[0] = bin0Im;
  held[0] = held0;
  phase[0] = phase0;
  previousMagnitude[0] = previous0;
}

// Magnitudes, then the hold: a new peak (the previous hop's magnitude above
// the decayed hold) takes over with this hop's phase; otherwise the hold
// decays and its phase drifts. A hold below the normal float range is 0, so
// a decaying tail ends in exact silence whatever the caller's flush-to-zero
// mode.
void StftEngine::UpdateHold(bool keepPrevious) noexcept
{
  if (keepPrevious)
  {
    std::memcpy(held.get() + kStride, held.get(), sizeof(float) * kStride);
    std::memcpy(phase.get() + kStride, phase.get(), sizeof(float) * kStride);
  }
  const __m128 hold = Set(Hold());
  const __m128 drift = Set(0.01f);
  const __m128 tiny = Set(std::numeric_limits<float>::min());
  for (int k = 0; k < kGroupedBins; k += 4)
  {
    const __m128 re = Load(&binRe[k]);
    const __m128 im = Load(&binIm[k]);
    // SSE square roots are correctly rounded, like the scalar ones.
    const __m128 mag = _mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(re, re), _mm_mul_ps(im, im)));
    _mm_store_ps(&magnitude[k], mag);
    const __m128 prev = Load(&previousMagnitude[k]);
    _mm_store_ps(&previousMagnitude[k], mag);
    const __m128 candidate = _mm_mul_ps(hold, Load(&held[k]));
    const __m128 peak = _mm_cmpgt_ps(prev, candidate);
    const __m128 kept = simd::Select(peak, prev, candidate);
    _mm_store_ps(&held[k], _mm_andnot_ps(_mm_cmplt_ps(kept, tiny), kept));
    const __m128 drifted = _mm_add_ps(Load(&phase[k]), drift);
    // Peaks are rare in a held spectrum: skip the arctangent without one.
    const __m128 ph = _mm_movemask_ps(peak) ? simd::Select(peak, simd::Atan2(im, re), drifted) : drifted;
    _mm_store_ps(&phase[k], ph);
  }
}

// Pitch remap, smear and whisper into polar values, then back to cartesian
// blended with the dry bin.
void StftEngine::ShapeBins() noexcept
{
  const bool smearOn = smear > 0.04f;
  const bool whisperOn = WhisperOn();
  const bool fennows = whisperMode != 0;
  if (whisperOn)
    RefreshResonanceTable();

  // The draws of one bin, in order: the smear's, then the whisper's three
  // (Fennows) or four (Sizzle). One lane generator per draw.
  const int draws = (smearOn ? 1 : 0) + (whisperOn ? (fennows ? 3 : 4) : 0);
  const uint32_t start = rngState;
  LcgLanes noise[kMaxDraws];
  for (int d = 0; d < draws; ++d)
    noise[d] = LcgLanes(start, drawPlans[draws][d]);
  if (draws > 0)
    rngState = hopJump[draws].Apply(start);
  LcgLanes* smearNoise = &noise[0];
  LcgLanes* whisperNoise = &noise[smearOn ? 1 : 0];

  const __m128 outGain = Set(freeze * kFreezeLift + 1.0f);
  const __m128 gain = Set(pitchGain);
  const __m128 smearAmount = Set(smear);
  const __m128 whisperAmount = Set(whisper);
  const __m128 q = Set(resonance * 0.5f + 0.5f);
  const __m128 wetBlend = Set(blend);
  const __m128 dryBlend = Set(1.0f - blend);
  const __m128 one = Set(1.0f);
  const __m128 half = Set(0.5f);

  for (int k = 0; k < kGroupedBins; k += 4)
  {
    __m128 srcMag, srcPhase;
    if (identityShift)
    {
      srcMag = Load(&held[k]);
      srcPhase = Load(&phase[k]);
    }
    else
    {
      const __m128 f = Load(&sourceFraction[k]);
      const __m128 g = _mm_sub_ps(one, f);
      const int32_t* lo = &sourceLow[k];
      const int32_t* hi = &sourceHigh[k];
      srcMag = _mm_add_ps(_mm_mul_ps(g, Gather(held.get(), lo)), _mm_mul_ps(f, Gather(held.get(), hi)));
      srcPhase = _mm_add_ps(_mm_mul_ps(g, Gather(phase.get(), lo)), _mm_mul_ps(f, Gather(phase.get(), hi)));
    }
    const __m128 mag = Load(&magnitude[k]);
    __m128 outMag = _mm_mul_ps(_mm_mul_ps(outGain, _mm_mul_ps(srcMag, Set(kWetGain))), gain);
    __m128 outPhase = srcPhase;

    if (smearOn)
    {
      const __m128 r = smearNoise->Values();
      smearNoise->Next();
      const __m128 ratio = _mm_div_ps(srcMag, _mm_add_ps(mag, Set(0.0001f)));
      // min(10, ratio): minps gives its second operand for NaN, as std::min(10, NaN) gives 10.
      const __m128 spread = _mm_add_ps(_mm_min_ps(ratio, Set(10.0f)), Set(2.0f));
      const __m128 step =
        _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(spread, _mm_mul_ps(Centred(r), smearAmount)), Set(kPi)), Set(3.0f));
      outPhase = _mm_add_ps(outPhase, step);
    }

    if (whisperOn)
    {
      const __m128 x = Load(&binX[k]);
      const __m128 g = Load(&resonanceGain[k]);
      const __m128 sq = _mm_mul_ps(srcMag, srcMag);
      const __m128 r1 = whisperNoise[0].Values();
      const __m128 r2 = whisperNoise[1].Values();
      const __m128 r3 = whisperNoise[2].Values();
      const __m128 a = _mm_mul_ps(Centred(r1), half);
      const __m128 b = Centred(r2);
      const __m128 aHalf = _mm_add_ps(a, half);
      if (fennows)
      {
        const __m128 bumps = _mm_add_ps(_mm_mul_ps(Load(&fennowBumps[k]), Set(0.3f)), one);
        const __m128 root = _mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(outMag, outMag), sq));
        __m128 add = _mm_mul_ps(bumps, _mm_mul_ps(_mm_mul_ps(root, _mm_mul_ps(simd::Abs(b), aHalf)), Set(0.4f)));
        add = _mm_add_ps(add, _mm_mul_ps(_mm_mul_ps(g, Load(&held[k])), Set(0.25f)));
        add = _mm_mul_ps(
          _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(add, _mm_add_ps(_mm_mul_ps(g, Set(4.0f)), one)), whisperAmount), Set(2.5f)),
          q);
        const __m128 turn = _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(Centred(r3), Set(kPi)), whisperAmount),
                                       _mm_add_ps(_mm_mul_ps(aHalf, half), half));
        outPhase = _mm_add_ps(outPhase, turn);
        outMag = _mm_add_ps(outMag, add);
      }
      else
      {
        const __m128 r4 = whisperNoise[3].Values();
        const __m128 s2 = _mm_mul_ps(simd::Abs(_mm_add_ps(_mm_mul_ps(b, Set(0.3f)), a)), _mm_mul_ps(x, x));
        const __m128 u = _mm_sqrt_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(mag, mag), sq), Set(0.001f)));
        __m128 grit = _mm_mul_ps(_mm_mul_ps(s2, u), Set(0.8f));
        grit = _mm_mul_ps(
          _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(grit, _mm_add_ps(_mm_mul_ps(g, Set(5.0f)), one)), whisperAmount), Set(3.0f)),
          q);
        __m128 lift =
          _mm_mul_ps(_mm_mul_ps(simd::Abs(Centred(r3)), Set(0.3f)), _mm_add_ps(_mm_mul_ps(g, Set(3.0f)), one));
        lift = _mm_add_ps(_mm_mul_ps(_mm_mul_ps(lift, whisperAmount), half), one);
        outMag = _mm_mul_ps(_mm_add_ps(grit, outMag), lift);
        const __m128 turn =
          _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(_mm_mul_ps(Centred(r4), Set(kPi)), Set(0.6f)), whisperAmount),
                     _mm_add_ps(_mm_mul_ps(Set(2.0f), g), one));
        outPhase = _mm_add_ps(outPhase, turn);
      }
      for (int d = 0; d < (fennows ? 3 : 4); ++d)
        whisperNoise[d].Next();
    }

    __m128 s, c;
    simd::SinCos(outPhase, &s, &c);
    const __m128 re = Load(&binRe[k]);
    const __m128 im = Load(&binIm[k]);
    _mm_store_ps(&binRe[k], _mm_add_ps(_mm_mul_ps(_mm_mul_ps(c, outMag), wetBlend), _mm_mul_ps(dryBlend, re)));
    _mm_store_ps(&binIm[k], _mm_add_ps(_mm_mul_ps(_mm_mul_ps(s, outMag), wetBlend), _mm_mul_ps(dryBlend, im)));
  }
}

} // namespace murkwisp::engine
