// Frames, layers, render target lifetime, bitmaps and shadows of the drawing
// back end, checked on the window's pixels.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "drawing/DrawingFixture.h"
#include "renderer/CanvasGLBackend.h"
#include "renderer/CanvasRenderTarget.h"

using namespace ifx::canvas;

using namespace ifx::igfx;
using ifx::testkit::DrawingFixture;
using ifx::testkit::HeadlessGfxVG;
using ifx::testkit::Pixel;
using ifx::testkit::WriteFile;

namespace {
class FillControl : public IControl
{
public:
  FillControl(const IRECT& r, IRgba c) : IControl(r), color(c) {}
  void Draw(IGfx& g) override { g.FillRect(color, GetRECT()); }
  IRgba color;
};

// A PNG of w x h pixels of one colour, then the first pixel opaque black.
std::string Png(int w, int h, uint8_t r, uint8_t g, uint8_t b)
{
  std::vector<uint8_t> px((size_t)w * h * 4);
  for (size_t i = 0; i < px.size(); i += 4)
  {
    px[i] = r;
    px[i + 1] = g;
    px[i + 2] = b;
    px[i + 3] = 255;
  }
  px[0] = px[1] = px[2] = 0;
  return ifx::testkit::EncodePng(w, h, px);
}

bool IsFramebuffer(unsigned int fb)
{
  using Fn = unsigned char (*)(unsigned int);
  auto fn = reinterpret_cast<Fn>(EglTestContext::Proc("glIsFramebuffer"));
  return fn && fn(fb);
}
} // namespace

TEST_F(DrawingFixture, APartialRedrawLeavesOtherPixelsUntouched)
{
  auto* a = new FillControl(IRECT(10, 10, 60, 60), kColorRed);
  auto* b = new FillControl(IRECT(100, 10, 150, 60), kColorBlue);
  gfx.AttachControl(a);
  gfx.AttachControl(b);
  gfx.DrawRects({gfx.GetBounds()});
  gfx.ReadWindow();
  EXPECT_EQ(gfx.At(30, 30).r, 255);
  EXPECT_EQ(gfx.At(120, 30).b, 255);

  a->color = kColorGreen; // changed but not redrawn
  b->color = kColorWhite;
  gfx.DrawRects({b->GetRECT()});
  gfx.ReadWindow();
  EXPECT_EQ(gfx.At(30, 30).r, 255);
  EXPECT_EQ(gfx.At(30, 30).g, 0);
  EXPECT_EQ(gfx.At(120, 30).g, 255);
  EXPECT_EQ(gfx.AlphaSum(0, 70, 200, 200), 0);
}

// The copy where the context has one, the main frame drawn as an image
// where not: the same window either way, after a whole frame and after a
// partial one, at every scale.
TEST_F(DrawingFixture, TheWindowGetsTheSameFrameByACopyOrByDrawingIt)
{
  CanvasGLApi& gl = CanvasGLBackendOf(gfx.Canvas())->gl;
  const auto blit = gl.blitFramebuffer;
  ASSERT_NE(blit, nullptr);
  IRgba spot(200, 240, 90, 30);
  auto* panel = new FillControl(IRECT(120, 120, 190, 190), IRgba(128, 40, 90, 200));
  gfx.AttachControl(panel);
  auto scene = [&] {
    gfx.FillRect(IRgba(255, 18, 16, 14), gfx.GetBounds()); // a clear
    gfx.PathRect(IRECT(5, 5, 195, 100));
    gfx.PathFill(
      IPaintPattern::CreateLinearGradient(0, 0, 150, 90, {{IRgba(255, 255, 0, 0), 0.f}, {IRgba(60, 0, 0, 255), 1.f}}));
    gfx.FillEllipse(spot, IRECT(20.3f, 30.7f, 170.1f, 120.4f));
  };
  auto window = [&] {
    std::vector<Pixel> out;
    for (int y = 0; y < gfx.PhysicalHeight(); y++)
      for (int x = 0; x < gfx.PhysicalWidth(); x++)
        out.push_back(gfx.At(x, y));
    return out;
  };
  auto same = [](const std::vector<Pixel>& a, const std::vector<Pixel>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const Pixel& p, const Pixel& q) {
             return p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a;
           });
  };
  for (float screenScale : {1.f, 1.5f, 2.f})
  {
    SCOPED_TRACE(screenScale);
    gfx.SetScreenScaleForTest(screenScale);
    gfx.ResizeSurface();
    std::vector<Pixel> whole[2], partial[2];
    for (int copy : {1, 0})
    {
      gl.blitFramebuffer = copy ? blit : nullptr;
      spot = IRgba(200, 240, 90, 30);
      panel->color = IRgba(128, 40, 90, 200);
      Frame(scene);
      whole[copy] = window();
      panel->color = IRgba(255, 0, 200, 0);
      gfx.DrawRects({panel->GetRECT()});
      gfx.ReadWindow();
      partial[copy] = window();
    }
    EXPECT_TRUE(same(whole[0], whole[1]));
    EXPECT_TRUE(same(partial[0], partial[1]));
    EXPECT_FALSE(same(whole[1], partial[1])); // the panel did change
    EXPECT_EQ(gfx.At(2, 2).r, 18);
  }
  gl.blitFramebuffer = blit;
}

