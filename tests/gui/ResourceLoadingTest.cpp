#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/IHeapBuf.h"
#include "graphics/SVGImage.h"
#include "graphics/ScaledResourceCache.h"
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
