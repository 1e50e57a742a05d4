#pragma once
#include "engine/AlignedBuffer.h"

#include <cstdint>

namespace murkwisp::engine {

// Real-input FFT of one power-of-two size (32 to 65536 points), forward and
// inverse, both unscaled: an inverse after a forward gives the input times
// the size.
//
// It computes exactly what Kiss FFT's real transforms compute, bit for bit:
// a half-size complex FFT on the even/odd sample pairs with Kiss's
// factorisation (radix 4, then one radix 2 when the size needs it), its
// butterflies with the same operations in the same order, the same twiddle
// factors, and the same real-input split. The engine's decisions compare
// magnitudes, so any other rounding would flip some of them; this keeps the
// sound identical while the work runs four butterflies per instruction.
//
// How: the last radix-4 stage combines four sub-transforms of a quarter of
// the size, one per residue of the sample index modulo 4. Those four run side
// by side, one per SIMD lane, so every earlier stage is plain vector code
// with one twiddle for all lanes; the last stage transposes 4 x 4 blocks and
// runs across neighbouring outputs instead.
//
// Buffers are allocated once, 16-byte aligned; the transforms allocate
// nothing and may be called on the audio thread. One object serves one
// thread at a time (it keeps scratch).
class RealFft
{
public:
  static constexpr int kMinSize = 32;
  static constexpr int kMaxSize = 65536;

  explicit RealFft(int size) noexcept;

  // False when the size is not a power of two in range or memory ran out.
  bool IsValid() const noexcept { return mValid; }
  int Size() const noexcept { return mSize; }

  // `time` holds Size() samples, `re` and `im` Size() / 2 + 1 bins each.
  // Pointers need no particular alignment.
  void Forward(const float* time, float* re, float* im) noexcept;
  void Inverse(const float* re, const float* im, float* time) noexcept;

private:
  // One stage of the quarter-size transforms.
  struct Stage
  {
    int radix = 0;
    int span = 0;      // m: the length of the sub-transforms it combines
    int twiddleAt = 0; // first of its 6 * span twiddle values in `inner`
  };
  static constexpr int kMaxStages = 8;

  // Twiddle factors for one direction, each table split into real and
  // imaginary parts.
  struct Twiddles
  {
    AlignedBuffer<float> inner; // per stage: w^k, w^2k, w^3k (re, im) for k < span
    float leafRe = 1.0f;        // w^0 as Kiss computes it (its imaginary part is -0 or +0)
    float leafIm = 0.0f;
    AlignedBuffer<float> last;  // last stage: w^k, w^2k, w^3k (re, im) for k < size / 8
    AlignedBuffer<float> split; // real-input split: re then im, size / 4 each
  };

  bool Build(Twiddles& t, bool inverse) noexcept;
  template <bool Inverse>
  void SubTransforms(const Twiddles& t) noexcept;
  template <int Radix, bool Inverse, class Load>
  void Leaf(const Twiddles& t, Load load) noexcept;
  template <int Radix>
  void LeafFromTime(const float* time) noexcept;
  template <int Radix>
  void LeafFromHalf() noexcept;
  template <bool Inverse>
  void LastStage(const Twiddles& t, float* time) noexcept;

  int mSize = 0;
  int mHalf = 0;      // n: complex points
  int mQuarter = 0;   // n / 4: length of each lane's sub-transform
  int mNumStages = 0; // stages of the sub-transforms, leaf last
  Stage mStages[kMaxStages];
  bool mValid = false;

  AlignedBuffer<int32_t> mLeafSource; // sub-sequence index read by each leaf slot
  Twiddles mForward;
  Twiddles mInverse;
  AlignedBuffer<float> mLanesRe; // mQuarter vectors: lane q holds sub-transform q
  AlignedBuffer<float> mLanesIm;
  AlignedBuffer<float> mHalfRe; // the half-size complex sequence, natural order
  AlignedBuffer<float> mHalfIm;
};

} // namespace murkwisp::engine
