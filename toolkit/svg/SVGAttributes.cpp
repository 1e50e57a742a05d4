// The attribute stack and the presentation attributes, given directly or as
// "style" declarations.
#include <cmath>
#include <cstddef>
#include <cstring>

#include "toolkit/svg/SVGParserState.h"

namespace ifx {
namespace igfx {
namespace svg {

namespace {
// Declaration names and values are cut to this many characters.
constexpr int kMaxDeclarationLength = 511;

float Clamp01(float v) { return v < 0.f ? 0.f : (v > 1.f ? 1.f : v); }

void ParsePaint(const char* v, uint8_t& kind, uint32_t& color, char* gradientId)
{
  if (Is(v, "none"))
  {
    kind = kPaintNone;
  }
  else if (std::strncmp(v, "url(", 4) == 0)
  {
    kind = kPaintGradient;
    const char* s = v + 4;
    if (*s == '#')
      ++s;
    // At most 62 characters of the id are kept.
    int n = 0;
    for (; n < 62 && s[n] && s[n] != ')'; ++n)
      gradientId[n] = s[n];
    gradientId[n] = '\0';
  }
  else
  {
    kind = kPaintColor;
    color = ParseColor(v);
  }
}

void ParseDashArray(SVGParser& p, const char* s)
{
  SVGAttributes& a = p.Top();
  if (*s == 'n')
  {
    a.strokeDashCount = 0;
    return;
  }
  float dashes[8] = {};
  int count = 0;
  double sum = 0.0;
  while (count < 8)
  {
    while (IsSpace(*s) || *s == ',')
      ++s;
    if (!*s)
      break;
    dashes[count] = std::fabs(ToPixels(p, ParseLength(s), 0.f, ViewDiagonal(p)));
    sum += dashes[count++];
    while (*s && !IsSpace(*s) && *s != ',')
      ++s;
  }
  // An all-zero pattern would draw nothing: solid instead.
  if (sum <= 1e-6)
    count = 0;
  std::memcpy(a.strokeDashArray, dashes, sizeof(dashes));
  a.strokeDashCount = static_cast<uint8_t>(count);
}

// Index of v among the names; unknown values give the first.
template <size_t N>
uint8_t Keyword(const char* v, const char* const (&names)[N])
{
  for (size_t i = 0; i < N; ++i)
    if (Is(v, names[i]))
      return static_cast<uint8_t>(i);
  return 0;
}

// Copies [begin, end) without surrounding white space, cut to the limit.
void TrimmedCopy(char* dst, const char* begin, const char* end)
{
  while (begin < end && IsSpace(*begin))
    ++begin;
  while (end > begin && IsSpace(end[-1]))
    --end;
  int n = 0;
  for (; begin < end && n < kMaxDeclarationLength; ++begin)
    dst[n++] = *begin;
  dst[n] = '\0';
}

void ApplyStyle(SVGParser& p, const char* s)
{
  while (*s)
  {
    const char* end = s;
    while (*end && *end != ';')
      ++end;
    const char* colon = s;
    while (colon < end && *colon != ':')
      ++colon;
    if (colon < end)
    {
      char name[kMaxDeclarationLength + 1], value[kMaxDeclarationLength + 1];
      TrimmedCopy(name, s, colon);
      TrimmedCopy(value, colon + 1, end);
      if (name[0])
        ApplyPresentationAttribute(p, name, value);
    }
    s = *end ? end + 1 : end;
  }
}
} // namespace

void PushAttributes(SVGParser& p)
{
  if (p.top < kMaxAttributeDepth - 1)
  {
    p.attrs[p.top + 1] = p.attrs[p.top];
    ++p.top;
  }
  else if (p.refusedPushes < 0x7FFFFFFF)
  {
    ++p.refusedPushes;
  }
}

void PopAttributes(SVGParser& p)
{
  if (p.refusedPushes > 0)
    --p.refusedPushes;
  else if (p.top > 0)
    --p.top;
}

float ViewDiagonal(const SVGParser& p)
{
  return std::sqrt(p.viewWidth * p.viewWidth + p.viewHeight * p.viewHeight) / 1.4142135f;
}

bool ApplyPresentationAttribute(SVGParser& p, const char* name, const char* value)
{
  SVGAttributes& a = p.Top();
  if (Is(name, "style"))
    ApplyStyle(p, value);
  else if (Is(name, "display"))
  {
    if (Is(value, "none"))
      a.visible = 0;
  }
  else if (Is(name, "fill"))
    ParsePaint(value, a.fillKind, a.fillColor, a.fillGradient);
  else if (Is(name, "stroke"))
    ParsePaint(value, a.strokeKind, a.strokeColor, a.strokeGradient);
  else if (Is(name, "opacity"))
    a.opacity = Clamp01(ParseNumber(value));
  else if (Is(name, "fill-opacity"))
    a.fillOpacity = Clamp01(ParseNumber(value));
  else if (Is(name, "stroke-opacity"))
    a.strokeOpacity = Clamp01(ParseNumber(value));
  else if (Is(name, "stop-opacity"))
    a.stopOpacity = Clamp01(ParseNumber(value));
  else if (Is(name, "stroke-width"))
    a.strokeWidth = ToPixels(p, ParseLength(value), 0.f, ViewDiagonal(p));
  else if (Is(name, "stroke-dashoffset"))
    a.strokeDashOffset = ToPixels(p, ParseLength(value), 0.f, ViewDiagonal(p));
  else if (Is(name, "font-size"))
    a.fontSize = ToPixels(p, ParseLength(value), 0.f, ViewDiagonal(p));
  else if (Is(name, "stroke-dasharray"))
    ParseDashArray(p, value);
  else if (Is(name, "stroke-linecap"))
    a.strokeLineCap = Keyword(value, {"butt", "round", "square"});
  else if (Is(name, "stroke-linejoin"))
    a.strokeLineJoin = Keyword(value, {"miter", "round", "bevel"});
  else if (Is(name, "stroke-miterlimit"))
    a.miterLimit = std::fmax(ParseNumber(value), 0.f);
  else if (Is(name, "fill-rule"))
    a.fillRule = Keyword(value, {"nonzero", "evenodd"});
  else if (Is(name, "transform"))
  {
    // The element's own transform acts first, then the inherited one.
    float t[6];
    ParseTransformList(t, value);
    XformApplyBefore(a.xform, t);
  }
  else if (Is(name, "stop-color"))
    a.stopColor = ParseColor(value);
  else if (Is(name, "offset"))
    a.stopOffset = ToPixels(p, ParseLength(value), 0.f, 1.f);
  else if (Is(name, "id"))
    CopyText(a.id, sizeof(a.id), value);
  else
    return false;
  return true;
}

} // namespace svg
} // namespace igfx
} // namespace ifx
