// Dirty collection, the per-rectangle draw loop, offscreen layers and the
// processor-side drop-shadow blur.
#include "toolkit/IGfx.h"

#include <algorithm>
#include <cmath>

#include "toolkit/GfxClock.h"

namespace ifx {
namespace igfx {

namespace {
// Lets a one-unit outline on a control's edge show completely.
constexpr float kDirtyPadding = 0.75f;
// Longest blur kernel; larger blurs would only fade the whole layer anyway.
constexpr int kMaxBlurKernel = 4096;
} // namespace

void IGfx::BeginFrame()
{
  if (!mPerfDisplay)
    return;
  const double t = GfxClock::SecondsSinceStart();
  mFrameIntervalIdx = (mFrameIntervalIdx + 1) % 100;
  mFrameIntervals[mFrameIntervalIdx] = static_cast<float>(t - mPrevTimestamp);
  mPrevTimestamp = t;
}

bool IGfx::IsDirty(IRegionRects& rects)
{
  if (mDisplayTickFunc)
    mDisplayTickFunc();

  // A copy runs so the animation may clear or replace itself.
  VisitAllControls([](IControl* c) {
    if (c->GetAnimationFunction())
    {
      IControlAnimation step = c->GetAnimationFunction();
      step(c);
    }
  });

  bool dirty = false;
  VisitAllControls([&rects, &dirty](IControl* c) {
    if (!c->IsDirty())
      return;
    IRECT r = c->GetRECT().GetPadded(kDirtyPadding);
    if (IControl* parent = c->GetParent())
      r.ClampInside(parent->GetRECT().GetPadded(kDirtyPadding));
    rects.Add(r);
    dirty = true;
  });
  return dirty;
}

void IGfx::Draw(IRegionRects& rects)
{
  if (rects.Empty())
    return;
  const float scale = GetTotalScale();
  BeginFrame();
  rects.PixelAlign(scale);
  rects.Optimize();
  for (int i = 0; i < rects.Size(); ++i)
  {
    // The visitor captures one reference, so it fits std::function's own
    // storage and a frame allocates nothing.
    const struct
    {
      IGfx* g;
      IRECT r;
      float scale;
    } pass{this, rects.Get(i), scale};
    VisitAllControls([&pass](IControl* c) { pass.g->DrawControl(c, pass.r, pass.scale); });
  }
  EndFrame();
}

void IGfx::DrawControl(IControl* control, const IRECT& bounds, float scale)
{
  if (!control)
    return;
  if (control->IsHidden() && !(NControls() > 0 && mControls[0] == control))
    return;

  const IRECT controlClip = control->GetRECT().GetPadded(kDirtyPadding).GetPixelAligned(scale);
  IRECT clip = bounds.Intersect(controlClip);
  if (clip.W() <= 0.f || clip.H() <= 0.f)
    return;

  for (IControl* parent = control->GetParent(); parent; parent = parent->GetParent())
  {
    const IRECT p = parent->GetRECT().GetPadded(kDirtyPadding).GetPixelAligned(scale);
    if (clip.HasNaN() || p.HasNaN())
      return;
    if (!(clip.R >= p.L && clip.L < p.R && clip.B >= p.T && clip.T < p.B))
      return;
    clip.ClampInside(p);
  }

  ResetPathTransform(true);
  PathClear();
  SetClipRegion(clip);
  mClipRECT = clip;
  control->Draw(*this);
  OnControlDrawn(clip);
}

// -- Layers ----------------------------------------------------------------------

bool IGfx::StartLayer(IControl* control, const IRECT& bounds, bool cacheable)
{
  const float s = GetTotalScale();
  const IRECT aligned = bounds.GetPixelAligned(s);
  const float w = std::ceil(s * std::ceil(aligned.W()));
  const float h = std::ceil(s * std::ceil(aligned.H()));
  // Checked as floats: NaN or a huge size has no integer to become.
  const float maxSide = static_cast<float>(kMaxLayerSide);
  if (!(w > 0.f && h > 0.f && w <= maxSide && h <= maxSide))
    return false;
  APIBitmap* bitmap = NewBackendBitmap(static_cast<int>(w), static_cast<int>(h), mScreenScale, mDrawScale, cacheable);
  if (!bitmap)
    return false;
  PushLayer(new IOffscreenLayer(bitmap, control, control ? control->GetRECT() : IRECT(), aligned));
  return true;
}

void IGfx::PushLayer(IOffscreenLayer* layer)
{
  if (!layer)
    return;
  mLayers.push_back(layer);
  RefreshLayer();
  mTransform = ITransform2D();
  SetPathTransform(mTransform);
  ClipToPathRegion(layer->Bounds());
  PathClear();
}

IOffscreenLayer* IGfx::PopLayer()
{
  IOffscreenLayer* layer = nullptr;
  if (!mLayers.empty())
  {
    layer = mLayers.back();
    mLayers.pop_back();
  }
  RefreshLayer();
  mTransform = ITransform2D();
  SetPathTransform(mTransform);
  ClipToPathRegion(IRECT());
  PathClear();
  return layer;
}

void IGfx::ClipToPathRegion(const IRECT& r)
{
  const IRECT base = mLayers.empty() ? mClipRECT : mLayers.back()->Bounds();
  const IRECT region = r.Empty() ? base : r.Intersect(base);
  SetPathTransform(ITransform2D());
  SetClipRegion(region);
  SetPathTransform(mTransform);
}

// -- Drop shadow -----------------------------------------------------------------

void IGfx::BlurPass(uint8_t* out, const uint8_t* in, const uint8_t* kernel, int width, int height, int outStride,
                    int inStride, int kernelSize, uint32_t norm)
{
  if (!out || !in || !kernel || width <= 0 || height <= 0 || kernelSize <= 0 || norm == 0)
    return;
  for (int y = 0; y < height; ++y, in += inStride)
  {
    for (int x = 0; x < width; ++x)
    {
      uint32_t sum = static_cast<uint32_t>(in[x * 4]) * kernel[0];
      for (int j = 1; j < kernelSize; ++j)
      {
        // Taps outside the row are left out without renormalising, so the
        // blur fades towards the edges.
        if (x - j >= 0)
          sum += static_cast<uint32_t>(kernel[j]) * in[(x - j) * 4];
        if (x + j < width)
          sum += static_cast<uint32_t>(kernel[j]) * in[(x + j) * 4];
      }
      out[static_cast<ptrdiff_t>(x) * outStride + y * 4] = static_cast<uint8_t>(std::min<uint32_t>(255, sum / norm));
    }
  }
}

void IGfx::AddLayerShadow(IOffscreenLayer* layer, const IDropShadow& shadow)
{
  if (!layer || !layer->GetAPIBitmap())
    return;
  IRawBuffer a;
  ReadLayerPixels(layer, a);
  if (a.empty())
    return;

  const APIBitmap* bitmap = layer->GetAPIBitmap();
  const int width = bitmap->GetWidth();
  const int height = bitmap->GetHeight();
  const size_t size = a.size();
  if (width <= 0 || height <= 0 || size < static_cast<size_t>(width) * static_cast<size_t>(height) * 4u)
    return;
  IRawBuffer b(size);

  const float k = bitmap->GetScale() * bitmap->GetDrawScale();
  const float blur = std::max(1.f, shadow.blurSize * k + 1.f);
  if (!std::isfinite(blur))
    return;
  const double c = 4.5 / (static_cast<double>(blur) * blur);
  const int n = std::min(kMaxBlurKernel, static_cast<int>(std::ceil(blur)));
  std::vector<uint8_t> kernel(static_cast<size_t>(n));
  uint32_t norm = 0;
  for (int i = 0; i < n; ++i)
  {
    kernel[static_cast<size_t>(i)] = static_cast<uint8_t>(std::lround(255.0 * std::exp(-(i * i) * c)));
    norm += (i == 0 ? 1u : 2u) * kernel[static_cast<size_t>(i)];
  }

  const bool flipped = IsBitmapFlipped();
  const int stride1 = static_cast<int>(size / static_cast<size_t>(width));
  const int stride3 = static_cast<int>(size / static_cast<size_t>(height));
  const int stride2 = flipped ? -stride3 : stride3;
  const int alpha = std::clamp(AlphaChannelIndex(), 0, 3);

  // Flipped layers are walked from their last row upwards.
  const uint8_t* inRows = a.data() + alpha + (flipped ? static_cast<ptrdiff_t>(height - 1) * stride3 : 0);
  BlurPass(b.data() + alpha, inRows, kernel.data(), width, height, stride1, stride2, n, norm);
  BlurPass(a.data() + alpha, b.data() + alpha, kernel.data(), height, width, stride3, stride1, n, norm);
  CompositeShadowMask(layer, a, shadow);
}

} // namespace igfx
} // namespace ifx
