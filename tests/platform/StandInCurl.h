#pragma once
// Puts the folder of the stand-in curl (StandInCurl.cpp, built as "curl")
// first on PATH, so that commands naming curl run it.
#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace standin {

inline bool PutStandInCurlFirstOnPath()
{
  std::string folder = MURKWISP_STAND_IN_CURL_DIR;
  const char* path = std::getenv("PATH");
#ifdef _WIN32
  // The build tree's path with Windows separators, made absolute (under wine
  // a path from the root lies on the current drive).
  for (char& c : folder)
    c = c == '/' ? '\\' : c;
  char full[1024];
  if (!_fullpath(full, folder.c_str(), sizeof(full)))
    return false;
  return _putenv(("PATH=" + std::string(full) + ";" + (path ? path : "")).c_str()) == 0;
#else
  return setenv("PATH", (folder + ":" + (path ? path : "")).c_str(), 1) == 0;
#endif
}

inline unsigned long ThisProcess()
{
#ifdef _WIN32
  return static_cast<unsigned long>(_getpid());
#else
  return static_cast<unsigned long>(getpid());
#endif
}

} // namespace standin
