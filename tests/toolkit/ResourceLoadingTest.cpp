#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "base/IHeapBuf.h"
#include "platform/FontBuilder.h"
#include "toolkit/ResourceCaches.h"
#include "toolkit/svg/SVGImage.h"
#include "platform/FontDataCache.h"
#include "platform/PlatformFont.h"
#include "support/GfxFixture.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;
namespace fs = std::filesystem;

namespace {
class ResourceTest : public GfxFixture
{
protected:
  ResourceTest()
  {
    dir = fs::temp_directory_path() / ("murkwisp_gui_res_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                       "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  ~ResourceTest() override
  {
    gfx.reset();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  std::string Write(const char* name, const std::string& bytes)
  {
    const fs::path p = dir / name;
    std::FILE* f = std::fopen(p.string().c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return p.string();
  }

  fs::path dir;
};
} // namespace

TEST_F(ResourceTest, LoadResourceReadsWholeFilesAndMissesCleanly)
{
  const std::string path = Write("data.svg", "<svg/>");
  IHeapBuf buf;
  EXPECT_TRUE(gfx->LoadResource(path.c_str(), "svg", buf));
  ASSERT_EQ(buf.GetSize(), 6);
  EXPECT_EQ(std::string(buf.GetAs<char>(), 6), "<svg/>");
  EXPECT_FALSE(gfx->LoadResource((dir / "missing.svg").string().c_str(), "svg", buf));
  EXPECT_EQ(buf.GetSize(), 0);
}

TEST_F(ResourceTest, LoadResourceRefusesWhatHasNoUsableSize)
{
  IHeapBuf buf;
  Write("empty.ttf", "");
  // Larger than any resource may be (sparse: takes no disk space).
  const fs::path huge = dir / "huge.ttf";
  Write("huge.ttf", "");
  fs::resize_file(huge, (std::uintmax_t(256) << 20) + 1);
  for (const fs::path& p : {dir / "empty.ttf", huge, dir})
  {
    ASSERT_TRUE(buf.Resize(16));
    EXPECT_FALSE(gfx->LoadResource(p.string().c_str(), "ttf", buf)) << p;
    EXPECT_EQ(buf.GetSize(), 0) << p;
  }
  fs::resize_file(huge, 5);
  EXPECT_TRUE(gfx->LoadResource(huge.string().c_str(), "ttf", buf));
  EXPECT_EQ(buf.GetSize(), 5);
}

TEST_F(ResourceTest, ImageSearchTriesScalesInOrder)
{
  const std::string plain = Write("knob.png", "x");
  IString path;
  int source = -1;
  EXPECT_EQ(gfx->FindImageResource(plain.c_str(), "png", path, 2, source), kResourceOnDisk);
  EXPECT_EQ(source, 1);
  EXPECT_EQ(std::string(path.Get()), plain);

  Write("knob@3x.png", "x");
  EXPECT_EQ(gfx->FindImageResource(plain.c_str(), "png", path, 2, source), kResourceOnDisk);
  EXPECT_EQ(source, 3);
  Write("knob@2x.png", "x");
  EXPECT_EQ(gfx->FindImageResource(plain.c_str(), "png", path, 2, source), kResourceOnDisk);
  EXPECT_EQ(source, 2);

  EXPECT_EQ(gfx->FindImageResource((dir / "none.png").string().c_str(), "png", path, 1, source), kResourceNotFound);
  EXPECT_EQ(source, 0);
}

TEST_F(ResourceTest, BitmapsAreDecodedOnceAndShared)
{
  const char bytes[4] = {1, 2, 3, 4};
  const IBitmapRef a = gfx->LoadBitmapFromMemory("icon.png", bytes, 4, 2, true, 1);
  ASSERT_NE(a.GetAPIBitmap(), nullptr);
  EXPECT_EQ(a.W(), 16);
  EXPECT_EQ(a.N(), 2);
  EXPECT_STREQ(a.GetName(), "icon.png");
  const IBitmapRef b = gfx->LoadBitmapFromMemory("icon.png", bytes, 4, 2, true, 1);
  EXPECT_EQ(a.GetAPIBitmap(), b.GetAPIBitmap());
  EXPECT_EQ(gfx->liveBitmaps, 1);
  {
    std::lock_guard<std::recursive_mutex> lock(BitmapCache().Lock());
    EXPECT_EQ(BitmapCache().Find("icon.png", 2.0), nullptr);
    EXPECT_EQ(BitmapCache().Find("other.png", 1.0), nullptr);
  }
  gfx->ReleaseBitmap(a);
  EXPECT_EQ(gfx->liveBitmaps, 1); // b still holds it
  gfx->ReleaseBitmap(b);
  EXPECT_EQ(gfx->liveBitmaps, 0);
}

TEST_F(ResourceTest, SharedBitmapsAreFreedWithTheirLastHolder)
{
  const std::string path = Write("ok.png", "x");
  const IBitmapRef a = gfx->LoadBitmap(path.c_str(), 1, false, 1);
  const IBitmapRef b = gfx->LoadBitmap(path.c_str(), 1, false, 1);
  ASSERT_NE(a.GetAPIBitmap(), nullptr);
  ASSERT_EQ(a.GetAPIBitmap(), b.GetAPIBitmap());
  // Retaining what the cache owns already adds a holder, not a second owner.
  gfx->RetainBitmap(b, "ok-again.png");
  auto cached = [&] {
    std::lock_guard<std::recursive_mutex> lock(BitmapCache().Lock());
    return BitmapCache().Find(path.c_str(), 1.0);
  };
  for (int release = 1; release <= 3; ++release)
  {
    EXPECT_EQ(cached(), a.GetAPIBitmap()) << release;
    EXPECT_EQ(gfx->liveBitmaps, 1) << release;
    // Whoever is left still reads a live bitmap (a freed one trips the sanitizer).
    EXPECT_EQ(b.GetAPIBitmap()->GetWidth(), 16) << release;
    gfx->ReleaseBitmap(release == 2 ? b : a);
  }
  EXPECT_EQ(gfx->liveBitmaps, 0);
  EXPECT_EQ(cached(), nullptr);
  gfx->ReleaseBitmap(a); // a stray release finds nothing to free
  EXPECT_EQ(gfx->liveBitmaps, 0);
}

TEST_F(ResourceTest, UnsupportedOrMissingImagesGiveEmptyHandles)
{
  const char bytes[1] = {0};
  EXPECT_EQ(gfx->LoadBitmapFromMemory("noextension", bytes, 1).GetAPIBitmap(), nullptr);
  EXPECT_EQ(gfx->LoadBitmapFromMemory("anim.gif", bytes, 1).GetAPIBitmap(), nullptr);
  EXPECT_EQ(gfx->LoadBitmap((dir / "absent.png").string().c_str()).GetAPIBitmap(), nullptr);
  EXPECT_EQ(gfx->liveBitmaps, 0);
}

TEST_F(ResourceTest, FileBitmapFoundAtAnotherScaleIsRescaled)
{
  const std::string plain = Write("pic.png", "x");
  const IBitmapRef ref = gfx->LoadBitmap(plain.c_str(), 1, false, 2);
  ASSERT_NE(ref.GetAPIBitmap(), nullptr);
  // Decoded at scale 1 (16 px), redrawn into a scale-2 layer of the same logical size.
  EXPECT_EQ(ref.GetAPIBitmap()->GetScale(), 2.f);
  EXPECT_EQ(ref.W(), 16);
  EXPECT_EQ(gfx->Count(GfxOp::kDrawBitmap), 1);
  EXPECT_EQ(gfx->liveBitmaps, 1); // the scale-1 decode is gone, the scaled one cached
}

TEST_F(ResourceTest, SvgDocumentsAreParsedOncePerNameAndShared)
{
  auto cached = [] {
    std::lock_guard<std::recursive_mutex> lock(SVGCache().Lock());
    return SVGCache().Size();
  };
  const std::string path = Write("icon.svg", "<svg width=\"7\" height=\"3\"><rect width=\"7\" height=\"3\"/></svg>");
  {
    const ISvgDocument doc = gfx->LoadSVG(path.c_str());
    ASSERT_TRUE(doc.IsValid());
    EXPECT_EQ(doc.W(), 7.f);
    ASSERT_NE(doc.GetImage()->shapes, nullptr);

    // Another editor of the process gets the same document, whatever it passes.
    RecordingGfx other(dlg);
    EXPECT_EQ(other.LoadSVG(path.c_str()).GetHolder(), doc.GetHolder());
    EXPECT_EQ(other.LoadSVGFromMemory(path.c_str(), "<svg/>", -1).GetHolder(), doc.GetHolder());

    // The text ends at its length or at its first zero byte.
    const std::string first = "<svg width=\"9\" height=\"9\"/>", second = "<svg width=\"5\"/>";
    const std::string both = first + second, zero = first + '\0' + second;
    EXPECT_EQ(gfx->LoadSVGFromMemory("cut.svg", both.c_str(), static_cast<int>(first.size())).W(), 9.f);
    EXPECT_EQ(gfx->LoadSVGFromMemory("zero.svg", zero.data(), static_cast<int>(zero.size())).W(), 9.f);
    EXPECT_EQ(gfx->LoadSVGFromMemory("whole.svg", both.c_str(), 0).W(), 5.f);
    EXPECT_EQ(cached(), 4);

    // Misses cache nothing, so each load looks again.
    for (int i = 0; i < 2; ++i)
    {
      EXPECT_EQ(gfx->LoadSVG((dir / "missing.svg").string().c_str()).GetHolder(), nullptr);
      EXPECT_EQ(gfx->LoadSVGFromMemory("null.svg", nullptr, 5).GetHolder(), nullptr);
    }
    EXPECT_EQ(cached(), 4);
  }
  // The last graphics object takes the documents with it.
  gfx.reset();
  EXPECT_EQ(cached(), 0);
}

TEST(ResourceCache, KeysSeparateNamesAndScales)
{
  EXPECT_NE(ResourceKeyHash("a.png", 1.0), ResourceKeyHash("a.png", 2.0));
  EXPECT_NE(ResourceKeyHash("a.png", 1.0), ResourceKeyHash("b.png", 1.0));
}

TEST(ResourceCache, AStrayReleaseDoesNotEmptyTheCacheUnderItsUsers)
{
  ScaledResourceCache<int> cache;
  cache.Release(); // no user to give up
  cache.Retain();
  cache.Retain();
  cache.Add(new int(7), "seven", 1.0);
  cache.Release();
  EXPECT_EQ(cache.FindIf([](int v) { return v == 7; }), cache.Find("seven", 1.0));
  ASSERT_NE(cache.Find("seven", 1.0), nullptr);
  cache.Release();
  EXPECT_EQ(cache.Size(), 0);
}

namespace {

using namespace ifx::testfonts;

// Fonts as a window and a drawing back end handle them, minus the platform:
// memory fonts (a leaked one fails the sanitizer run), registered through the
// process's font-data cache, which this back end uses while it lives.
class FontGfx : public RecordingGfx
{
public:
  explicit FontGfx(IEditorDelegate& dlg) : RecordingGfx(dlg) { FontDataCache().Retain(); }
  ~FontGfx() override { FontDataCache().Release(); }

  PlatformFont* LoadPlatformFontFromMemory(const char*, const void* data, int size) override
  {
    return new MemoryFont(data, size_t(size));
  }
  PlatformFont* LoadPlatformFont(const char* fontID, const char* name) override
  {
    IHeapBuf b;
    return LoadResource(name, "ttf", b) ? LoadPlatformFontFromMemory(fontID, b.Get(), b.GetSize()) : nullptr;
  }
  bool RegisterBackendFont(const char* fontID, PlatformFont* font) override
  {
    return RegisterCachedFontData(fontID, *font, [this](const FontFileData& data) {
      registered.push_back(data.GetBytes());
      return acceptFonts;
    });
  }
  void CachePlatformFont(const char* fontID, PlatformFont* font) override { cached.push_back(fontID); }

  bool acceptFonts = true;
  std::vector<const uint8_t*> registered;
  std::vector<std::string> cached;
};

const FontFileData* CachedFontData(const char* fontID)
{
  std::lock_guard<std::recursive_mutex> lock(FontDataCache().Lock());
  return FontDataCache().Find(fontID, 1.0);
}

} // namespace

TEST_F(ResourceTest, FontsAreReadOncePerProcessKeptForEveryBackEndAndNeverLeaked)
{
  const Bytes ghost = Sfnt(FontTables(u"Ghost", u"Regular"));
  auto first = std::make_unique<FontGfx>(dlg);
  ASSERT_TRUE(first->LoadFont("Ghost", Write("Ghost.ttf", ghost).c_str()));
  const FontFileData* data = CachedFontData("Ghost");
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(first->registered, std::vector<const uint8_t*>{data->GetBytes()});
  EXPECT_EQ(first->cached, std::vector<std::string>{"Ghost"});

  // Another editor gets the same bytes, whatever it loads under the id.
  auto second = std::make_unique<FontGfx>(dlg);
  const Bytes other = Sfnt(FontTables(u"Other", u"Regular"));
  ASSERT_TRUE(second->LoadFontFromMemory("Ghost", other.data(), int(other.size())));
  EXPECT_EQ(second->registered, first->registered);

  // What cannot be used leaves nothing behind.
  const Bytes apple = Sfnt(FontTables(u"Ghost", u"Regular"), "true");
  const Bytes flat = Sfnt(FontTables(u"Flat", u"Regular", 700, 700));
  EXPECT_FALSE(second->LoadFont("Missing", (dir / "Missing.ttf").string().c_str()));
  EXPECT_FALSE(second->LoadFontFromMemory("Apple", apple.data(), int(apple.size())));
  EXPECT_FALSE(second->LoadFontFromMemory("Flat", flat.data(), int(flat.size())));
  EXPECT_FALSE(second->LoadFontFromMemory("Empty", ghost.data(), 0));
  second->acceptFonts = false;
  EXPECT_FALSE(second->LoadFontFromMemory("Refused", ghost.data(), int(ghost.size())));
  EXPECT_EQ(second->registered.size(), 2u); // only the refused one reached the glyph store
  EXPECT_EQ(second->cached, std::vector<std::string>{"Ghost"});
  for (const char* id : {"Missing", "Apple", "Flat", "Empty", "Refused"})
    EXPECT_EQ(CachedFontData(id), nullptr) << id;

  // The bytes stay while any back end lives.
  first.reset();
  ASSERT_EQ(CachedFontData("Ghost"), data);
  EXPECT_STREQ(data->GetInfo().GetFamily(), "Ghost");
  second.reset();
  EXPECT_EQ(CachedFontData("Ghost"), nullptr);
}
