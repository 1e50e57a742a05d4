// Platform fonts under wine: the modules' embedded font, private installs,
// GDI fonts by name and the two font caches.
#include "graphics/platform/ResourceLookup.h"
#include "graphics/platform/win/WinFont.h"
#include "graphics/platform/win/WinFontCaches.h"
#include "graphics/platform/win/WinFontLoader.h"
#include "graphics/platform/win/WinText.h"
#include "tests/fonts/FontBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <mutex>
#include <string>

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testfonts;

namespace {

// Every test runs as an editor window would: using the caches, and leaving
// them empty when it goes.
class WinFontTest : public ::testing::Test
{
protected:
  WinFontTest() { RetainWinFontCaches(); }
  ~WinFontTest() override
  {
    ReleaseWinFontCaches();
    EXPECT_EQ(InstalledFontCache().Size(), 0);
    EXPECT_EQ(GdiFontCache().Size(), 0);
  }

  static Bytes Roboto()
  {
    const Bytes font = ReadFile(MURKWISP_ROBOTO_FONT);
    EXPECT_FALSE(font.empty()) << "the windows build needs " << MURKWISP_ROBOTO_FONT;
    return font;
  }
};

std::shared_ptr<FontInstall> InstallOf(const char* fontID, double scale = 1.0)
{
  std::lock_guard<std::recursive_mutex> lock(InstalledFontCache().Lock());
  const InstalledFont* f = InstalledFontCache().Find(fontID, scale);
  return f ? f->install : nullptr;
}

HFONT CachedGdiFont(const char* fontID, double scale = 1.0)
{
  std::lock_guard<std::recursive_mutex> lock(GdiFontCache().Lock());
  const GdiFont* f = GdiFontCache().Find(fontID, scale);
  return f ? f->Get() : nullptr;
}

LOGFONTW Describe(const void* font)
{
  LOGFONTW lf = {};
  EXPECT_EQ(GetObjectW(static_cast<HFONT>(const_cast<void*>(font)), sizeof(lf), &lf), int(sizeof(lf)));
  return lf;
}

std::string FaceOf(const void* font)
{
  const LOGFONTW lf = Describe(font);
  return Narrow(lf.lfFaceName, int(std::wcslen(lf.lfFaceName)));
}

// The face GDI really selects for the font (not just the name asked for).
std::string SelectedFaceOf(const PlatformFont& font)
{
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(font.GetHandle()));
  wchar_t face[64] = {};
  GetTextFaceW(dc, 64, face);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return Narrow(face, int(std::wcslen(face)));
}

} // namespace

