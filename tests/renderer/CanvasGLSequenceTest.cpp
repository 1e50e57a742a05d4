// The GL back end's exact call sequences (batches, stencil fills, strokes,
// clears, blend and texture state, uniform blocks) on a recording GL table.

#include "renderer/GLSequenceFixture.h"

TEST_F(GLSequence, FrameSetsItsStateUploadsOnceAndRestores)
{
  Rect(10.f, 10.f, 20.f, 20.f);
  const Lines frame = Submit();
  const Lines expected = {
    L("glUseProgram", {(double)b->program}),
    L("glEnable", {cgl::kCullFace}),
    L("glCullFace", {cgl::kBack}),
    L("glFrontFace", {cgl::kCCW}),
    L("glEnable", {cgl::kBlend}),
    L("glDisable", {cgl::kDepthTest}),
    L("glDisable", {cgl::kScissorTest}),
    L("glColorMask", {1, 1, 1, 1}),
    L("glStencilMask", {kAll}),
    L("glStencilOp", {cgl::kKeep, cgl::kKeep, cgl::kKeep}),
    L("glStencilFunc", {cgl::kAlways, 0, kAll}),
    L("glActiveTexture", {cgl::kTexture0}),
    L("glBindTexture", {cgl::kTexture2D, 0}),
    L("glBindBuffer", {cgl::kArrayBuffer, (double)b->vertBuf}),
    L("glBufferData", {cgl::kArrayBuffer, 14 * 16, 0, cgl::kStreamDraw}),
    L("glEnableVertexAttribArray", {0}),
    L("glEnableVertexAttribArray", {1}),
    L("glVertexAttribPointer", {0, 2, cgl::kFloat, 0, 16, 0}),
    L("glVertexAttribPointer", {1, 2, cgl::kFloat, 0, 16, 8}),
    // Each vertex's paint slot.
    L("glBindBuffer", {cgl::kArrayBuffer, (double)b->slotBuf}),
    L("glBufferData", {cgl::kArrayBuffer, 14 * 4, 0, cgl::kStreamDraw}),
    L("glEnableVertexAttribArray", {2}),
    L("glVertexAttribPointer", {2, 1, cgl::kFloat, 0, 4, 0}),
    // Fan and fringe strip as 2 + 8 triangles.
    L("glBindBuffer", {cgl::kElementArrayBuffer, (double)b->indexBuf}),
    L("glBufferData", {cgl::kElementArrayBuffer, 30 * 2, 0, cgl::kStreamDraw}),
    L("glUniform1i", {(double)b->locTex, 0}),
    L("glUniform2fv", {(double)b->locViewSize, 1, 0}),
    L("glBlendFuncSeparate", {cgl::kOne, cgl::kOneMinusSrcAlpha, cgl::kOne, cgl::kOneMinusSrcAlpha}),
    // One convex path: no stencil, and no texture to sample.
    L("glUniform4fv", {(double)b->locFrag, 11, 0}),
    L("glDrawElements", {cgl::kTriangles, 30, cgl::kUnsignedShort, 0}),
    L("glDisableVertexAttribArray", {0}),
    L("glDisableVertexAttribArray", {1}),
    L("glDisableVertexAttribArray", {2}),
    L("glDisable", {cgl::kCullFace}),
    L("glBindBuffer", {cgl::kArrayBuffer, 0}),
    L("glBindBuffer", {cgl::kElementArrayBuffer, 0}),
    L("glUseProgram", {0}),
  };
  EXPECT_EQ(frame, expected);
  EXPECT_EQ(RecordingGL::Named("glUniform2fv").back().floats, (std::vector<float>{100.f, 100.f}));
  // Triangles in GL's own order for fans and strips (odd strip triangles
  // swap their first two), so no winding flips under back-face culling.
  const std::vector<int> triangles = {0, 1, 2, 0, 2, 3,  4,  5, 6,  6,  5,  7,  6,  7,  8,
                                      8, 7, 9, 8, 9, 10, 10, 9, 11, 10, 11, 12, 12, 11, 13};
  EXPECT_EQ(Indices(), triangles);
  EXPECT_EQ(Slots(), std::vector<float>(14, 0.f));

  // Nothing queued: nothing drawn.
  EXPECT_TRUE(Submit().empty());
}