TEST_F(DrawingFixture, LayersAreCompositedTheRightWayUpAtEveryScale)
{
  for (float screenScale : {1.f, 2.f})
  {
    gfx.SetScreenScaleForTest(screenScale);
    gfx.ResizeSurface();
    std::vector<uint8_t> layerPixels;
    Frame([&] {
      ASSERT_TRUE(gfx.StartLayer(nullptr, IRECT(20, 20, 120, 120)));
      gfx.FillRect(kColorRed, IRECT(20, 20, 120, 40));    // top band
      gfx.FillRect(kColorBlue, IRECT(20, 100, 120, 120)); // bottom band
      std::unique_ptr<IOffscreenLayer> layer(gfx.PopLayer());
      ASSERT_NE(layer, nullptr);
      gfx.ReadLayerPixels(layer.get(), layerPixels);
      gfx.DrawBitmap(MakeBitmapRef(layer->GetAPIBitmap()), layer->Bounds(), 0, 0);
    });
    const int s = (int)screenScale;
    EXPECT_EQ(gfx.At(30 * s, 25 * s).r, 255) << screenScale;
    EXPECT_EQ(gfx.At(30 * s, 110 * s).b, 255) << screenScale;
    EXPECT_EQ(gfx.Alpha(30 * s, 70 * s), 0) << screenScale;
    EXPECT_EQ(gfx.Alpha(30 * s, 125 * s), 0) << screenScale;
    // Layer pixels come bottom-up: the blue band first.
    const size_t w = (size_t)(100 * s);
    ASSERT_EQ(layerPixels.size(), w * w * 4);
    EXPECT_EQ(layerPixels[2], 255);
    EXPECT_EQ(layerPixels[layerPixels.size() - 4], 255);
  }
}

TEST_F(DrawingFixture, RenderTargetsReleasedDuringAFrameGoAtItsEnd)
{
  APIBitmap* outside = gfx.NewBackendBitmap(16, 16, 1.f, 1.f);
  ASSERT_NE(outside, nullptr);
  const unsigned int fbOutside = static_cast<IGfxVG::Bitmap*>(outside)->RenderTarget()->framebuffer;
  EXPECT_TRUE(IsFramebuffer(fbOutside));
  delete outside;
  EXPECT_FALSE(IsFramebuffer(fbOutside));

  unsigned int fbInside = 0;
  gfx.BeginFrame();
  APIBitmap* inside = gfx.NewBackendBitmap(16, 16, 1.f, 1.f);
  ASSERT_NE(inside, nullptr);
  fbInside = static_cast<IGfxVG::Bitmap*>(inside)->RenderTarget()->framebuffer;
  delete inside;
  EXPECT_TRUE(IsFramebuffer(fbInside));
  gfx.EndFrame();
  EXPECT_FALSE(IsFramebuffer(fbInside));
}

