#pragma once
// The vector renderer: records path commands (stored in device space), turns
// them into anti-aliased triangle meshes and queues them with the current
// paint, composite and scissor in a render back end. Plain data, UI thread
// only, used between StartFrame and FinishFrame.

#include "renderer/CanvasTypes.h"

namespace ifx::canvas {

struct GlyphStore; // the glyph atlas behind text drawing

// One row of broken text: its bytes [start, end), where the next row starts,
// and its width and horizontal extent from its start, in user units.
struct CanvasTextRow
{
  const char* start;
  const char* end;
  const char* next;
  float width;
  float minx, maxx;
};

// The scale text is rasterised at under a transform: its average axis scale
// rounded to 0.01, at most 4.
float CanvasTextScaleOf(const float* xform);

struct CanvasState
{
  CanvasComposite composite;
  int shapeAntiAlias;
  CanvasPaint fill;
  CanvasPaint stroke;
  float strokeWidth;
  float miterLimit;
  int lineJoin;
  int lineCap;
  float alpha;
  float xform[6];
  CanvasClip scissor;
  float fontSize;
  float letterSpacing;
  float lineHeight;
  float fontBlur;
  int textAlign;
  int fontId;
};

struct CanvasFlatCache
{
  CanvasFlatPoint* points;
  int npoints;
  int cpoints;
  CanvasFlatPath* paths;
  int npaths;
  int cpaths;
  CanvasVertex* verts;
  int nverts;
  int cverts;
  float bounds[4];
};

struct CanvasContext
{
  static constexpr int kMaxStates = 32;
  static constexpr int kMaxFontImages = 4;

  CanvasBackend backend;
  float* commands;
  int ncommands;
  int ccommands;
  float lastX, lastY; // last point of a move, line or bezier, before the transform
  CanvasState states[kMaxStates];
  int nstates;
  CanvasFlatCache* cache;
  float tessTol;
  float distTol;
  float fringeWidth;
  float devicePxRatio;
  GlyphStore* glyphs;
  int fontImages[kMaxFontImages];
  int fontImageIdx;
  int drawCallCount;
  int fillTriCount;
  int strokeTriCount;
  int textTriCount;

  // ---- Lifetime and frames
  static CanvasContext* Create(const CanvasBackend& backend);
  static void Destroy(CanvasContext* ctx);
  void StartFrame(float width, float height, float devicePixelRatio);
  void FinishFrame();

  // ---- State
  void PushState();
  void PopState()
  {
    if (nstates > 1)
      nstates--;
  }
  void ResetState();
  CanvasState& State() { return states[nstates - 1]; }

  void SetCompositeOperation(int op);
  void SetCompositeBlend(int srcFactor, int dstFactor);
  void SetShapeAntiAlias(int enabled) { State().shapeAntiAlias = enabled; }
  void SetStrokeWidth(float width) { State().strokeWidth = width; }
  void SetMiterLimit(float limit) { State().miterLimit = limit; }
  void SetLineCap(int cap) { State().lineCap = cap; }
  void SetLineJoin(int join) { State().lineJoin = join; }
  void SetGlobalAlpha(float alpha) { State().alpha = alpha; }
  void SetFillColor(CanvasColor color);
  void SetFillPaint(const CanvasPaint& paint);
  void SetStrokeColor(CanvasColor color);
  void SetStrokePaint(const CanvasPaint& paint);
  void SetFontSize(float size) { State().fontSize = size; }
  void SetFontBlur(float blur) { State().fontBlur = blur; }
  void SetTextAlign(int align) { State().textAlign = align; }
  void SetFontId(int font) { State().fontId = font; }

  // Each operation applies before the transform already set.
  void ResetTransform();
  void Translate(float x, float y);
  void Scale(float x, float y);
  void Rotate(float angle);
  void MultiplyTransform(float a, float b, float c, float d, float e, float f);

  // Replaces the scissor; negative sizes clip everything.
  void SetClipRect(float x, float y, float w, float h);

  // ---- Images (integer ids, 0 none, never reused)
  int LoadImageFile(const char* path);
  int LoadImageBytes(const unsigned char* bytes, int size);

  // ---- Paths
  void BeginPath();
  void AppendPathOps(const float* values, int count);
  void MoveTo(float x, float y);
  void LineTo(float x, float y);
  void BezierTo(float c1x, float c1y, float c2x, float c2y, float x, float y);
  void ClosePath();
  void SetPathWinding(int direction);
  void AddRectangle(float x, float y, float w, float h);
  void AddArc(float cx, float cy, float r, float a0, float a1, int direction);

  void FillPath();
  void StrokePath();

  // ---- Text through the glyph store (positions in user units; the font is
  // the state's font id, -1 none; end may be null for the whole string)
  float DrawString(float x, float y, const char* text, const char* end);
  // The advance; bounds (min x, min y, max x, max y) cover the glyphs across
  // and the line's extent down. Zero bounds without a font.
  float MeasureString(float x, float y, const char* text, const char* end, float* bounds);
  // At most maxRows rows no wider than breakRowWidth (a row takes at least
  // one character); continue from the last row's next.
  int BreakTextLines(const char* text, const char* end, float breakRowWidth, CanvasTextRow* rows, int maxRows);
  // The font's line height at the state's size; untouched without a font.
  void GetLineHeight(float* lineh);
  bool GrowGlyphTexture();
  void SubmitGlyphQuads(const CanvasVertex* verts, int nverts);

  // ---- Tessellation (the flat cache of the current path)
  void BuildFlatPaths();
  void PushFlatPoint(float x, float y, int flags);
  void SubdivideCurve(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4, int level,
                      int flags);
  void ComputeCornerNormals(float w, int lineJoin, float miterLimit);
  bool BuildStrokeMesh(float w, float fringe, int lineCap, int lineJoin, float miterLimit);
  // With outsideFringe the fill keeps its true outline and the whole fringe
  // lies outside it (fills thinner than the fringe).
  bool BuildFillMesh(float w, int lineJoin, float miterLimit, bool outsideFringe = false);
  // The alpha factor that makes a fill thinner than the fringe w, drawn with
  // its fringe outside, cover its area; 1 for any other fill, 0 for a fill
  // without area.
  float ThinFillCoverage(float w) const;

private:
  void SetDevicePixelRatio(float ratio);
  // Puts the state's text settings in device pixels into the glyph store;
  // returns the factor from user units, 0 when there is nothing to draw with.
  float SetGlyphState();
  void UploadGlyphTexture();
  CanvasFlatPath* NewFlatPath();
  CanvasVertex* ReserveVertices(int count);
};

} // namespace ifx::canvas
