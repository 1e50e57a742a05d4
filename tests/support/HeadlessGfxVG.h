#pragma once
// The drawing back end without a window: IGfxVG on a surfaceless EGL context
// (Mesa), with an offscreen render target standing in for the window's
// framebuffer. The frame is composited onto that stand-in as onto a
// window, and read back from it. For pixel tests of IGfx drawing, controls
// and editors; every platform service is a stub that does nothing.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "renderer/EglTestContext.h"
#include "drawing/IGfxVG.h"

namespace ifx {
namespace testkit {

struct Pixel
{
  int r, g, b, a;
};

// The bytes of a PNG file of w x h RGBA pixels (rows top down), for images
// loaded from memory or disk.
std::string EncodePng(int w, int h, const std::vector<uint8_t>& rgba);
// Writes bytes to a new file at path; false when it cannot.
bool WriteFile(const std::string& path, const std::string& bytes);

class HeadlessGfxVG : public igfx::IGfxVG
{
public:
  HeadlessGfxVG(IEditorDelegate& dlg, int w = 200, int h = 200, float drawScale = 1.f);
  ~HeadlessGfxVG() override;

  // Makes the renderer and the frames, as a window does once its GL context
  // is current. False when there is no GL or the renderer cannot be made.
  bool Open();
  const char* Error() const { return mEgl.Error(); }
  // Makes the context current (after another GL user made its own current).
  void MakeCurrent() { mEgl.MakeCurrent(); }
  // A screen scale, as a window on another display would report.
  void SetScreenScaleForTest(float s) { SetScreenScale(s); }

  // Draws the rectangles (editor units) in one frame, as a paint does.
  void DrawRects(std::initializer_list<igfx::IRECT> rects);
  // Reads the window back; pixel (0, 0) is the top left.
  void ReadWindow();
  Pixel At(int x, int y) const;
  int Alpha(int x, int y) const { return At(x, y).a; }
  // The sum of the alpha of a rectangle of window pixels, in 1/255.
  long AlphaSum(int x0, int y0, int x1, int y1) const;
  // The window as last read, over opaque black: RGB, rows top down.
  std::vector<uint8_t> WindowRgb() const;
  // The same as a PNG file, for looking at by hand.
  bool WriteWindowPng(const char* path) const;

  // -- IGfx platform stubs
  void ActivateGLContext() override { mEgl.MakeCurrent(); }
  void OnSurfaceCreated() override;
  void OnSurfaceDestroyed() override;
  void ResizeSurface() override;
  bool GetMouseLocation(float& x, float& y) const override { return false; }
  void HideMouseCursor(bool hide, bool lock) override {}
  void MoveMouseCursor(float x, float y) override {}
  void CancelUserEdit() override {}
  void* OpenWindow(void* parent) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }
  bool PasteTextFromClipboard(IString& text) override { return false; }
  bool CopyTextToClipboard(const char* text) override { return false; }
  int ShowMessageBox(const char*, const char*, int, igfx::IMsgBoxCompletionHandlerFunc) override { return 0; }
  void AskForFile(IString&, IString&, int, const char*, igfx::IFileDialogCompletionHandlerFunc) override {}
  void AskForDirectory(IString&, igfx::IFileDialogCompletionHandlerFunc) override {}
  bool AskForColour(igfx::IRgba&, const char*, igfx::IColorPickerHandlerFunc) override { return false; }
  bool OpenURL(const char*, const char*, const char*, const char*) override { return false; }
  igfx::PlatformFont* LoadPlatformFontByName(const char*, const char*, int) override { return nullptr; }
  // Fonts from bytes, or from a file found as resources are.
  igfx::PlatformFont* LoadPlatformFontFromMemory(const char* fontID, const void* data, int dataSize) override;
  igfx::PlatformFont* LoadPlatformFont(const char* fontID, const char* fileNameOrResID) override;
  void CachePlatformFont(const char*, igfx::PlatformFont*) override {}
  void ShowNativeTextEntry(int, const igfx::ITextStyle&, const igfx::IRECT&, int, const char*) override {}
  igfx::IPopupMenu* ShowNativeMenu(igfx::IPopupMenu&, const igfx::IRECT&, bool& isAsync) override
  {
    isAsync = false;
    return nullptr;
  }

private:
  void MakeWindowTarget();

  // One context for every object of the process, never destroyed: Mesa's
  // worker threads then stay idle to the end instead of exiting while the
  // leak checker stops the process at its exit. Each object still has its
  // own renderer, textures and frames.
  static EglTestContext& SharedContext();

  EglTestContext& mEgl = SharedContext();
  ifx::canvas::CanvasRenderTarget* mWindow = nullptr;
  std::vector<uint8_t> mPixels;
  int mPixelsW = 0, mPixelsH = 0;
};

} // namespace testkit
} // namespace ifx
