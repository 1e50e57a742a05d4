// Draws one frame's queued calls: one vertex upload, one program bind, and
// redundant state changes skipped through the cached state.

#include "renderer/CanvasGLBackend.h"

namespace ifx::canvas {

namespace
{
constexpr cgl::Uint kAllOnes = 0xffffffffu;
}

void CanvasGLBackend::SetStencilMask(cgl::Uint mask)
{
  if (stencilMaskCache != mask)
  {
    stencilMaskCache = mask;
    gl.stencilMask(mask);
  }
}

void CanvasGLBackend::SetStencilFunc(cgl::Enum func, int ref, cgl::Uint mask)
{
  if (stencilFuncCache != func || stencilFuncRef != ref || stencilFuncMask != mask)
  {
    stencilFuncCache = func;
    stencilFuncRef = ref;
    stencilFuncMask = mask;
    gl.stencilFunc(func, ref, mask);
  }
}

void CanvasGLBackend::SetBlend(const CanvasGLBlend& blend)
{
  if (blendCache.srcRGB != blend.srcRGB || blendCache.dstRGB != blend.dstRGB ||
      blendCache.srcAlpha != blend.srcAlpha || blendCache.dstAlpha != blend.dstAlpha)
  {
    blendCache = blend;
    gl.blendFuncSeparate(blend.srcRGB, blend.dstRGB, blend.srcAlpha, blend.dstAlpha);
  }
}

void CanvasGLBackend::BindUniforms(int uniformOffset, int image)
{
  gl.uniform4fv(locFrag, kFragVectors, &UniformsAt(uniformOffset)->scissorMat[0]);
  const CanvasGLTexture* tex = image != 0 ? FindTexture(image) : nullptr;
  if (!tex)
    tex = FindTexture(dummyTex);
  BindTexture(tex ? tex->tex : 0);
  CheckError("tex paint tex");
}

void CanvasGLBackend::DrawConcaveFill(const CanvasGLCall& call)
{
  const CanvasGLPathRange* ranges = &paths[call.pathOffset];

  // Count windings into the stencil: front faces up, back faces down.
  gl.enable(cgl::kStencilTest);
  SetStencilMask(0xff);
  SetStencilFunc(cgl::kAlways, 0, 0xff);
  gl.colorMask(0, 0, 0, 0);
  BindUniforms(call.uniformOffset, 0);
  CheckError("fill simple");
  gl.stencilOpSeparate(cgl::kFront, cgl::kKeep, cgl::kKeep, cgl::kIncrWrap);
  gl.stencilOpSeparate(cgl::kBack, cgl::kKeep, cgl::kKeep, cgl::kDecrWrap);
  gl.disable(cgl::kCullFace);
  for (int i = 0; i < call.pathCount; i++)
    if (ranges[i].fillCount > 0)
      gl.drawArrays(cgl::kTriangleFan, ranges[i].fillOffset, ranges[i].fillCount);
  gl.enable(cgl::kCullFace);
  gl.colorMask(1, 1, 1, 1);

  BindUniforms(call.uniformOffset + fragSize, call.image);
  CheckError("fill fill");
  if (flags & kCanvasGLAntiAlias)
  {
    // The fringe only outside the filled area.
    SetStencilFunc(cgl::kEqual, 0x00, 0xff);
    gl.stencilOp(cgl::kKeep, cgl::kKeep, cgl::kKeep);
    for (int i = 0; i < call.pathCount; i++)
      if (ranges[i].strokeCount > 0)
        gl.drawArrays(cgl::kTriangleStrip, ranges[i].strokeOffset, ranges[i].strokeCount);
  }

  // Cover: each set pixel once, clearing the stencil on the way.
  SetStencilFunc(cgl::kNotEqual, 0x0, 0xff);
  gl.stencilOp(cgl::kZero, cgl::kZero, cgl::kZero);
  gl.drawArrays(cgl::kTriangleStrip, call.triangleOffset, call.triangleCount);
  gl.disable(cgl::kStencilTest);
}

void CanvasGLBackend::DrawConvexFill(const CanvasGLCall& call)
{
  const CanvasGLPathRange* ranges = &paths[call.pathOffset];
  BindUniforms(call.uniformOffset, call.image);
  CheckError("convex fill");
  for (int i = 0; i < call.pathCount; i++)
  {
    if (ranges[i].fillCount > 0)
      gl.drawArrays(cgl::kTriangleFan, ranges[i].fillOffset, ranges[i].fillCount);
    if (ranges[i].strokeCount > 0)
      gl.drawArrays(cgl::kTriangleStrip, ranges[i].strokeOffset, ranges[i].strokeCount);
  }
}

void CanvasGLBackend::DrawStrokeStrips(const CanvasGLCall& call)
{
  const CanvasGLPathRange* ranges = &paths[call.pathOffset];
  auto drawStrips = [&]() {
    for (int i = 0; i < call.pathCount; i++)
      if (ranges[i].strokeCount > 0)
        gl.drawArrays(cgl::kTriangleStrip, ranges[i].strokeOffset, ranges[i].strokeCount);
  };

  if (!(flags & kCanvasGLStencilStrokes))
  {
    BindUniforms(call.uniformOffset, call.image);
    CheckError("stroke fill");
    drawStrips();
    return;
  }

  gl.enable(cgl::kStencilTest);
  SetStencilMask(0xff);
  // The solid middle, each pixel once.
  SetStencilFunc(cgl::kEqual, 0x0, 0xff);
  gl.stencilOp(cgl::kKeep, cgl::kKeep, cgl::kIncr);
  BindUniforms(call.uniformOffset + fragSize, call.image);
  CheckError("stroke fill 0");
  drawStrips();
  // The anti-aliased edge where nothing was drawn yet.
  BindUniforms(call.uniformOffset, call.image);
  SetStencilFunc(cgl::kEqual, 0x0, 0xff);
  gl.stencilOp(cgl::kKeep, cgl::kKeep, cgl::kKeep);
  drawStrips();
  // Clear the stencil again.
  gl.colorMask(0, 0, 0, 0);
  SetStencilFunc(cgl::kAlways, 0x0, 0xff);
  gl.stencilOp(cgl::kZero, cgl::kZero, cgl::kZero);
  CheckError("stroke fill 1");
  drawStrips();
  gl.colorMask(1, 1, 1, 1);
  gl.disable(cgl::kStencilTest);
}

void CanvasGLBackend::DrawTriangles(const CanvasGLCall& call)
{
  BindUniforms(call.uniformOffset, call.image);
  CheckError("triangles fill");
  gl.drawArrays(cgl::kTriangles, call.triangleOffset, call.triangleCount);
}

void CanvasGLBackend::SubmitFrame(void* user)
{
  auto* b = static_cast<CanvasGLBackend*>(user);
  if (b->ncalls > 0)
  {
    CanvasGLApi& gl = b->gl;
    gl.useProgram(b->program);
    gl.enable(cgl::kCullFace);
    gl.cullFace(cgl::kBack);
    gl.frontFace(cgl::kCCW);
    gl.enable(cgl::kBlend);
    gl.disable(cgl::kDepthTest);
    gl.disable(cgl::kScissorTest);
    gl.colorMask(1, 1, 1, 1);
    gl.stencilMask(kAllOnes);
    gl.stencilOp(cgl::kKeep, cgl::kKeep, cgl::kKeep);
    gl.stencilFunc(cgl::kAlways, 0, kAllOnes);
    gl.activeTexture(cgl::kTexture0);
    gl.bindTexture(cgl::kTexture2D, 0);
    b->boundTexture = 0;
    b->stencilMaskCache = kAllOnes;
    b->stencilFuncCache = cgl::kAlways;
    b->stencilFuncRef = 0;
    b->stencilFuncMask = kAllOnes;
    b->blendCache = CanvasGLBlend{cgl::kInvalidEnum, cgl::kInvalidEnum, cgl::kInvalidEnum, cgl::kInvalidEnum};

    gl.bindBuffer(cgl::kArrayBuffer, b->vertBuf);
    gl.bufferData(cgl::kArrayBuffer, (std::ptrdiff_t)(b->nverts * sizeof(CanvasVertex)), b->verts,
                  cgl::kStreamDraw);
    gl.enableVertexAttribArray(0);
    gl.enableVertexAttribArray(1);
    gl.vertexAttribPointer(0, 2, cgl::kFloat, 0, sizeof(CanvasVertex), (const void*)0);
    gl.vertexAttribPointer(1, 2, cgl::kFloat, 0, sizeof(CanvasVertex), (const void*)(2 * sizeof(float)));
    gl.uniform1i(b->locTex, 0);
    gl.uniform2fv(b->locViewSize, 1, b->view);

    for (int i = 0; i < b->ncalls; i++)
    {
      const CanvasGLCall& call = b->calls[i];
      b->SetBlend(call.blend);
      switch (call.type)
      {
      case kCanvasGLFill: b->DrawConcaveFill(call); break;
      case kCanvasGLConvexFill: b->DrawConvexFill(call); break;
      case kCanvasGLStroke: b->DrawStrokeStrips(call); break;
      case kCanvasGLTriangles: b->DrawTriangles(call); break;
      default: break;
      }
    }

    gl.disableVertexAttribArray(0);
    gl.disableVertexAttribArray(1);
    gl.disable(cgl::kCullFace);
    gl.bindBuffer(cgl::kArrayBuffer, 0);
    gl.useProgram(0);
    b->BindTexture(0);
  }
  b->EmptyQueues();
}

} // namespace ifx::canvas
