#pragma once
// A parsed SVG document: shapes whose outlines are cubic Bézier segments,
// with their paints and stroke settings.
#include <cstdint>

namespace ifx {
namespace igfx {

enum ESVGPaintKind : uint8_t
{
  kSVGPaintNone = 0,
  kSVGPaintColor = 1,
  kSVGPaintLinear = 2,
  kSVGPaintRadial = 3
};
enum ESVGSpread : uint8_t
{
  kSVGSpreadPad = 0,
  kSVGSpreadReflect = 1,
  kSVGSpreadRepeat = 2
};

struct SVGGradientStop
{
  uint32_t color = 0;
  float offset = 0.f;
};

struct SVGGradient
{
  float xform[6] = {1, 0, 0, 1, 0, 0};
  uint8_t spread = kSVGSpreadPad;
  float fx = 0.f;
  float fy = 0.f;
  int32_t nstops = 0;
  SVGGradientStop* stops = nullptr;
};

// Colours: red in bits 0-7, green 8-15, blue 16-23, alpha 24-31.
struct SVGPaint
{
  uint8_t type = kSVGPaintNone;
  uint32_t color = 0;
  SVGGradient* gradient = nullptr;
};

struct SVGPath
{
  float* pts = nullptr;
  int32_t npts = 0;
  uint8_t closed = 0;
  float bounds[4] = {};
  SVGPath* next = nullptr;
};

struct SVGShape
{
  char id[64] = {};
  SVGPaint fill;
  SVGPaint stroke;
  float opacity = 1.f;
  float strokeWidth = 1.f;
  float strokeDashOffset = 0.f;
  float strokeDashArray[8] = {};
  uint8_t strokeDashCount = 0;
  uint8_t strokeLineJoin = 0;
  uint8_t strokeLineCap = 0;
  float miterLimit = 4.f;
  uint8_t fillRule = 0;
  uint8_t visible = 1;
  float bounds[4] = {};
  SVGPath* paths = nullptr;
  SVGShape* next = nullptr;
};

struct SVGImage
{
  float width = 0.f;
  float height = 0.f;
  SVGShape* shapes = nullptr;
};

// Frees an image with everything it holds; null is allowed. Records are
// allocated with new / new[].
void DeleteSVGImage(SVGImage* image);
// Frees one shape with its paths and gradients, not the shapes after it.
void DeleteSVGShape(SVGShape* shape);

} // namespace igfx
} // namespace ifx
