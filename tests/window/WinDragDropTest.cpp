// Drag and drop under wine: the COM objects of a drag out and their
// contract, OLE set up only where it is ours, a whole drag onto a drop
// target of the test's own, and files dropped in reaching the control
// under the drop point.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "WinTestWindow.h"
#include "graphics/window/DropFiles.h"
#include "graphics/window/win/DragAndDropHelpers.h"
#include "graphics/window/win/WinFileDrag.h"
#include "graphics/window/win/WinOleScope.h"
#include "support/RecordingDelegate.h"
#include "support/RecordingGfx.h"
#include "support/TestControl.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::igfx::DragAndDropHelpers;
using ifx::testkit::TestWindow;

namespace {

const char kPath[] = "C:\\Spuk\\\xC3\xA9t\xC3\xA9.wav";

std::vector<uint8_t> Bytes(HGLOBAL global)
{
  const auto* p = static_cast<const uint8_t*>(GlobalLock(global));
  std::vector<uint8_t> bytes(p, p + GlobalSize(global));
  GlobalUnlock(global);
  return bytes;
}

std::vector<uint8_t> DragOutBlock(const char* path)
{
  IHeapBuf block;
  EXPECT_TRUE(MakeDropFilesBlock(path, EDropFilesForm::kDragOut, block));
  return std::vector<uint8_t>(block.GetAs<uint8_t>(), block.GetAs<uint8_t>() + block.GetSize());
}

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

} // namespace

TEST(DragAndDropHelpers, EachObjectAnswersIUnknownAndItsOwnInterfaceOnly)
{
  const FORMATETC format = FileListFormat();
  auto* data = new DataObject(kPath, format);
  auto* source = new DropSource();
  IEnumFORMATETC* formats = nullptr;
  ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);

  struct Row { IUnknown* object; bool unknown, dataObject, dropSource, enumerator; };
  const Row rows[] = {
    {data, true, true, false, false},
    {source, true, false, true, false},
    {formats, true, false, false, true},
  };
  for (const Row& r : rows)
  {
    EXPECT_EQ(Answers(r.object, IID_IUnknown), r.unknown);
    EXPECT_EQ(Answers(r.object, IID_IDataObject), r.dataObject);
    EXPECT_EQ(Answers(r.object, IID_IDropSource), r.dropSource);
    EXPECT_EQ(Answers(r.object, IID_IEnumFORMATETC), r.enumerator);
    EXPECT_FALSE(Answers(r.object, IID_IStream));
    // Counted from 1: one more, one less; the last release deletes.
    EXPECT_EQ(r.object->AddRef(), 2u);
    EXPECT_EQ(r.object->Release(), 1u);
    EXPECT_EQ(r.object->Release(), 0u);
  }
}

TEST(DragAndDropHelpers, DataObjectOffersTheFileListOnly)
{
  auto* data = new DataObject(kPath, FileListFormat());
  struct Case { CLIPFORMAT format; DWORD aspect; DWORD tymed; HRESULT answer; };
  const Case cases[] = {
    {CF_HDROP, DVASPECT_CONTENT, TYMED_HGLOBAL, S_OK},
    {CF_HDROP, DVASPECT_CONTENT, TYMED_HGLOBAL | TYMED_ISTREAM, S_OK},
    {CF_TEXT, DVASPECT_CONTENT, TYMED_HGLOBAL, DV_E_FORMATETC},
    {CF_HDROP, DVASPECT_THUMBNAIL, TYMED_HGLOBAL, DV_E_FORMATETC},
    {CF_HDROP, DVASPECT_CONTENT, TYMED_ISTREAM, DV_E_FORMATETC},
  };
  for (const Case& c : cases)
  {
    FORMATETC asked = {c.format, nullptr, c.aspect, -1, c.tymed};
    EXPECT_EQ(data->QueryGetData(&asked), c.answer) << c.format;
    STGMEDIUM medium = {};
    EXPECT_EQ(data->GetData(&asked, &medium), c.answer) << c.format;
    if (c.answer != S_OK)
      continue;
    EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(medium.pUnkForRelease, nullptr);
    std::vector<uint8_t> bytes = Bytes(medium.hGlobal);
    ASSERT_GE(bytes.size(), DragOutBlock(kPath).size());
    bytes.resize(DragOutBlock(kPath).size());   // the block may be rounded up
    EXPECT_EQ(bytes, DragOutBlock(kPath));
    ReleaseStgMedium(&medium);
  }
  EXPECT_EQ(data->QueryGetData(nullptr), E_INVALIDARG);
  STGMEDIUM medium = {};
  EXPECT_EQ(data->GetData(nullptr, &medium), E_INVALIDARG);

  FORMATETC canonical = {};
  canonical.ptd = reinterpret_cast<DVTARGETDEVICE*>(8);
  EXPECT_EQ(data->GetCanonicalFormatEtc(nullptr, &canonical), E_NOTIMPL);
  EXPECT_EQ(canonical.ptd, nullptr);
  IEnumFORMATETC* formats = reinterpret_cast<IEnumFORMATETC*>(8);
  EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, &formats), E_NOTIMPL);
  EXPECT_EQ(formats, nullptr);
  EXPECT_EQ(data->EnumFormatEtc(DATADIR_GET, nullptr), E_POINTER);
  for (HRESULT r : {data->GetDataHere(nullptr, nullptr), data->SetData(nullptr, nullptr, FALSE),
                    data->DAdvise(nullptr, 0, nullptr, nullptr), data->DUnadvise(0), data->EnumDAdvise(nullptr)})
    EXPECT_EQ(r, E_NOTIMPL);
  data->Release();

  auto* source = new DropSource();
  EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
  source->Release();
}

