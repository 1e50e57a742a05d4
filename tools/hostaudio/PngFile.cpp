#include "hostaudio/PngFile.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBIW_WINDOWS_UTF8
#include <stb_image_write.h>

namespace hostaudio {

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba)
{
  if (width <= 0 || height <= 0 || rgba.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 4)
    return false;
  return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

} // namespace hostaudio
