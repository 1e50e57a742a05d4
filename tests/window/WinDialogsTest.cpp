// The file, folder and colour choosers under wine, driven from a helper
// thread while the test thread waits in the modal dialog.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <map>
#include <string>

#include "WinTestWindow.h"
#include "platform/win/WinText.h"
#include "window/win/WinColourDialog.h"
#include "window/win/WinFileDialogs.h"

using namespace ifx;
using namespace ifx::igfx;
using ifx::testkit::DialogDriver;
using ifx::testkit::TestWindow;
using ifx::testkit::WaitForControl;
using ifx::testkit::WindowText;

namespace {

// Control ids of the common dialogs.
constexpr int kFileTypes = 0x470; // cmb1: the filter list
constexpr int kFileName = 0x47C;  // cmb13: the file name
constexpr int kFolderTitle = 0x3742;
constexpr int kRed = 706, kGreen = 707, kBlue = 708;

// A folder of the test's own with two files in it.
class FileDialogTest : public ::testing::Test
{
protected:
  FileDialogTest() : window(TestWindow::Get())
  {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"murkwisp-dialogs-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : {L"a.fxp", L"b.txt"})
      CloseHandle(CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  ~FileDialogTest() override
  {
    for (const wchar_t* name : {L"a.fxp", L"b.txt"})
      DeleteFileW((folder + name).c_str());
    RemoveDirectoryW(folder.c_str());
  }

  std::string Folder() const { return Narrow(folder.c_str(), static_cast<int>(folder.size())); }

  TestWindow& window;
  std::wstring folder;
};

// What the helper thread saw of a file dialog before it typed a name (when
// given) and pressed the button.
struct FileDialogSeen
{
  std::wstring types;
  int typeCount = 0;
  std::wstring name;
};

} // namespace

TEST_F(FileDialogTest, OffersTheExtensionsAsOneFilterAndReturnsTheChoice)
{
  struct Case
  {
    int action;
    const char* extensions;
    const char* suggested;
    const wchar_t* typed;
    const wchar_t* types;
    const wchar_t* shown;
    const char* chosen;
  };
  const Case cases[] = {
    // Display text and pattern alike; the name typed is taken in the folder.
    {kFileOpen, "fxp txt", "", L"a.fxp", L"*.fxp;*.txt", L"", "a.fxp"},
    // The suggested name is shown, and saved with the default extension.
    {kFileSave, "fxp", "Ghost \xC3\xA9", nullptr, L"*.fxp", L"Ghost \u00E9", "Ghost \xC3\xA9.fxp"},
  };
  for (const Case& c : cases)
  {
    FileDialogSeen seen;
    IString name(c.suggested), path(Folder().c_str());
    bool chosen;
    {
      DialogDriver driver([&](HWND dialog) {
        HWND types = WaitForControl(dialog, kFileTypes);
        seen.typeCount = static_cast<int>(SendMessageW(types, CB_GETCOUNT, 0, 0));
        seen.types = WindowText(types);
        seen.name = WindowText(WaitForControl(dialog, kFileName));
        if (c.typed)
          SetDlgItemTextW(dialog, kFileName, c.typed);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      });
      chosen = AskForFile(window.Handle(), name, path, c.action, c.extensions);
      ASSERT_TRUE(driver.Acted());
    }
    EXPECT_EQ(seen.types, c.types);
    EXPECT_EQ(seen.typeCount, 1);
    EXPECT_EQ(seen.name, c.shown);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(std::string(name.Get()), Folder() + c.chosen);
    EXPECT_EQ(std::string(path.Get()), Folder());
  }
}

TEST_F(FileDialogTest, CancelEmptiesTheNameAndKeepsThePath)
{
  IString name("a.fxp"), path(Folder().c_str());
  {
    DialogDriver driver([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(AskForFile(window.Handle(), name, path, kFileOpen, "fxp"));
    ASSERT_TRUE(driver.Acted());
  }
  EXPECT_STREQ(name.Get(), "");
  EXPECT_EQ(std::string(path.Get()), Folder());

  // Without a window nothing is shown.
  name.Set("kept?");
  EXPECT_FALSE(AskForFile(nullptr, name, path, kFileOpen, "fxp"));
  EXPECT_STREQ(name.Get(), "");
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// Watches the task allocator: every block allocated while registered and
// not freed yet.
class AllocationSpy final : public IMallocSpy
{
public:
  std::map<void*, SIZE_T> live;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
  {
    *object = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMallocSpy) ? this : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return mPending = size; }
  void* STDMETHODCALLTYPE PostAlloc(void* p) override { return p ? (live[p] = mPending, p) : p; }
  void* STDMETHODCALLTYPE PreFree(void* p, BOOL) override { return live.erase(p), p; }
  void STDMETHODCALLTYPE PostFree(BOOL) override {}
  SIZE_T STDMETHODCALLTYPE PreRealloc(void* p, SIZE_T size, void** out, BOOL) override
  {
    live.erase(p);
    *out = p;
    return mPending = size;
  }
  void* STDMETHODCALLTYPE PostRealloc(void* p, BOOL) override { return PostAlloc(p); }
  void* STDMETHODCALLTYPE PreGetSize(void* p, BOOL) override { return p; }
  SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T size, BOOL) override { return size; }
  void* STDMETHODCALLTYPE PreDidAlloc(void* p, BOOL) override { return p; }
  int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
  void STDMETHODCALLTYPE PreHeapMinimize() override {}
  void STDMETHODCALLTYPE PostHeapMinimize() override {}

private:
  SIZE_T mPending = 0;
};
#pragma GCC diagnostic pop

TEST(WinFolderDialog, ChoosesAFolderOnDiskAndFreesItsItemList)
{
  TestWindow& window = TestWindow::Get();
  wchar_t desktop[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
  const std::string expected = Narrow(desktop, lstrlenW(desktop)) + "\\";
  CoInitialize(nullptr);

  auto choose = [&](IString& dir, std::wstring* title) {
    DialogDriver driver([title](HWND dialog) {
      if (title)
        *title = WindowText(WaitForControl(dialog, kFolderTitle));
      PostMessageW(dialog, WM_COMMAND, IDOK, 0); // the first folder, the desktop
    });
    const bool chosen = AskForDirectory(window.Handle(), dir);
    EXPECT_TRUE(driver.Acted());
    return chosen;
  };
  IString dir;
  std::wstring title;
  ASSERT_TRUE(choose(dir, &title)); // also the first use of the shell's allocations
  EXPECT_EQ(title, L"Choose a Directory");
  EXPECT_EQ(std::string(dir.Get()), expected);

  // The shell's blocks of a second choice are all given back, ours too.
  AllocationSpy spy;
  ASSERT_EQ(CoRegisterMallocSpy(&spy), S_OK);
  EXPECT_TRUE(choose(dir, nullptr));
  const size_t left = spy.live.size();
  EXPECT_EQ(CoRevokeMallocSpy(), S_OK); // refused while the spy's blocks live
  EXPECT_EQ(left, 0u);
  EXPECT_EQ(std::string(dir.Get()), expected);

  {
    DialogDriver driver([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(AskForDirectory(window.Handle(), dir));
  }
  EXPECT_STREQ(dir.Get(), "");
  CoUninitialize();
}

TEST(WinColourDialog, StartsFromTheColourAndReturnsTheChoice)
{
  TestWindow& window = TestWindow::Get();
  std::wstring title, red, green, blue;
  IRgba colour(77, 10, 20, 30);
  {
    DialogDriver driver([&](HWND dialog) {
      title = WindowText(dialog);
      red = WindowText(WaitForControl(dialog, kRed));
      green = WindowText(WaitForControl(dialog, kGreen));
      blue = WindowText(WaitForControl(dialog, kBlue));
      SetDlgItemTextW(dialog, kRed, L"200"); // as typed: each edit tells the dialog
      SetDlgItemTextW(dialog, kGreen, L"100");
      SetDlgItemTextW(dialog, kBlue, L"50");
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(AskForColour(window.Handle(), colour, "Spuk colour \xC3\xBC"));
    ASSERT_TRUE(driver.Acted());
  }
  EXPECT_EQ(title, L"Spuk colour \u00FC");
  EXPECT_EQ(red + L"," + green + L"," + blue, L"10,20,30");
  EXPECT_EQ(colour, IRgba(77, 200, 100, 50)); // alpha kept

  {
    DialogDriver driver([&](HWND dialog) {
      SetDlgItemTextW(dialog, kRed, L"1");
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(AskForColour(window.Handle(), colour, ""));
  }
  EXPECT_EQ(colour, IRgba(77, 200, 100, 50));
  EXPECT_FALSE(AskForColour(nullptr, colour, "no window"));
}