TEST_F(GLSequence, ConcaveFillCountsWindingsThenCoversWhereSet)
{
  canvas->BeginPath();
  canvas->AddRectangle(10.f, 10.f, 20.f, 20.f);
  canvas->AddRectangle(50.f, 10.f, 20.f, 20.f);
  canvas->FillPath();
  const Lines expected = {
    L("glEnable", {cgl::kStencilTest}),
    L("glStencilMask", {0xff}),
    L("glStencilFunc", {cgl::kAlways, 0, 0xff}),
    L("glColorMask", {0, 0, 0, 0}),
    L("glUniform4fv", {(double)b->locFrag, 11, 0}),
    L("glBindTexture", {cgl::kTexture2D, DummyName()}),
    L("glStencilOpSeparate", {cgl::kFront, cgl::kKeep, cgl::kKeep, cgl::kIncrWrap}),
    L("glStencilOpSeparate", {cgl::kBack, cgl::kKeep, cgl::kKeep, cgl::kDecrWrap}),
    L("glDisable", {cgl::kCullFace}),
    L("glDrawArrays", {cgl::kTriangleFan, 0, 4}),
    L("glDrawArrays", {cgl::kTriangleFan, 14, 4}),
    L("glEnable", {cgl::kCullFace}),
    L("glColorMask", {1, 1, 1, 1}),
    L("glUniform4fv", {(double)b->locFrag, 11, 0}),
    // The fringes only outside the filled area.
    L("glStencilFunc", {cgl::kEqual, 0, 0xff}),
    L("glStencilOp", {cgl::kKeep, cgl::kKeep, cgl::kKeep}),
    L("glDrawArrays", {cgl::kTriangleStrip, 4, 10}),
    L("glDrawArrays", {cgl::kTriangleStrip, 18, 10}),
    // The cover quad where set, zeroing the stencil.
    L("glStencilFunc", {cgl::kNotEqual, 0, 0xff}),
    L("glStencilOp", {cgl::kZero, cgl::kZero, cgl::kZero}),
    L("glDrawArrays", {cgl::kTriangleStrip, 28, 4}),
    L("glDisable", {cgl::kStencilTest}),
  };
  EXPECT_EQ(SubmitCalls(), expected);

  // The stencil block is blank but for its threshold and type.
  const auto blocks = Blocks();
  ASSERT_EQ(blocks.size(), 2u);
  for (int i = 0; i < 44; i++)
    EXPECT_FLOAT_EQ(blocks[0][i], i == kStrokeThr ? -1.f : i == kType ? 2.f : 0.f) << i;
  EXPECT_FLOAT_EQ(blocks[1][kInner + 3], 1.f);
  EXPECT_FLOAT_EQ(blocks[1][kStrokeMult], 1.f); // width = fringe
  EXPECT_FLOAT_EQ(blocks[1][kStrokeThr], -1.f);
  // Drawn on its own: its vertices read the table's first block.
  EXPECT_EQ(Slots(), std::vector<float>(32, 0.f));
}

TEST_F(GLSequence, CoverQuadRunsOverTheBoundsFromTheFarCorner)
{
  canvas->BeginPath();
  canvas->AddRectangle(10.f, 10.f, 20.f, 20.f);
  canvas->AddRectangle(50.f, 15.f, 20.f, 20.f);
  canvas->FillPath();
  ASSERT_EQ(b->ncalls, 1);
  const CanvasVertex* q = b->verts + b->calls[0].triangleOffset;
  const float expected[4][2] = {{70.f, 35.f}, {70.f, 10.f}, {10.f, 35.f}, {10.f, 10.f}};
  for (int i = 0; i < 4; i++)
  {
    EXPECT_FLOAT_EQ(q[i].x, expected[i][0]) << i;
    EXPECT_FLOAT_EQ(q[i].y, expected[i][1]) << i;
    EXPECT_FLOAT_EQ(q[i].u, 0.5f);
    EXPECT_FLOAT_EQ(q[i].v, 1.f);
  }
}

