#pragma once
#include <cstdarg>
#include "base/IHeapBuf.h"

namespace ifx {

// NUL-terminated UTF-8 text kept in an IHeapBuf. The used size is the length
// + 1, or 0 for a string never set, which reads as "". Allocation failures
// leave the text as it was.
class IString
{
public:
  static constexpr int kDefaultGranularity = 128;

  explicit IString(int granularity = kDefaultGranularity) noexcept;
  explicit IString(const char* text, int granularity = kDefaultGranularity) noexcept;
  IString(const IString& other) noexcept;
  IString(IString&& other) noexcept = default;
  IString& operator=(const IString& other) noexcept;
  IString& operator=(IString&& other) noexcept = default;
  IString& operator=(const char* text) noexcept
  {
    Set(text);
    return *this;
  }
  ~IString() = default;

  // Never null.
  const char* Get() const noexcept;
  // The writable text, null for a string never set.
  char* GetMutable() noexcept { return mBuf.GetAs<char>(); }
  int GetLength() const noexcept;
  bool Empty() const noexcept { return GetLength() == 0; }

  // maxLen > 0 takes at most that many characters (stopping at a NUL).
  // A text pointing into this string's own buffer is allowed.
  void Set(const char* text, int maxLen = 0) noexcept;
  void Append(const char* text, int maxLen = 0) noexcept;

  // Makes room for len characters at pos, keeps the tailLen characters that
  // followed pos behind them, copies text (when given, up to its NUL) into
  // the room and terminates at pos + len + tailLen. len 0 at pos 0 with
  // tailLen 0 makes the string "". A pos past the end, a negative pos or
  // len < 1 otherwise does nothing; tailLen is clamped to what follows pos.
  void Insert(int pos, const char* text, int len, int tailLen) noexcept;

  // Cuts the text to at most len characters.
  void SetLength(int len) noexcept;
  void Clear() noexcept { Set(""); }

  // Formats at the end (append) or the start of the text, at most maxLength
  // characters; longer output is cut, failed formatting gives nothing.
  void FormatV(bool append, int maxLength, const char* format, va_list args) noexcept;
#if defined(__GNUC__)
  __attribute__((format(printf, 3, 4)))
#endif
  void
  SetFormatted(int maxLength, const char* format, ...) noexcept;
#if defined(__GNUC__)
  __attribute__((format(printf, 3, 4)))
#endif
  void
  AppendFormatted(int maxLength, const char* format, ...) noexcept;

  const IHeapBuf& GetBuffer() const noexcept { return mBuf; }

private:
  IHeapBuf mBuf;
};

} // namespace ifx
