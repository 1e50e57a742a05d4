#include "support/HeadlessGfxVG.h"

#include <cstdio>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

#include "base/IHeapBuf.h"
#include "toolkit/IRegionRects.h"
#include "platform/PlatformFont.h"
#include "renderer/CanvasContext.h"
#include "renderer/CanvasGLBackend.h"
#include "renderer/CanvasRenderTarget.h"

using namespace ifx::canvas;

namespace ifx {
namespace testkit {

using namespace igfx;

std::string EncodePng(int w, int h, const std::vector<uint8_t>& rgba)
{
  std::string out;
  stbi_write_png_to_func(
    [](void* to, void* data, int size) {
      static_cast<std::string*>(to)->append(static_cast<const char*>(data), static_cast<size_t>(size));
    },
    &out, w, h, 4, rgba.data(), w * 4);
  return out;
}

bool WriteFile(const std::string& path, const std::string& bytes)
{
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f)
    return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

EglTestContext& HeadlessGfxVG::SharedContext()
{
  static EglTestContext* context = new EglTestContext();
  return *context;
}

HeadlessGfxVG::HeadlessGfxVG(IEditorDelegate& dlg, int w, int h, float drawScale) : IGfxVG(dlg, w, h, 60, drawScale) {}

HeadlessGfxVG::~HeadlessGfxVG()
{
  // GL objects go while the context is still there.
  mEgl.MakeCurrent();
  OnSurfaceDestroyed();
}

bool HeadlessGfxVG::Open()
{
  if (!mEgl.Ok())
    return false;
  mEgl.MakeCurrent();
  OnSurfaceCreated();
  if (!Canvas())
    return false;
  ResizeSurface();
  return MainFrame() != nullptr && mWindow != nullptr;
}

void HeadlessGfxVG::MakeWindowTarget()
{
  DeleteCanvasRenderTarget(mWindow);
  mWindow = nullptr;
  CanvasGLBackend* backend = CanvasGLBackendOf(Canvas());
  if (!backend || PhysicalWidth() <= 0 || PhysicalHeight() <= 0)
    return;
  // The surfaceless context has no framebuffer of its own: this target is
  // the window the frame is composited onto.
  mWindow = CreateCanvasRenderTarget(Canvas(), PhysicalWidth(), PhysicalHeight());
  backend->windowFramebuffer = mWindow ? static_cast<int>(mWindow->framebuffer) : 0;
}

void HeadlessGfxVG::OnSurfaceCreated()
{
  IGfxVG::OnSurfaceCreated();
  MakeWindowTarget();
}

void HeadlessGfxVG::OnSurfaceDestroyed()
{
  DeleteCanvasRenderTarget(mWindow);
  mWindow = nullptr;
  IGfxVG::OnSurfaceDestroyed();
}

void HeadlessGfxVG::ResizeSurface()
{
  IGfxVG::ResizeSurface();
  MakeWindowTarget();
}

void HeadlessGfxVG::DrawRects(std::initializer_list<IRECT> rects)
{
  IRegionRects region;
  for (const IRECT& r : rects)
    region.Add(r);
  Draw(region);
}

void HeadlessGfxVG::ReadWindow()
{
  CanvasGLBackend* backend = CanvasGLBackendOf(Canvas());
  if (!backend || !mWindow)
    return;
  mPixelsW = mWindow->width;
  mPixelsH = mWindow->height;
  mPixels.assign(static_cast<size_t>(mPixelsW) * static_cast<size_t>(mPixelsH) * 4u, 0);
  BindCanvasRenderTarget(Canvas(), mWindow);
  backend->gl.pixelStorei(cgl::kPackAlignment, 1);
  backend->gl.readPixels(0, 0, mPixelsW, mPixelsH, cgl::kRGBA, cgl::kUnsignedByte, mPixels.data());
}

Pixel HeadlessGfxVG::At(int x, int y) const
{
  if (x < 0 || y < 0 || x >= mPixelsW || y >= mPixelsH)
    return Pixel{-1, -1, -1, -1};
  // Rows come bottom-up.
  const uint8_t* p =
    &mPixels[(static_cast<size_t>(mPixelsH - 1 - y) * static_cast<size_t>(mPixelsW) + static_cast<size_t>(x)) * 4u];
  return Pixel{p[0], p[1], p[2], p[3]};
}

long HeadlessGfxVG::AlphaSum(int x0, int y0, int x1, int y1) const
{
  long sum = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++)
      sum += Alpha(x, y);
  return sum;
}

std::vector<uint8_t> HeadlessGfxVG::WindowRgb() const
{
  // Premultiplied colour over black is the colour itself.
  std::vector<uint8_t> rgb;
  rgb.reserve(static_cast<size_t>(mPixelsW) * static_cast<size_t>(mPixelsH) * 3u);
  for (int y = 0; y < mPixelsH; y++)
    for (int x = 0; x < mPixelsW; x++)
    {
      const Pixel p = At(x, y);
      rgb.insert(rgb.end(), {static_cast<uint8_t>(p.r), static_cast<uint8_t>(p.g), static_cast<uint8_t>(p.b)});
    }
  return rgb;
}

bool HeadlessGfxVG::WriteWindowPng(const char* path) const
{
  if (mPixels.empty())
    return false;
  const std::vector<uint8_t> rgb = WindowRgb();
  return stbi_write_png(path, mPixelsW, mPixelsH, 3, rgb.data(), mPixelsW * 3) != 0;
}

PlatformFont* HeadlessGfxVG::LoadPlatformFontFromMemory(const char* fontID, const void* data, int dataSize)
{
  if (!data || dataSize <= 0)
    return nullptr;
  return new MemoryFont(data, static_cast<size_t>(dataSize));
}

PlatformFont* HeadlessGfxVG::LoadPlatformFont(const char* fontID, const char* fileNameOrResID)
{
  IHeapBuf bytes;
  if (!LoadResource(fileNameOrResID, "ttf", bytes))
    return nullptr;
  return new MemoryFont(bytes.Get(), static_cast<size_t>(bytes.GetSize()));
}

} // namespace testkit
} // namespace ifx
