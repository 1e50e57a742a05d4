#pragma once
// The OpenGL entry points the render back end calls, as one table filled at
// run time. The platform supplies the loader (wglGetProcAddress on Windows),
// so no GL import library or header decides what exists. A table is only
// usable when every entry was found.

#include <cstddef>

namespace ifx::canvas {

#if defined(_WIN32)
#define CANVAS_GLAPI __stdcall
#else
#define CANVAS_GLAPI
#endif

namespace cgl {
using Enum = unsigned int;
using Uint = unsigned int;
using Bitfield = unsigned int;
using Ubyte = unsigned char;

constexpr Enum kNoError = 0;
constexpr Enum kZero = 0, kOne = 1;
constexpr Enum kTriangles = 0x0004, kTriangleStrip = 0x0005, kTriangleFan = 0x0006;
constexpr Enum kSrcColor = 0x0300, kOneMinusSrcColor = 0x0301, kSrcAlpha = 0x0302, kOneMinusSrcAlpha = 0x0303;
constexpr Enum kDstAlpha = 0x0304, kOneMinusDstAlpha = 0x0305, kDstColor = 0x0306, kOneMinusDstColor = 0x0307;
constexpr Enum kSrcAlphaSaturate = 0x0308;
constexpr Enum kInvalidEnum = 0x0500;
constexpr Enum kFront = 0x0404, kBack = 0x0405, kFrontAndBack = 0x0408;
constexpr Enum kCCW = 0x0901;
constexpr Enum kCullFace = 0x0B44, kDepthTest = 0x0B71, kStencilTest = 0x0B90, kBlend = 0x0BE2;
constexpr Enum kScissorTest = 0x0C11;
constexpr Enum kUnpackRowLength = 0x0CF2, kUnpackSkipRows = 0x0CF3, kUnpackSkipPixels = 0x0CF4;
constexpr Enum kUnpackAlignment = 0x0CF5, kPackAlignment = 0x0D05;
constexpr Enum kTexture2D = 0x0DE1;
constexpr Enum kUnsignedByte = 0x1401, kUnsignedShort = 0x1403, kUnsignedInt = 0x1405, kFloat = 0x1406;
constexpr Enum kRGBA = 0x1908, kLuminance = 0x1909;
constexpr Enum kNever = 0x0200, kEqual = 0x0202, kNotEqual = 0x0205, kAlways = 0x0207;
constexpr Enum kKeep = 0x1E00, kIncr = 0x1E02;
constexpr Enum kNearest = 0x2600, kLinear = 0x2601, kNearestMipmapNearest = 0x2700, kLinearMipmapLinear = 0x2703;
constexpr Enum kTextureMagFilter = 0x2800, kTextureMinFilter = 0x2801;
constexpr Enum kTextureWrapS = 0x2802, kTextureWrapT = 0x2803, kRepeat = 0x2901, kClampToEdge = 0x812F;
constexpr Enum kGenerateMipmap = 0x8191;
constexpr Enum kTexture0 = 0x84C0;
constexpr Enum kIncrWrap = 0x8507, kDecrWrap = 0x8508;
constexpr Enum kArrayBuffer = 0x8892, kElementArrayBuffer = 0x8893, kStreamDraw = 0x88E0;
constexpr Enum kDepth24Stencil8 = 0x88F0;
constexpr Enum kFragmentShader = 0x8B30, kVertexShader = 0x8B31, kCompileStatus = 0x8B81, kLinkStatus = 0x8B82;
constexpr Enum kMaxFragmentUniformComponents = 0x8B49;
constexpr Enum kSampleBuffers = 0x80A8;
constexpr Enum kReadFramebuffer = 0x8CA8, kDrawFramebuffer = 0x8CA9;
constexpr Enum kFramebufferBinding = 0x8CA6, kRenderbufferBinding = 0x8CA7, kFramebufferComplete = 0x8CD5;
constexpr Enum kColorAttachment0 = 0x8CE0, kStencilAttachment = 0x8D20;
constexpr Enum kFramebuffer = 0x8D40, kRenderbuffer = 0x8D41, kStencilIndex8 = 0x8D48;
constexpr Enum kViewport = 0x0BA2;
constexpr Bitfield kDepthBufferBit = 0x0100, kStencilBufferBit = 0x0400, kColorBufferBit = 0x4000;
} // namespace cgl

// X(return type, member, GL name, parameters)
#define CANVAS_GL_FUNCTIONS(X)                                                                                    \
  X(void, activeTexture, "glActiveTexture", (cgl::Enum texture))                                                  \
  X(void, attachShader, "glAttachShader", (cgl::Uint program, cgl::Uint shader))                                  \
  X(void, bindAttribLocation, "glBindAttribLocation", (cgl::Uint program, cgl::Uint index, const char* name))     \
  X(void, bindBuffer, "glBindBuffer", (cgl::Enum target, cgl::Uint buffer))                                       \
  X(void, bindFramebuffer, "glBindFramebuffer", (cgl::Enum target, cgl::Uint framebuffer))                        \
  X(void, bindRenderbuffer, "glBindRenderbuffer", (cgl::Enum target, cgl::Uint renderbuffer))                     \
  X(void, bindTexture, "glBindTexture", (cgl::Enum target, cgl::Uint texture))                                    \
  X(void, blendFuncSeparate, "glBlendFuncSeparate",                                                               \
    (cgl::Enum srcRGB, cgl::Enum dstRGB, cgl::Enum srcAlpha, cgl::Enum dstAlpha))                                 \
  X(void, bufferData, "glBufferData", (cgl::Enum target, std::ptrdiff_t size, const void* data, cgl::Enum usage)) \
  X(cgl::Enum, checkFramebufferStatus, "glCheckFramebufferStatus", (cgl::Enum target))                            \
  X(void, clear, "glClear", (cgl::Bitfield mask))                                                                 \
  X(void, clearColor, "glClearColor", (float r, float g, float b, float a))                                       \
  X(void, clearStencil, "glClearStencil", (int s))                                                                \
  X(void, colorMask, "glColorMask", (cgl::Ubyte r, cgl::Ubyte g, cgl::Ubyte b, cgl::Ubyte a))                     \
  X(void, compileShader, "glCompileShader", (cgl::Uint shader))                                                   \
  X(cgl::Uint, createProgram, "glCreateProgram", ())                                                              \
  X(cgl::Uint, createShader, "glCreateShader", (cgl::Enum type))                                                  \
  X(void, cullFace, "glCullFace", (cgl::Enum mode))                                                               \
  X(void, deleteBuffers, "glDeleteBuffers", (int n, const cgl::Uint* buffers))                                    \
  X(void, deleteFramebuffers, "glDeleteFramebuffers", (int n, const cgl::Uint* framebuffers))                     \
  X(void, deleteProgram, "glDeleteProgram", (cgl::Uint program))                                                  \
  X(void, deleteRenderbuffers, "glDeleteRenderbuffers", (int n, const cgl::Uint* renderbuffers))                  \
  X(void, deleteShader, "glDeleteShader", (cgl::Uint shader))                                                     \
  X(void, deleteTextures, "glDeleteTextures", (int n, const cgl::Uint* textures))                                 \
  X(void, disable, "glDisable", (cgl::Enum cap))                                                                  \
  X(void, disableVertexAttribArray, "glDisableVertexAttribArray", (cgl::Uint index))                              \
  X(void, drawArrays, "glDrawArrays", (cgl::Enum mode, int first, int count))                                     \
  X(void, drawElements, "glDrawElements", (cgl::Enum mode, int count, cgl::Enum type, const void* indices))       \
  X(void, enable, "glEnable", (cgl::Enum cap))                                                                    \
  X(void, enableVertexAttribArray, "glEnableVertexAttribArray", (cgl::Uint index))                                \
  X(void, finish, "glFinish", ())                                                                                 \
  X(void, framebufferRenderbuffer, "glFramebufferRenderbuffer",                                                   \
    (cgl::Enum target, cgl::Enum attachment, cgl::Enum rbTarget, cgl::Uint renderbuffer))                         \
  X(void, framebufferTexture2D, "glFramebufferTexture2D",                                                         \
    (cgl::Enum target, cgl::Enum attachment, cgl::Enum texTarget, cgl::Uint texture, int level))                  \
  X(void, frontFace, "glFrontFace", (cgl::Enum mode))                                                             \
  X(void, genBuffers, "glGenBuffers", (int n, cgl::Uint* buffers))                                                \
  X(void, genFramebuffers, "glGenFramebuffers", (int n, cgl::Uint* framebuffers))                                 \
  X(void, genRenderbuffers, "glGenRenderbuffers", (int n, cgl::Uint* renderbuffers))                              \
  X(void, genTextures, "glGenTextures", (int n, cgl::Uint* textures))                                             \
  X(cgl::Enum, getError, "glGetError", ())                                                                        \
  X(void, getIntegerv, "glGetIntegerv", (cgl::Enum pname, int* data))                                             \
  X(void, getProgramInfoLog, "glGetProgramInfoLog", (cgl::Uint program, int bufSize, int* length, char* log))     \
  X(void, getProgramiv, "glGetProgramiv", (cgl::Uint program, cgl::Enum pname, int* params))                      \
  X(void, getShaderInfoLog, "glGetShaderInfoLog", (cgl::Uint shader, int bufSize, int* length, char* log))        \
  X(void, getShaderiv, "glGetShaderiv", (cgl::Uint shader, cgl::Enum pname, int* params))                         \
  X(int, getUniformLocation, "glGetUniformLocation", (cgl::Uint program, const char* name))                       \
  X(void, linkProgram, "glLinkProgram", (cgl::Uint program))                                                      \
  X(void, pixelStorei, "glPixelStorei", (cgl::Enum pname, int param))                                             \
  X(void, readPixels, "glReadPixels",                                                                             \
    (int x, int y, int width, int height, cgl::Enum format, cgl::Enum type, void* pixels))                        \
  X(void, renderbufferStorage, "glRenderbufferStorage",                                                           \
    (cgl::Enum target, cgl::Enum internalFormat, int width, int height))                                          \
  X(void, scissor, "glScissor", (int x, int y, int width, int height))                                            \
  X(void, shaderSource, "glShaderSource",                                                                         \
    (cgl::Uint shader, int count, const char* const* strings, const int* lengths))                                \
  X(void, stencilFunc, "glStencilFunc", (cgl::Enum func, int ref, cgl::Uint mask))                                \
  X(void, stencilMask, "glStencilMask", (cgl::Uint mask))                                                         \
  X(void, stencilOp, "glStencilOp", (cgl::Enum fail, cgl::Enum zfail, cgl::Enum zpass))                           \
  X(void, stencilOpSeparate, "glStencilOpSeparate",                                                               \
    (cgl::Enum face, cgl::Enum sfail, cgl::Enum dpfail, cgl::Enum dppass))                                        \
  X(void, texImage2D, "glTexImage2D",                                                                             \
    (cgl::Enum target, int level, int internalFormat, int width, int height, int border, cgl::Enum format,        \
     cgl::Enum type, const void* pixels))                                                                         \
  X(void, texParameteri, "glTexParameteri", (cgl::Enum target, cgl::Enum pname, int param))                       \
  X(void, texSubImage2D, "glTexSubImage2D",                                                                       \
    (cgl::Enum target, int level, int x, int y, int width, int height, cgl::Enum format, cgl::Enum type,          \
     const void* pixels))                                                                                         \
  X(void, uniform1i, "glUniform1i", (int location, int v0))                                                       \
  X(void, uniform2fv, "glUniform2fv", (int location, int count, const float* value))                              \
  X(void, uniform4fv, "glUniform4fv", (int location, int count, const float* value))                              \
  X(void, useProgram, "glUseProgram", (cgl::Uint program))                                                        \
  X(void, vertexAttribPointer, "glVertexAttribPointer",                                                           \
    (cgl::Uint index, int size, cgl::Enum type, cgl::Ubyte normalized, int stride, const void* pointer))          \
  X(void, viewport, "glViewport", (int x, int y, int width, int height))

// Entry points the back end does without: null when the context has none.
#define CANVAS_GL_OPTIONAL_FUNCTIONS(X)                                                                          \
  X(void, blitFramebuffer, "glBlitFramebuffer",                                                                  \
    (int srcX0, int srcY0, int srcX1, int srcY1, int dstX0, int dstY0, int dstX1, int dstY1, cgl::Bitfield mask, \
     cgl::Enum filter))

struct CanvasGLApi
{
#define CANVAS_GL_MEMBER(ret, member, name, params) ret(CANVAS_GLAPI* member) params;
  CANVAS_GL_FUNCTIONS(CANVAS_GL_MEMBER)
  CANVAS_GL_OPTIONAL_FUNCTIONS(CANVAS_GL_MEMBER)
#undef CANVAS_GL_MEMBER
};

// Resolves one entry point by its GL name; null when it does not exist.
using CanvasGLProcLoader = void* (*)(void* user, const char* name);

// Fills every entry through the loader. False, with the table zeroed, when
// any required entry is missing: a partial table would end in a call through
// null. Optional entries the context lacks stay null.
bool CanvasLoadGLApi(CanvasGLApi* api, CanvasGLProcLoader loader, void* user);

// Fills the table from the GL context current on this thread, through the
// platform's entry-point lookup.
bool LoadPlatformGLApi(CanvasGLApi* api);

} // namespace ifx::canvas
