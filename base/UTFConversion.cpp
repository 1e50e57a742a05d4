#include "base/UTFConversion.h"

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
  unsigned char lo = 0x80, hi = 0xBF; // range of the second byte
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
      lo = 0xA0; // no overlong forms
    else if (b0 == 0xED)
      hi = 0x9F; // no surrogates
  }
  else if (b0 >= 0xF0 && b0 <= 0xF4)
  {
    extra = 3;
    cp = b0 & 0x07;
    if (b0 == 0xF0)
      lo = 0x90;
    else if (b0 == 0xF4)
      hi = 0x8F; // nothing past U+10FFFF
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

// Writes the units of well-formed text (checked by CountUnits) and its NUL.
void Encode(const char* text, char16_t* out) noexcept
{
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
}

bool IsHighSurrogate(char16_t u) noexcept { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) noexcept { return u >= 0xDC00 && u <= 0xDFFF; }

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
  Encode(text, out);
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

bool ConvertUtf8ToWide(char16_t* buffer, const char* text, int capacity) noexcept
{
  if (!buffer || capacity < 1)
    return false;
  const int64_t units = text ? CountUnits(text) : -1;
  if (units < 1 || units > capacity)
  {
    buffer[0] = 0;
    return false;
  }
  Encode(text, buffer);
  return true;
}

bool ConvertWideToUtf8(const char16_t* text, int units, IString& out) noexcept
{
  out.Set("");
  if (!text)
    return false;
  // First pass: validate and count the bytes.
  int64_t bytes = 0;
  int n = 0;
  for (; (units < 0 || n < units) && text[n]; ++n)
  {
    const char16_t u = text[n];
    if (IsHighSurrogate(u))
    {
      if ((units >= 0 && n + 1 >= units) || !IsLowSurrogate(text[n + 1]))
        return false;
      bytes += 4;
      ++n;
    }
    else if (IsLowSurrogate(u))
      return false;
    else
      bytes += u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
    if (bytes > INT32_MAX / 2)
      return false;
  }
  if (bytes == 0)
    return true;

  IHeapBuf utf8(IHeapBuf::kDefaultGranularity);
  auto* o = static_cast<unsigned char*>(utf8.Resize(static_cast<int>(bytes) + 1));
  if (!o || utf8.GetSize() != bytes + 1)
    return false;
  for (int i = 0; i < n; ++i)
  {
    uint32_t cp = text[i];
    if (IsHighSurrogate(text[i]))
    {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<uint32_t>(text[i + 1]) - 0xDC00);
      ++i;
    }
    if (cp < 0x80)
      *o++ = static_cast<unsigned char>(cp);
    else if (cp < 0x800)
    {
      *o++ = static_cast<unsigned char>(0xC0 | (cp >> 6));
      *o++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
      *o++ = static_cast<unsigned char>(0xE0 | (cp >> 12));
      *o++ = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
      *o++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    }
    else
    {
      *o++ = static_cast<unsigned char>(0xF0 | (cp >> 18));
      *o++ = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
      *o++ = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
      *o++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    }
  }
  *o = 0;
  out.Set(utf8.GetAs<const char>());
  if (out.GetLength() != bytes)
  {
    out.Set("");
    return false;
  }
  return true;
}

int UTF16CutLength(const char16_t* text, int units, int maxUnits) noexcept
{
  if (!text || units <= 0 || maxUnits <= 0)
    return 0;
  if (units <= maxUnits)
    return units;
  // A high surrogate as the last kept unit would lose its partner.
  return IsHighSurrogate(text[maxUnits - 1]) ? maxUnits - 1 : maxUnits;
}

} // namespace ifx
