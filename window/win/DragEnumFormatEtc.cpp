#include "window/win/DragAndDropHelpers.h"

#include <new>

namespace ifx {
namespace igfx {
namespace DragAndDropHelpers {

namespace {

// One format to enumerate.
constexpr ULONG kCount = 1;

} // namespace

EnumFORMATETC::EnumFORMATETC(const FORMATETC& format, ULONG cursor)
  : mFormat(format), mCursor(cursor < kCount ? cursor : kCount)
{
  mFormat.ptd = nullptr; // no target device to copy out to receivers
}

HRESULT EnumFORMATETC::Next(ULONG count, FORMATETC* formats, ULONG* fetched)
{
  if (fetched)
    *fetched = 0;
  // Without a count to report only one may be asked for.
  if (!fetched && count != 1)
    return S_FALSE;
  if (count == 0)
    return S_OK;
  if (!formats)
    return S_FALSE;
  ULONG given = 0;
  if (mCursor < kCount)
  {
    formats[0] = mFormat;
    mCursor = kCount;
    given = 1;
  }
  if (fetched)
    *fetched = given;
  return given == count ? S_OK : S_FALSE;
}

HRESULT EnumFORMATETC::Skip(ULONG count)
{
  const ULONG left = kCount - mCursor;
  if (count > left)
  {
    mCursor = kCount;
    return S_FALSE;
  }
  mCursor += count;
  return S_OK;
}

HRESULT EnumFORMATETC::Reset()
{
  mCursor = 0;
  return S_OK;
}

HRESULT EnumFORMATETC::Clone(IEnumFORMATETC** out)
{
  if (!out)
    return E_POINTER;
  *out = new (std::nothrow) EnumFORMATETC(mFormat, mCursor);
  return *out ? S_OK : E_OUTOFMEMORY;
}

} // namespace DragAndDropHelpers
} // namespace igfx
} // namespace ifx
