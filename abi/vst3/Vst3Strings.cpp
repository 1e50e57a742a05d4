#include "abi/vst3/Vst3Strings.h"

#include <cstring>

namespace Steinberg {

void StrCopy8(char8* dst, const char8* src, int32 size)
{
  if (!dst || size <= 0)
    return;
  std::memset(dst, 0, static_cast<size_t>(size));
  if (!src)
    return;
  for (int32 i = 0; i < size - 1 && src[i]; ++i)
    dst[i] = src[i];
}

void StrCopy16(char16* dst, const char16* src, int32 maxUnits)
{
  if (!dst || maxUnits <= 0)
    return;
  int32 n = 0;
  if (src)
    for (; n < maxUnits - 1 && src[n]; ++n)
      dst[n] = src[n];
  dst[n] = 0;
}

void StrWidenBytes(char16* dst, const char8* src, int32 maxUnits)
{
  if (!dst || maxUnits <= 0)
    return;
  int32 n = 0;
  if (src)
    for (; n < maxUnits - 1 && src[n]; ++n)
      dst[n] = static_cast<char16>(static_cast<unsigned char>(src[n]));
  dst[n] = 0;
}

namespace {

// Decodes one code point; returns the bytes it used (at least 1).
int DecodeUtf8(const unsigned char* s, char32_t& cp)
{
  const unsigned char c = s[0];
  int len = 0;
  char32_t v = 0;
  if (c < 0x80)
  {
    cp = c;
    return 1;
  }
  else if ((c & 0xE0) == 0xC0)
  {
    len = 2;
    v = c & 0x1F;
  }
  else if ((c & 0xF0) == 0xE0)
  {
    len = 3;
    v = c & 0x0F;
  }
  else if ((c & 0xF8) == 0xF0)
  {
    len = 4;
    v = c & 0x07;
  }
  else
  {
    cp = 0xFFFD;
    return 1;
  }
  for (int i = 1; i < len; ++i)
  {
    if ((s[i] & 0xC0) != 0x80)
    {
      cp = 0xFFFD;
      return i;
    }
    v = (v << 6) | (s[i] & 0x3F);
  }
  const bool overlong = (len == 2 && v < 0x80) || (len == 3 && v < 0x800) || (len == 4 && v < 0x10000);
  cp = (overlong || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) ? 0xFFFD : v;
  return len;
}

} // namespace

void StrUtf8ToUtf16(char16* dst, const char8* src, int32 maxUnits)
{
  if (!dst || maxUnits <= 0)
    return;
  int32 n = 0;
  const auto* s = reinterpret_cast<const unsigned char*>(src ? src : "");
  while (*s)
  {
    char32_t cp;
    s += DecodeUtf8(s, cp);
    if (cp >= 0x10000)
    {
      if (n + 2 > maxUnits - 1)
        break;
      cp -= 0x10000;
      dst[n++] = static_cast<char16>(0xD800 + (cp >> 10));
      dst[n++] = static_cast<char16>(0xDC00 + (cp & 0x3FF));
    }
    else
    {
      if (n + 1 > maxUnits - 1)
        break;
      dst[n++] = static_cast<char16>(cp);
    }
  }
  dst[n] = 0;
}

std::string StrUtf16ToUtf8(const char16* src, int32 maxUnits)
{
  std::string out;
  if (!src)
    return out;
  for (int32 i = 0; (maxUnits < 0 || i < maxUnits) && src[i]; ++i)
  {
    char32_t cp = src[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && (maxUnits < 0 || i + 1 < maxUnits) && src[i + 1] >= 0xDC00 &&
        src[i + 1] <= 0xDFFF)
    {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (src[i + 1] - 0xDC00);
      ++i;
    }
    else if (cp >= 0xD800 && cp <= 0xDFFF)
    {
      cp = 0xFFFD;
    }
    if (cp < 0x80)
    {
      out += static_cast<char>(cp);
    }
    else if (cp < 0x800)
    {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else
    {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

int32 StrLength16(const char16* s)
{
  int32 n = 0;
  if (s)
    while (s[n])
      ++n;
  return n;
}

} // namespace Steinberg