TEST_F(WinFontTest, EachModuleCarriesRobotoFoundByItsFileNameAndInstallsIt)
{
  const Bytes roboto = Roboto();
  for (const char* path : {MURKWISP_CLAP_MODULE, MURKWISP_VST3_MODULE})
  {
    HMODULE module =
      LoadLibraryExW(Widen(path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << path;
    IString found;
    ASSERT_EQ(FindResourceOrFile("Roboto-Regular.ttf", "ttf", found, module), kResourceEmbedded) << path;
    EXPECT_STREQ(found.Get(), "ROBOTO-REGULAR.TTF"); // windres drops the quotes
    int size = 0;
    const void* bytes = LoadResourceData(found.Get(), "ttf", size, module);
    ASSERT_EQ(size, int(roboto.size())) << path;
    EXPECT_EQ(std::memcmp(bytes, roboto.data(), roboto.size()), 0);

    const auto font = LoadWinFont("Roboto-Regular", "Roboto-Regular.ttf", module);
    ASSERT_NE(font, nullptr) << path;
    EXPECT_FALSE(static_cast<const WinFont&>(*font).IsSystemFont());
    EXPECT_STREQ(static_cast<const WinFont&>(*font).GetStyleName(), "");
    EXPECT_EQ(SelectedFaceOf(*font), "Roboto");
    ASSERT_NE(InstallOf("Roboto-Regular"), nullptr);
    EXPECT_STREQ(InstallOf("Roboto-Regular")->GetFamily(), "Roboto");

    const auto data = font->GetFileData();
    EXPECT_TRUE(data->IsValid());
    EXPECT_EQ(data->GetFaceIndex(), 0);
    EXPECT_STREQ(data->GetInfo().GetFamily(), "Roboto");
    FreeLibrary(module);
  }
  // Nothing else is embedded.
  EXPECT_EQ(LoadWinFont("Cinzel", "Cinzel-Regular.ttf", GetModuleHandleW(nullptr)), nullptr);
}

TEST_F(WinFontTest, ThePrivateInstallIsWhatMakesTheFaceAndIsSharedUntilTheLastUserGoes)
{
  // Faces no system has: only the install can make them. (Each test has its
  // own: wine remembers what a face name stood for, installed or not.)
  const Bytes ghost = Renamed(Roboto(), u"Murkwisp Ghost");
  const Bytes wraith = Renamed(Roboto(), u"Murkwisp Wraith");
  const auto first = LoadWinFontFromMemory("Ghost", ghost.data(), int(ghost.size()));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(SelectedFaceOf(*first), "Murkwisp Ghost");
  const std::shared_ptr<FontInstall> install = InstallOf("Ghost");
  ASSERT_NE(install, nullptr);

  // The same id, whatever bytes come with it, and the same bytes under
  // another id, reuse the first install.
  const auto again = LoadWinFontFromMemory("Ghost", wraith.data(), int(wraith.size()));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(SelectedFaceOf(*again), "Murkwisp Ghost");
  const auto spectre = LoadWinFontFromMemory("Spectre", ghost.data(), int(ghost.size()));
  ASSERT_NE(spectre, nullptr);
  EXPECT_EQ(InstallOf("Spectre"), install);
  EXPECT_EQ(InstalledFontCache().Size(), 2);
  // Misses by scale and by name (case counts).
  EXPECT_EQ(InstallOf("Ghost", 2.0), nullptr);
  EXPECT_EQ(InstallOf("ghost"), nullptr);

  // A second window comes and goes: the installs stay for the first.
  RetainWinFontCaches();
  ReleaseWinFontCaches();
  EXPECT_EQ(InstallOf("Ghost"), install);
  const auto wraithFont = LoadWinFontFromMemory("Wraith", wraith.data(), int(wraith.size()));
  ASSERT_NE(wraithFont, nullptr);
  EXPECT_NE(InstallOf("Wraith"), install);

  // The last window takes the installs with it.
  ReleaseWinFontCaches();
  EXPECT_EQ(InstalledFontCache().Size(), 0);
  EXPECT_EQ(install.use_count(), 1);
  RetainWinFontCaches();
}

TEST_F(WinFontTest, BytesWithoutAUsableFaceAreRefusedAndLeaveNoInstall)
{
  const Bytes roboto = Roboto();
  Bytes apple = roboto;
  apple.replace(0, 4, "true");
  // hhea's descender set to its ascender: a font with no height.
  Bytes flat = roboto;
  for (const Table& t : TablesOf(roboto, 0, {"hhea"}))
  {
    const size_t at = roboto.find(t.data);
    flat.replace(at + 6, 2, roboto.substr(at + 4, 2));
  }
  const Bytes longName = Renamed(roboto, u"Murkwisp Ghost With A Family Name Too Long");
  struct Case
  {
    const char* what;
    const void* bytes;
    int size;
  } cases[] = {{"true", apple.data(), int(apple.size())},
               {"no height", flat.data(), int(flat.size())},
               {"name past GDI's limit", longName.data(), int(longName.size())},
               {"cut short", roboto.data(), 100},
               {"no bytes", nullptr, 100},
               {"no size", roboto.data(), 0}};
  for (const Case& c : cases)
  {
    EXPECT_EQ(LoadWinFontFromMemory(c.what, c.bytes, c.size), nullptr) << c.what;
    EXPECT_EQ(InstallOf(c.what), nullptr) << c.what;
  }
  EXPECT_EQ(InstalledFontCache().Size(), 0);
}

TEST_F(WinFontTest, FontFilesAreMappedAndLetGo)
{
  const Bytes phantom = Renamed(Roboto(), u"Murkwisp Phantom");
  const char* name = "Murkwisp-Phantom.ttf";
  std::FILE* f = OpenFileUtf8(name, "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(phantom.data(), 1, phantom.size(), f);
  std::fclose(f);

  const auto font = LoadWinFont("Phantom", name, GetModuleHandleW(nullptr));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(SelectedFaceOf(*font), "Murkwisp Phantom");
  // The file is closed again: it can be deleted.
  EXPECT_TRUE(DeleteFileW(Widen(name).c_str()));
  EXPECT_EQ(LoadWinFont("Gone", name, GetModuleHandleW(nullptr)), nullptr);
  EXPECT_EQ(LoadWinFont("Empty", "", GetModuleHandleW(nullptr)), nullptr);
}

TEST_F(WinFontTest, SystemFontsByNameAndStyleAndNoSubstitutes)
{
  // A face of a collection (scripts/setup.sh installs it; wine finds it).
  const char* kFace = "WenQuanYi Micro Hei";
  const auto regular = LoadWinFontByName("Text", kFace, kFontStyleNormal);
  if (!regular)
    GTEST_SKIP() << kFace << " is not installed (package fonts-wqy-microhei)";
  EXPECT_TRUE(static_cast<const WinFont&>(*regular).IsSystemFont());
  EXPECT_STREQ(static_cast<const WinFont&>(*regular).GetStyleName(), "Regular");
  const auto bold = LoadWinFontByName("Text", kFace, kFontStyleBold);
  ASSERT_NE(bold, nullptr);
  EXPECT_STREQ(static_cast<const WinFont&>(*bold).GetStyleName(), "Bold");
  EXPECT_EQ(Describe(bold->GetHandle()).lfWeight, FW_BOLD);
  const auto italic = LoadWinFontByName("Text", kFace, kFontStyleItalic);
  ASSERT_NE(italic, nullptr);
  EXPECT_STREQ(static_cast<const WinFont&>(*italic).GetStyleName(), "Italic");
  EXPECT_TRUE(Describe(italic->GetHandle()).lfItalic);

  // Its bytes are the whole collection, with the face of its style.
  const auto data = regular->GetFileData();
  EXPECT_TRUE(data->IsValid());
  EXPECT_EQ(data->GetFaceIndex(), 0);
  EXPECT_STREQ(data->GetInfo().GetFamily(), kFace);
  EXPECT_EQ(Bytes(reinterpret_cast<const char*>(data->GetBytes()), 4), "ttcf");

  // Misspelt, of another case, missing or too long: GDI would substitute a face.
  for (const char* face : {"WenQuanYi Micro Heii", "wenquanyi micro hei", "Murkwisp No Such Face", "",
                           "Murkwisp Face Name Of Thirty-Two"})
  {
    EXPECT_EQ(LoadWinFontByName("x", face, kFontStyleNormal), nullptr) << face;
    EXPECT_EQ(CreateGdiFont(face, FW_NORMAL, false, false, false), nullptr) << face;
  }

  // The DC the font is tried on keeps its own font, whether the font is
  // kept or refused.
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
  HFONT made = CreateGdiFont(kFace, FW_NORMAL, false, false, true, dc);
  EXPECT_NE(made, nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
  EXPECT_EQ(CreateGdiFont("Murkwisp No Such Face", FW_NORMAL, false, false, false, dc), nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
  DeleteObject(made);
  DeleteDC(dc);
}

TEST_F(WinFontTest, CachingTheSameIdTwiceKeepsTheFirstFontAsItsOwnCopy)
{
  const Bytes roboto = Roboto();
  auto regular = LoadWinFontFromMemory("Roboto", roboto.data(), int(roboto.size()));
  const Bytes banshee = Renamed(roboto, u"Murkwisp Banshee");
  const auto other = LoadWinFontFromMemory("Banshee", banshee.data(), int(banshee.size()));
  ASSERT_NE(regular, nullptr);
  ASSERT_NE(other, nullptr);
  CacheWinFont("Text", regular.get());
  const HFONT kept = CachedGdiFont("Text");
  ASSERT_NE(kept, nullptr);
  EXPECT_NE(kept, regular->GetHandle());
  CacheWinFont("Text", other.get());
  EXPECT_EQ(CachedGdiFont("Text"), kept);
  EXPECT_EQ(GdiFontCache().Size(), 1);
  EXPECT_EQ(CachedGdiFont("Text", 2.0), nullptr);
  EXPECT_EQ(CachedGdiFont("text"), nullptr);

  // The loaded font goes; the cached copy stays usable.
  regular.reset();
  EXPECT_EQ(FaceOf(kept), "Roboto");

  // A font with no GDI font behind it, or none at all, is not kept.
  const MemoryFont memory(roboto.data(), roboto.size());
  CacheWinFont("Memory", &memory);
  CacheWinFont("None", nullptr);
  EXPECT_EQ(GdiFontCache().Size(), 1);
}
