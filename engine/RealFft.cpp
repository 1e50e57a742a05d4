#include "engine/RealFft.h"

#include <emmintrin.h>

#include <cmath>

namespace murkwisp::engine {

namespace {

// Four complex values, one per lane.
struct CVec
{
  __m128 r;
  __m128 i;
};

inline CVec Add(CVec a, CVec b) { return {_mm_add_ps(a.r, b.r), _mm_add_ps(a.i, b.i)}; }

inline CVec Sub(CVec a, CVec b) { return {_mm_sub_ps(a.r, b.r), _mm_sub_ps(a.i, b.i)}; }

// (a.r b.r - a.i b.i, a.r b.i + a.i b.r), in that order, as Kiss multiplies.
inline CVec Mul(CVec a, CVec b)
{
  return {_mm_sub_ps(_mm_mul_ps(a.r, b.r), _mm_mul_ps(a.i, b.i)),
          _mm_add_ps(_mm_mul_ps(a.r, b.i), _mm_mul_ps(a.i, b.r))};
}

inline __m128 Negate(__m128 x) { return _mm_xor_ps(x, _mm_castsi128_ps(_mm_set1_epi32(INT32_MIN))); }

inline __m128 Reverse(__m128 x) { return _mm_shuffle_ps(x, x, _MM_SHUFFLE(0, 1, 2, 3)); }

inline CVec Broadcast(float re, float im) { return {_mm_set1_ps(re), _mm_set1_ps(im)}; }

// Kiss FFT's radix-4 butterfly, operation for operation (including the
// multiplications by the twiddle w^0 = 1, which can change the sign of a
// zero).
template <bool Inverse>
inline void Butterfly4(CVec& f0, CVec& f1, CVec& f2, CVec& f3, CVec w1, CVec w2, CVec w3)
{
  const CVec s0 = Mul(f1, w1);
  const CVec s1 = Mul(f2, w2);
  const CVec s2 = Mul(f3, w3);
  const CVec s5 = Sub(f0, s1);
  const CVec a = Add(f0, s1);
  const CVec s3 = Add(s0, s2);
  const CVec s4 = Sub(s0, s2);
  f2 = Sub(a, s3);
  f0 = Add(a, s3);
  if (Inverse)
  {
    f1 = {_mm_sub_ps(s5.r, s4.i), _mm_add_ps(s5.i, s4.r)};
    f3 = {_mm_add_ps(s5.r, s4.i), _mm_sub_ps(s5.i, s4.r)};
  }
  else
  {
    f1 = {_mm_add_ps(s5.r, s4.i), _mm_sub_ps(s5.i, s4.r)};
    f3 = {_mm_sub_ps(s5.r, s4.i), _mm_add_ps(s5.i, s4.r)};
  }
}

inline void Butterfly2(CVec& f0, CVec& f1, CVec w)
{
  const CVec t = Mul(f1, w);
  f1 = Sub(f0, t);
  f0 = Add(f0, t);
}

// Kiss's twiddles come from the double-precision library functions and are
// rounded to float; the phase is formed the way Kiss forms it.
void KissTwiddle(int k, int n, bool inverse, float* re, float* im)
{
  const double pi = 3.141592653589793238462643383279502884197169399375105820974944;
  double phase = -2 * pi * k / n;
  if (inverse)
    phase *= -1;
  *re = static_cast<float>(std::cos(phase));
  *im = static_cast<float>(std::sin(phase));
}

void KissSplitTwiddle(int k, int n, bool inverse, float* re, float* im)
{
  double phase = -3.14159265358979323846264338327 * (static_cast<double>(k + 1) / n + .5);
  if (inverse)
    phase *= -1;
  *re = static_cast<float>(std::cos(phase));
  *im = static_cast<float>(std::sin(phase));
}

struct LeafMap
{
  const int (*stages)[2]; // radix, span
  int32_t* source;
};

// Where Kiss's recursion reads each leaf slot from: stage `s` writes its
// `radix` children at out + q * span, child q taking every radix-th input.
void MapLeaves(const LeafMap& map, int s, int out, int in, int stride)
{
  const int radix = map.stages[s][0];
  const int span = map.stages[s][1];
  if (span == 1)
  {
    for (int t = 0; t < radix; ++t)
      map.source[out + t] = in + t * stride;
    return;
  }
  for (int q = 0; q < radix; ++q)
    MapLeaves(map, s + 1, out + q * span, in + q * stride, stride * radix);
}

// The leaf stage (span 1) of the quarter-size transforms. Kiss multiplies
// even there, by w^0.
template <int Radix, bool Inverse>
inline void LeafButterflies(CVec (&v)[4], CVec w)
{
  if (Radix == 4)
    Butterfly4<Inverse>(v[0], v[1], v[2], v[3], w, w, w);
  else
    Butterfly2(v[0], v[1], w);
}

} // namespace

RealFft::RealFft(int size) noexcept
{
  if (size < kMinSize || size > kMaxSize || (size & (size - 1)) != 0)
    return;
  mSize = size;
  mHalf = size / 2;
  mQuarter = mHalf / 4;

  // Kiss factors n into 4s while it can, then a 2. The first 4 is the last
  // stage (run across outputs); the rest make up the quarter-size transforms.
  int stageInfo[kMaxStages][2] = {};
  int twiddleAt = 0;
  for (int span = mQuarter; span > 1;)
  {
    const int radix = span % 4 == 0 ? 4 : 2;
    span /= radix;
    Stage& st = mStages[mNumStages];
    st.radix = radix;
    st.span = span;
    st.twiddleAt = twiddleAt;
    stageInfo[mNumStages][0] = radix;
    stageInfo[mNumStages][1] = span;
    ++mNumStages;
    if (span > 1)
      twiddleAt += 6 * span;
  }

  mLeafSource = AlignedBuffer<int32_t>(static_cast<size_t>(mQuarter));
  mLanesRe = AlignedBuffer<float>(static_cast<size_t>(mHalf));
  mLanesIm = AlignedBuffer<float>(static_cast<size_t>(mHalf));
  mHalfRe = AlignedBuffer<float>(static_cast<size_t>(mHalf));
  mHalfIm = AlignedBuffer<float>(static_cast<size_t>(mHalf));
  mForward.inner = AlignedBuffer<float>(static_cast<size_t>(twiddleAt > 0 ? twiddleAt : 1));
  mInverse.inner = AlignedBuffer<float>(static_cast<size_t>(twiddleAt > 0 ? twiddleAt : 1));
  if (!mLeafSource || !mLanesRe || !mLanesIm || !mHalfRe || !mHalfIm || !mForward.inner || !mInverse.inner)
    return;
  MapLeaves(LeafMap{stageInfo, mLeafSource.get()}, 0, 0, 0, 1);
  mValid = Build(mForward, false) && Build(mInverse, true);
}

bool RealFft::Build(Twiddles& t, bool inverse) noexcept
{
  const int n = mHalf;
  const int quarter = mQuarter;
  t.last = AlignedBuffer<float>(static_cast<size_t>(6 * quarter));
  t.split = AlignedBuffer<float>(static_cast<size_t>(n));
  if (!t.last || !t.split)
    return false;

  KissTwiddle(0, n, inverse, &t.leafRe, &t.leafIm);
  // Stage s of the quarter-size transforms sits at depth s + 1 of Kiss's
  // recursion, where the twiddle stride is 4^(s + 1).
  int stride = 4;
  for (int s = 0; s < mNumStages; ++s)
  {
    const Stage& st = mStages[s];
    if (st.span > 1)
    {
      float* w = t.inner.get() + st.twiddleAt;
      for (int k = 0; k < st.span; ++k)
        for (int q = 1; q <= 3; ++q)
          KissTwiddle(q * k * stride, n, inverse, &w[(2 * q - 2) * st.span + k], &w[(2 * q - 1) * st.span + k]);
    }
    stride *= st.radix;
  }
  for (int k = 0; k < quarter; ++k)
    for (int q = 1; q <= 3; ++q)
      KissTwiddle(q * k, n, inverse, &t.last[static_cast<size_t>((2 * q - 2) * quarter + k)],
                  &t.last[static_cast<size_t>((2 * q - 1) * quarter + k)]);
  for (int k = 0; k < n / 2; ++k)
    KissSplitTwiddle(k, n, inverse, &t.split[static_cast<size_t>(k)], &t.split[static_cast<size_t>(n / 2 + k)]);
  return true;
}

// The leaf stage (span 1) of the quarter-size transforms. `load(j)` gives
// the four lanes' points at sub-sequence index j.
template <int Radix, bool Inverse, class Load>
void RealFft::Leaf(const Twiddles& t, Load load) noexcept
{
  const CVec w = Broadcast(t.leafRe, t.leafIm);
  const int32_t* const source = mLeafSource.get();
  float* const lr = mLanesRe.get();
  float* const li = mLanesIm.get();
  const int quarter = mQuarter;
  for (int b = 0; b < quarter; b += Radix)
  {
    CVec v[4];
    for (int k = 0; k < Radix; ++k)
      v[k] = load(source[b + k]);
    LeafButterflies<Radix, Inverse>(v, w);
    for (int k = 0; k < Radix; ++k)
    {
      _mm_store_ps(lr + 4 * (b + k), v[k].r);
      _mm_store_ps(li + 4 * (b + k), v[k].i);
    }
  }
}

// Forward: lane q of sub-sequence index j is the complex point
// (time[8j + 2q], time[8j + 2q + 1]), read straight from the time signal.
template <int Radix>
void RealFft::LeafFromTime(const float* time) noexcept
{
  Leaf<Radix, false>(mForward, [time](int j) {
    const __m128 a = _mm_loadu_ps(time + 8 * j);
    const __m128 c = _mm_loadu_ps(time + 8 * j + 4);
    return CVec{_mm_shuffle_ps(a, c, _MM_SHUFFLE(2, 0, 2, 0)), _mm_shuffle_ps(a, c, _MM_SHUFFLE(3, 1, 3, 1))};
  });
}

// Inverse: the split half-size sequence, four points per index.
template <int Radix>
void RealFft::LeafFromHalf() noexcept
{
  const float* const hr = mHalfRe.get();
  const float* const hi = mHalfIm.get();
  Leaf<Radix, true>(mInverse, [hr, hi](int j) { return CVec{_mm_load_ps(hr + 4 * j), _mm_load_ps(hi + 4 * j)}; });
}

// The radix-4 stages above the leaf, innermost first. All lanes share each
// twiddle; the loop over k is outside so a twiddle is broadcast once.
template <bool Inverse>
void RealFft::SubTransforms(const Twiddles& t) noexcept
{
  float* const lr = mLanesRe.get();
  float* const li = mLanesIm.get();
  const int quarter = mQuarter;
  for (int s = mNumStages - 2; s >= 0; --s)
  {
    const int m = mStages[s].span;
    const float* w = t.inner.get() + mStages[s].twiddleAt;
    for (int k = 0; k < m; ++k)
    {
      const CVec w1 = Broadcast(w[k], w[m + k]);
      const CVec w2 = Broadcast(w[2 * m + k], w[3 * m + k]);
      const CVec w3 = Broadcast(w[4 * m + k], w[5 * m + k]);
      for (int base = k; base < quarter; base += 4 * m)
      {
        float* r = lr + 4 * base;
        float* i = li + 4 * base;
        const int step = 4 * m;
        CVec f0 = {_mm_load_ps(r), _mm_load_ps(i)};
        CVec f1 = {_mm_load_ps(r + step), _mm_load_ps(i + step)};
        CVec f2 = {_mm_load_ps(r + 2 * step), _mm_load_ps(i + 2 * step)};
        CVec f3 = {_mm_load_ps(r + 3 * step), _mm_load_ps(i + 3 * step)};
        Butterfly4<Inverse>(f0, f1, f2, f3, w1, w2, w3);
        _mm_store_ps(r, f0.r);
        _mm_store_ps(i, f0.i);
        _mm_store_ps(r + step, f1.r);
        _mm_store_ps(i + step, f1.i);
        _mm_store_ps(r + 2 * step, f2.r);
        _mm_store_ps(i + 2 * step, f2.i);
        _mm_store_ps(r + 3 * step, f3.r);
        _mm_store_ps(i + 3 * step, f3.i);
      }
    }
  }
}

// Kiss's outermost stage: radix 4 over the four sub-transforms, output k + q
// * n/4 from sub-transform outputs k. Each 4 x 4 block is transposed so the
// lanes run over k. The forward transform keeps the result for the split;
// the inverse writes the time signal (re, im) pairs.
template <bool Inverse>
void RealFft::LastStage(const Twiddles& t, float* time) noexcept
{
  const int quarter = mQuarter;
  const float* const lr = mLanesRe.get();
  const float* const li = mLanesIm.get();
  const float* const w = t.last.get();
  float* const hr = mHalfRe.get();
  float* const hi = mHalfIm.get();
  for (int k = 0; k < quarter; k += 4)
  {
    __m128 r0 = _mm_load_ps(lr + 4 * k);
    __m128 r1 = _mm_load_ps(lr + 4 * k + 4);
    __m128 r2 = _mm_load_ps(lr + 4 * k + 8);
    __m128 r3 = _mm_load_ps(lr + 4 * k + 12);
    __m128 i0 = _mm_load_ps(li + 4 * k);
    __m128 i1 = _mm_load_ps(li + 4 * k + 4);
    __m128 i2 = _mm_load_ps(li + 4 * k + 8);
    __m128 i3 = _mm_load_ps(li + 4 * k + 12);
    _MM_TRANSPOSE4_PS(r0, r1, r2, r3);
    _MM_TRANSPOSE4_PS(i0, i1, i2, i3);
    CVec f0 = {r0, i0}, f1 = {r1, i1}, f2 = {r2, i2}, f3 = {r3, i3};
    const CVec w1 = {_mm_load_ps(w + k), _mm_load_ps(w + quarter + k)};
    const CVec w2 = {_mm_load_ps(w + 2 * quarter + k), _mm_load_ps(w + 3 * quarter + k)};
    const CVec w3 = {_mm_load_ps(w + 4 * quarter + k), _mm_load_ps(w + 5 * quarter + k)};
    Butterfly4<Inverse>(f0, f1, f2, f3, w1, w2, w3);
    if (Inverse)
    {
      float* out = time + 2 * k;
      const int step = 2 * quarter;
      _mm_storeu_ps(out, _mm_unpacklo_ps(f0.r, f0.i));
      _mm_storeu_ps(out + 4, _mm_unpackhi_ps(f0.r, f0.i));
      _mm_storeu_ps(out + step, _mm_unpacklo_ps(f1.r, f1.i));
      _mm_storeu_ps(out + step + 4, _mm_unpackhi_ps(f1.r, f1.i));
      _mm_storeu_ps(out + 2 * step, _mm_unpacklo_ps(f2.r, f2.i));
      _mm_storeu_ps(out + 2 * step + 4, _mm_unpackhi_ps(f2.r, f2.i));
      _mm_storeu_ps(out + 3 * step, _mm_unpacklo_ps(f3.r, f3.i));
      _mm_storeu_ps(out + 3 * step + 4, _mm_unpackhi_ps(f3.r, f3.i));
    }
    else
    {
      _mm_store_ps(hr + k, f0.r);
      _mm_store_ps(hi + k, f0.i);
      _mm_store_ps(hr + k + quarter, f1.r);
      _mm_store_ps(hi + k + quarter, f1.i);
      _mm_store_ps(hr + k + 2 * quarter, f2.r);
      _mm_store_ps(hi + k + 2 * quarter, f2.i);
      _mm_store_ps(hr + k + 3 * quarter, f3.r);
      _mm_store_ps(hi + k + 3 * quarter, f3.i);
    }
  }
}

void RealFft::Forward(const float* time, float* re, float* im) noexcept
{
  if (!mValid)
    return;
  if (mStages[mNumStages - 1].radix == 4)
    LeafFromTime<4>(time);
  else
    LeafFromTime<2>(time);
  SubTransforms<false>(mForward);
  LastStage<false>(mForward, nullptr);

  // Split the half-size spectrum of the (even, odd) pairs into the real
  // input's bins k and n - k; at k = n/2 the second write stands, as in Kiss.
  const int n = mHalf;
  const float* zr = mHalfRe.get();
  const float* zi = mHalfIm.get();
  const float* wr = mForward.split.get();
  const float* wi = wr + n / 2;
  re[0] = zr[0] + zi[0];
  re[n] = zr[0] - zi[0];
  im[0] = 0.0f;
  im[n] = 0.0f;
  const __m128 half = _mm_set1_ps(0.5f);
  for (int k = 1; k <= n / 2; k += 4)
  {
    const CVec fpk = {_mm_loadu_ps(zr + k), _mm_loadu_ps(zi + k)};
    const CVec fpnk = {Reverse(_mm_load_ps(zr + n - k - 3)), Negate(Reverse(_mm_load_ps(zi + n - k - 3)))};
    const CVec f1k = Add(fpk, fpnk);
    const CVec f2k = Sub(fpk, fpnk);
    const CVec tw = Mul(f2k, {_mm_load_ps(wr + k - 1), _mm_load_ps(wi + k - 1)});
    _mm_storeu_ps(re + k, _mm_mul_ps(_mm_add_ps(f1k.r, tw.r), half));
    _mm_storeu_ps(im + k, _mm_mul_ps(_mm_add_ps(f1k.i, tw.i), half));
    _mm_storeu_ps(re + n - k - 3, Reverse(_mm_mul_ps(_mm_sub_ps(f1k.r, tw.r), half)));
    _mm_storeu_ps(im + n - k - 3, Reverse(_mm_mul_ps(_mm_sub_ps(tw.i, f1k.i), half)));
  }
}

void RealFft::Inverse(const float* re, const float* im, float* time) noexcept
{
  if (!mValid)
    return;
  // Undo the split into the half-size sequence, again writing bin n - k
  // after bin k.
  const int n = mHalf;
  float* zr = mHalfRe.get();
  float* zi = mHalfIm.get();
  const float* wr = mInverse.split.get();
  const float* wi = wr + n / 2;
  zr[0] = re[0] + re[n];
  zi[0] = re[0] - re[n];
  for (int k = 1; k <= n / 2; k += 4)
  {
    const CVec fk = {_mm_loadu_ps(re + k), _mm_loadu_ps(im + k)};
    const CVec fnkc = {Reverse(_mm_loadu_ps(re + n - k - 3)), Negate(Reverse(_mm_loadu_ps(im + n - k - 3)))};
    const CVec fek = Add(fk, fnkc);
    const CVec fok = Mul(Sub(fk, fnkc), {_mm_load_ps(wr + k - 1), _mm_load_ps(wi + k - 1)});
    const CVec a = Add(fek, fok);
    const CVec b = Sub(fek, fok);
    _mm_storeu_ps(zr + k, a.r);
    _mm_storeu_ps(zi + k, a.i);
    _mm_store_ps(zr + n - k - 3, Reverse(b.r));
    _mm_store_ps(zi + n - k - 3, Negate(Reverse(b.i)));
  }

  if (mStages[mNumStages - 1].radix == 4)
    LeafFromHalf<4>();
  else
    LeafFromHalf<2>();
  SubTransforms<true>(mInverse);
  LastStage<true>(mInverse, time);
}

} // namespace murkwisp::engine
