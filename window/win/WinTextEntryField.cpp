#include "window/win/WinTextEntryField.h"

#include <mutex>
#include <string>
#include <vector>

#include "base/UTFConversion.h"
#include "platform/win/WinFontCaches.h"
#include "platform/win/WinText.h"
#include "window/TextEntryFilter.h"
#include "window/win/WinTooltip.h"

namespace ifx {
namespace igfx {

namespace {

COLORREF ToColorRef(const IRgba& c) { return RGB(c.R, c.G, c.B); }

// The cached GDI font of the style (the default GUI font when the style's
// font was never cached) at the entry's pixel size.
HFONT MakeEntryFont(const ITextStyle& style, float totalScale)
{
  LOGFONTW font = {};
  bool found = false;
  {
    auto& cache = GdiFontCache();
    std::lock_guard<std::recursive_mutex> lock(cache.Lock());
    if (const GdiFont* cached = cache.Find(style.font, 1.0))
      found = GetObjectW(cached->Get(), sizeof(font), &font) == sizeof(font);
  }
  if (!found && GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font) != sizeof(font))
    return nullptr;
  font.lfHeight = static_cast<LONG>(totalScale * style.size);
  return CreateFontIndirectW(&font);
}

} // namespace

bool WinTextEntryField::Open(HWND parent, HINSTANCE instance, const IRECT& bounds, float totalScale,
                             const ITextStyle& style, int maxLength, const char* text, const IParam* param)
{
  if (mEdit)
    return false;
  const float ts = totalScale;
  const float x = bounds.L * ts, y = bounds.T * ts;
  const float pixelW = bounds.R * ts - x, pixelH = bounds.B * ts - y;

  DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | ES_MULTILINE | ES_AUTOHSCROLL;
  editStyle |= style.align == kAlignNear ? ES_LEFT : style.align == kAlignFar ? ES_RIGHT : ES_CENTER;
  const std::wstring wide = Widen(text);
  mEdit = CreateWindowExW(0, L"EDIT", wide.c_str(), editStyle, static_cast<int>(x), static_cast<int>(y),
                          static_cast<int>(pixelW + 1.f), static_cast<int>(pixelH + 1.f), parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), instance, nullptr);
  if (!mEdit)
    return false;

  mFont = MakeEntryFont(style, ts);
  mParam = param;
  mStyle = style;
  mBounds = bounds;
  mState = kTextEntryIdle;

  SendMessageW(mEdit, EM_LIMITTEXT, static_cast<WPARAM>(maxLength > 0 ? maxLength : 0), 0);
  if (mFont)
    SendMessageW(mEdit, WM_SETFONT, reinterpret_cast<WPARAM>(mFont), 0);
  SendMessageW(mEdit, EM_SETSEL, 0, -1);
  if (style.valign == kVAlignMiddle)
  {
    RECT r = {0, static_cast<LONG>((pixelH - ts * style.size) * 0.5f), static_cast<LONG>(pixelW) + 1,
              static_cast<LONG>(pixelH) + 1};
    SendMessageW(mEdit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
  }
  SetFocus(mEdit);
  SetWindowLongPtrW(mEdit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  mSavedProc = reinterpret_cast<WNDPROC>(
    SetWindowLongPtrW(mEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WinTextEntryField::EditProc)));
  return true;
}

void WinTextEntryField::Destroy()
{
  if (mEdit)
  {
    // The saved procedure first: the focus loss of the destruction must not
    // ask for a commit of an entry that is going.
    if (mSavedProc)
      SetWindowLongPtrW(mEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mSavedProc));
    SetWindowLongPtrW(mEdit, GWLP_USERDATA, 0);
    DestroyWindow(mEdit);
  }
  if (mFont)
    DeleteObject(mFont);
  mEdit = nullptr;
  mSavedProc = nullptr;
  mFont = nullptr;
  mParam = nullptr;
  mState = kTextEntryIdle;
}

bool WinTextEntryField::ReadText(IString& text) const
{
  const int length = static_cast<int>(SendMessageW(mEdit, WM_GETTEXTLENGTH, 0, 0));
  std::vector<wchar_t> units(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int got =
    static_cast<int>(SendMessageW(mEdit, WM_GETTEXT, units.size(), reinterpret_cast<LPARAM>(units.data())));
  const auto* wide = reinterpret_cast<const char16_t*>(units.data());
  return ConvertWideToUtf8(wide, UTF16CutLength(wide, got, kMaxCommitUnits), text);
}

WinTextEntryField::ETick WinTextEntryField::TakePending(IString& text)
{
  text.Set("");
  if (!mEdit || mState == kTextEntryIdle)
    return ETick::kNone;
  switch (mState)
  {
    case kTextEntryCancel: Destroy(); return ETick::kCancelled;
    case kTextEntryCommit:
    {
      const bool read = ReadText(text);
      Destroy();
      return read ? ETick::kCommitted : ETick::kCancelled;
    }
    default: mState = kTextEntryIdle; return ETick::kHeld;
  }
}

LRESULT WinTextEntryField::ColorEdit(HDC dc) const
{
  if (!mEdit)
    return 0;
  SetBkColor(dc, ToColorRef(mStyle.textEntryBGColor));
  SetTextColor(dc, ToColorRef(mStyle.textEntryFGColor));
  SetBkMode(dc, OPAQUE);
  SetDCBrushColor(dc, ToColorRef(mStyle.textEntryBGColor));
  return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

LRESULT CALLBACK WinTextEntryField::EditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam)
{
  auto* entry = reinterpret_cast<WinTextEntryField*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
  if (!entry || entry->mEdit != edit)
    return DefWindowProcW(edit, msg, wParam, lParam);
  return entry->HandleEditMessage(edit, msg, wParam, lParam);
}

LRESULT WinTextEntryField::HandleEditMessage(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (mTooltip)
    mTooltip->Hide();
  switch (msg)
  {
    case WM_SETFOCUS: mState = kTextEntryFocused; break;
    case WM_KILLFOCUS: mState = kTextEntryCommit; break;
    case WM_GETDLGCODE:
    {
      LRESULT code = CallWindowProcW(mSavedProc, edit, msg, wParam, lParam);
      const auto* asked = reinterpret_cast<const MSG*>(lParam);
      if (asked && asked->message == WM_KEYDOWN && asked->wParam == VK_RETURN)
        code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN)
      {
        mState = kTextEntryCommit;
        return 0;
      }
      if (wParam == VK_ESCAPE)
      {
        mState = kTextEntryCancel;
        return 0;
      }
      break;
    case WM_CHAR:
      if (!TextEntryAcceptsChar(mParam, static_cast<uint32_t>(wParam)))
        return 0;
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == 1)
      {
        mState = kTextEntryCommit;
        return 0;
      }
      break;
    case WM_NCDESTROY:
    {
      // Destroyed with its parent: the entry is closed, nothing to commit.
      const LRESULT result = CallWindowProcW(mSavedProc, edit, msg, wParam, lParam);
      mSavedProc = nullptr;
      mEdit = nullptr;
      Destroy();
      return result;
    }
    default: break;
  }
  return CallWindowProcW(mSavedProc, edit, msg, wParam, lParam);
}

} // namespace igfx
} // namespace ifx
