#pragma once

namespace ifx::canvas {
// Plain records shared by the vector renderer and its render back ends.
// Numbers of the enumerations are stored and passed as they stand.

enum ECanvasCommand
{
  kCanvasMoveTo = 0,
  kCanvasLineTo = 1,
  kCanvasBezierTo = 2,
  kCanvasClose = 3,
  kCanvasWinding = 4
};

// Solid shapes wind counter-clockwise, holes clockwise.
enum ECanvasWinding
{
  kCanvasCCW = 1,
  kCanvasCW = 2
};

// Caps and joins share one numbering.
enum ECanvasLineStyle
{
  kCanvasButt = 0,
  kCanvasRound = 1,
  kCanvasSquare = 2,
  kCanvasBevel = 3,
  kCanvasMiter = 4
};

enum ECanvasAlign
{
  kCanvasAlignLeft = 1,
  kCanvasAlignCenter = 2,
  kCanvasAlignRight = 4,
  kCanvasAlignTop = 8,
  kCanvasAlignMiddle = 16,
  kCanvasAlignBottom = 32,
  kCanvasAlignBaseline = 64
};

enum ECanvasImageFlags
{
  kCanvasImageMipmaps = 1,
  kCanvasImageRepeatX = 2,
  kCanvasImageRepeatY = 4,
  kCanvasImageFlipY = 8,
  kCanvasImagePremultiplied = 16,
  kCanvasImageNearest = 32
};

enum ECanvasTextureType
{
  kCanvasTextureAlpha = 1,
  kCanvasTextureRGBA = 2
};

enum ECanvasBlendFactor
{
  kCanvasZero = 1,
  kCanvasOne = 2,
  kCanvasSrcColor = 4,
  kCanvasOneMinusSrcColor = 8,
  kCanvasDstColor = 16,
  kCanvasOneMinusDstColor = 32,
  kCanvasSrcAlpha = 64,
  kCanvasOneMinusSrcAlpha = 128,
  kCanvasDstAlpha = 256,
  kCanvasOneMinusDstAlpha = 512,
  kCanvasSrcAlphaSaturate = 1024
};

enum ECanvasCompositeOp
{
  kCanvasSourceOver = 0,
  kCanvasSourceIn,
  kCanvasSourceOut,
  kCanvasAtop,
  kCanvasDestinationOver,
  kCanvasDestinationIn,
  kCanvasDestinationOut,
  kCanvasDestinationAtop,
  kCanvasLighter,
  kCanvasCopy,
  kCanvasXor
};

// Flags of a flattened point.
enum ECanvasPointFlags
{
  kCanvasPtCorner = 1,
  kCanvasPtLeft = 2,
  kCanvasPtBevel = 4,
  kCanvasPtInnerBevel = 8
};

struct CanvasColor
{
  float r, g, b, a;
};

// Colours are straight (not premultiplied), 0..1.
struct CanvasPaint
{
  float xform[6];
  float extent[2];
  float radius;
  float feather;
  CanvasColor innerColor;
  CanvasColor outerColor;
  int image;
};

// A half extent of -1, -1 means no scissor.
struct CanvasClip
{
  float xform[6];
  float extent[2];
};

struct CanvasComposite
{
  int srcRGB;
  int dstRGB;
  int srcAlpha;
  int dstAlpha;
};

struct CanvasVertex
{
  float x, y, u, v;
};

struct CanvasFlatPoint
{
  float x, y;
  float dx, dy;   // unit direction to the next point
  float len;      // distance to the next point
  float dmx, dmy; // average normal scaled for the join
  unsigned char flags;
};

struct CanvasFlatPath
{
  int first;
  int count;
  unsigned char closed;
  int nbevel;
  CanvasVertex* fill;
  int nfill;
  CanvasVertex* stroke;
  int nstroke;
  int winding;
  int convex;
};

// The callbacks a render back end supplies; the user pointer goes to each.
struct CanvasBackend
{
  void* user;
  int edgeAntiAlias;
  int (*setUp)(void* user);
  int (*makeTexture)(void* user, int type, int w, int h, int imageFlags, const unsigned char* data);
  int (*freeTexture)(void* user, int image);
  int (*writeTexture)(void* user, int image, int x, int y, int w, int h, const unsigned char* data);
  int (*queryTextureSize)(void* user, int image, int* w, int* h);
  void (*setViewSize)(void* user, float width, float height, float devicePixelRatio);
  void (*discardFrame)(void* user);
  void (*submitFrame)(void* user);
  void (*queueFill)(void* user, const CanvasPaint* paint, CanvasComposite composite, const CanvasClip* scissor,
                    float fringe, const float* bounds, const CanvasFlatPath* paths, int npaths);
  void (*queueStroke)(void* user, const CanvasPaint* paint, CanvasComposite composite, const CanvasClip* scissor,
                      float fringe, float strokeWidth, const CanvasFlatPath* paths, int npaths);
  void (*queueTriangles)(void* user, const CanvasPaint* paint, CanvasComposite composite, const CanvasClip* scissor,
                         const CanvasVertex* verts, int nverts, float fringe);
  void (*tearDown)(void* user);
};

} // namespace ifx::canvas
