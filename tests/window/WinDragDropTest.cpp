// Drag out under wine: the COM objects and their contract, OLE undone only
// where it was ours, and a whole drag onto a drop target of the test's own.
// (Drops in: WinEditorServicesTest.)
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "WinTestWindow.h"
#include "window/DropFiles.h"
#include "window/win/DragAndDropHelpers.h"
#include "window/win/WinFileDrag.h"
#include "window/win/WinOleScope.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::igfx::DragAndDropHelpers;
using ifx::testkit::TestWindow;

namespace {

const char kPath[] = "C:\\Spuk\\\xC3\xA9t\xC3\xA9.wav";

// Whether object answers iid; a refusal is E_NOINTERFACE with a null result.
bool Answers(IUnknown* object, REFIID iid)
{
  void* out = reinterpret_cast<void*>(1);
  const HRESULT result = object->QueryInterface(iid, &out);
  if (result != S_OK)
  {
    EXPECT_EQ(result, E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    return false;
  }
  static_cast<IUnknown*>(out)->Release();
  return true;
}

HRESULT gInitResult = S_OK;
int gUninits = 0;
HRESULT WINAPI FakeInit(LPVOID) { return gInitResult; }
void WINAPI FakeUninit() { ++gUninits; }

} // namespace

TEST(DragAndDropHelpers, ObjectsAnswerIUnknownAndOfferTheFileListOnly)
{
  auto* data = new DataObject(kPath, FileListFormat());
  auto* source = new DropSource();
  IEnumFORMATETC* formats = nullptr;
  ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
  const IID* const iids[] = {&IID_IUnknown, &IID_IDataObject, &IID_IDropSource, &IID_IEnumFORMATETC, &IID_IStream};
  struct Row
  {
    IUnknown* object;
    const char* answers;
  }; // per iid: 1 answered
  for (const Row& r : {Row{data, "11000"}, Row{source, "10100"}, Row{formats, "10010"}})
  {
    std::string answered;
    for (const IID* iid : iids)
      answered += Answers(r.object, *iid) ? '1' : '0';
    EXPECT_EQ(answered, r.answers);
    EXPECT_EQ(r.object->AddRef(), 2u); // counted from 1
    EXPECT_EQ(r.object->Release(), 1u);
  }

  struct Case
  {
    CLIPFORMAT format;
    DWORD aspect;
    DWORD tymed;
    HRESULT answer;
  };
  const Case cases[] = {
    {CF_HDROP, DVASPECT_CONTENT, TYMED_HGLOBAL | TYMED_ISTREAM, S_OK},
    {CF_TEXT, DVASPECT_CONTENT, TYMED_HGLOBAL, DV_E_FORMATETC},
    {CF_HDROP, DVASPECT_THUMBNAIL, TYMED_HGLOBAL, DV_E_FORMATETC},
    {CF_HDROP, DVASPECT_CONTENT, TYMED_ISTREAM, DV_E_FORMATETC},
  };
  for (const Case& c : cases)
  {
    FORMATETC asked = {c.format, nullptr, c.aspect, -1, c.tymed};
    STGMEDIUM medium = {};
    EXPECT_EQ(data->QueryGetData(&asked), c.answer);
    EXPECT_EQ(data->GetData(&asked, &medium), c.answer);
    if (c.answer == S_OK)
      ReleaseStgMedium(&medium);
  }
  EXPECT_EQ(data->QueryGetData(nullptr), E_INVALIDARG);
  EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, &formats), E_NOTIMPL);
  EXPECT_EQ(formats, nullptr);

  EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
  EXPECT_EQ(data->Release(), 0u);
  EXPECT_EQ(source->Release(), 0u);
}