TEST_F(GLSequence, BlendFunctionIsSetOnlyWhenItChanges)
{
  Rect(0.f, 0.f, 10.f, 10.f);
  Rect(20.f, 0.f, 10.f, 10.f);
  canvas->SetCompositeOperation(kCanvasLighter);
  Rect(40.f, 0.f, 10.f, 10.f);
  canvas->State().composite = CanvasComposite{kCanvasOne, kCanvasOne, 2048, kCanvasOne};
  Rect(60.f, 0.f, 10.f, 10.f);
  Submit();
  const auto blends = RecordingGL::Named("glBlendFuncSeparate");
  ASSERT_EQ(blends.size(), 3u);
  EXPECT_EQ(blends[0].args,
            (std::vector<double>{cgl::kOne, cgl::kOneMinusSrcAlpha, cgl::kOne, cgl::kOneMinusSrcAlpha}));
  EXPECT_EQ(blends[1].args, (std::vector<double>{cgl::kOne, cgl::kOne, cgl::kOne, cgl::kOne}));
  EXPECT_EQ(blends[2].args, blends[0].args); // an unknown factor falls back to source-over
}

class GLStencilStrokeSequence : public GLSequence
{
protected:
  int Flags() const override { return kCanvasGLAntiAlias | kCanvasGLStencilStrokes; }
};

TEST_F(GLStencilStrokeSequence, MiddleOnceThenEdgeThenClear)
{
  canvas->MoveTo(10.f, 10.f);
  canvas->LineTo(50.f, 10.f);
  canvas->StrokePath();
  const Lines expected = {
    L("glEnable", {cgl::kStencilTest}),
    L("glStencilMask", {0xff}),
    L("glStencilFunc", {cgl::kEqual, 0, 0xff}),
    L("glStencilOp", {cgl::kKeep, cgl::kKeep, cgl::kIncr}),
    L("glUniform4fv", {(double)b->locFrag, 11, 0}),
    L("glBindTexture", {cgl::kTexture2D, DummyName()}),
    L("glDrawArrays", {cgl::kTriangleStrip, 0, 8}),
    L("glUniform4fv", {(double)b->locFrag, 11, 0}),
    L("glStencilOp", {cgl::kKeep, cgl::kKeep, cgl::kKeep}),
    L("glDrawArrays", {cgl::kTriangleStrip, 0, 8}),
    L("glColorMask", {0, 0, 0, 0}),
    L("glStencilFunc", {cgl::kAlways, 0, 0xff}),
    L("glStencilOp", {cgl::kZero, cgl::kZero, cgl::kZero}),
    L("glDrawArrays", {cgl::kTriangleStrip, 0, 8}),
    L("glColorMask", {1, 1, 1, 1}),
    L("glDisable", {cgl::kStencilTest}),
  };
  EXPECT_EQ(SubmitCalls(), expected);
  const auto blocks = Blocks();
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_NEAR(blocks[0][kStrokeThr], 1.f - 0.5f / 255.f, 1e-7); // the solid middle first
  EXPECT_FLOAT_EQ(blocks[1][kStrokeThr], -1.f);
  EXPECT_FLOAT_EQ(blocks[1][kStrokeMult], (1.f * 0.5f + 0.5f) / 1.f);
}

