#pragma once
// The bytes of Debian's Roboto Regular (package fonts-roboto-unhinted, found
// by cmake/Fonts.cmake), read once per program; empty when it is missing.
#include <cstdint>
#include <cstdio>
#include <vector>

#ifndef MURKWISP_ROBOTO_FONT
#define MURKWISP_ROBOTO_FONT "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf"
#endif

namespace ifx {
namespace testkit {

inline const std::vector<uint8_t>& RobotoBytes()
{
  static const std::vector<uint8_t> bytes = [] {
    std::vector<uint8_t> out;
    if (std::FILE* f = std::fopen(MURKWISP_ROBOTO_FONT, "rb"))
    {
      uint8_t buf[65536];
      size_t n;
      while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0)
        out.insert(out.end(), buf, buf + n);
      std::fclose(f);
    }
    return out;
  }();
  return bytes;
}

} // namespace testkit
} // namespace ifx
