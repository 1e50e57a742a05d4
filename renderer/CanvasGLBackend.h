#pragma once
// The OpenGL 2 render back end of the vector renderer: shader program,
// textures and per-frame queues of calls, path ranges, vertices and
// fragment-uniform blocks, drawn in one go by SubmitFrame. Consecutive calls
// that share blend and texture are drawn as one batch: their uniform blocks
// form a table the shader indexes by each vertex's paint slot. UI thread
// only, with the GL context current.

#include "renderer/CanvasGLApi.h"
#include "renderer/CanvasTypes.h"

namespace ifx::canvas {

struct CanvasContext;

enum ECanvasGLFlags
{
  kCanvasGLAntiAlias = 1,      // shader with edge anti-aliasing, fringes drawn for stencil fills
  kCanvasGLStencilStrokes = 2, // overlapping stroke parts blend once
  kCanvasGLDebug = 4,          // print GL errors after each step
};

// Image flag of a texture record whose GL texture belongs to someone else.
constexpr int kCanvasGLTextureNotOwned = 0x10000;

enum ECanvasGLCallType
{
  kCanvasGLFill = 1,
  kCanvasGLConvexFill = 2,
  kCanvasGLStroke = 3,
  kCanvasGLTriangles = 4,
  kCanvasGLClear = 5, // an opaque fill of the whole view
};

struct CanvasGLTexture
{
  int id; // 0: free slot
  cgl::Uint tex;
  int width, height;
  int type;
  int flags;
};

struct CanvasGLBlend
{
  cgl::Enum srcRGB, dstRGB, srcAlpha, dstAlpha;
};

struct CanvasGLCall
{
  int type;
  int image;
  int pathOffset;
  int pathCount;
  int triangleOffset;
  int triangleCount;
  int uniformOffset; // bytes
  CanvasGLBlend blend;
  float clearColor[4]; // premultiplied, for a clear
};

// Consecutive calls drawn together. A batch of fills, strokes and triangles
// is one uniform upload (a block per call, in call order) and one indexed
// draw; concave fills, stencil strokes and clears are batches of their own.
struct CanvasGLBatch
{
  int type; // the call type of a batch of its own, else 0
  int firstCall, ncalls;
  cgl::Uint texture;           // what the batch samples, 0 nothing
  int indexOffset, indexCount; // in indices
  CanvasGLBlend blend;
};

struct CanvasGLPathRange
{
  int fillOffset, fillCount;
  int strokeOffset, strokeCount;
};

// One block of the shader's uniform array "frag": 11 vec4.
struct CanvasGLFragUniforms
{
  float scissorMat[12]; // three columns (x, y, z, unused)
  float paintMat[12];
  float innerCol[4]; // premultiplied
  float outerCol[4];
  float scissorExt[2];
  float scissorScale[2];
  float extent[2];
  float radius;
  float feather;
  float strokeMult;
  float strokeThr;
  float texType; // 0 premultiplied RGBA, 1 straight RGBA, 2 alpha
  float type;    // 0 gradient, 1 image, 2 stencil fill, 3 textured triangles
};

struct CanvasGLBackend
{
  static constexpr int kFragVectors = 11;
  // Uniform blocks a batch may hold at most; on llvmpipe each upload costs
  // the whole declared table, so it stays small.
  static constexpr int kMaxPaintSlots = 64;
  // Fragment uniform vectors left to the compiler's own constants.
  static constexpr int kReservedUniformVectors = 8;

  CanvasGLApi gl;
  cgl::Uint program, fragShader, vertShader;
  int locViewSize, locTex, locFrag;
  CanvasGLTexture* textures;
  int ntextures, ctextures;
  int textureId; // last id given out; ids are never reused
  float view[2];
  int fragSize;   // bytes between uniform blocks
  int paintSlots; // uniform blocks the shader's table holds; 1: no table
  int flags;
  cgl::Uint vertBuf;
  cgl::Uint slotBuf;  // the paint slot of each vertex
  cgl::Uint indexBuf; // the batches' triangles
  CanvasGLCall* calls;
  int ncalls, ccalls;
  CanvasGLPathRange* paths;
  int npaths, cpaths;
  CanvasVertex* verts;
  int nverts, cverts;
  unsigned char* uniforms;
  int nuniforms, cuniforms;
  // Built from the calls when a frame is submitted.
  CanvasGLBatch* batches;
  int nbatches, cbatches;
  float* slots;
  int cslots;
  unsigned char* indices;
  int nindices, cindexBytes;
  int indexSize; // bytes: 2, or 4 for frames of more than 65536 vertices
  int dummyTex;
  int windowFramebuffer; // the context's own framebuffer, read at set-up
  cgl::Uint boundTexture;
  cgl::Uint stencilMaskCache;
  cgl::Enum stencilFuncCache;
  int stencilFuncRef;
  cgl::Uint stencilFuncMask;
  CanvasGLBlend blendCache;

