// Image decoding for the renderer: PNG and JPEG files or bytes into RGBA
// textures of the back end.

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC // the decoder's entry points nothing here calls are left out
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_WINDOWS_UTF8 // paths are UTF-8 throughout the program
#include <stb_image.h>

#include "renderer/CanvasContext.h"

namespace ifx::canvas {

namespace {
int MakeImage(CanvasContext& ctx, unsigned char* pixels, int w, int h)
{
  if (!pixels)
    return 0;
  const int image = ctx.backend.makeTexture(ctx.backend.user, kCanvasTextureRGBA, w, h, 0, pixels);
  stbi_image_free(pixels);
  return image;
}
} // namespace

int CanvasContext::LoadImageFile(const char* path)
{
  if (!path)
    return 0;
  // Both options are process-wide in the decoder.
  stbi_set_unpremultiply_on_load(1);
  stbi_convert_iphone_png_to_rgb(1);
  int w = 0, h = 0, n = 0;
  unsigned char* pixels = stbi_load(path, &w, &h, &n, 4);
  return MakeImage(*this, pixels, w, h);
}

int CanvasContext::LoadImageBytes(const unsigned char* bytes, int size)
{
  if (!bytes || size <= 0)
    return 0;
  int w = 0, h = 0, n = 0;
  unsigned char* pixels = stbi_load_from_memory(bytes, size, &w, &h, &n, 4);
  return MakeImage(*this, pixels, w, h);
}

} // namespace ifx::canvas