TEST(DragAndDropHelpers, EnumeratorKeepsTheContract)
{
  auto* formats = new EnumFORMATETC(FileListFormat());
  FORMATETC got[3] = {};
  ULONG fetched = 99;
  auto next = [&](IEnumFORMATETC* e, ULONG count) {
    const HRESULT r = e->Next(count, got, &fetched);
    return std::to_string(r == S_OK) + "/" + std::to_string(fetched);
  };
  // Next: S_OK ("1") only when as many as asked were given.
  EXPECT_EQ(next(formats, 1), "1/1");
  EXPECT_EQ(got[0].cfFormat, CF_HDROP);
  EXPECT_EQ(next(formats, 1), "0/0");
  formats->Reset();
  EXPECT_EQ(next(formats, 3), "0/1");
  formats->Reset();
  EXPECT_EQ(next(formats, 0), "1/0");
  EXPECT_EQ(formats->Next(2, got, nullptr), S_FALSE); // a count to report is needed
  // Skip moves past what is there; more than is left goes to the end.
  EXPECT_EQ(formats->Skip(1), S_OK);
  EXPECT_EQ(next(formats, 1), "0/0");
  formats->Reset();
  EXPECT_EQ(formats->Skip(2), S_FALSE);
  EXPECT_EQ(next(formats, 1), "0/0");
  // A clone starts where the original is, and moves on its own.
  formats->Reset();
  IEnumFORMATETC* atStart = nullptr;
  IEnumFORMATETC* atEnd = nullptr;
  ASSERT_EQ(formats->Clone(&atStart), S_OK);
  formats->Skip(1);
  ASSERT_EQ(formats->Clone(&atEnd), S_OK);
  EXPECT_EQ(next(atEnd, 1), "0/0");
  EXPECT_EQ(next(atStart, 1), "1/1");
  EXPECT_EQ(formats->Clone(nullptr), E_POINTER);
  for (IEnumFORMATETC* e : {atStart, atEnd, static_cast<IEnumFORMATETC*>(formats)})
    EXPECT_EQ(e->Release(), 0u);
}

TEST(OleScope, UndoesOnlyWhatItDid)
{
  // Wine ignores an unbalanced OleUninitialize; Windows would take the
  // host's own initialisation away. So the rule is watched on the calls.
  for (HRESULT result : {S_OK, S_FALSE, RPC_E_CHANGED_MODE, E_OUTOFMEMORY})
  {
    gInitResult = result;
    gUninits = 0;
    {
      OleScope ole(&FakeInit, &FakeUninit);
      EXPECT_EQ(ole.Initialized(), SUCCEEDED(result));
    }
    EXPECT_EQ(gUninits, SUCCEEDED(result) ? 1 : 0) << std::hex << result;
  }
  // On a thread the host made multithreaded no drag can start, and the
  // host's COM stays (a second initialisation is counted: S_FALSE).
  std::thread([] {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    EXPECT_FALSE(StartFileDragOut(kPath));
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
  }).join();
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// A drop target of the test's own that keeps what is dropped on it.
class TestDropTarget final : public IDropTarget
{
public:
  std::vector<uint8_t> dropped;
  std::wstring name;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
  {
    *object = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget) ? this : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override
  {
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
  {
    return DragEnter(nullptr, 0, {}, effect);
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
  {
    FORMATETC format = FileListFormat();
    STGMEDIUM medium = {};
    if (data->GetData(&format, &medium) == S_OK)
    {
      const auto* p = static_cast<const uint8_t*>(GlobalLock(medium.hGlobal));
      dropped.assign(p, p + GlobalSize(medium.hGlobal));
      GlobalUnlock(medium.hGlobal);
      wchar_t file[MAX_PATH] = {};
      DragQueryFileW(static_cast<HDROP>(medium.hGlobal), 0, file, MAX_PATH);
      name = file;
      ReleaseStgMedium(&medium);
    }
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
};
#pragma GCC diagnostic pop

TEST(WinFileDrag, DragsTheFileOutToTheTargetUnderThePointer)
{
  HWND window = TestWindow::Get().Handle();
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  TestDropTarget target;
  ASSERT_EQ(RegisterDragDrop(window, &target), S_OK);
  RECT r;
  GetWindowRect(window, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ifx::testkit::PumpMessages(50);

  // No button is down: the drag drops at once where the pointer is.
  EXPECT_TRUE(StartFileDragOut(kPath));
  IHeapBuf expected;
  ASSERT_TRUE(MakeDropFilesBlock(kPath, EDropFilesForm::kDragOut, expected));
  ASSERT_GE(target.dropped.size(), static_cast<size_t>(expected.GetSize()));
  EXPECT_EQ(0, std::memcmp(target.dropped.data(), expected.Get(), static_cast<size_t>(expected.GetSize())));
  EXPECT_EQ(target.name, L"C:\\Spuk\\\u00E9t\u00E9.wav");

  // Escape cancels: a success of the drag too, and nothing drops.
  target.dropped.clear();
  ifx::testkit::PostKey(window, VK_ESCAPE);
  EXPECT_TRUE(StartFileDragOut(kPath));
  EXPECT_TRUE(target.dropped.empty());
  EXPECT_FALSE(StartFileDragOut("C:\\\xC3"));
  RevokeDragDrop(window);
  OleUninitialize();
}
