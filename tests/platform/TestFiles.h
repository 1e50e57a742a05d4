#pragma once
// Whole-file reads and writes by UTF-8 path for the lookup tests, through
// the same OpenFileUtf8 the plug-in uses.
#include "base/OpenFileUtf8.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace ifx {
namespace testfiles {

inline std::string ReadAll(const char* path)
{
  std::string bytes;
  std::FILE* f = OpenFileUtf8(path, "rb");
  if (!f)
    return bytes;
  char buf[512];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof(buf), f)) > 0)
    bytes.append(buf, got);
  std::fclose(f);
  return bytes;
}

inline bool WriteAll(const char* path, const std::string& bytes)
{
  std::FILE* f = OpenFileUtf8(path, "wb");
  if (!f)
    return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// std::remove takes the ANSI code page on Windows; these names are UTF-8.
inline void RemoveUtf8(const char* path)
{
#ifdef _WIN32
  wchar_t wide[MAX_PATH];
  if (MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, MAX_PATH) > 0)
    _wremove(wide);
#else
  std::remove(path);
#endif
}

} // namespace testfiles
} // namespace ifx