TEST_F(GLSequence, PlainStrokesAndTrianglesDrawStraightAway)
{
  canvas->SetStrokeWidth(4.f);
  canvas->MoveTo(10.f, 10.f);
  canvas->LineTo(50.f, 10.f);
  canvas->StrokePath();
  CanvasBackend& t = canvas->backend;
  const int atlas = canvas->fontImages[0];
  CanvasPaint paint = CanvasColorPaint(CanvasRGBAf(1, 0, 0, 1));
  paint.image = atlas;
  const CanvasVertex tri[3] = {{0, 0, 0, 0}, {10, 0, 1, 0}, {0, 10, 0, 1}};
  t.queueTriangles(t.user, &paint, CanvasCompositeForOperation(kCanvasSourceOver), &canvas->State().scissor, tri, 3,
                   1.f);
  // One batch: both blocks in one upload, the atlas bound once, one draw of
  // the strip's 6 triangles and the text's one.
  const Lines expected = {
    L("glUniform4fv", {(double)b->locFrag, 22, 0}),
    L("glBindTexture", {cgl::kTexture2D, (double)b->FindTexture(atlas)->tex}),
    L("glDrawElements", {cgl::kTriangles, 21, cgl::kUnsignedShort, 0}),
  };
  EXPECT_EQ(SubmitCalls(), expected);
  const auto blocks = Blocks();
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_FLOAT_EQ(blocks[0][kStrokeMult], (4.f * 0.5f + 0.5f) / 1.f);
  EXPECT_FLOAT_EQ(blocks[0][kType], 0.f);
  EXPECT_FLOAT_EQ(blocks[1][kType], 3.f);
  EXPECT_FLOAT_EQ(blocks[1][kTexType], 2.f); // alpha atlas
  EXPECT_FLOAT_EQ(blocks[1][kStrokeMult], 1.f);
  const std::vector<int> indices = Indices();
  ASSERT_EQ(indices.size(), 21u);
  EXPECT_EQ(std::vector<int>(indices.end() - 3, indices.end()), (std::vector<int>{8, 9, 10}));
  EXPECT_EQ(Slots(), (std::vector<float>{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1}));
}

TEST_F(GLSequence, UniformBlockLaysOutScissorAndPaint)
{
  canvas->StartFrame(100.f, 100.f, 2.f); // fringe 0.5
  canvas->Translate(10.f, 20.f);
  canvas->Scale(2.f, 2.f);
  canvas->SetClipRect(0.f, 0.f, 10.f, 10.f);
  canvas->SetFillPaint(CanvasBoxGradient(0.f, 0.f, 20.f, 10.f, 3.f, 4.f, CanvasRGBAf(1.f, 0.5f, 0.f, 0.5f),
                                         CanvasRGBAf(0.f, 0.f, 1.f, 0.25f)));
  Rect(0.f, 0.f, 5.f, 5.f);
  Submit();
  const auto blocks = Blocks();
  ASSERT_EQ(blocks.size(), 1u);
  const std::vector<float>& f = blocks[0];
  // Scissor: centre (5, 5) under x2 + (10, 20) is (20, 30); its inverse as
  // three columns.
  const float scissor[12] = {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, -10.f, -15.f, 1.f, 0};
  const float paint[12] = {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, -15.f, -15.f, 1.f, 0};
  for (int i = 0; i < 12; i++)
  {
    EXPECT_FLOAT_EQ(f[kScissorMat + i], scissor[i]) << i;
    EXPECT_FLOAT_EQ(f[kPaintMat + i], paint[i]) << i;
  }
  const float inner[4] = {0.5f, 0.25f, 0.f, 0.5f}, outer[4] = {0.f, 0.f, 0.25f, 0.25f};
  for (int i = 0; i < 4; i++)
  {
    EXPECT_FLOAT_EQ(f[kInner + i], inner[i]) << i;
    EXPECT_FLOAT_EQ(f[kOuter + i], outer[i]) << i;
  }
  EXPECT_FLOAT_EQ(f[kScissorExt], 5.f);
  EXPECT_FLOAT_EQ(f[kScissorExt + 1], 5.f);
  EXPECT_FLOAT_EQ(f[kScissorScale], 4.f); // axis scale 2 over fringe 0.5
  EXPECT_FLOAT_EQ(f[kScissorScale + 1], 4.f);
  EXPECT_FLOAT_EQ(f[kExtent], 10.f);
  EXPECT_FLOAT_EQ(f[kExtent + 1], 5.f);
  EXPECT_FLOAT_EQ(f[kRadius], 3.f);
  EXPECT_FLOAT_EQ(f[kFeather], 4.f);
  EXPECT_FLOAT_EQ(f[kStrokeMult], 1.f);
  EXPECT_FLOAT_EQ(f[kStrokeThr], -1.f);
  EXPECT_FLOAT_EQ(f[kTexType], 0.f);
  EXPECT_FLOAT_EQ(f[kType], 0.f);
}

