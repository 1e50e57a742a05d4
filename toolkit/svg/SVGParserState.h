#pragma once
// The SVG parser's own state and the helpers its files share. Private to the
// parser (SVGDocumentScan, SVGValues, SVGTransforms, SVGAttributes, SVGPaths,
// SVGPathData, SVGShapes, SVGGradients, SVGViewport).
#include <cstdint>
#include <cstring>

#include "toolkit/svg/SVGImage.h"

namespace ifx {
namespace igfx {
namespace svg {

constexpr int kMaxAttributeDepth = 128;
constexpr int kMaxElementAttributes = 127;
constexpr float kPi = 3.1415927f;
// Point buffers and stop lists never grow beyond this many entries, which
// keeps every byte count inside 32 bits.
constexpr int kMaxPathPoints = 1 << 28;
constexpr int kMaxGradientStops = 1 << 20;

enum EParsedPaint : uint8_t
{
  kPaintNone = 0,
  kPaintColor = 1,
  kPaintGradient = 2
};

enum EUnits : uint8_t
{
  kUnitUser,
  kUnitPx,
  kUnitPt,
  kUnitPc,
  kUnitMm,
  kUnitCm,
  kUnitIn,
  kUnitPercent,
  kUnitEm,
  kUnitEx
};

struct SVGLength
{
  float value = 0.f;
  uint8_t units = kUnitUser;
};

// One attribute of an element, both pointing into the document text.
struct SVGAttr
{
  const char* name;
  const char* value;
};

// The inherited presentation state; a new element starts from its parent's.
struct SVGAttributes
{
  char id[64] = {};
  float xform[6] = {1, 0, 0, 1, 0, 0};
  uint32_t fillColor = 0;
  uint32_t strokeColor = 0;
  float opacity = 1.f;
  float fillOpacity = 1.f;
  float strokeOpacity = 1.f;
  char fillGradient[64] = {};
  char strokeGradient[64] = {};
  float strokeWidth = 1.f;
  float strokeDashOffset = 0.f;
  float strokeDashArray[8] = {};
  uint8_t strokeDashCount = 0;
  uint8_t strokeLineJoin = 0;
  uint8_t strokeLineCap = 0;
  float miterLimit = 4.f;
  uint8_t fillRule = 0;
  float fontSize = 0.f;
  uint32_t stopColor = 0;
  float stopOpacity = 1.f;
  float stopOffset = 0.f;
  uint8_t fillKind = kPaintColor;
  uint8_t strokeKind = kPaintNone;
  uint8_t visible = 1;
};

// A gradient as defined in the document; coordinates keep their units until
// a shape resolves them against its reference box.
struct SVGGradientDef
{
  SVGGradientDef() = default;
  ~SVGGradientDef() { delete[] stops; }
  SVGGradientDef(const SVGGradientDef&) = delete;
  SVGGradientDef& operator=(const SVGGradientDef&) = delete;

  char id[64] = {};
  char ref[64] = {};
  uint8_t kind = kSVGPaintLinear;
  bool userSpace = false;
  uint8_t spread = kSVGSpreadPad;
  float xform[6] = {1, 0, 0, 1, 0, 0};
  SVGLength x1{0.f, kUnitPercent}, y1{0.f, kUnitPercent}, x2{100.f, kUnitPercent}, y2{0.f, kUnitPercent};
  SVGLength cx{50.f, kUnitPercent}, cy{50.f, kUnitPercent}, r{50.f, kUnitPercent}, fx, fy;
  SVGGradientStop* stops = nullptr;
  int nstops = 0;
  int capacity = 0;
  SVGGradientDef* next = nullptr;
};

struct SVGParser
{
  SVGParser() = default;
  ~SVGParser();
  SVGParser(const SVGParser&) = delete;
  SVGParser& operator=(const SVGParser&) = delete;

  SVGAttributes& Top() { return attrs[top]; }
  const SVGAttributes& Top() const { return attrs[top]; }

  SVGAttributes attrs[kMaxAttributeDepth];
  int top = 0;
  // Pushes refused at the full stack; the pops that match them come first.
  int refusedPushes = 0;

  // Outline being built, untransformed: x, y pairs.
  float* pts = nullptr;
  int npts = 0;
  int cpts = 0;
  SVGPath* paths = nullptr; // finished sub-paths of the current element, newest first

  SVGImage* image = nullptr;
  SVGShape* lastShape = nullptr;
  SVGGradientDef* gradients = nullptr;    // newest first
  SVGGradientDef* openGradient = nullptr; // the gradient element whose stops are being read

