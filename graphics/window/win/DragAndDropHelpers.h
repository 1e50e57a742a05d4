#pragma once
// The three COM objects of an OLE drag of one file out of the editor: the
// data (the file as a CF_HDROP list), the source (when the drag ends) and
// the enumerator of the one format offered. Each answers IID_IUnknown and
// its own interface, counts references from 1 and deletes itself at 0.
// Each keeps its own copy of the format, without a target device: a drop
// target may hold the data after the drag has returned.
#include <windows.h>
#include <ole2.h>

#include "core/IString.h"

namespace ifx {
namespace igfx {
namespace DragAndDropHelpers {

// The system's COM interfaces have public non-virtual destructors; these
// objects are deleted only by their own Release, as their own type.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// CF_HDROP, no target device, DVASPECT_CONTENT, lindex -1, TYMED_HGLOBAL.
FORMATETC FileListFormat();

class DataObject final : public IDataObject
{
public:
  DataObject(const char* path, const FORMATETC& format);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
  ~DataObject() = default;
  bool Offers(const FORMATETC& format) const;

  LONG mRefs = 1;
  IString mPath;
  FORMATETC mFormat;
};

class DropSource final : public IDropSource
{
public:
  DropSource() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // Escape cancels; letting go of the left button drops.
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
  ~DropSource() = default;

  LONG mRefs = 1;
};

// Enumerates the one format: Next gives it once from the start (S_OK only
// when it gives as many as asked), Skip moves past it (S_FALSE when fewer
// than asked were left, at the end then), Reset goes back to the start,
// Clone copies the position.
class EnumFORMATETC final : public IEnumFORMATETC
{
public:
  explicit EnumFORMATETC(const FORMATETC& format, ULONG cursor = 0);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** out) override;

private:
  ~EnumFORMATETC() = default;

  LONG mRefs = 1;
  FORMATETC mFormat;
  ULONG mCursor;
};

#pragma GCC diagnostic pop

} // namespace DragAndDropHelpers
} // namespace igfx
} // namespace ifx
