// Platform fonts under wine: the modules' embedded font, private installs,
// GDI fonts by name and the two font caches.
#include "base/OpenFileUtf8.h"
#include "platform/FontBuilder.h"
#include "platform/ResourceLookup.h"
#include "platform/win/WinFont.h"
#include "platform/win/WinFontCaches.h"
#include "platform/win/WinFontLoader.h"
#include "platform/win/WinText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <mutex>

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testfonts;

namespace {

// Each test runs as an editor window: using the caches, and leaving them
// empty when it goes. Faces are named after the test: wine remembers what a
// face name stood for, installed or not.
class WinFontTest : public ::testing::Test
{
protected:
  WinFontTest() : roboto(ReadFile(MURKWISP_ROBOTO_FONT)) { RetainWinFontCaches(); }
  ~WinFontTest() override
  {
    ReleaseWinFontCaches();
    EXPECT_EQ(InstalledFontCache().Size() + GdiFontCache().Size(), 0);
  }
  const Bytes roboto; // the windows build needs it
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
  GetObjectW(static_cast<HFONT>(const_cast<void*>(font)), sizeof(lf), &lf);
  return lf;
}

// The face GDI really selects for the font, not just the name asked for.
std::string FaceOf(const void* font)
{
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(const_cast<void*>(font)));
  wchar_t face[64] = {};
  GetTextFaceW(dc, 64, face);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return Narrow(face, int(std::wcslen(face)));
}

const WinFont& AsWin(const std::unique_ptr<PlatformFont>& font)
{
  return static_cast<const WinFont&>(*font);
}

} // namespace

TEST_F(WinFontTest, EachModuleCarriesRobotoFoundByItsFileNameAndInstallsIt)
{
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
    ASSERT_EQ(Bytes(static_cast<const char*>(bytes), size_t(size)), roboto) << path;

    const auto font = LoadWinFont("Roboto-Regular", "Roboto-Regular.ttf", module);
    ASSERT_NE(font, nullptr) << path;
    EXPECT_FALSE(AsWin(font).IsSystemFont());
    EXPECT_STREQ(AsWin(font).GetStyleName(), "");
    EXPECT_EQ(FaceOf(font->GetHandle()), "Roboto");
    ASSERT_NE(InstallOf("Roboto-Regular"), nullptr);
    EXPECT_STREQ(InstallOf("Roboto-Regular")->GetFamily(), "Roboto");
    const auto data = font->GetFileData();
    EXPECT_TRUE(data->IsValid());
    EXPECT_STREQ(data->GetInfo().GetFamily(), "Roboto");
    FreeLibrary(module);
  }
  // Nothing else is embedded.
  EXPECT_EQ(LoadWinFont("Cinzel", "Cinzel-Regular.ttf", GetModuleHandleW(nullptr)), nullptr);
}

TEST_F(WinFontTest, InstallsAreSharedByIdAndByBytesUntilTheLastWindowGoes)
{
  // Faces no system has: only the install can make them.
  const Bytes ghost = Renamed(roboto, u"Murkwisp Ghost");
  const Bytes wraith = Renamed(roboto, u"Murkwisp Wraith");
  const auto first = LoadWinFontFromMemory("Ghost", ghost.data(), int(ghost.size()));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(FaceOf(first->GetHandle()), "Murkwisp Ghost");
  const std::shared_ptr<FontInstall> install = InstallOf("Ghost");
  ASSERT_NE(install, nullptr);

  // The same id, whatever bytes come with it, and the same bytes under
  // another id, reuse the first install; hits and misses by name and scale.
  const auto again = LoadWinFontFromMemory("Ghost", wraith.data(), int(wraith.size()));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(FaceOf(again->GetHandle()), "Murkwisp Ghost");
  EXPECT_NE(LoadWinFontFromMemory("Spectre", ghost.data(), int(ghost.size())), nullptr);
  EXPECT_EQ(InstallOf("Spectre"), install);
  EXPECT_EQ(InstalledFontCache().Size(), 2);
  EXPECT_EQ(InstallOf("Ghost", 2.0), nullptr);
  EXPECT_EQ(InstallOf("ghost"), nullptr);

  // A second window comes and goes: the installs stay for the first.
  RetainWinFontCaches();
  ReleaseWinFontCaches();
  EXPECT_EQ(InstallOf("Ghost"), install);
  EXPECT_NE(LoadWinFontFromMemory("Wraith", wraith.data(), int(wraith.size())), nullptr);
  EXPECT_NE(InstallOf("Wraith"), install);
  ReleaseWinFontCaches();
  EXPECT_EQ(install.use_count(), 1); // gone with the last window
  RetainWinFontCaches();
}

