#pragma once
// The editor's drawing back end: IGfx's drawing operations on the vector
// renderer and its OpenGL 2 back end. Every frame is drawn into one
// offscreen main frame that is composited onto the window at the end of the
// frame; layers are further render targets. UI thread only, inside the
// window's GL context. Without a renderer (its creation failed) every
// operation does nothing.
#include <vector>

#include "base/Mutex.h"
#include "toolkit/IGfx.h"
#include "platform/ScaledResourceCache.h"

namespace ifx::canvas {
struct CanvasContext;
struct CanvasRenderTarget;
} // namespace ifx::canvas

namespace ifx {
namespace igfx {

class IGfxVG : public IGfx
{
public:
  // A renderer image: decoded from a file or bytes, made from pixels, or the
  // colour texture of a render target (layers).
  class Bitmap : public APIBitmap
  {
  public:
    // An image of the canvas (0: decoding failed, size 0 x 0); a shared one
    // is never freed here.
    Bitmap(canvas::CanvasContext* canvas, int image, float scale, bool shared, float drawScale = 1.f);
    // Takes the render target over.
    Bitmap(IGfxVG* graphics, canvas::CanvasContext* canvas, canvas::CanvasRenderTarget* target, float scale,
           float drawScale);
    ~Bitmap() override;

    canvas::CanvasRenderTarget* RenderTarget() const { return mTarget; }

  private:
    IGfxVG* mGraphics = nullptr;
    canvas::CanvasContext* mCanvas = nullptr;
    canvas::CanvasRenderTarget* mTarget = nullptr;
    bool mShared = false;
  };

  IGfxVG(IEditorDelegate& dlg, int w, int h, int fps = 60, float scale = 1.f);
  ~IGfxVG() override;

  // -- Frame and surface
  void BeginFrame() override;
  void OnSurfaceCreated() override;
  void OnSurfaceDestroyed() override;
  void EndFrame() override;
  void ResizeSurface() override;

  // -- Drawing
  void DrawBitmap(const IBitmapRef& bitmap, const IRECT& dest, int srcX, int srcY,
                  const IBlendMode* blend = nullptr) override;
  void DrawDottedLine(const IRgba& color, float x1, float y1, float x2, float y2, const IBlendMode* blend = nullptr,
                      float thickness = 1.f, float dashLen = 2.f) override;
  void DrawDottedRect(const IRgba& color, const IRECT& bounds, const IBlendMode* blend = nullptr, float thickness = 1.f,
                      float dashLen = 2.f) override;
  void DrawMultiLineText(const ITextStyle& text, const char* str, const IRECT& bounds,
                         const IBlendMode* blend = nullptr) override;
  void DrawQuickShadow(const IRECT& innerBounds, const IRECT& outerBounds, float xyDrop, float roundness, float blur,
                       const IBlendMode* blend = nullptr) override;

  // -- Back-end queries
  IRgba GetPoint(int x, int y) override { return IRgba(255, 0, 0, 0); }
  void* NativeDrawContext() override { return mCanvas; }
  const char* DrawingBackendName() override { return "Vector | GL2"; }
  void RetainBitmap(const IBitmapRef& bitmap, const char* cacheName) override {}
  void ReleaseBitmap(const IBitmapRef& bitmap) override {}
  bool SupportsImageType(const char* extension) override;
  int AlphaChannelIndex() const override { return 3; }
  bool IsBitmapFlipped() const override { return true; } // layer rows run bottom-up

  // -- Layers and shadows
  void ReadLayerPixels(IOffscreenLayer* layer, IRawBuffer& data) override;
  void CompositeShadowMask(IOffscreenLayer* layer, const IRawBuffer& mask, const IDropShadow& shadow) override;
  void RefreshLayer() override;

  // -- Paths
  void PathClear() override;
  void PathClose() override;
  void PathArc(float cx, float cy, float r, float a1, float a2, EArcDirection dir = kArcClockwise) override;
  void PathMoveTo(float x, float y) override;
  void PathLineTo(float x, float y) override;
  void SetPathWinding(bool clockwise) override;
  void PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2) override;
  void PathQuadraticBezierTo(float cx, float cy, float x2, float y2) override;
  void PathStroke(const IPaintPattern& pattern, float thickness, const IStrokeSettings& options = {},
                  const IBlendMode* blend = nullptr) override;
  void PathFill(const IPaintPattern& pattern, const IFillSettings& options = {},
                const IBlendMode* blend = nullptr) override;
  void SetPathTransform(const ITransform2D& transform) override;
  void SetClipRegion(const IRECT& r) override;

  // -- Resources
  IBitmapRef LoadBitmap(const char* name, int nStates = 1, bool framesAreHorizontal = false,
                        int targetScale = 0) override;
  APIBitmap* DecodeBitmapData(const char* name, const void* data, int dataSize, int scale) override;
  APIBitmap* DecodeBitmapFile(const char* path, int scale, EResourceLocation location, const char* ext) override;
  // Null when the size cannot be drawn or the render target cannot be made.
  APIBitmap* NewBackendBitmap(int width, int height, float scale, float drawScale, bool cacheable = false) override;
  bool RegisterBackendFont(const char* fontID, PlatformFont* font) override;

  // -- Text
  float MeasureTextRun(const ITextStyle& text, const char* str, IRECT& bounds) const override;
  void RenderTextRun(const ITextStyle& text, const char* str, const IRECT& bounds, const IBlendMode* blend) override;
  // Sets the renderer's font, size and alignment from the style, places the
  // text in r (x, y: its anchor) and replaces r by the measured box (all zero
  // when the font is not registered).
  void SetTextStateAndMeasure(const ITextStyle& text, const char* str, IRECT& r, float& x, float& y) const;

  // -- Render targets released while a frame may still use them
  void QueueFramebufferDeletion(canvas::CanvasRenderTarget* target);
  void DeleteQueuedFramebuffers();

  canvas::CanvasContext* Canvas() const { return mCanvas; }
  canvas::CanvasRenderTarget* MainFrame() const { return mMainFrame; }
  bool InFrame() const { return mInFrame; }
  // The frame in editor units times the draw scale, and in physical pixels.
  int FrameWidth() const;
  int FrameHeight() const;
  int PhysicalWidth() const;
  int PhysicalHeight() const;

private:
  // Binds the top layer's target or the main frame, with its viewport, and
  // starts a canvas frame for it.
  void BindCurrentTarget();
  // Frees the bitmaps, the main frame and the renderer.
  void ReleaseSurface();

  canvas::CanvasContext* mCanvas = nullptr;
  canvas::CanvasRenderTarget* mMainFrame = nullptr;
  bool mInFrame = false;
  Mutex mDeletionLock;
  std::vector<canvas::CanvasRenderTarget*> mDeletionStack;
  // GL textures belong to one context: each instance keeps its own bitmaps.
  ScaledResourceCache<APIBitmap> mBitmapCache;
};

} // namespace igfx
} // namespace ifx