TEST_F(GLSequence, ImagePaintsPickTheirTextureTypeAndFlipRenderTargets)
{
  CanvasBackend& t = canvas->backend;
  const int straight = t.makeTexture(t.user, kCanvasTextureRGBA, 4, 4, 0, nullptr);
  const int premul = t.makeTexture(t.user, kCanvasTextureRGBA, 4, 4, kCanvasImagePremultiplied, nullptr);
  const int flipped = t.makeTexture(t.user, kCanvasTextureRGBA, 4, 4, kCanvasImageFlipY, nullptr);
  for (int image : {straight, premul, flipped})
  {
    canvas->SetFillPaint(CanvasImagePattern(0.f, 0.f, 40.f, 20.f, 0.f, image, 1.f));
    Rect(0.f, 0.f, 40.f, 20.f);
  }
  Submit();
  const auto blocks = Blocks();
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_FLOAT_EQ(blocks[0][kTexType], 1.f);
  EXPECT_FLOAT_EQ(blocks[1][kTexType], 0.f);
  for (const auto& f : blocks)
  {
    EXPECT_FLOAT_EQ(f[kType], 1.f);
    EXPECT_FLOAT_EQ(f[kFeather], 0.f);
  }
  // Flipped about the pattern's middle row: y -> 20 - y.
  const float flip[12] = {1.f, 0, 0, 0, 0, -1.f, 0, 0, 0, 20.f, 1.f, 0};
  for (int i = 0; i < 12; i++)
    EXPECT_FLOAT_EQ(blocks[2][kPaintMat + i], flip[i]) << i;
  EXPECT_FLOAT_EQ(blocks[0][kPaintMat + 9], 0.f);
}

