// Attribute values of SVG text: numbers, lengths with units, colours. The
// text is untrusted: every number comes out finite and every integer bounded.
#include <cfloat>
#include <cmath>
#include <cstring>

#include "toolkit/svg/SVGParserState.h"

namespace ifx {
namespace igfx {
namespace svg {

namespace {
// A token's value counts only its first 63 characters.
constexpr int kMaxTokenLength = 63;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Finite whatever the input: overflow saturates, NaN (0 times infinity) is 0.
float ClampToFloat(double v)
{
  if (std::isnan(v))
    return 0.f;
  if (v > FLT_MAX)
    return FLT_MAX;
  if (v < -FLT_MAX)
    return -FLT_MAX;
  return static_cast<float>(v);
}

// [sign] digits [. digits] [e [sign] digits]; an "e" before "m" or "x" starts
// a unit (em, ex) instead.
const char* NumberTokenEnd(const char* s)
{
  if (*s == '+' || *s == '-')
    ++s;
  while (IsDigit(*s))
    ++s;
  if (*s == '.')
  {
    ++s;
    while (IsDigit(*s))
      ++s;
  }
  if ((*s == 'e' || *s == 'E') && s[1] != 'm' && s[1] != 'x')
  {
    ++s;
    if (*s == '+' || *s == '-')
      ++s;
    while (IsDigit(*s))
      ++s;
  }
  return s;
}

double EvaluateNumber(const char* s, const char* end)
{
  double sign = 1.0;
  if (s < end && (*s == '+' || *s == '-'))
    sign = *s++ == '-' ? -1.0 : 1.0;
  bool digits = false;
  double integer = 0.0;
  for (; s < end && IsDigit(*s); ++s, digits = true)
    integer = integer * 10.0 + (*s - '0');
  double fraction = 0.0, divisor = 1.0;
  if (s < end && *s == '.')
    for (++s; s < end && IsDigit(*s); ++s, digits = true)
    {
      fraction = fraction * 10.0 + (*s - '0');
      divisor *= 10.0;
    }
  if (!digits)
    return 0.0;
  int exponent = 0;
  if (s < end && (*s == 'e' || *s == 'E'))
  {
    ++s;
    int expSign = 1;
    if (s < end && (*s == '+' || *s == '-'))
      expSign = *s++ == '-' ? -1 : 1;
    // Far beyond any float; only keeps the count from overflowing.
    for (; s < end && IsDigit(*s); ++s)
      if (exponent < 10000)
        exponent = exponent * 10 + (*s - '0');
    exponent *= expSign;
  }
  const double mantissa = integer + fraction / divisor;
  // 0 times an infinite power of ten would be NaN.
  if (mantissa == 0.0)
    return 0.0;
  return sign * mantissa * std::pow(10.0, exponent);
}

// An integer as "%d" reads it (leading white space, sign, digits), saturating
// long before it could overflow.
const char* ReadInteger(const char* s, int& value, bool& ok)
{
  s = SkipSpaces(s);
  const char* start = s;
  int sign = 1;
  if (*s == '+' || *s == '-')
    sign = *s++ == '-' ? -1 : 1;
  ok = IsDigit(*s);
  if (!ok)
    return start;
  int magnitude = 0;
  for (; IsDigit(*s); ++s)
    if (magnitude < 100000)
      magnitude = magnitude * 10 + (*s - '0');
  value = sign * magnitude;
  return s;
}

// "rgb(" r sep g sep b, each separator a run of "%", ",", " ", "\t".
uint32_t ParseRgbColor(const char* s)
{
  int c[3] = {-1, -1, -1};
  bool percent = false;
  for (int i = 0; i < 3; ++i)
  {
    if (i > 0)
    {
      const char* sep = s;
      bool hasPercent = false;
      for (; *s == '%' || *s == ',' || *s == ' ' || *s == '\t'; ++s)
        hasPercent |= *s == '%';
      if (s == sep)
        break;
      if (i == 1)
        percent = hasPercent;
    }
    bool ok = false;
    s = ReadInteger(s, c[i], ok);
    if (!ok)
      break;
  }
  uint32_t color = 0;
  for (int i = 0; i < 3; ++i)
  {
    int v = percent ? c[i] * 255 / 100 : c[i];
    // Missing or out-of-range components are clamped into their byte.
    v = v < 0 ? 0 : (v > 255 ? 255 : v);
    color |= static_cast<uint32_t>(v) << (8 * i);
  }
  return color;
}

int HexValue(char c)
{
  if (IsDigit(c))
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

uint32_t ParseHexColor(const char* s)
{
  int n = 0;
  while (n < 7 && HexValue(s[n]) >= 0)
    ++n;
  uint32_t r = 0, g = 0, b = 0;
  if (n == 6)
  {
    r = static_cast<uint32_t>(HexValue(s[0]) * 16 + HexValue(s[1]));
    g = static_cast<uint32_t>(HexValue(s[2]) * 16 + HexValue(s[3]));
    b = static_cast<uint32_t>(HexValue(s[4]) * 16 + HexValue(s[5]));
  }
  else if (n == 3)
  {
    r = static_cast<uint32_t>(HexValue(s[0]) * 17);
    g = static_cast<uint32_t>(HexValue(s[1]) * 17);
    b = static_cast<uint32_t>(HexValue(s[2]) * 17);
  }
  return r | (g << 8) | (b << 16);
}

struct NamedColor
{
  const char* name;
  uint32_t color;
};

// Red in the low byte.
constexpr NamedColor kNamedColors[] = {
  {"red", 0x0000FF},     {"green", 0x008000}, {"blue", 0xFF0000}, {"yellow", 0x00FFFF}, {"cyan", 0xFFFF00},
  {"magenta", 0xFF00FF}, {"black", 0x000000}, {"grey", 0x808080}, {"gray", 0x808080},   {"white", 0xFFFFFF},
};
constexpr uint32_t kUnknownColor = 0x808080;
} // namespace

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsNumberStart(char c) { return IsDigit(c) || c == '-' || c == '+' || c == '.'; }

const char* SkipSpaces(const char* s)
{
  while (IsSpace(*s))
    ++s;
  return s;
}

const char* ScanNumber(const char* s, float& value)
{
  const char* end = NumberTokenEnd(s);
  const char* counted = end - s > kMaxTokenLength ? s + kMaxTokenLength : end;
  value = ClampToFloat(EvaluateNumber(s, counted));
  return end;
}

float ParseNumber(const char* s)
{
  float v = 0.f;
  ScanNumber(SkipSpaces(s), v);
  return v;
}

uint8_t ParseUnits(const char* s)
{
  struct Unit
  {
    char a, b;
    uint8_t units;
  };
  static constexpr Unit kUnits[] = {{'p', 'x', kUnitPx}, {'p', 't', kUnitPt}, {'p', 'c', kUnitPc}, {'m', 'm', kUnitMm},
                                    {'c', 'm', kUnitCm}, {'i', 'n', kUnitIn}, {'e', 'm', kUnitEm}, {'e', 'x', kUnitEx}};
  if (s[0] == '%')
    return kUnitPercent;
  for (const Unit& u : kUnits)
    if (s[0] == u.a && s[1] == u.b)
      return u.units;
  return kUnitUser;
}

SVGLength ParseLength(const char* s)
{
  SVGLength length;
  const char* end = ScanNumber(SkipSpaces(s), length.value);
  length.units = ParseUnits(end);
  return length;
}

float ToPixels(const SVGParser& p, SVGLength length, float origin, float reference)
{
  const double v = length.value;
  const double dpi = p.dpi, fontSize = p.Top().fontSize;
  switch (length.units)
  {
    case kUnitPt: return ClampToFloat(v / 72.0 * dpi);
    case kUnitPc: return ClampToFloat(v / 6.0 * dpi);
    case kUnitMm: return ClampToFloat(v / 25.4 * dpi);
    case kUnitCm: return ClampToFloat(v / 2.54 * dpi);
    case kUnitIn: return ClampToFloat(v * dpi);
    case kUnitEm: return ClampToFloat(v * fontSize);
    case kUnitEx: return ClampToFloat(v * fontSize * 0.52);
    case kUnitPercent: return ClampToFloat(origin + v / 100.0 * reference);
    default: return length.value;
  }
}

uint32_t ParseColor(const char* s)
{
  s = SkipSpaces(s);
  if (*s == '#')
    return ParseHexColor(s + 1);
  if (std::strncmp(s, "rgb(", 4) == 0)
    return ParseRgbColor(s + 4);
  for (const NamedColor& c : kNamedColors)
    if (std::strcmp(s, c.name) == 0)
      return c.color;
  return kUnknownColor;
}

void CopyText(char* dst, int capacity, const char* src)
{
  int n = 0;
  for (; n < capacity - 1 && src[n]; ++n)
    dst[n] = src[n];
  dst[n] = '\0';
}

} // namespace svg
} // namespace igfx
} // namespace ifx