  float viewMinX = 0.f, viewMinY = 0.f, viewWidth = 0.f, viewHeight = 0.f;
  uint8_t alignX = 0, alignY = 0, alignType = 0; // 0 min, 1 mid, 2 max; type 0 none, 1 meet, 2 slice
  float dpi = 0.f;                               // finite
  int defsDepth = 0;
};

enum EAlignType : uint8_t
{
  kAlignNone = 0,
  kAlignMeet = 1,
  kAlignSlice = 2
};

// -- Values (SVGValues.cpp) -----------------------------------------------------
inline bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }
bool IsSpace(char c);
bool IsNumberStart(char c);
const char* SkipSpaces(const char* s);
// Reads one number token at s (which must be a number start or give 0) and
// returns the text after it. Always finite.
const char* ScanNumber(const char* s, float& value);
// Leading blanks skipped; 0 when there is no number.
float ParseNumber(const char* s);
SVGLength ParseLength(const char* s);
uint8_t ParseUnits(const char* s);
// A length in user units; always finite.
float ToPixels(const SVGParser& p, SVGLength length, float origin, float reference);
uint32_t ParseColor(const char* s);
void CopyText(char* dst, int capacity, const char* src);

// -- Transforms (SVGTransforms.cpp): [a b c d e f], x' = a x + c y + e --------
void XformIdentity(float t[6]);
// t := t, then s.
void XformApplyAfter(float t[6], const float s[6]);
// t := s, then t.
void XformApplyBefore(float t[6], const float s[6]);
// False, with out untouched, when t is singular.
bool XformInverse(float out[6], const float t[6]);
void XformPoint(float& x, float& y, const float t[6]);
float XformAverageScale(const float t[6]);
void ParseTransformList(float out[6], const char* s);

// -- Attributes (SVGAttributes.cpp) ----------------------------------------------
void PushAttributes(SVGParser& p);
void PopAttributes(SVGParser& p);
float ViewDiagonal(const SVGParser& p);
// Applies one presentation attribute to the top entry; false when the name is none.
bool ApplyPresentationAttribute(SVGParser& p, const char* name, const char* value);

// -- Paths (SVGPaths.cpp) --------------------------------------------------------
// Capacity to hold needed entries when doubling from capacity (8 at first);
// 0 when needed is negative or above limit.
int GrowCapacity(int capacity, int needed, int limit);
bool AllFinite(const float* v, int n);
// The point part of the way from from to to: computed, as float arithmetic
// gave it, unless that overflowed (ends near opposite float limits); then
// the same point in double precision, which fits as it lies between the ends.
float PartWay(float computed, float from, float to, double part);
// Points and segments beyond float range are dropped (a move that cannot be
// made drops the segments after it too), as is a sub-path that its
// transform takes beyond float range.
void MoveTo(SVGParser& p, float x, float y);
void LineTo(SVGParser& p, float x, float y);
void CubicTo(SVGParser& p, float c1x, float c1y, float c2x, float c2y, float x, float y);
void FinishSubPath(SVGParser& p, bool closed);
// Tight bounds of the cubic segments of pts, each point first mapped by t when given.
void PathBounds(const float* pts, int npts, const float* t, float bounds[4]);
// b := the union of b and o (min x, min y, max x, max y).
void UnionBounds(float b[4], const float o[4]);
void DeletePaths(SVGPath* path);

// -- Path data (SVGPathData.cpp) -------------------------------------------------
void ParsePathData(SVGParser& p, const char* d);

// -- Shapes (SVGShapes.cpp) ------------------------------------------------------
// False when name is no shape element.
bool ParseShapeElement(SVGParser& p, const char* name, const SVGAttr* attrs, int nattrs);

// -- Gradients (SVGGradients.cpp) ------------------------------------------------
void ParseGradientElement(SVGParser& p, uint8_t kind, const SVGAttr* attrs, int nattrs);
void ParseStopElement(SVGParser& p, const SVGAttr* attrs, int nattrs);
// Resolves the gradient named id for shape; false when there is none to paint with.
bool ResolveGradient(SVGParser& p, const SVGShape& shape, const char* id, SVGPaint& paint);
void DeleteGradientDefs(SVGGradientDef* def);

// -- Viewport (SVGViewport.cpp) --------------------------------------------------
void ParseRootAttributes(SVGParser& p, const SVGAttr* attrs, int nattrs);
// Maps the view box onto the image size and everything into units.
void ScaleToViewport(SVGParser& p, const char* units);

} // namespace svg
} // namespace igfx
} // namespace ifx