TEST_F(GLSequence, TexturesUploadWithTheirFormatFiltersAndWraps)
{
  CanvasBackend& t = canvas->backend;
  size_t first = RecordingGL::Log().size();
  const int alpha = t.makeTexture(t.user, kCanvasTextureAlpha, 8, 4,
                                  kCanvasImageMipmaps | kCanvasImageNearest | kCanvasImageRepeatX, nullptr);
  ASSERT_NE(alpha, 0);
  const double name = b->FindTexture(alpha)->tex;
  const Lines expected = {
    L("glGenTextures", {1, 0}),
    L("glBindTexture", {cgl::kTexture2D, name}),
    L("glPixelStorei", {cgl::kUnpackAlignment, 1}),
    L("glPixelStorei", {cgl::kUnpackRowLength, 8}),
    L("glPixelStorei", {cgl::kUnpackSkipPixels, 0}),
    L("glPixelStorei", {cgl::kUnpackSkipRows, 0}),
    L("glTexParameteri", {cgl::kTexture2D, cgl::kGenerateMipmap, 1}),
    L("glTexImage2D", {cgl::kTexture2D, 0, cgl::kLuminance, 8, 4, 0, cgl::kLuminance, cgl::kUnsignedByte, 0}),
    L("glTexParameteri", {cgl::kTexture2D, cgl::kTextureMinFilter, cgl::kNearestMipmapNearest}),
    L("glTexParameteri", {cgl::kTexture2D, cgl::kTextureMagFilter, cgl::kNearest}),
    L("glTexParameteri", {cgl::kTexture2D, cgl::kTextureWrapS, cgl::kRepeat}),
    L("glTexParameteri", {cgl::kTexture2D, cgl::kTextureWrapT, cgl::kClampToEdge}),
    L("glPixelStorei", {cgl::kUnpackAlignment, 4}),
    L("glPixelStorei", {cgl::kUnpackRowLength, 0}),
    L("glPixelStorei", {cgl::kUnpackSkipPixels, 0}),
    L("glPixelStorei", {cgl::kUnpackSkipRows, 0}),
    L("glBindTexture", {cgl::kTexture2D, 0}),
  };
  EXPECT_EQ(RecordingGL::Lines(first), expected);

  first = RecordingGL::Log().size();
  const int rgba = t.makeTexture(t.user, kCanvasTextureRGBA, 2, 2, kCanvasImageMipmaps | kCanvasImageRepeatY, nullptr);
  const Lines rgbaLines = RecordingGL::Lines(first, {"glPixelStorei", "glGenTextures", "glBindTexture"});
  const Lines rgbaExpected = {
    L("glTexParameteri", {cgl::kTexture2D, cgl::kGenerateMipmap, 1}),
    L("glTexImage2D", {cgl::kTexture2D, 0, cgl::kRGBA, 2, 2, 0, cgl::kRGBA, cgl::kUnsignedByte, 0}),
    L("glTexParameteri", {cgl::kTexture2D, cgl::kTextureMinFilter, cgl::kLinearMipmapLinear}),
    L("glTexParameteri", {cgl::kTexture2D, cgl::kTextureMagFilter, cgl::kLinear}),
    L("glTexParameteri", {cgl::kTexture2D, cgl::kTextureWrapS, cgl::kClampToEdge}),
    L("glTexParameteri", {cgl::kTexture2D, cgl::kTextureWrapT, cgl::kRepeat}),
  };
  EXPECT_EQ(rgbaLines, rgbaExpected);

  // A sub-rectangle comes out of the full-width source.
  first = RecordingGL::Log().size();
  const unsigned char data[8 * 4] = {};
  ASSERT_EQ(t.writeTexture(t.user, alpha, 2, 1, 3, 2, data), 1);
  const Lines write = {
    L("glBindTexture", {cgl::kTexture2D, name}),
    L("glPixelStorei", {cgl::kUnpackAlignment, 1}),
    L("glPixelStorei", {cgl::kUnpackRowLength, 8}),
    L("glPixelStorei", {cgl::kUnpackSkipPixels, 2}),
    L("glPixelStorei", {cgl::kUnpackSkipRows, 1}),
    L("glTexSubImage2D", {cgl::kTexture2D, 0, 2, 1, 3, 2, cgl::kLuminance, cgl::kUnsignedByte, 0}),
    L("glPixelStorei", {cgl::kUnpackAlignment, 4}),
    L("glPixelStorei", {cgl::kUnpackRowLength, 0}),
    L("glPixelStorei", {cgl::kUnpackSkipPixels, 0}),
    L("glPixelStorei", {cgl::kUnpackSkipRows, 0}),
    L("glBindTexture", {cgl::kTexture2D, 0}),
  };
  EXPECT_EQ(RecordingGL::Lines(first), write);

  // Textures not owned by the back end stay when freed.
  b->FindTexture(rgba)->flags |= kCanvasGLTextureNotOwned;
  first = RecordingGL::Log().size();
  EXPECT_EQ(t.freeTexture(t.user, rgba), 1);
  EXPECT_EQ(t.freeTexture(t.user, alpha), 1);
  EXPECT_EQ(RecordingGL::Lines(first), (Lines{L("glDeleteTextures", {1, 0})}));
}

