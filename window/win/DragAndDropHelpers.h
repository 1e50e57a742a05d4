#pragma once
// The three COM objects of an OLE drag of one file out of the editor: the
// data (the file as a CF_HDROP list), the source (when the drag ends) and
// the enumerator of the one format offered (IUnknown: ComObject.h). Each
// keeps its own copy of the format, without a target device: a drop target
// may hold the data after the drag has returned.
#include <windows.h>
#include <ole2.h>

#include "base/IString.h"
#include "window/win/ComObject.h"

namespace ifx {
namespace igfx {
namespace DragAndDropHelpers {

// CF_HDROP, no target device, DVASPECT_CONTENT, lindex -1, TYMED_HGLOBAL.
FORMATETC FileListFormat();

class DataObject final : public ComObject<DataObject, IDataObject>
{
public:
  DataObject(const char* path, const FORMATETC& format);

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
  friend class ComObject<DataObject, IDataObject>;
  ~DataObject() = default;
  bool Offers(const FORMATETC& format) const;

  IString mPath;
  FORMATETC mFormat;
};

class DropSource final : public ComObject<DropSource, IDropSource>
{
public:
  DropSource() = default;

  // Escape cancels; letting go of the left button drops.
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
  friend class ComObject<DropSource, IDropSource>;
  ~DropSource() = default;
};

// Enumerates the one format: Next gives it once from the start (S_OK only
// when it gives as many as asked), Skip moves past it (S_FALSE when fewer
// than asked were left, at the end then), Reset goes back to the start,
// Clone copies the position.
class EnumFORMATETC final : public ComObject<EnumFORMATETC, IEnumFORMATETC>
{
public:
  explicit EnumFORMATETC(const FORMATETC& format, ULONG cursor = 0);

  HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** out) override;

private:
  friend class ComObject<EnumFORMATETC, IEnumFORMATETC>;
  ~EnumFORMATETC() = default;

  FORMATETC mFormat;
  ULONG mCursor;
};

} // namespace DragAndDropHelpers
} // namespace igfx
} // namespace ifx
