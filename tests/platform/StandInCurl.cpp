// A stand-in for curl: a command run through the command interpreter that
// does what its last argument (curl's address) asks and reports what it sees.
//   ...silent...          prints nothing
//   ...bytes=N...         prints N bytes of the alphabet, over and over
//   ...crlf=N...          prints N lines "line\r\n", the CR and LF flushed
//                         apart, then "lone\rcr\r"
//   ...stdin...           reads its standard input to the end and prints
//                         "stdin=<bytes read>"; says "noise" on its error
//   ...console=PID...     prints one line about its console and standard
//                         handles; PID is the caller's process (Windows)
//   ...feed...            prints a version feed whose change log is that line
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
const char* DescribeHandle(DWORD which)
{
  const HANDLE handle = GetStdHandle(which);
  if (!handle || handle == INVALID_HANDLE_VALUE)
    return "none";
  DWORD mode;
  switch (GetFileType(handle))
  {
    case FILE_TYPE_CHAR: return GetConsoleMode(handle, &mode) ? "console" : "device";
    case FILE_TYPE_PIPE: return "pipe";
    case FILE_TYPE_DISK: return "file";
    default: return "unknown";
  }
}

// "own": a console of this command's own; "shared": the caller's; "none".
std::string DescribeConsole(unsigned long caller)
{
  DWORD processes[64];
  const DWORD count = GetConsoleProcessList(processes, 64);
  const char* console = count == 0 ? "none" : "own";
  for (DWORD i = 0; i < count && i < 64; ++i)
  {
    if (processes[i] == caller)
      console = "shared";
  }
  return std::string("console=") + console + " window=" + (GetConsoleWindow() ? "yes" : "no") +
         " in=" + DescribeHandle(STD_INPUT_HANDLE) + " err=" + DescribeHandle(STD_ERROR_HANDLE);
}
#else
std::string DescribeConsole(unsigned long) { return "console=-"; }
#endif

unsigned long NumberAfter(const char* text, const char* key)
{
  const char* found = std::strstr(text, key);
  return found ? std::strtoul(found + std::strlen(key), nullptr, 10) : 0;
}

} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  const char* ask = argc > 1 ? argv[argc - 1] : "";
  if (std::strstr(ask, "silent"))
    return 0;
  if (std::strstr(ask, "bytes="))
  {
    char block[26 * 256];
    for (size_t i = 0; i < sizeof(block); ++i)
      block[i] = static_cast<char>('a' + i % 26);
    for (unsigned long left = NumberAfter(ask, "bytes="); left > 0;)
    {
      const size_t n = left < sizeof(block) ? left : sizeof(block);
      if (std::fwrite(block, 1, n, stdout) != n)
        return 1;
      left -= static_cast<unsigned long>(n);
    }
    return 0;
  }
  if (std::strstr(ask, "crlf="))
  {
    for (unsigned long left = NumberAfter(ask, "crlf="); left > 0; --left)
    {
      std::fputs("line\r", stdout);
      std::fflush(stdout);
      std::fputs("\n", stdout);
      std::fflush(stdout);
    }
    std::fputs("lone\rcr\r", stdout);
    return 0;
  }
  if (std::strstr(ask, "stdin"))
  {
    std::fputs("noise\n", stderr);
    size_t total = 0;
    char piece[256];
    for (size_t got; (got = std::fread(piece, 1, sizeof(piece), stdin)) > 0;)
      total += got;
    std::printf("stdin=%zu", total);
    return 0;
  }
  const std::string console = DescribeConsole(NumberAfter(ask, "console="));
  if (std::strstr(ask, "feed"))
    std::printf("{\"version\":\"0.9.3\",\"url\":\"https://tarnhollow-audio.example/murkwisp\",\"changelog\":\"%s\"}",
                console.c_str());
  else if (std::strstr(ask, "console="))
    std::printf("%s", console.c_str());
  return 0;
}
