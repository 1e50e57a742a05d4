// GL back end: the texture table. Ids are never reused; a free slot has id 0.

#include <cstring>

#include "renderer/CanvasGLArrays.h"
#include "renderer/CanvasGLBackend.h"

namespace ifx::canvas {

using canvasgl::Reserve;

CanvasGLTexture* CanvasGLBackend::FindTexture(int id)
{
  if (id == 0)
    return nullptr;
  for (int i = 0; i < ntextures; i++)
    if (textures[i].id == id)
      return &textures[i];
  return nullptr;
}

CanvasGLTexture* CanvasGLBackend::NewTextureSlot()
{
  CanvasGLTexture* tex = nullptr;
  for (int i = 0; i < ntextures; i++)
    if (textures[i].id == 0)
    {
      tex = &textures[i];
      break;
    }
  if (!tex)
  {
    const int i = Reserve(textures, ntextures, ctextures, 1, 4);
    if (i < 0)
      return nullptr;
    tex = &textures[i];
  }
  std::memset(tex, 0, sizeof(*tex));
  tex->id = ++textureId;
  return tex;
}

cgl::Uint CanvasGLBackend::SampledTexture(int image)
{
  const CanvasGLTexture* tex = FindTexture(image);
  if (!tex)
    tex = FindTexture(dummyTex);
  return tex ? tex->tex : 0;
}

void CanvasGLBackend::BindTexture(cgl::Uint tex)
{
  if (boundTexture != tex)
  {
    boundTexture = tex;
    gl.bindTexture(cgl::kTexture2D, tex);
  }
}

int CanvasGLBackend::MakeTexture(void* user, int type, int w, int h, int imageFlags, const unsigned char* data)
{
  auto* b = static_cast<CanvasGLBackend*>(user);
  if (w <= 0 || h <= 0 || (type != kCanvasTextureAlpha && type != kCanvasTextureRGBA))
    return 0;
  CanvasGLTexture* tex = b->NewTextureSlot();
  if (!tex)
    return 0;
  CanvasGLApi& gl = b->gl;
  gl.genTextures(1, &tex->tex);
  tex->width = w;
  tex->height = h;
  tex->type = type;
  tex->flags = imageFlags;
  b->BindTexture(tex->tex);

  gl.pixelStorei(cgl::kUnpackAlignment, 1);
  gl.pixelStorei(cgl::kUnpackRowLength, w);
  gl.pixelStorei(cgl::kUnpackSkipPixels, 0);
  gl.pixelStorei(cgl::kUnpackSkipRows, 0);

  const bool mipmaps = (imageFlags & kCanvasImageMipmaps) != 0;
  if (mipmaps)
    gl.texParameteri(cgl::kTexture2D, cgl::kGenerateMipmap, 1);

  const cgl::Enum format = type == kCanvasTextureRGBA ? cgl::kRGBA : cgl::kLuminance;
  gl.texImage2D(cgl::kTexture2D, 0, (int)format, w, h, 0, format, cgl::kUnsignedByte, data);

  const bool nearest = (imageFlags & kCanvasImageNearest) != 0;
  int minFilter;
  if (nearest)
    minFilter = (int)(mipmaps ? cgl::kNearestMipmapNearest : cgl::kNearest);
  else
    minFilter = (int)(mipmaps ? cgl::kLinearMipmapLinear : cgl::kLinear);
  gl.texParameteri(cgl::kTexture2D, cgl::kTextureMinFilter, minFilter);
  gl.texParameteri(cgl::kTexture2D, cgl::kTextureMagFilter, (int)(nearest ? cgl::kNearest : cgl::kLinear));
  gl.texParameteri(cgl::kTexture2D, cgl::kTextureWrapS,
                   (int)((imageFlags & kCanvasImageRepeatX) ? cgl::kRepeat : cgl::kClampToEdge));
  gl.texParameteri(cgl::kTexture2D, cgl::kTextureWrapT,
                   (int)((imageFlags & kCanvasImageRepeatY) ? cgl::kRepeat : cgl::kClampToEdge));

  gl.pixelStorei(cgl::kUnpackAlignment, 4);
  gl.pixelStorei(cgl::kUnpackRowLength, 0);
  gl.pixelStorei(cgl::kUnpackSkipPixels, 0);
  gl.pixelStorei(cgl::kUnpackSkipRows, 0);

  b->CheckError("create tex");
  b->BindTexture(0);
  return tex->id;
}

int CanvasGLBackend::WriteTexture(void* user, int image, int x, int y, int w, int h, const unsigned char* data)
{
  auto* b = static_cast<CanvasGLBackend*>(user);
  CanvasGLTexture* tex = b->FindTexture(image);
  if (!tex)
    return 0;
  // The source is the full-width image: a rectangle outside it would read
  // and write past both.
  if (!data || x < 0 || y < 0 || w <= 0 || h <= 0 || x > tex->width - w || y > tex->height - h)
    return 0;
  CanvasGLApi& gl = b->gl;
  b->BindTexture(tex->tex);
  gl.pixelStorei(cgl::kUnpackAlignment, 1);
  gl.pixelStorei(cgl::kUnpackRowLength, tex->width);
  gl.pixelStorei(cgl::kUnpackSkipPixels, x);
  gl.pixelStorei(cgl::kUnpackSkipRows, y);
  const cgl::Enum format = tex->type == kCanvasTextureRGBA ? cgl::kRGBA : cgl::kLuminance;
  gl.texSubImage2D(cgl::kTexture2D, 0, x, y, w, h, format, cgl::kUnsignedByte, data);
  gl.pixelStorei(cgl::kUnpackAlignment, 4);
  gl.pixelStorei(cgl::kUnpackRowLength, 0);
  gl.pixelStorei(cgl::kUnpackSkipPixels, 0);
  gl.pixelStorei(cgl::kUnpackSkipRows, 0);
  b->BindTexture(0);
  return 1;
}

int CanvasGLBackend::FreeTexture(void* user, int image)
{
  auto* b = static_cast<CanvasGLBackend*>(user);
  CanvasGLTexture* tex = b->FindTexture(image);
  if (!tex)
    return 0;
  if (tex->tex != 0 && !(tex->flags & kCanvasGLTextureNotOwned))
  {
    if (b->boundTexture == tex->tex)
      b->boundTexture = 0;
    b->gl.deleteTextures(1, &tex->tex);
  }
  std::memset(tex, 0, sizeof(*tex));
  return 1;
}

int CanvasGLBackend::QueryTextureSize(void* user, int image, int* w, int* h)
{
  auto* b = static_cast<CanvasGLBackend*>(user);
  const CanvasGLTexture* tex = b->FindTexture(image);
  if (!tex)
    return 0;
  *w = tex->width;
  *h = tex->height;
  return 1;
}

} // namespace ifx::canvas
