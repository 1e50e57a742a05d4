#include "platform/win/WinFont.h"

#include <climits>
#include <cwchar>
#include <string>

#include "platform/win/WinText.h"

namespace ifx {
namespace igfx {

namespace {

// GetFontData reads a table tag as its four bytes in file order.
constexpr DWORD kCollectionTag = 'f' << 24 | 'c' << 16 | 't' << 8 | 't';

int CALLBACK AnyFaceCallback(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM) { return -1; }

} // namespace

WinFont::WinFont(HFONT font, const char* styleName, bool systemFont)
  : mFont(font), mStyleName(styleName ? styleName : ""), mSystemFont(systemFont)
{
}

WinFont::~WinFont()
{
  if (mFont)
    DeleteObject(mFont);
}

std::unique_ptr<FontFileData> WinFont::GetFileData() const
{
  auto result = std::make_unique<FontFileData>();
  HDC dc = mFont ? CreateCompatibleDC(nullptr) : nullptr;
  if (!dc)
    return result;
  const HGDIOBJ previous = SelectObject(dc, mFont);
  const DWORD size = GetFontData(dc, 0, 0, nullptr, 0);
  if (size != GDI_ERROR && size > 0 && size <= static_cast<DWORD>(INT_MAX))
  {
    IHeapBuf bytes;
    bytes.Resize(static_cast<int>(size));
    if (bytes.GetSize() == static_cast<int>(size))
    {
      // The whole collection when the font is a face of one, else the font.
      DWORD read = GetFontData(dc, kCollectionTag, 0, bytes.Get(), size);
      if (read == GDI_ERROR)
        read = GetFontData(dc, 0, 0, bytes.Get(), size);
      if (read == size)
        result = FontFileData::FromBytes(bytes.Get(), size, mStyleName.Get());
    }
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  return result;
}

HFONT CreateGdiFont(const char* faceName, int weight, bool italic, bool underline, bool checkExists, HDC dc)
{
  const std::wstring face = Widen(faceName);
  if (face.empty() || face.size() >= LF_FACESIZE)
    return nullptr;

  LOGFONTW lf = {};
  lf.lfWeight = weight;
  lf.lfItalic = italic ? TRUE : FALSE;
  lf.lfUnderline = underline ? TRUE : FALSE;
  lf.lfStrikeOut = FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = 0;
  std::wmemcpy(lf.lfFaceName, face.c_str(), face.size() + 1);

  HDC screen = dc ? dc : GetDC(nullptr);
  if (!screen)
    return nullptr;
  HFONT font = nullptr;
  if (!checkExists || EnumFontFamiliesExW(screen, &lf, &AnyFaceCallback, 0, 0) == -1)
    font = CreateFontIndirectW(&lf);
  if (font)
  {
    // The DC is shared: it gets its own font back.
    const HGDIOBJ previous = SelectObject(screen, font);
    wchar_t made[64] = {};
    const int got = GetTextFaceW(screen, 64, made);
    made[63] = 0;
    SelectObject(screen, previous);
    if (got <= 0 || Narrow(made, static_cast<int>(std::wcslen(made))) != faceName)
    {
      DeleteObject(font);
      font = nullptr;
    }
  }
  if (!dc)
    ReleaseDC(nullptr, screen);
  return font;
}

} // namespace igfx
} // namespace ifx
