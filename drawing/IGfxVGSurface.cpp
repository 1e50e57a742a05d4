// IGfxVG: the renderer's lifetime with the window's surface, the frame drawn
// into the main frame and composited onto the window, layers as render
// targets, and render targets whose deletion waits for the frame's end.
#include "drawing/IGfxVG.h"

#include <cmath>
#include <mutex>

#include "drawing/GLContextGuard.h"
#include "platform/FontDataCache.h"
#include "renderer/CanvasContext.h"
#include "renderer/CanvasGLBackend.h"
#include "renderer/CanvasPaint.h"
#include "renderer/CanvasRenderTarget.h"

using namespace ifx::canvas;

namespace ifx {
namespace igfx {

namespace {
constexpr size_t kDeletionReserve = 16;

// A float size as whole pixels, 0 when it is not a drawable size.
int PixelSize(float v)
{
  if (!(v >= 1.f) || v > static_cast<float>(IGfx::kMaxLayerSide))
    return 0;
  return static_cast<int>(v);
}

void ClearBound(CanvasGLApi& gl, int w, int h)
{
  gl.viewport(0, 0, w, h);
  gl.clearColor(0.f, 0.f, 0.f, 0.f);
  gl.clear(cgl::kColorBufferBit | cgl::kDepthBufferBit | cgl::kStencilBufferBit);
}
} // namespace

// -- Bitmaps ---------------------------------------------------------------------------

IGfxVG::Bitmap::Bitmap(CanvasContext* canvas, int image, float scale, bool shared, float drawScale)
  : APIBitmap(image, 0, 0, scale, drawScale), mCanvas(canvas), mShared(shared)
{
  if (canvas && image != 0)
    canvas->backend.queryTextureSize(canvas->backend.user, image, &mWidth, &mHeight);
}

IGfxVG::Bitmap::Bitmap(IGfxVG* graphics, CanvasContext* canvas, CanvasRenderTarget* target, float scale,
                       float drawScale)
  : APIBitmap(target->image, target->width, target->height, scale, drawScale)
  , mGraphics(graphics)
  , mCanvas(canvas)
  , mTarget(target)
{
}

IGfxVG::Bitmap::~Bitmap()
{
  if (mShared)
    return;
  if (mTarget)
    mGraphics->QueueFramebufferDeletion(mTarget);
  else if (mCanvas && mImageId != 0)
    mCanvas->backend.freeTexture(mCanvas->backend.user, mImageId);
}

// -- Lifetime and surface -----------------------------------------------------------------

IGfxVG::IGfxVG(IEditorDelegate& dlg, int w, int h, int fps, float scale) : IGfx(dlg, w, h, fps, scale)
{
  mDeletionStack.reserve(kDeletionReserve);
  // Font bytes are shared by every back end of the process while one lives.
  FontDataCache().Retain();
}

IGfxVG::~IGfxVG()
{
  // Controls and layers own bitmaps whose release comes back here: they go
  // while this object is whole (and without a cursor call the window that
  // derived from it can no longer answer).
  SetCursorHidden(false);
  RemoveAllControls();
  while (LayerDepth() > 0)
    delete PopLayer();
  // The glyph store points into the shared font bytes: it goes first.
  ReleaseSurface();
  auto& fonts = FontDataCache();
  std::lock_guard<std::recursive_mutex> lock(fonts.Lock());
  fonts.Release();
  DeleteQueuedFramebuffers();
}

int IGfxVG::FrameWidth() const { return static_cast<int>(static_cast<float>(Width()) * GetDrawScale()); }
int IGfxVG::FrameHeight() const { return static_cast<int>(static_cast<float>(Height()) * GetDrawScale()); }
int IGfxVG::PhysicalWidth() const { return static_cast<int>(static_cast<float>(FrameWidth()) * GetScreenScale()); }
int IGfxVG::PhysicalHeight() const { return static_cast<int>(static_cast<float>(FrameHeight()) * GetScreenScale()); }

void IGfxVG::OnSurfaceCreated()
{
  if (!mCanvas)
    mCanvas = CreateCanvasGLForCurrentContext(kCanvasGLAntiAlias);
}

void IGfxVG::ReleaseSurface()
{
  {
    std::lock_guard<std::recursive_mutex> lock(mBitmapCache.Lock());
    mBitmapCache.Clear();
  }
  DeleteQueuedFramebuffers();
  DeleteCanvasRenderTarget(mMainFrame);
  mMainFrame = nullptr;
  CanvasContext::Destroy(mCanvas);
  mCanvas = nullptr;
}

void IGfxVG::OnSurfaceDestroyed()
{
  RemoveAllControls();
  ReleaseSurface();
}

void IGfxVG::ResizeSurface()
{
  const GLContextGuard context(*this);
  DeleteCanvasRenderTarget(mMainFrame);
  mMainFrame = nullptr;
  if (mCanvas && PhysicalWidth() > 0 && PhysicalHeight() > 0)
    mMainFrame = CreateCanvasRenderTarget(mCanvas, PhysicalWidth(), PhysicalHeight());
}

// -- Frames --------------------------------------------------------------------------------

void IGfxVG::BindCurrentTarget()
{
  CanvasGLBackend* backend = CanvasGLBackendOf(mCanvas);
  if (!backend)
    return;
  IOffscreenLayer* top = TopLayer();
  auto* bitmap = top ? dynamic_cast<Bitmap*>(top->GetAPIBitmap()) : nullptr;
  if (bitmap && bitmap->RenderTarget())
  {
    const IRECT& b = top->Bounds();
    const float s = GetTotalScale();
    backend->gl.viewport(0, 0, PixelSize(b.W() * s), PixelSize(b.H() * s));
    BindCanvasRenderTarget(mCanvas, bitmap->RenderTarget());
    mCanvas->StartFrame(b.W() * GetDrawScale(), b.H() * GetDrawScale(), GetScreenScale());
    return;
  }
  backend->gl.viewport(0, 0, PhysicalWidth(), PhysicalHeight());
  BindCanvasRenderTarget(mCanvas, mMainFrame);
  mCanvas->StartFrame(static_cast<float>(FrameWidth()), static_cast<float>(FrameHeight()), GetScreenScale());
}

void IGfxVG::BeginFrame()
{
  mInFrame = true;
  IGfx::BeginFrame();
  CanvasGLBackend* backend = CanvasGLBackendOf(mCanvas);
  if (!backend)
    return;
  // The window is cleared; the main frame keeps what earlier frames drew, so
  // a partial redraw changes only its own rectangles.
  ClearBound(backend->gl, PhysicalWidth(), PhysicalHeight());
  BindCanvasRenderTarget(mCanvas, mMainFrame);
  mCanvas->StartFrame(static_cast<float>(FrameWidth()), static_cast<float>(FrameHeight()), GetScreenScale());
}

void IGfxVG::EndFrame()
{
  if (CanvasGLBackend* backend = CanvasGLBackendOf(mCanvas))
  {
    mCanvas->FinishFrame();
    // The window gets the main frame by a copy where the context has one, else
    // by drawing it as an image over the whole window.
    if (!mMainFrame || !BlitCanvasRenderTargetToWindow(mCanvas, mMainFrame))
    {
      BindCanvasRenderTarget(mCanvas, nullptr);
      if (mMainFrame)
      {
        const float w = static_cast<float>(FrameWidth()), h = static_cast<float>(FrameHeight());
        backend->gl.viewport(0, 0, PhysicalWidth(), PhysicalHeight());
        mCanvas->StartFrame(w, h, GetScreenScale());
        mCanvas->PushState();
        mCanvas->ResetTransform();
        mCanvas->BeginPath();
        mCanvas->AddRectangle(0.f, 0.f, w, h);
        mCanvas->SetFillPaint(CanvasImagePattern(0.f, 0.f, w, h, 0.f, mMainFrame->image, 1.f));
        mCanvas->FillPath();
        mCanvas->PopState();
        mCanvas->FinishFrame();
      }
    }
  }
  mInFrame = false;
  DeleteQueuedFramebuffers();
}

// -- Layers ---------------------------------------------------------------------------------

void IGfxVG::RefreshLayer()
{
  if (!mCanvas)
    return;
  mCanvas->FinishFrame();
  BindCurrentTarget();
}

APIBitmap* IGfxVG::NewBackendBitmap(int width, int height, float scale, float drawScale, bool cacheable)
{
  if (!mCanvas || width <= 0 || height <= 0 || width > kMaxLayerSide || height > kMaxLayerSide || !(scale > 0.f) ||
      !std::isfinite(scale) || !(drawScale > 0.f) || !std::isfinite(drawScale))
    return nullptr;
  CanvasGLBackend* backend = CanvasGLBackendOf(mCanvas);
  if (mInFrame)
    mCanvas->FinishFrame();
  Bitmap* bitmap = nullptr;
  if (CanvasRenderTarget* target = CreateCanvasRenderTarget(mCanvas, width, height))
  {
    BindCanvasRenderTarget(mCanvas, target);
    ClearBound(backend->gl, width, height);
    mCanvas->StartFrame(static_cast<float>(width), static_cast<float>(height), 1.f);
    mCanvas->FinishFrame();
    bitmap = new Bitmap(this, mCanvas, target, scale, drawScale);
  }
  // Drawing goes on where it was, the current layer or the main frame.
  if (mInFrame)
    BindCurrentTarget();
  return bitmap;
}

// -- Render target deletion ----------------------------------------------------------------------

void IGfxVG::QueueFramebufferDeletion(CanvasRenderTarget* target)
{
  if (!target)
    return;
  // A target of a renderer that is gone went with its GL objects' owner.
  if (target->canvas != mCanvas)
  {
    target->canvas = nullptr;
    DeleteCanvasRenderTarget(target);
    return;
  }
  if (mInFrame)
  {
    MutexLock lock(mDeletionLock);
    mDeletionStack.push_back(target);
    return;
  }
  DeleteCanvasRenderTarget(target);
}

void IGfxVG::DeleteQueuedFramebuffers()
{
  MutexLock lock(mDeletionLock);
  while (!mDeletionStack.empty())
  {
    DeleteCanvasRenderTarget(mDeletionStack.back());
    mDeletionStack.pop_back();
  }
}

} // namespace igfx
} // namespace ifx
