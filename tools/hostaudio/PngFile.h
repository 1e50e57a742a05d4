#pragma once
// Screenshots of editors as PNG files (stb_image_write), shared by the test
// hosts.
#include <cstdint>
#include <string>
#include <vector>

namespace hostaudio {

// rgba: width x height pixels, top row first, four bytes each.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);

} // namespace hostaudio