TEST_F(WinFontTest, FontsFromFilesAndWhatIsRefusedBeforeInstalling)
{
  const char* name = "Murkwisp-Phantom.ttf";
  const Bytes phantom = Renamed(roboto, u"Murkwisp Phantom");
  std::FILE* f = OpenFileUtf8(name, "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(phantom.data(), 1, phantom.size(), f);
  std::fclose(f);
  const auto font = LoadWinFont("Phantom", name, GetModuleHandleW(nullptr));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(FaceOf(font->GetHandle()), "Murkwisp Phantom");
  EXPECT_TRUE(DeleteFileW(Widen(name).c_str())); // the file was let go
  EXPECT_EQ(LoadWinFont("Gone", name, GetModuleHandleW(nullptr)), nullptr);

  Bytes apple = roboto, flat = roboto;
  apple.replace(0, 4, "true");
  const size_t hhea = roboto.find(TablesOf(roboto, 0, {"hhea"})[0].data);
  flat.replace(hhea + 6, 2, roboto.substr(hhea + 4, 2)); // descender = ascender
  const Bytes longName = Renamed(roboto, u"Murkwisp Ghost With A Family Name Too Long");
  struct Case { const char* what; const void* bytes; int size; } cases[] = {{"true", apple.data(), int(apple.size())},     {"no height", flat.data(), int(flat.size())},
               {"name past GDI's limit", longName.data(), int(longName.size())},
               {"cut short", roboto.data(), 100},              {"no bytes", nullptr, 100},
               {"no size", roboto.data(), 0}};
  for (const Case& c : cases)
    EXPECT_EQ(LoadWinFontFromMemory(c.what, c.bytes, c.size), nullptr) << c.what;
  EXPECT_EQ(InstalledFontCache().Size(), 1);
}

TEST_F(WinFontTest, SystemFontsByNameAndStyleAndNoSubstitutes)
{
  // A face of a collection (scripts/setup.sh installs it; wine finds it).
  const char* kFace = "WenQuanYi Micro Hei";
  const auto regular = LoadWinFontByName("Text", kFace, kFontStyleNormal);
  if (!regular)
    GTEST_SKIP() << kFace << " is not installed (package fonts-wqy-microhei)";
  EXPECT_TRUE(AsWin(regular).IsSystemFont());
  EXPECT_STREQ(AsWin(regular).GetStyleName(), "Regular");
  const auto bold = LoadWinFontByName("Text", kFace, kFontStyleBold);
  ASSERT_NE(bold, nullptr);
  EXPECT_STREQ(AsWin(bold).GetStyleName(), "Bold");
  EXPECT_EQ(Describe(bold->GetHandle()).lfWeight, FW_BOLD);
  const auto italic = LoadWinFontByName("Text", kFace, kFontStyleItalic);
  ASSERT_NE(italic, nullptr);
  EXPECT_STREQ(AsWin(italic).GetStyleName(), "Italic");
  EXPECT_TRUE(Describe(italic->GetHandle()).lfItalic);

  // Its bytes are the whole collection, with the face of its style.
  const auto data = regular->GetFileData();
  EXPECT_TRUE(data->IsValid());
  EXPECT_EQ(data->GetFaceIndex(), 0);
  EXPECT_EQ(std::memcmp(data->GetBytes(), "ttcf", 4), 0);

  // Misspelt, of another case, missing or too long: GDI would substitute.
  for (const char* face : {"WenQuanYi Micro Heii", "wenquanyi micro hei", "Murkwisp None", "",
                           "Murkwisp Face Name Of Thirty-Two"})
  {
    EXPECT_EQ(LoadWinFontByName("x", face, kFontStyleNormal), nullptr) << face;
    EXPECT_EQ(CreateGdiFont(face, FW_NORMAL, false, false, false), nullptr) << face;
  }

  // The DC the font is tried on keeps its own font, kept or refused.
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
  HFONT made = CreateGdiFont(kFace, FW_NORMAL, false, false, true, dc);
  EXPECT_NE(made, nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
  EXPECT_EQ(CreateGdiFont("Murkwisp None", FW_NORMAL, false, false, false, dc), nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
  DeleteObject(made);
  DeleteDC(dc);
}

TEST_F(WinFontTest, CachingTheSameIdTwiceKeepsTheFirstFontAsItsOwnCopy)
{
  auto first = LoadWinFontFromMemory("Roboto", roboto.data(), int(roboto.size()));
  const Bytes banshee = Renamed(roboto, u"Murkwisp Banshee");
  const auto other = LoadWinFontFromMemory("Banshee", banshee.data(), int(banshee.size()));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(other, nullptr);
  CacheWinFont("Text", first.get());
  const HFONT kept = CachedGdiFont("Text");
  ASSERT_NE(kept, nullptr);
  EXPECT_NE(kept, first->GetHandle());
  CacheWinFont("Text", other.get());
  EXPECT_EQ(CachedGdiFont("Text"), kept);
  EXPECT_EQ(CachedGdiFont("Text", 2.0), nullptr);
  EXPECT_EQ(CachedGdiFont("text"), nullptr);

  // The loaded font goes; the cached copy stays usable.
  first.reset();
  EXPECT_EQ(FaceOf(kept), "Roboto");

  // A font with no GDI font behind it, or none at all, is not kept.
  const MemoryFont memory(roboto.data(), roboto.size());
  CacheWinFont("Memory", &memory);
  CacheWinFont("None", nullptr);
  EXPECT_EQ(GdiFontCache().Size(), 1);
}