TEST(DrawingWithoutRenderer, EveryOperationDoesNothing)
{
  ifx::testkit::RecordingDelegate dlg;
  HeadlessGfxVG unopened(dlg, 100, 100);
  HeadlessGfxVG empty(dlg, 0, 0); // a renderer but no main frame
  empty.Open();
  for (HeadlessGfxVG* g : {&unopened, &empty})
  {
    g->BeginFrame();
    g->FillRect(kColorRed, IRECT(0, 0, 10, 10));
    g->DrawDottedLine(kColorRed, 0, 0, 10, 10);
    g->DrawText(ITextStyle(), "text", IRECT(0, 0, 50, 20));
    g->DrawMultiLineText(ITextStyle(), "text", IRECT(0, 0, 50, 20));
    g->DrawQuickShadow(IRECT(0, 0, 5, 5), IRECT(0, 0, 9, 9), 1.f, 1.f, 1.f);
    IRECT r(0, 0, 50, 20);
    EXPECT_EQ(g->MeasureText(ITextStyle(), "text", r), 0.f);
    EXPECT_FALSE(g->LoadBitmap("missing.png").GetAPIBitmap());
    g->DrawBitmap(IBitmapRef(), IRECT(0, 0, 10, 10), 0, 0);
    g->EndFrame();
  }
  EXPECT_FALSE(unopened.StartLayer(nullptr, IRECT(0, 0, 10, 10)));
  EXPECT_EQ(unopened.NewBackendBitmap(10, 10, 1.f, 1.f), nullptr);
  EXPECT_EQ(unopened.LayerDepth(), 0);
  EXPECT_STREQ(unopened.DrawingBackendName(), "Vector | GL2");
  EXPECT_EQ(unopened.GetPoint(3, 4), IRgba(255, 0, 0, 0));
  EXPECT_TRUE(unopened.SupportsImageType("PNG"));
  EXPECT_TRUE(unopened.SupportsImageType("jpeg"));
  EXPECT_FALSE(unopened.SupportsImageType("gif"));
  EXPECT_FALSE(unopened.SupportsImageType(std::string(40, 'p').append("png").c_str()));
}

TEST_F(DrawingFixture, BitmapsDecodeOncePerInstanceAndDrawAtTheirSize)
{
  char dir[] = "/tmp/murkwisp-bitmaps-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string png = std::string(dir) + "/tile.png";
  const std::string broken = std::string(dir) + "/broken.png";
  ASSERT_TRUE(WriteFile(png, Png(4, 4, 255, 0, 0)));
  ASSERT_TRUE(WriteFile(broken, "not a png at all"));

  const IBitmapRef tile = gfx.LoadBitmap(png.c_str());
  ASSERT_NE(tile.GetAPIBitmap(), nullptr);
  EXPECT_EQ(tile.W(), 4);
  EXPECT_EQ(gfx.LoadBitmap(png.c_str()).GetAPIBitmap(), tile.GetAPIBitmap());
  // Found only at scale 1: a load at 2 finds the decoded one again.
  EXPECT_EQ(gfx.LoadBitmap(png.c_str(), 1, false, 2).GetAPIBitmap(), tile.GetAPIBitmap());
  EXPECT_EQ(gfx.LoadBitmap(png.c_str(), 1, false, 2).GetAPIBitmap(), tile.GetAPIBitmap());
  const IBitmapRef failed = gfx.LoadBitmap(broken.c_str());
  EXPECT_EQ(failed.GetAPIBitmap(), nullptr); // no bitmap, as for a missing file
  EXPECT_EQ(failed.W(), 0);
  EXPECT_FALSE(gfx.LoadBitmapFromMemory("tiny.png", "\x89PN", 3).IsValid());
  const std::string bytes = Png(2, 2, 0, 255, 0);
  const IBitmapRef fromMemory = gfx.LoadBitmapFromMemory("green.png", bytes.data(), (int)bytes.size());
  EXPECT_EQ(fromMemory.W(), 2);
  EXPECT_EQ(gfx.LoadBitmapFromMemory("green.png", bytes.data(), (int)bytes.size()).GetAPIBitmap(),
            fromMemory.GetAPIBitmap());

  Frame([&] {
    gfx.DrawBitmap(tile, IRECT(10, 10, 14, 14), 0, 0);
    gfx.DrawBitmap(tile, IRECT(20, 10, 23, 14), 1, 0); // the source moved one pixel left
    gfx.DrawBitmap(failed, IRECT(30, 10, 34, 14), 0, 0);
    gfx.DrawBitmap(IBitmapRef(), IRECT(40, 10, 44, 14), 0, 0);
    gfx.DrawBitmap(fromMemory, IRECT(50, 10, 52, 12), 0, 0);
  });
  EXPECT_EQ(gfx.At(10, 10).r, 0); // the black first pixel
  EXPECT_EQ(gfx.At(10, 10).a, 255);
  EXPECT_EQ(gfx.At(11, 10).r, 255);
  EXPECT_EQ(gfx.At(13, 13).r, 255);
  EXPECT_EQ(gfx.Alpha(14, 10), 0);
  EXPECT_EQ(gfx.At(20, 10).r, 255); // pixel 1 of the tile
  EXPECT_EQ(gfx.AlphaSum(30, 10, 48, 14), 0);
  EXPECT_EQ(gfx.At(51, 11).g, 255);

  // Another editor has its own renderer and bitmaps: GL textures belong to
  // one context, so none is handed from one editor to another.
  HeadlessGfxVG other(dlg, 50, 50);
  ASSERT_TRUE(other.Open());
  const IBitmapRef otherTile = other.LoadBitmap(png.c_str());
  EXPECT_NE(otherTile.GetAPIBitmap(), tile.GetAPIBitmap());
  std::remove(png.c_str());
  std::remove(broken.c_str());
  rmdir(dir);
}

