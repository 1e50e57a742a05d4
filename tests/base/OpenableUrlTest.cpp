#include <gtest/gtest.h>

#include "base/OpenableUrl.h"

// Only plain https addresses reach the shell: the bad forms, each alone.
TEST(OpenableUrl, RefusesEveryFormTheShellCouldMisread)
{
  struct Case { const char* url; bool open; };
  const Case cases[] = {
    {"https://tarnhollow-audio.example/murkwisp?from=0.9.2&os=win#notes", true},
    {"https://x.example/caf\xC3\xA9", true},   // UTF-8 bytes are the shell's to encode
    {"https://x.example/a b", false},
    {"https://x.example/ ", false},
    {" https://x.example/", false},
    {"https://x.example/a\tb", false},
    {"https://x.example/a\rb", false},
    {"https://x.example/\x1F", false},
    {"https://x.example/\x7F", false},
    {"https://x.example/\"&calc", false},
    {"https://x.example/'", false},
    {"https://x.example/`", false},
    {"http://x.example/", false},
    {"Https://x.example/", false},
    {"https:/x.example/", false},
    {"file:///C:/Windows/System32/calc.exe", false},
    {"C:\\Windows\\System32\\calc.exe", false},
    {"", false},
    {nullptr, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ifx::IsOpenableUrl(c.url), c.open) << (c.url ? c.url : "null");
}
