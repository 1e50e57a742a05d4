#include "core/UTF8ToUTF16.h"

#include <cstdint>

namespace ifx {

namespace {

// Decodes one code point at p, advancing p; -1 when the bytes there are not
// well-formed UTF-8 (the table of Unicode 15, section 3.9, D92).
int32_t DecodeOne(const unsigned char*& p) noexcept
{
  const unsigned char b0 = p[0];
  if (b0 < 0x80)
  {
    ++p;
    return b0;
  }
  int extra;
  int32_t cp;
  unsigned char lo = 0x80, hi = 0xBF;   // range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF)
  {
    extra = 1;
    cp = b0 & 0x1F;
  }
  else if (b0 >= 0xE0 && b0 <= 0xEF)
  {
    extra = 2;
    cp = b0 & 0x0F;
    if (b0 == 0xE0)
      lo = 0xA0;   // no overlong forms
    else if (b0 == 0xED)
      hi = 0x9F;   // no surrogates
  }
  else if (b0 >= 0xF0 && b0 <= 0xF4)
  {
    extra = 3;
    cp = b0 & 0x07;
    if (b0 == 0xF0)
      lo = 0x90;
    else if (b0 == 0xF4)
      hi = 0x8F;   // nothing past U+10FFFF
  }
  else
    return -1;

  for (int i = 1; i <= extra; ++i)
  {
    // A NUL (end of text) fails here too: it is no continuation byte.
    const unsigned char b = p[i];
    if (b < (i == 1 ? lo : 0x80) || b > (i == 1 ? hi : 0xBF))
      return -1;
    cp = (cp << 6) | (b & 0x3F);
  }
  p += extra + 1;
  return cp;
}

// UTF-16 units of text, the terminating NUL included; -1 when malformed or
// too long for a 32-bit byte count.
int64_t CountUnits(const char* text) noexcept
{
  int64_t units = 1;
  for (auto* p = reinterpret_cast<const unsigned char*>(text); *p;)
  {
    const int32_t cp = DecodeOne(p);
    if (cp < 0)
      return -1;
    units += cp >= 0x10000 ? 2 : 1;
    if (units > INT32_MAX / 2)
      return -1;
  }
  return units;
}

void MakeEmpty(IHeapBuf& wide) noexcept
{
  if (auto* p = static_cast<char16_t*>(wide.Resize(static_cast<int>(sizeof(char16_t)))))
    p[0] = 0;
}

} // namespace

IHeapBuf UTF8ToUTF16(const char* text) noexcept
{
  IHeapBuf wide(IHeapBuf::kDefaultGranularity);
  const int64_t units = text ? CountUnits(text) : -1;
  if (units < 1)
  {
    MakeEmpty(wide);
    return wide;
  }
  const int bytes = static_cast<int>(units * static_cast<int64_t>(sizeof(char16_t)));
  auto* out = static_cast<char16_t*>(wide.Resize(bytes));
  if (!out || wide.GetSize() != bytes)
  {
    MakeEmpty(wide);
    return wide;
  }
  auto* p = reinterpret_cast<const unsigned char*>(text);
  int n = 0;
  while (*p)
  {
    const int32_t cp = DecodeOne(p);
    if (cp >= 0x10000)
    {
      out[n++] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out[n++] = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
    else
      out[n++] = static_cast<char16_t>(cp);
  }
  out[n] = 0;
  return wide;
}

const char16_t* UTF16Text(const IHeapBuf& wide) noexcept
{
  if (wide.GetSize() < static_cast<int>(sizeof(char16_t)) || !wide.Get())
    return u"";
  return wide.GetAs<const char16_t>();
}

int UTF16Length(const IHeapBuf& wide) noexcept
{
  const char16_t* p = UTF16Text(wide);
  const int max = wide.GetSize() / static_cast<int>(sizeof(char16_t));
  int n = 0;
  while (n < max && p[n])
    ++n;
  return n;
}

} // namespace ifx
