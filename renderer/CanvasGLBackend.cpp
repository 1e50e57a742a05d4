// GL back end: creation, the callback table, debug checks and teardown.

#include "renderer/CanvasGLBackend.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "renderer/CanvasContext.h"

namespace ifx::canvas {

static_assert(sizeof(CanvasGLFragUniforms) == CanvasGLBackend::kFragVectors * 16, "frag is 11 vec4");

CanvasGLBackend* CanvasGLBackend::New(const CanvasGLApi& gl, int flags)
{
  auto* b = static_cast<CanvasGLBackend*>(std::calloc(1, sizeof(CanvasGLBackend)));
  if (!b)
    return nullptr;
  b->gl = gl;
  b->flags = flags;
  return b;
}

CanvasBackend CanvasGLBackend::Table(CanvasGLBackend* backend)
{
  CanvasBackend t{};
  t.user = backend;
  t.edgeAntiAlias = (backend->flags & kCanvasGLAntiAlias) ? 1 : 0;
  t.setUp = SetUp;
  t.makeTexture = MakeTexture;
  t.freeTexture = FreeTexture;
  t.writeTexture = WriteTexture;
  t.queryTextureSize = QueryTextureSize;
  t.setViewSize = SetViewSize;
  t.discardFrame = DiscardFrame;
  t.submitFrame = SubmitFrame;
  t.queueFill = QueueFill;
  t.queueStroke = QueueStroke;
  t.queueTriangles = QueueTriangles;
  t.tearDown = TearDown;
  return t;
}

void CanvasGLBackend::CheckError(const char* step)
{
  if (!(flags & kCanvasGLDebug))
    return;
  const cgl::Enum err = gl.getError();
  if (err != cgl::kNoError)
    std::printf("Error %08x after %s\n", err, step);
}

void CanvasGLBackend::SetViewSize(void* user, float width, float height, float)
{
  auto* b = static_cast<CanvasGLBackend*>(user);
  b->view[0] = width;
  b->view[1] = height;
}

void CanvasGLBackend::TearDown(void* user)
{
  auto* b = static_cast<CanvasGLBackend*>(user);
  if (!b)
    return;
  CanvasGLApi& gl = b->gl;
  b->DeleteProgram();
  for (cgl::Uint* buffer : {&b->vertBuf, &b->slotBuf, &b->indexBuf})
    if (*buffer != 0)
      gl.deleteBuffers(1, buffer);
  for (int i = 0; i < b->ntextures; i++)
  {
    const CanvasGLTexture& t = b->textures[i];
    if (t.id != 0 && t.tex != 0 && !(t.flags & kCanvasGLTextureNotOwned))
      gl.deleteTextures(1, &t.tex);
  }
  std::free(b->textures);
  std::free(b->calls);
  std::free(b->paths);
  std::free(b->verts);
  std::free(b->uniforms);
  std::free(b->batches);
  std::free(b->slots);
  std::free(b->indices);
  std::free(b);
}

CanvasContext* CreateCanvasGL(const CanvasGLApi& gl, int flags)
{
  CanvasGLBackend* backend = CanvasGLBackend::New(gl, flags);
  if (!backend)
    return nullptr;
  // The context owns the back end from here on, on failure too.
  return CanvasContext::Create(CanvasGLBackend::Table(backend));
}

CanvasContext* CreateCanvasGLForCurrentContext(int flags)
{
  CanvasGLApi gl;
  if (!LoadPlatformGLApi(&gl))
    return nullptr;
  return CreateCanvasGL(gl, flags);
}

CanvasGLBackend* CanvasGLBackendOf(CanvasContext* canvas)
{
  if (!canvas || canvas->backend.setUp != &CanvasGLBackend::SetUp)
    return nullptr;
  return static_cast<CanvasGLBackend*>(canvas->backend.user);
}

} // namespace ifx::canvas
