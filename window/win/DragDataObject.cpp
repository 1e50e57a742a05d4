#include "window/win/DragAndDropHelpers.h"

#include <new>

#include "window/DropFiles.h"
#include "window/win/WinGlobalMemory.h"

namespace ifx {
namespace igfx {
namespace DragAndDropHelpers {

FORMATETC FileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

DataObject::DataObject(const char* path, const FORMATETC& format) : mPath(path), mFormat(format)
{
  mFormat.ptd = nullptr; // a file list has no target device
}

bool DataObject::Offers(const FORMATETC& format) const
{
  return (format.tymed & mFormat.tymed) && (format.dwAspect & mFormat.dwAspect) && format.cfFormat == mFormat.cfFormat;
}

HRESULT DataObject::QueryGetData(FORMATETC* format)
{
  if (!format)
    return E_INVALIDARG;
  return Offers(*format) ? S_OK : DV_E_FORMATETC;
}

HRESULT DataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
  if (!format || !medium)
    return E_INVALIDARG;
  if (!Offers(*format))
    return DV_E_FORMATETC;
  IHeapBuf block;
  if (!MakeDropFilesBlock(mPath.Get(), EDropFilesForm::kDragOut, block))
    return E_UNEXPECTED;
  HGLOBAL global = CopyToGlobalMemory(block.Get(), static_cast<size_t>(block.GetSize()));
  if (!global)
    return E_OUTOFMEMORY;
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = global;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT DataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out)
{
  if (out)
    out->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT DataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out)
{
  if (!out)
    return E_POINTER;
  *out = nullptr;
  if (direction != DATADIR_GET)
    return E_NOTIMPL;
  *out = new (std::nothrow) EnumFORMATETC(mFormat);
  return *out ? S_OK : E_OUTOFMEMORY;
}

} // namespace DragAndDropHelpers
} // namespace igfx
} // namespace ifx
