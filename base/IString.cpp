#include "base/IString.h"

#include <climits>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ifx {

namespace {

int BoundedLength(const char* text, int maxLen)
{
  if (!text)
    return 0;
  if (maxLen > 0)
  {
    const void* nul = std::memchr(text, 0, static_cast<size_t>(maxLen));
    return nul ? static_cast<int>(static_cast<const char*>(nul) - text) : maxLen;
  }
  const size_t n = std::strlen(text);
  return n > static_cast<size_t>(INT_MAX - 1) ? INT_MAX - 1 : static_cast<int>(n);
}

} // namespace

IString::IString(int granularity) noexcept : mBuf(granularity) {}

IString::IString(const char* text, int granularity) noexcept : mBuf(granularity)
{
  if (text)
    Set(text);
}

IString::IString(const IString& other) noexcept : mBuf(other.mBuf) {}

IString& IString::operator=(const IString& other) noexcept
{
  if (this != &other)
    Set(other.Get());
  return *this;
}

const char* IString::Get() const noexcept { return mBuf.GetSize() > 0 && mBuf.Get() ? mBuf.GetAs<const char>() : ""; }

int IString::GetLength() const noexcept
{
  // Measured, not taken from the used size: callers may write a shorter
  // text through GetMutable().
  if (mBuf.GetSize() <= 0 || !mBuf.Get())
    return 0;
  const void* nul = std::memchr(mBuf.Get(), 0, static_cast<size_t>(mBuf.GetSize()));
  return nul ? static_cast<int>(static_cast<const char*>(nul) - mBuf.GetAs<const char>()) : mBuf.GetSize() - 1;
}

void IString::Set(const char* text, int maxLen) noexcept
{
  const int len = BoundedLength(text, maxLen);
  if (len == 0)
  {
    if (char* p = static_cast<char*>(mBuf.Resize(1, false)))
      p[0] = 0;
    return;
  }

  // The text may live in this very buffer: follow it when the buffer moves.
  const char* old = mBuf.GetAs<const char>();
  const bool inside = old && text >= old && text < old + mBuf.GetAllocated();
  const std::ptrdiff_t offset = inside ? text - old : 0;

  mBuf.Resize(len + 1, false);
  if (mBuf.GetSize() != len + 1)
    return; // out of memory: unchanged
  char* p = mBuf.GetAs<char>();
  if (inside)
    text = p + offset;
  std::memmove(p, text, static_cast<size_t>(len));
  p[len] = 0;
}

void IString::Append(const char* text, int maxLen) noexcept
{
  const int len = BoundedLength(text, maxLen);
  if (len > 0)
    Insert(GetLength(), text, len, 0);
}

void IString::Insert(int pos, const char* text, int len, int tailLen) noexcept
{
  if (text && len > 0)
    len = BoundedLength(text, len);
  if (len == 0 && pos == 0 && tailLen == 0)
  {
    Set("");
    return;
  }
  const int cur = GetLength();
  if (len < 1 || pos < 0 || pos > cur)
    return;
  if (tailLen < 0)
    tailLen = 0;
  if (tailLen > cur - pos)
    tailLen = cur - pos;

  const int64_t newLen = static_cast<int64_t>(pos) + len + tailLen;
  if (newLen + 1 > INT_MAX)
    return;

  // A text inside this buffer would be overwritten by the moving tail.
  char* copy = nullptr;
  const char* old = mBuf.GetAs<const char>();
  if (text && old && text < old + mBuf.GetAllocated() && text + len > old)
  {
    copy = static_cast<char*>(std::malloc(static_cast<size_t>(len)));
    if (!copy)
      return;
    std::memcpy(copy, text, static_cast<size_t>(len));
    text = copy;
  }

  mBuf.Resize(static_cast<int>(newLen + 1), false);
  if (mBuf.GetSize() == newLen + 1)
  {
    char* p = mBuf.GetAs<char>();
    if (tailLen > 0)
      std::memmove(p + pos + len, p + pos, static_cast<size_t>(tailLen));
    if (text)
      std::memcpy(p + pos, text, static_cast<size_t>(len));
    p[newLen] = 0;
  }
  std::free(copy);
}

void IString::SetLength(int len) noexcept
{
  if (len < 0)
    len = 0;
  if (len >= GetLength())
    return;
  mBuf.GetAs<char>()[len] = 0;
  mBuf.Resize(len + 1, false);
}

void IString::FormatV(bool append, int maxLength, const char* format, va_list args) noexcept
{
  const int base = append ? GetLength() : 0;
  if (maxLength < 0)
    maxLength = 0;
  const int64_t room = static_cast<int64_t>(base) + maxLength + 1;
  if (room > INT_MAX)
    return;
  mBuf.Resize(static_cast<int>(room), false);
  if (mBuf.GetSize() != room)
    return;
  char* p = mBuf.GetAs<char>() + base;
  p[0] = 0;

  int n = 0;
  if (format && maxLength > 0)
  {
    va_list copy;
    va_copy(copy, args);
    n = std::vsnprintf(p, static_cast<size_t>(maxLength) + 1, format, copy);
    va_end(copy);
    // A C library that reports truncation as -1 still wrote what fitted.
    if (n < 0 || n > maxLength)
    {
      const void* nul = std::memchr(p, 0, static_cast<size_t>(maxLength));
      n = nul ? static_cast<int>(static_cast<const char*>(nul) - p) : maxLength;
    }
  }
  p[n] = 0;
  mBuf.Resize(base + n + 1, false);
}

void IString::SetFormatted(int maxLength, const char* format, ...) noexcept
{
  va_list args;
  va_start(args, format);
  FormatV(false, maxLength, format, args);
  va_end(args);
}

void IString::AppendFormatted(int maxLength, const char* format, ...) noexcept
{
  va_list args;
  va_start(args, format);
  FormatV(true, maxLength, format, args);
  va_end(args);
}

} // namespace ifx
