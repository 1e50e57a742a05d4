// SVG text from anywhere: any bytes, any length, in every result unit. The
// parsed document must hold together: whole cubic segments, sorted stops,
// fields within their ranges, and every number of it finite.
#include "toolkit/svg/SVGImage.h"
#include "toolkit/svg/SVGParser.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using namespace ifx::igfx;

void Check(bool ok)
{
  if (!ok)
    __builtin_trap();
}

void CheckFinite(const float* v, int n)
{
  for (int i = 0; i < n; ++i)
    Check(std::isfinite(v[i]));
}

void CheckPaint(const SVGPaint& paint)
{
  Check(paint.type <= kSVGPaintRadial);
  if (paint.type != kSVGPaintLinear && paint.type != kSVGPaintRadial)
    return;
  const SVGGradient* g = paint.gradient;
  Check(g && g->stops && g->nstops > 0 && g->spread <= kSVGSpreadRepeat);
  Check(std::isfinite(g->fx) && std::isfinite(g->fy));
  CheckFinite(g->xform, 6);
  for (int i = 0; i < g->nstops; ++i)
  {
    Check(std::isfinite(g->stops[i].offset));
    Check(i == 0 || g->stops[i - 1].offset <= g->stops[i].offset);
  }
}

void CheckImage(const SVGImage& image)
{
  Check(std::isfinite(image.width) && std::isfinite(image.height));
  for (const SVGShape* s = image.shapes; s; s = s->next)
  {
    Check(std::memchr(s->id, 0, sizeof(s->id)) != nullptr);
    Check(s->paths != nullptr);
    for (const SVGPath* p = s->paths; p; p = p->next)
    {
      Check(p->pts && p->npts >= 4 && (p->npts - 1) % 3 == 0 && p->closed <= 1);
      CheckFinite(p->pts, p->npts * 2);
      CheckFinite(p->bounds, 4);
    }
    CheckFinite(s->bounds, 4);
    Check(std::isfinite(s->strokeWidth) && std::isfinite(s->strokeDashOffset) && std::isfinite(s->miterLimit));
    CheckFinite(s->strokeDashArray, 8);
    CheckPaint(s->fill);
    CheckPaint(s->stroke);
    Check(s->opacity >= 0.f && s->opacity <= 1.f);
    Check(s->strokeDashCount <= 8 && s->strokeLineJoin <= 2 && s->strokeLineCap <= 2);
    Check(s->fillRule <= 1 && s->visible <= 1 && s->miterLimit >= 0.f);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  static constexpr const char* kUnits[] = {"px", "pt", "pc", "mm", "cm", "in", "%", "em", "ex", "bogus"};
  static constexpr float kDpi[] = {96.f, 72.f, 0.f, -1.f, NAN, 1e-30f};
  // A private zero-terminated copy of exactly the input, which the parser may write into.
  std::vector<char> text(data, data + size);
  text.push_back('\0');
  const char* units = kUnits[size % 10];
  const float dpi = kDpi[(size / 10) % 6];
  SVGImage* image = ParseSVG(text.data(), units, dpi);
  Check(image != nullptr);
  CheckImage(*image);
  DeleteSVGImage(image);
  return 0;
}
