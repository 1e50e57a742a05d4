// Draws one frame's queued calls: one upload each of vertices, paint slots
// and indices, one program bind, a uniform upload and a draw per batch, and
// redundant state changes skipped through the cached state.

#include "renderer/CanvasGLBackend.h"

namespace ifx::canvas {

namespace {
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
  if (blendCache.srcRGB != blend.srcRGB || blendCache.dstRGB != blend.dstRGB || blendCache.srcAlpha != blend.srcAlpha ||
      blendCache.dstAlpha != blend.dstAlpha)
  {
    blendCache = blend;
    gl.blendFuncSeparate(blend.srcRGB, blend.dstRGB, blend.srcAlpha, blend.dstAlpha);
  }
}

void CanvasGLBackend::BindUniforms(int uniformOffset, int image)
{
  gl.uniform4fv(locFrag, kFragVectors, &UniformsAt(uniformOffset)->scissorMat[0]);
  BindTexture(SampledTexture(image));
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

// A stencil stroke: plain strokes are drawn in batches.
void CanvasGLBackend::DrawStrokeStrips(const CanvasGLCall& call)
{
  const CanvasGLPathRange* ranges = &paths[call.pathOffset];
  auto drawStrips = [&]() {
    for (int i = 0; i < call.pathCount; i++)
      if (ranges[i].strokeCount > 0)
        gl.drawArrays(cgl::kTriangleStrip, ranges[i].strokeOffset, ranges[i].strokeCount);
  };

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

void CanvasGLBackend::DrawBatch(const CanvasGLBatch& batch)
{
  if (batch.indexCount == 0)
    return;
  const CanvasGLCall& first = calls[batch.firstCall];
  gl.uniform4fv(locFrag, kFragVectors * batch.ncalls, &UniformsAt(first.uniformOffset)->scissorMat[0]);
  if (batch.texture != 0)
    BindTexture(batch.texture);
  CheckError("tex paint tex");
  gl.drawElements(cgl::kTriangles, batch.indexCount, indexSize == 2 ? cgl::kUnsignedShort : cgl::kUnsignedInt,
                  (const void*)((size_t)batch.indexOffset * (size_t)indexSize));
  CheckError(first.type == kCanvasGLConvexFill ? "convex fill"
             : first.type == kCanvasGLStroke   ? "stroke fill"
                                               : "triangles fill");
}

void CanvasGLBackend::DrawClear(const CanvasGLCall& call)
{
  // Within the viewport only, as the fill it stands for: a target may be
  // larger than the part drawn to.
  int viewport[4] = {0, 0, 0, 0};
  gl.getIntegerv(cgl::kViewport, viewport);
  gl.enable(cgl::kScissorTest);
  gl.scissor(viewport[0], viewport[1], viewport[2], viewport[3]);
  gl.clearColor(call.clearColor[0], call.clearColor[1], call.clearColor[2], call.clearColor[3]);
  gl.clear(cgl::kColorBufferBit);
  gl.disable(cgl::kScissorTest);
}

void CanvasGLBackend::SubmitFrame(void* user)
{
  auto* b = static_cast<CanvasGLBackend*>(user);
  if (b->ncalls > 0 && b->BuildBatches())
  {
    CanvasGLApi& gl = b->gl;
    const bool table = b->paintSlots > 1;
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
    gl.bufferData(cgl::kArrayBuffer, (std::ptrdiff_t)(b->nverts * sizeof(CanvasVertex)), b->verts, cgl::kStreamDraw);
    gl.enableVertexAttribArray(0);
    gl.enableVertexAttribArray(1);
    gl.vertexAttribPointer(0, 2, cgl::kFloat, 0, sizeof(CanvasVertex), (const void*)0);
    gl.vertexAttribPointer(1, 2, cgl::kFloat, 0, sizeof(CanvasVertex), (const void*)(2 * sizeof(float)));
    if (table)
    {
      gl.bindBuffer(cgl::kArrayBuffer, b->slotBuf);
      gl.bufferData(cgl::kArrayBuffer, (std::ptrdiff_t)(b->nverts * sizeof(float)), b->slots, cgl::kStreamDraw);
      gl.enableVertexAttribArray(2);
      gl.vertexAttribPointer(2, 1, cgl::kFloat, 0, sizeof(float), (const void*)0);
    }
    gl.bindBuffer(cgl::kElementArrayBuffer, b->indexBuf);
    gl.bufferData(cgl::kElementArrayBuffer, (std::ptrdiff_t)b->nindices * b->indexSize, b->indices, cgl::kStreamDraw);
    gl.uniform1i(b->locTex, 0);
    gl.uniform2fv(b->locViewSize, 1, b->view);

    for (int i = 0; i < b->nbatches; i++)
    {
      const CanvasGLBatch& batch = b->batches[i];
      // A clear replaces the pixels: it has no blend to set.
      if (batch.type == kCanvasGLClear)
      {
        b->DrawClear(b->calls[batch.firstCall]);
        continue;
      }
      b->SetBlend(batch.blend);
      switch (batch.type)
      {
        case kCanvasGLFill: b->DrawConcaveFill(b->calls[batch.firstCall]); break;
        case kCanvasGLStroke: b->DrawStrokeStrips(b->calls[batch.firstCall]); break;
        default: b->DrawBatch(batch); break;
      }
    }

    gl.disableVertexAttribArray(0);
    gl.disableVertexAttribArray(1);
    if (table)
      gl.disableVertexAttribArray(2);
    gl.disable(cgl::kCullFace);
    gl.bindBuffer(cgl::kArrayBuffer, 0);
    gl.bindBuffer(cgl::kElementArrayBuffer, 0);
    gl.useProgram(0);
    b->BindTexture(0);
  }
  b->EmptyQueues();
}

} // namespace ifx::canvas