TEST_F(DrawingFixture, BytesThatDoNotDecodeGiveNoBitmapAndAreTriedAgain)
{
  char dir[] = "/tmp/murkwisp-corrupt-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string good = Png(3, 2, 0, 0, 255);
  std::string body = good; // signature and header intact, the data not
  for (size_t i = 40; i < body.size(); ++i)
    body[i] = static_cast<char>(body[i] ^ 0x5A);
  const std::string cases[] = {body, good.substr(0, good.size() / 2), good.substr(0, 8)};
  for (const std::string& bytes : cases)
  {
    const std::string name = std::to_string(bytes.size()) + ".png", path = std::string(dir) + "/" + name;
    ASSERT_TRUE(WriteFile(path, bytes));
    EXPECT_FALSE(gfx.LoadBitmap(path.c_str()).IsValid()) << name;
    EXPECT_FALSE(gfx.LoadBitmapFromMemory(name.c_str(), bytes.data(), (int)bytes.size()).IsValid()) << name;
    // Nothing was kept: the same names load once the bytes are whole.
    ASSERT_TRUE(WriteFile(path, good));
    EXPECT_EQ(gfx.LoadBitmap(path.c_str()).W(), 3) << name;
    EXPECT_EQ(gfx.LoadBitmapFromMemory(name.c_str(), good.data(), (int)good.size()).H(), 2) << name;
    std::remove(path.c_str());
  }
  rmdir(dir);
}

TEST_F(DrawingFixture, DropShadowsSitBehindTheLayerMovedByTheirOffset)
{
  for (int ds : {1, 2}) // the draw scale
  {
    gfx.Resize(200, 200, (float)ds);
    Frame([&] {
      ASSERT_TRUE(gfx.StartLayer(nullptr, IRECT(50, 50, 150, 150)));
      gfx.FillRect(kColorRed, IRECT(60, 60, 90, 90)); // near the layer's top left
      std::unique_ptr<IOffscreenLayer> layer(gfx.PopLayer());
      IDropShadow shadow;
      shadow.pattern = IPaintPattern(kColorBlack);
      shadow.blurSize = 1.f;
      shadow.xOffset = 10.f;
      shadow.yOffset = 10.f;
      gfx.AddLayerShadow(layer.get(), shadow);
      gfx.DrawBitmap(MakeBitmapRef(layer->GetAPIBitmap()), layer->Bounds(), 0, 0);

      ASSERT_TRUE(gfx.StartLayer(nullptr, IRECT(0, 150, 40, 190)));
      gfx.FillRect(kColorRed, IRECT(0, 150, 20, 170));
      std::unique_ptr<IOffscreenLayer> alone(gfx.PopLayer());
      shadow.drawForeground = false;
      shadow.opacity = 0.5f;
      gfx.AddLayerShadow(alone.get(), shadow);
      gfx.DrawBitmap(MakeBitmapRef(alone->GetAPIBitmap()), alone->Bounds(), 0, 0);
    });
    EXPECT_EQ(gfx.At(75 * ds, 75 * ds).r, 255) << ds;  // the content, in front
    EXPECT_GT(gfx.Alpha(95 * ds, 95 * ds), 200) << ds; // the shadow, down and right
    EXPECT_EQ(gfx.At(95 * ds, 95 * ds).r, 0) << ds;
    EXPECT_EQ(gfx.Alpha(95 * ds, 65 * ds), 0) << ds; // right of the content, above the shadow
    EXPECT_EQ(gfx.Alpha(65 * ds, 95 * ds), 0) << ds;
    EXPECT_EQ(gfx.AlphaSum(50 * ds, 110 * ds, 150 * ds, 150 * ds), 0) << ds; // nothing at the bottom
    // Without the foreground only the shadow is left, at the opacity.
    EXPECT_EQ(gfx.At(5 * ds, 155 * ds).r, 0) << ds;
    EXPECT_NEAR(gfx.Alpha(15 * ds, 165 * ds), 128, 16) << ds;
  }
}
