#include "renderer/CanvasGLApi.h"

#include <cstring>

#include "platform/GLProcLookup.h"

namespace ifx::canvas {

bool CanvasLoadGLApi(CanvasGLApi* api, CanvasGLProcLoader loader, void* user)
{
  if (!api)
    return false;
  std::memset(api, 0, sizeof(*api));
  if (!loader)
    return false;
  bool complete = true;
#define CANVAS_GL_LOAD(ret, member, name, params)   \
  {                                                 \
    void* proc = loader(user, name);                \
    std::memcpy(&api->member, &proc, sizeof(proc)); \
    complete = complete && proc != nullptr;         \
  }
  CANVAS_GL_FUNCTIONS(CANVAS_GL_LOAD)
#undef CANVAS_GL_LOAD
  if (!complete)
  {
    std::memset(api, 0, sizeof(*api));
    return false;
  }
#define CANVAS_GL_LOAD_OPTIONAL(ret, member, name, params) \
  {                                                        \
    void* proc = loader(user, name);                       \
    std::memcpy(&api->member, &proc, sizeof(proc));        \
  }
  CANVAS_GL_OPTIONAL_FUNCTIONS(CANVAS_GL_LOAD_OPTIONAL)
#undef CANVAS_GL_LOAD_OPTIONAL
  return true;
}

bool LoadPlatformGLApi(CanvasGLApi* api)
{
  ifx::GLProcLookup lookup;
  if (!lookup.IsOpen())
    return CanvasLoadGLApi(api, nullptr, nullptr);
  const auto find = [](void* user, const char* name) { return static_cast<ifx::GLProcLookup*>(user)->Find(name); };
  return CanvasLoadGLApi(api, find, &lookup);
}

} // namespace ifx::canvas
