#pragma once
#include <cstdint>
#include <cstdio>

namespace ifx {

// What a plug-in class hands to the framework constructors. Field order is
// fixed; everything the framework needs to know before any host call.
struct IPluginConfiguration
{
  int32_t paramCount = 0;
  int32_t presetCount = 0;
  const char* channelLayoutText = "";
  const char* pluginName = "";
  const char* productName = "";
  const char* makerName = "";
  int32_t version = 0;  // major << 16 | minor << 8 | patch
  int32_t uniqueId = 0; // four-character code, first character in the top byte
  int32_t makerId = 0;
  int32_t latency = 0;
  bool takesMidiIn = false;
  bool sendsMidiOut = false;
  bool processorOption = false;
  bool savesStateChunks = false;
  int32_t pluginKind = 0;
  bool hasEditor = false;
  int32_t editorWidth = 0;
  int32_t editorHeight = 0;
  int32_t minWidth = 10;
  int32_t maxWidth = 100000;
  int32_t minHeight = 10;
  int32_t maxHeight = 100000;
  bool hostCanResize = false;
  const char* extraText1 = "";
  const char* extraText2 = "";
};

// Packs a four-character code with the first character in the most
// significant byte ('Mkwp' style ids).
constexpr int32_t FourCharCode(const char (&s)[5])
{
  return static_cast<int32_t>((static_cast<uint32_t>(static_cast<unsigned char>(s[0])) << 24) |
                              (static_cast<uint32_t>(static_cast<unsigned char>(s[1])) << 16) |
                              (static_cast<uint32_t>(static_cast<unsigned char>(s[2])) << 8) |
                              static_cast<uint32_t>(static_cast<unsigned char>(s[3])));
}

static_assert(FourCharCode("Mkwp") == 0x4D6B7770, "four-character codes pack big-end first");

// "major.minor.patch" of a packed version, as hosts and the about panel show it.
struct VersionText
{
  char text[24] = {};

  explicit VersionText(int32_t version) noexcept
  {
    std::snprintf(text, sizeof(text), "%d.%d.%d", (version >> 16) & 0xFFFF, (version >> 8) & 0xFF, version & 0xFF);
  }
};

} // namespace ifx