TEST(GLSetUp, ShadersTakeTheHeaderAndOptionsAndBindTheirAttributes)
{
  for (int flags : {0, (int)kCanvasGLAntiAlias})
  {
    RecordingGL::Reset();
    CanvasContext* canvas = CreateCanvasGL(RecordingGL::Table(), flags);
    ASSERT_NE(canvas, nullptr);
    const auto sources = RecordingGL::Named("glShaderSource");
    ASSERT_EQ(sources.size(), 2u);
    for (const auto& s : sources)
    {
      ASSERT_EQ(s.strings.size(), 3u);
      // A table of 64 blocks: what the recorder's fragment uniforms hold.
      EXPECT_EQ(s.strings[0], "#define NANOVG_GL2 1\n#define UNIFORMARRAY_SIZE 704\n#define PAINT_TABLE 1\n\n");
      EXPECT_EQ(s.strings[1], flags ? "#define EDGE_AA 1\n" : "");
    }
    const auto attribs = RecordingGL::Named("glBindAttribLocation");
    ASSERT_EQ(attribs.size(), 3u);
    EXPECT_EQ(attribs[0].Arg(1), 0);
    EXPECT_EQ(attribs[0].strings, (std::vector<std::string>{"vertex"}));
    EXPECT_EQ(attribs[1].Arg(1), 1);
    EXPECT_EQ(attribs[1].strings, (std::vector<std::string>{"tcoord"}));
    EXPECT_EQ(attribs[2].Arg(1), 2);
    EXPECT_EQ(attribs[2].strings, (std::vector<std::string>{"paint"}));
    CanvasGLBackend* b = CanvasGLBackendOf(canvas);
    EXPECT_EQ(b->paintSlots, 64);
    EXPECT_EQ(b->fragSize, 176); // blocks back to back
    const CanvasGLTexture* dummy = b->FindTexture(b->dummyTex);
    ASSERT_NE(dummy, nullptr);
    EXPECT_EQ(dummy->type, kCanvasTextureAlpha);
    EXPECT_EQ(dummy->width, 1);
    EXPECT_EQ(RecordingGL::Named("glFinish").size(), 1u);
    CanvasContext::Destroy(canvas);
  }
}

// The module writes nothing to the host's standard output: the log goes to
// the trace.
TEST(GLSetUp, ACompileOrLinkFailureReadsTheLogQuietlyAndGivesNoCanvas)
{
  RecordingGL::Reset();
  RecordingGL::compileStatus = 0;
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(CreateCanvasGL(RecordingGL::Table(), kCanvasGLAntiAlias), nullptr);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  // The program with the paint table, then the one without.
  EXPECT_EQ(RecordingGL::Named("glGetShaderInfoLog").size(), 2u);
  // What was made is deleted again.
  EXPECT_EQ(RecordingGL::Named("glDeleteProgram").size(), 2u);
  EXPECT_EQ(RecordingGL::Named("glDeleteShader").size(), 4u);

  RecordingGL::Reset();
  RecordingGL::linkStatus = 0;
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(CreateCanvasGL(RecordingGL::Table(), kCanvasGLAntiAlias), nullptr);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(RecordingGL::Named("glGetProgramInfoLog").size(), 2u);
}

TEST(GLSetUp, DebugChecksNameTheStepAfterAnError)
{
  RecordingGL::Reset();
  RecordingGL::error = 0x502;
  ::testing::internal::CaptureStdout();
  CanvasContext* canvas = CreateCanvasGL(RecordingGL::Table(), kCanvasGLAntiAlias | kCanvasGLDebug);
  ASSERT_NE(canvas, nullptr);
  canvas->StartFrame(100.f, 100.f, 1.f);
  canvas->AddRectangle(0.f, 0.f, 10.f, 10.f);
  canvas->FillPath();
  canvas->FinishFrame();
  const std::string out = ::testing::internal::GetCapturedStdout();
  CanvasContext::Destroy(canvas);
  for (const char* step : {"init", "uniform locations", "create tex", "create done", "tex paint tex", "convex fill"})
    EXPECT_NE(out.find(std::string("Error 00000502 after ") + step + "\n"), std::string::npos) << step;

  // Without the flag nothing is asked or printed.
  RecordingGL::Reset();
  RecordingGL::error = 0x502;
  ::testing::internal::CaptureStdout();
  canvas = CreateCanvasGL(RecordingGL::Table(), kCanvasGLAntiAlias);
  CanvasContext::Destroy(canvas);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(RecordingGL::Named("glGetError").empty());
}