TEST(DragAndDropHelpers, EnumeratorKeepsTheContract)
{
  auto* formats = new EnumFORMATETC(FileListFormat());
  FORMATETC got[3] = {};
  ULONG fetched = 99;
  // Next: S_OK only when as many as asked were given.
  EXPECT_EQ(formats->Next(1, got, &fetched), S_OK);
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(got[0].cfFormat, CF_HDROP);
  EXPECT_EQ(got[0].tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  EXPECT_EQ(formats->Next(1, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(formats->Reset(), S_OK);
  EXPECT_EQ(formats->Next(3, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(formats->Reset(), S_OK);
  EXPECT_EQ(formats->Next(1, got, nullptr), S_OK);   // one without a count is allowed
  EXPECT_EQ(formats->Reset(), S_OK);
  EXPECT_EQ(formats->Next(2, got, nullptr), S_FALSE);
  EXPECT_EQ(formats->Next(0, got, &fetched), S_OK);
  EXPECT_EQ(fetched, 0u);

  // Skip moves past what is there; more than is left goes to the end.
  EXPECT_EQ(formats->Skip(0), S_OK);
  EXPECT_EQ(formats->Skip(1), S_OK);
  EXPECT_EQ(formats->Next(1, got, &fetched), S_FALSE);
  formats->Reset();
  EXPECT_EQ(formats->Skip(2), S_FALSE);
  EXPECT_EQ(formats->Next(1, got, &fetched), S_FALSE);

  // A clone starts where the original is, and moves on its own.
  formats->Reset();
  IEnumFORMATETC* atStart = nullptr;
  ASSERT_EQ(formats->Clone(&atStart), S_OK);
  formats->Skip(1);
  IEnumFORMATETC* atEnd = nullptr;
  ASSERT_EQ(formats->Clone(&atEnd), S_OK);
  EXPECT_EQ(atEnd->Next(1, got, &fetched), S_FALSE);
  EXPECT_EQ(atStart->Next(1, got, &fetched), S_OK);
  EXPECT_EQ(formats->Next(1, got, &fetched), S_FALSE);
  EXPECT_EQ(formats->Clone(nullptr), E_POINTER);
  EXPECT_EQ(atStart->Release(), 0u);
  EXPECT_EQ(atEnd->Release(), 0u);
  EXPECT_EQ(formats->Release(), 0u);
}

namespace {

HRESULT gInitResult = S_OK;
int gUninits = 0;
HRESULT WINAPI FakeInit(LPVOID) { return gInitResult; }
void WINAPI FakeUninit() { ++gUninits; }

} // namespace

TEST(OleScope, UndoesOnlyWhatItDid)
{
  // Wine itself ignores an unbalanced OleUninitialize; Windows would take
  // the host's initialisation away. So the rule is watched on the calls.
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

  // On a thread the host made multithreaded OLE cannot start; the host's
  // COM stays as it was.
  std::thread([] {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    {
      OleScope ole;
      EXPECT_FALSE(ole.Initialized());
      EXPECT_EQ(ole.Result(), RPC_E_CHANGED_MODE);
    }
    EXPECT_FALSE(StartFileDragOut(kPath));
    // Still initialised once: a second initialisation is counted (S_FALSE).
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);   // and now gone
    CoUninitialize();
  }).join();

  std::thread([] {
    {
      OleScope ole;
      EXPECT_TRUE(ole.Initialized());
      OleScope again;
      EXPECT_EQ(again.Result(), S_FALSE);   // counted too, undone too
    }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);   // nothing left over
    CoUninitialize();
  }).join();
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// A drop target of the test's own that reads what is dropped on it.
class TestDropTarget final : public IDropTarget
{
public:
  std::vector<uint8_t> dropped;
  std::wstring firstName;
  int enters = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
  {
    *object = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget) ? this : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override
  {
    ++enters;
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
  {
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
  {
    FORMATETC format = FileListFormat();
    STGMEDIUM medium = {};
    if (data->GetData(&format, &medium) == S_OK)
    {
      dropped = Bytes(medium.hGlobal);
      wchar_t name[MAX_PATH] = {};
      DragQueryFileW(static_cast<HDROP>(medium.hGlobal), 0, name, MAX_PATH);
      firstName = name;
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
  EXPECT_GE(target.enters, 1);
  ASSERT_GE(target.dropped.size(), DragOutBlock(kPath).size());
  target.dropped.resize(DragOutBlock(kPath).size());
  EXPECT_EQ(target.dropped, DragOutBlock(kPath));
  EXPECT_EQ(target.firstName, L"C:\\Spuk\\\u00E9t\u00E9.wav");

  // Escape cancels; that is a success of the drag too, and nothing drops.
  target.dropped.clear();
  ifx::testkit::PostKey(window, VK_ESCAPE);
  EXPECT_TRUE(StartFileDragOut(kPath));
  EXPECT_TRUE(target.dropped.empty());

  EXPECT_FALSE(StartFileDragOut(""));
  EXPECT_FALSE(StartFileDragOut("C:\\\xC3"));
  RevokeDragDrop(window);
  OleUninitialize();
}

namespace {

// A control that records the drops it gets.
class DropControl : public ifx::testkit::TestControl
{
public:
  using TestControl::TestControl;
  std::vector<std::vector<std::string>> drops;   // one entry per call
  bool single = false;

  void OnDrop(const char* path) override
  {
    drops.push_back({path});
    single = true;
  }
  void OnDropPaths(const std::vector<const char*>& paths) override
  {
    drops.emplace_back(paths.begin(), paths.end());
    single = false;
  }
};

// A shell drop of names at a point (window pixels), as WM_DROPFILES hands it.
HDROP MakeDrop(const std::vector<std::u16string>& names, int x, int y)
{
  std::vector<uint8_t> bytes(20, 0);
  const int32_t header[5] = {20, x, y, 0, 1};
  std::memcpy(bytes.data(), header, 20);
  for (const std::u16string& name : names)
  {
    const auto* p = reinterpret_cast<const uint8_t*>(name.c_str());
    bytes.insert(bytes.end(), p, p + (name.size() + 1) * 2);
  }
  bytes.insert(bytes.end(), 2, 0);
  HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(drop), bytes.data(), bytes.size());
  GlobalUnlock(drop);
  return static_cast<HDROP>(drop);
}

} // namespace

TEST(WinFileDrag, DroppedFilesReachTheControlUnderTheDropPoint)
{
  ifx::testkit::RecordingDelegate delegate;
  ifx::testkit::RecordingGfx gfx(delegate);
  auto* background = new DropControl(IRECT(0.f, 0.f, 1200.f, 800.f));
  auto* left = new DropControl(IRECT(0.f, 0.f, 100.f, 100.f));
  auto* right = new DropControl(IRECT(100.f, 0.f, 200.f, 100.f));
  gfx.AttachBackground(background);
  gfx.AttachControl(left);
  gfx.AttachControl(right);
  const float scale = 1.5f;   // window pixels per editor unit

  // One file at window pixel (225, 30), editor (150, 20): the right control.
  HandleDropFiles(gfx, MakeDrop({u"C:\\Spuk\\\u00E9t\u00E9.wav"}, 225, 30), scale);
  ASSERT_EQ(right->drops.size(), 1u);
  EXPECT_TRUE(right->single);
  EXPECT_EQ(right->drops[0], std::vector<std::string>{"C:\\Spuk\\\xC3\xA9t\xC3\xA9.wav"});
  EXPECT_TRUE(left->drops.empty());

  // Three at (60, 60) -> (40, 40): the left control, once, in drop order;
  // a name too long for the read buffer is left out, not cut.
  const std::u16string tooLong = u"C:\\" + std::u16string(1100, u'x');
  HandleDropFiles(gfx, MakeDrop({u"C:\\a.wav", tooLong, u"C:\\b.fxp", u"C:\\\U0001F47B.wav"}, 60, 60), scale);
  ASSERT_EQ(left->drops.size(), 1u);
  EXPECT_FALSE(left->single);
  EXPECT_EQ(left->drops[0], (std::vector<std::string>{"C:\\a.wav", "C:\\b.fxp", "C:\\\xF0\x9F\x91\xBB.wav"}));

  // Outside both: the background.
  HandleDropFiles(gfx, MakeDrop({u"C:\\c.wav"}, 600, 600), scale);
  EXPECT_EQ(background->drops.size(), 1u);
  EXPECT_EQ(right->drops.size(), 1u);
  EXPECT_EQ(left->drops.size(), 1u);

  // Only names that do not fit: nothing reaches anyone.
  HandleDropFiles(gfx, MakeDrop({tooLong}, 60, 60), scale);
  EXPECT_EQ(left->drops.size(), 1u);
}
