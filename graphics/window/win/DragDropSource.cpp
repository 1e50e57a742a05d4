#include "graphics/window/win/DragAndDropHelpers.h"

namespace ifx {
namespace igfx {
namespace DragAndDropHelpers {

HRESULT DropSource::QueryInterface(REFIID riid, void** object)
{
  if (!object)
    return E_POINTER;
  if (IsEqualIID(riid, IID_IDropSource) || IsEqualIID(riid, IID_IUnknown))
  {
    *object = static_cast<IDropSource*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DropSource::AddRef()
{
  return static_cast<ULONG>(InterlockedIncrement(&mRefs));
}

ULONG DropSource::Release()
{
  const LONG refs = InterlockedDecrement(&mRefs);
  if (refs <= 0)
  {
    delete this;
    return 0;
  }
  return static_cast<ULONG>(refs);
}

HRESULT DropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
  if (escapePressed)
    return DRAGDROP_S_CANCEL;
  if (!(keyState & MK_LBUTTON))
    return DRAGDROP_S_DROP;
  return S_OK;
}

} // namespace DragAndDropHelpers
} // namespace igfx
} // namespace ifx