TEST_F(GLSequence, RenderTargetFallsBackToPackedDepthStencil)
{
  RecordingGL::boundFramebuffer = 7;
  RecordingGL::boundRenderbuffer = 3;
  RecordingGL::framebufferStatus = {0};
  CanvasRenderTarget* target = CreateCanvasRenderTarget(canvas, 16, 8);
  ASSERT_NE(target, nullptr);
  const auto storage = RecordingGL::Named("glRenderbufferStorage");
  ASSERT_EQ(storage.size(), 2u);
  EXPECT_EQ(storage[0].args, (std::vector<double>{cgl::kRenderbuffer, cgl::kStencilIndex8, 16, 8}));
  EXPECT_EQ(storage[1].args, (std::vector<double>{cgl::kRenderbuffer, cgl::kDepth24Stencil8, 16, 8}));
  const CanvasGLTexture* tex = b->FindTexture(target->image);
  ASSERT_NE(tex, nullptr);
  EXPECT_EQ(tex->flags, kCanvasImageFlipY | kCanvasImagePremultiplied);
  EXPECT_EQ(RecordingGL::boundFramebuffer, 7);
  EXPECT_EQ(RecordingGL::boundRenderbuffer, 3);
  DeleteCanvasRenderTarget(target);

  // Incomplete either way: nothing is left over.
  RecordingGL::framebufferStatus = {0, 0};
  const size_t first = RecordingGL::Log().size();
  EXPECT_EQ(CreateCanvasRenderTarget(canvas, 16, 8), nullptr);
  const Lines deletes = RecordingGL::Lines(first, {});
  auto has = [&](const std::string& name) {
    for (const auto& l : deletes)
      if (l.rfind(name, 0) == 0)
        return true;
    return false;
  };
  EXPECT_TRUE(has("glDeleteFramebuffers"));
  EXPECT_TRUE(has("glDeleteRenderbuffers"));
  EXPECT_TRUE(has("glDeleteTextures"));
  EXPECT_EQ(RecordingGL::boundFramebuffer, 7);
  EXPECT_EQ(RecordingGL::boundRenderbuffer, 3);
}

TEST_F(GLSequence, ARenderTargetReachesTheWindowByABlitWhereTheContextCanBlit)
{
  RecordingGL::boundFramebuffer = 5;
  b->windowFramebuffer = 5;
  CanvasRenderTarget* target = CreateCanvasRenderTarget(canvas, 16, 8);
  ASSERT_NE(target, nullptr);
  size_t first = RecordingGL::Log().size();
  EXPECT_TRUE(BlitCanvasRenderTargetToWindow(canvas, target));
  const Lines expected = {
    L("glBindFramebuffer", {cgl::kFramebuffer, 5}),
    L("glGetIntegerv", {cgl::kSampleBuffers, 0}),
    L("glBindFramebuffer", {cgl::kReadFramebuffer, (double)target->framebuffer}),
    L("glDisable", {cgl::kScissorTest}),
    L("glBlitFramebuffer", {0, 0, 16, 8, 0, 0, 16, 8, cgl::kColorBufferBit, cgl::kNearest}),
    L("glBindFramebuffer", {cgl::kFramebuffer, 5}),
  };
  EXPECT_EQ(RecordingGL::Lines(first), expected);

  // Into a multisampled window it cannot: nothing is copied.
  RecordingGL::sampleBuffers = 1;
  EXPECT_FALSE(BlitCanvasRenderTargetToWindow(canvas, target));
  EXPECT_EQ(RecordingGL::Named("glBlitFramebuffer").size(), 1u);
  // Without a source, or without the entry point, it touches nothing.
  first = RecordingGL::Log().size();
  EXPECT_FALSE(BlitCanvasRenderTargetToWindow(canvas, nullptr));
  b->gl.blitFramebuffer = nullptr;
  EXPECT_FALSE(BlitCanvasRenderTargetToWindow(canvas, target));
  EXPECT_TRUE(RecordingGL::Lines(first).empty());
  DeleteCanvasRenderTarget(target);
}
