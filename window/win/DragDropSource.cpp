#include "window/win/DragAndDropHelpers.h"

namespace ifx {
namespace igfx {
namespace DragAndDropHelpers {

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
