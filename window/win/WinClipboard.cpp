#include "window/win/WinClipboard.h"

#include "base/UTFConversion.h"
#include "window/DropFiles.h"
#include "window/win/WinGlobalMemory.h"

namespace ifx {
namespace igfx {

namespace {

// Open for the length of a scope.
class OpenClipboardScope
{
public:
  explicit OpenClipboardScope(HWND owner) : mOpen(owner && OpenClipboard(owner)) {}
  ~OpenClipboardScope()
  {
    if (mOpen)
      CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool IsOpen() const { return mOpen; }

private:
  bool mOpen;
};

// Hands the clipboard bytes in a movable global block, which the clipboard
// then owns. The block is filled before the clipboard is emptied, so a
// failed allocation leaves the clipboard as it was; a block the clipboard
// did not take is freed here.
bool SetClipboardBytes(UINT format, const void* bytes, size_t size)
{
  HGLOBAL block = CopyToGlobalMemory(bytes, size);
  if (!block)
    return false;
  if (!EmptyClipboard() || !SetClipboardData(format, block))
  {
    GlobalFree(block);
    return false;
  }
  return true;
}

} // namespace

bool PasteTextFromClipboard(HWND owner, IString& text)
{
  text.Set("");
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT))
    return false;
  OpenClipboardScope clipboard(owner);
  if (!clipboard.IsOpen())
    return false;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data)
    return false;
  const auto* units = static_cast<const char16_t*>(GlobalLock(data));
  if (!units)
    return false;
  // Another program's block may lack its terminator: no more than it holds.
  const int capacity = static_cast<int>(GlobalSize(data) / sizeof(char16_t));
  const bool converted = ConvertWideToUtf8(units, capacity, text);
  GlobalUnlock(data);
  return converted;
}

bool CopyTextToClipboard(HWND owner, const char* text)
{
  const IHeapBuf wide = UTF8ToUTF16(text);
  const int units = UTF16Length(wide);
  if (units == 0 && text && *text)
    return false;
  OpenClipboardScope clipboard(owner);
  if (!clipboard.IsOpen())
    return false;
  if (units == 0)
    return EmptyClipboard() != FALSE;
  return SetClipboardBytes(CF_UNICODETEXT, UTF16Text(wide), (static_cast<size_t>(units) + 1) * sizeof(char16_t));
}

bool CopyFilePathToClipboard(HWND owner, const char* path)
{
  IHeapBuf block;
  if (!MakeDropFilesBlock(path, EDropFilesForm::kClipboard, block))
    return false;
  OpenClipboardScope clipboard(owner);
  return clipboard.IsOpen() && SetClipboardBytes(CF_HDROP, block.Get(), static_cast<size_t>(block.GetSize()));
}

} // namespace igfx
} // namespace ifx