  // A zeroed back end over the given entry points; null without memory.
  static CanvasGLBackend* New(const CanvasGLApi& gl, int flags);
  // The callback table for the renderer, the back end as its user pointer.
  static CanvasBackend Table(CanvasGLBackend* backend);

  // ---- The twelve callbacks
  static int SetUp(void* user);
  static int MakeTexture(void* user, int type, int w, int h, int imageFlags, const unsigned char* data);
  static int FreeTexture(void* user, int image);
  static int WriteTexture(void* user, int image, int x, int y, int w, int h, const unsigned char* data);
  static int QueryTextureSize(void* user, int image, int* w, int* h);
  static void SetViewSize(void* user, float width, float height, float devicePixelRatio);
  static void DiscardFrame(void* user);
  static void SubmitFrame(void* user);
  static void QueueFill(void* user, const CanvasPaint* paint, CanvasComposite composite, const CanvasClip* scissor,
                        float fringe, const float* bounds, const CanvasFlatPath* paths, int npaths);
  static void QueueStroke(void* user, const CanvasPaint* paint, CanvasComposite composite, const CanvasClip* scissor,
                          float fringe, float strokeWidth, const CanvasFlatPath* paths, int npaths);
  static void QueueTriangles(void* user, const CanvasPaint* paint, CanvasComposite composite, const CanvasClip* scissor,
                             const CanvasVertex* verts, int nverts, float fringe);
  static void TearDown(void* user);

  // ---- Internals
  CanvasGLTexture* FindTexture(int id);
  CanvasGLTexture* NewTextureSlot();
  bool BuildProgram(const char* name, const char* header, const char* opts, const char* vshader, const char* fshader,
                    bool paintTable);
  void DeleteProgram();
  void CheckError(const char* step);
  bool PaintToUniforms(CanvasGLFragUniforms* frag, const CanvasPaint* paint, const CanvasClip* scissor, float width,
                       float fringe, float strokeThr);
  CanvasGLFragUniforms* UniformsAt(int offset) { return (CanvasGLFragUniforms*)&uniforms[offset]; }
  void BindUniforms(int uniformOffset, int image);
  // The GL texture of an image, the dummy's for a missing one; 0 when there
  // is neither.
  cgl::Uint SampledTexture(int image);
  void BindTexture(cgl::Uint tex);
  void SetStencilMask(cgl::Uint mask);
  void SetStencilFunc(cgl::Enum func, int ref, cgl::Uint mask);
  void SetBlend(const CanvasGLBlend& blend);
  void DrawConcaveFill(const CanvasGLCall& call);
  void DrawStrokeStrips(const CanvasGLCall& call);
  void DrawBatch(const CanvasGLBatch& batch);
  void DrawClear(const CanvasGLCall& call);
  // Groups the calls into batches with their indices and paint slots; false
  // without memory.
  bool BuildBatches();
  static cgl::Enum ToGLBlendFactor(int factor);
  static CanvasGLBlend BlendForComposite(CanvasComposite composite);
  // Fringe vertices of the paths, and their fill vertices when asked for.
  static int CountPathVertices(const CanvasFlatPath* paths, int npaths, bool withFill);
  CanvasGLCall* NewCall();
  // Queues a clear for an opaque fill of the whole view; false for any
  // other fill.
  bool QueueClearInstead(const CanvasPaint* paint, CanvasComposite composite, const CanvasClip* scissor,
                         const float* bounds, const CanvasFlatPath* paths, int npaths);
  int ReservePaths(int n);
  int ReserveVertices(int n);
  int ReserveUniforms(int n);
  void EmptyQueues();
};

// A renderer over the GL back end for the GL context current on this thread;
// null when an entry point is missing, the shaders fail or memory runs out.
CanvasContext* CreateCanvasGL(const CanvasGLApi& gl, int flags);
CanvasContext* CreateCanvasGLForCurrentContext(int flags);

// The GL back end of a renderer made by CreateCanvasGL, else null.
CanvasGLBackend* CanvasGLBackendOf(CanvasContext* canvas);

} // namespace ifx::canvas
