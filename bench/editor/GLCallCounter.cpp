#include "GLCallCounter.h"

#include <cassert>

using namespace ifx::canvas;

namespace {

CanvasGLApi gForward;
GLCallCounts gCounts;
bool gCounting = false;

void CANVAS_GLAPI DrawArrays(cgl::Enum mode, int first, int count)
{
  ++gCounts.drawCalls;
  gForward.drawArrays(mode, first, count);
}

void CANVAS_GLAPI DrawElements(cgl::Enum mode, int count, cgl::Enum type, const void* indices)
{
  ++gCounts.drawCalls;
  gForward.drawElements(mode, count, type, indices);
}

void CANVAS_GLAPI Uniform1i(int location, int v0)
{
  ++gCounts.uniformUploads;
  gForward.uniform1i(location, v0);
}

void CANVAS_GLAPI Uniform2fv(int location, int count, const float* value)
{
  ++gCounts.uniformUploads;
  gForward.uniform2fv(location, count, value);
}

void CANVAS_GLAPI Uniform4fv(int location, int count, const float* value)
{
  ++gCounts.uniformUploads;
  gForward.uniform4fv(location, count, value);
}

void CANVAS_GLAPI BindTexture(cgl::Enum target, cgl::Uint texture)
{
  ++gCounts.textureBinds;
  gForward.bindTexture(target, texture);
}

} // namespace

GLCallCounter::GLCallCounter(CanvasGLApi& gl) : mGl(gl), mSaved(gl)
{
  assert(!gCounting);
  gCounting = true;
  gForward = gl;
  gCounts = GLCallCounts{};
  gl.drawArrays = &DrawArrays;
  gl.drawElements = &DrawElements;
  gl.uniform1i = &Uniform1i;
  gl.uniform2fv = &Uniform2fv;
  gl.uniform4fv = &Uniform4fv;
  gl.bindTexture = &BindTexture;
}

GLCallCounter::~GLCallCounter()
{
  mGl = mSaved;
  gCounting = false;
}

GLCallCounts GLCallCounter::Counts() const { return gCounts; }
