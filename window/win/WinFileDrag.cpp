#include "window/win/WinFileDrag.h"

#include <new>
#include <vector>

#include "base/UTFConversion.h"
#include "toolkit/IGfx.h"
#include "window/DropFiles.h"
#include "window/win/DragAndDropHelpers.h"
#include "window/win/WinOleScope.h"

namespace ifx {
namespace igfx {

bool StartFileDragOut(const char* path)
{
  if (UTF16Length(UTF8ToUTF16(path)) == 0)
    return false;
  OleScope ole;
  if (!ole.Initialized())
    return false;
  const FORMATETC format = DragAndDropHelpers::FileListFormat();
  auto* data = new (std::nothrow) DragAndDropHelpers::DataObject(path, format);
  auto* source = new (std::nothrow) DragAndDropHelpers::DropSource();
  HRESULT result = E_OUTOFMEMORY;
  if (data && source)
  {
    DWORD effect = DROPEFFECT_NONE;
    result = DoDragDrop(data, source, DROPEFFECT_COPY, &effect);
  }
  if (data)
    data->Release();
  if (source)
    source->Release();
  return SUCCEEDED(result);
}

void HandleDropFiles(IGfx& gfx, HDROP drop, float totalScale)
{
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<IString> names;
  names.reserve(count);
  wchar_t buffer[kMaxDroppedNameUnits];
  for (UINT i = 0; i < count; ++i)
  {
    // The length first: a name the buffer cannot hold whole is left out.
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    if (length == 0 || length >= static_cast<UINT>(kMaxDroppedNameUnits))
      continue;
    const UINT got = DragQueryFileW(drop, i, buffer, kMaxDroppedNameUnits);
    IString name;
    if (got == length && TakeDroppedName(reinterpret_cast<const char16_t*>(buffer), static_cast<int>(got), name))
      names.push_back(std::move(name));
  }
  POINT point = {};
  DragQueryPoint(drop, &point);
  DragFinish(drop);

  std::vector<const char*> paths;
  paths.reserve(names.size());
  for (const IString& name : names)
    paths.push_back(name.Get());
  const float ts = totalScale > 0.f ? totalScale : 1.f;
  gfx.OnDrop(static_cast<float>(point.x) / ts, static_cast<float>(point.y) / ts, paths);
}

} // namespace igfx
} // namespace ifx
