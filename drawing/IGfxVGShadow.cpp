// IGfxVG: reading a layer's pixels, and drawing a layer's drop shadow from
// its blurred alpha.
#include "drawing/IGfxVG.h"

#include <algorithm>
#include <new>

#include "renderer/CanvasContext.h"
#include "renderer/CanvasGLBackend.h"
#include "renderer/CanvasPaint.h"

using namespace ifx::canvas;

namespace ifx {
namespace igfx {

namespace {
size_t PixelBytes(const APIBitmap* bitmap)
{
  if (!bitmap || bitmap->GetWidth() <= 0 || bitmap->GetHeight() <= 0)
    return 0;
  return static_cast<size_t>(bitmap->GetWidth()) * static_cast<size_t>(bitmap->GetHeight()) * 4u;
}

constexpr int32_t kBlendSourceIn = 1;
constexpr int32_t kBlendDestinationOver = 4;
} // namespace

void IGfxVG::ReadLayerPixels(IOffscreenLayer* layer, IRawBuffer& data)
{
  CanvasGLBackend* backend = CanvasGLBackendOf(mCanvas);
  const APIBitmap* bitmap = layer ? layer->GetAPIBitmap() : nullptr;
  const size_t size = PixelBytes(bitmap);
  if (!backend || size == 0)
    return;
  try
  {
    data.resize(size);
  }
  catch (const std::bad_alloc&)
  {
    return;
  }
  if (data.size() < size)
    return;
  PushLayer(layer);
  backend->gl.pixelStorei(cgl::kPackAlignment, 1);
  backend->gl.readPixels(0, 0, bitmap->GetWidth(), bitmap->GetHeight(), cgl::kRGBA, cgl::kUnsignedByte, data.data());
  PopLayer();
}

void IGfxVG::CompositeShadowMask(IOffscreenLayer* layer, const IRawBuffer& mask, const IDropShadow& shadow)
{
  APIBitmap* layerBitmap = layer ? layer->GetAPIBitmap() : nullptr;
  const size_t size = PixelBytes(layerBitmap);
  if (!mCanvas || size == 0 || mask.size() < size)
    return;
  const IRECT bounds = layer->Bounds();
  const int w = layerBitmap->GetWidth(), h = layerBitmap->GetHeight();
  const float scale = layerBitmap->GetScale(), drawScale = layerBitmap->GetDrawScale();

  if (!shadow.drawForeground)
  {
    // Erase the layer: the shadow alone is drawn.
    PushLayer(layer);
    mCanvas->BeginPath();
    mCanvas->AddRectangle(bounds.L, bounds.T, bounds.W(), bounds.H());
    mCanvas->SetFillColor(CanvasRGBAf(0.f, 0.f, 0.f, 0.f));
    mCanvas->SetCompositeBlend(kCanvasZero, kCanvasZero);
    mCanvas->FillPath();
    mCanvas->SetCompositeOperation(kCanvasSourceOver);
    mCanvas->BeginPath();
    PopLayer();
  }

  // The blur turned the layer's bottom-up rows upright: a plain image.
  const int maskImage = mCanvas->backend.makeTexture(mCanvas->backend.user, kCanvasTextureRGBA, w, h, 0, mask.data());
  Bitmap maskBitmap(mCanvas, maskImage, scale, false, drawScale);
  APIBitmap* tempBitmap = NewBackendBitmap(w, h, scale, drawScale);
  if (maskImage == 0 || !tempBitmap)
  {
    delete tempBitmap;
    return;
  }
  const IBitmapRef maskRef = MakeBitmapRef(&maskBitmap);
  IOffscreenLayer temp(tempBitmap, nullptr, IRECT(), bounds);

  SavePathTransform();
  PushLayer(layer);
  PushLayer(&temp);
  DrawBitmap(maskRef, bounds, 0, 0, nullptr);
  // The shadow's paint where the mask has alpha.
  PathClear();
  PathRect(bounds);
  PathTransformTranslate(-shadow.xOffset, -shadow.yOffset);
  const IBlendMode sourceIn(kBlendSourceIn, 1.f);
  PathFill(shadow.pattern, IFillSettings(), &sourceIn);
  PopLayer();

  // Behind the layer's content, moved by the offset.
  const IBitmapRef tempRef = MakeBitmapRef(tempBitmap);
  const IBlendMode behind(kBlendDestinationOver, std::clamp(shadow.opacity, 0.f, 1.f));
  DrawBitmap(tempRef, bounds.GetTranslated(shadow.xOffset, shadow.yOffset), 0, 0, &behind);
  PopLayer();
  RestorePathTransform();
}

} // namespace igfx
} // namespace ifx
