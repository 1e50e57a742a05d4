// Affine matrices of the SVG parser and "transform" lists.
#include <cmath>
#include <cstring>

#include "toolkit/svg/SVGParserState.h"

namespace ifx {
namespace igfx {
namespace svg {

namespace {
void Multiply(float out[6], const float first[6], const float then[6])
{
  float r[6];
  r[0] = then[0] * first[0] + then[2] * first[1];
  r[1] = then[1] * first[0] + then[3] * first[1];
  r[2] = then[0] * first[2] + then[2] * first[3];
  r[3] = then[1] * first[2] + then[3] * first[3];
  r[4] = then[0] * first[4] + then[2] * first[5] + then[4];
  r[5] = then[1] * first[4] + then[3] * first[5] + then[5];
  std::memcpy(out, r, sizeof(r));
}

void Set(float t[6], float a, float b, float c, float d, float e, float f)
{
  t[0] = a;
  t[1] = b;
  t[2] = c;
  t[3] = d;
  t[4] = e;
  t[5] = f;
}

// Six numbers are kept; the count goes on over any further ones so that an
// item with too many numbers can be told apart.
constexpr int kMaxItemNumbers = 6;

// The numbers of one item, between "(" and ")"; s is just after its name.
const char* ParseItemNumbers(const char* s, float* numbers, int& count)
{
  count = 0;
  s = SkipSpaces(s);
  if (*s != '(')
    return s;
  ++s;
  while (*s && *s != ')')
  {
    if (!IsNumberStart(*s))
    {
      ++s;
      continue;
    }
    float v = 0.f;
    s = ScanNumber(s, v);
    if (count < kMaxItemNumbers)
      numbers[count] = v;
    if (count <= kMaxItemNumbers)
      ++count;
  }
  if (*s == ')')
    ++s;
  return s;
}

float Radians(float degrees) { return degrees / 180.f * kPi; }

// One item's matrix; false when the item contributes nothing.
bool ItemMatrix(const char* name, const float* n, int count, float t[6])
{
  if (std::strcmp(name, "matrix") == 0)
  {
    // Fewer (or more) than six numbers make no matrix.
    if (count != 6)
      return false;
    Set(t, n[0], n[1], n[2], n[3], n[4], n[5]);
    return true;
  }
  if (count < 1)
    return false;
  if (std::strcmp(name, "translate") == 0)
    Set(t, 1, 0, 0, 1, n[0], count > 1 ? n[1] : 0.f);
  else if (std::strcmp(name, "scale") == 0)
    Set(t, n[0], 0, 0, count > 1 ? n[1] : n[0], 0, 0);
  else if (std::strcmp(name, "rotate") == 0)
  {
    if (count > 3)
      return false;
    const float a = Radians(n[0]);
    const float cs = std::cos(a), sn = std::sin(a);
    Set(t, cs, sn, -sn, cs, 0, 0);
    if (count > 1)
    {
      // About (cx, cy): move it to the origin, turn, move back.
      const float cx = n[1], cy = count > 2 ? n[2] : 0.f;
      float pre[6], post[6];
      Set(pre, 1, 0, 0, 1, -cx, -cy);
      Set(post, 1, 0, 0, 1, cx, cy);
      XformApplyBefore(t, pre);
      XformApplyAfter(t, post);
    }
  }
  else if (std::strcmp(name, "skewX") == 0)
    Set(t, 1, 0, std::tan(Radians(n[0])), 1, 0, 0);
  else if (std::strcmp(name, "skewY") == 0)
    Set(t, 1, std::tan(Radians(n[0])), 0, 1, 0, 0);
  else
    return false;
  return true;
}
} // namespace

void XformIdentity(float t[6]) { Set(t, 1, 0, 0, 1, 0, 0); }

void XformApplyAfter(float t[6], const float s[6]) { Multiply(t, t, s); }

void XformApplyBefore(float t[6], const float s[6]) { Multiply(t, s, t); }

bool XformInverse(float out[6], const float t[6])
{
  const double det = static_cast<double>(t[0]) * t[3] - static_cast<double>(t[2]) * t[1];
  if (det > -1e-6 && det < 1e-6)
    return false;
  const double inv = 1.0 / det;
  float r[6];
  r[0] = static_cast<float>(t[3] * inv);
  r[2] = static_cast<float>(-t[2] * inv);
  r[4] = static_cast<float>((static_cast<double>(t[2]) * t[5] - static_cast<double>(t[3]) * t[4]) * inv);
  r[1] = static_cast<float>(-t[1] * inv);
  r[3] = static_cast<float>(t[0] * inv);
  r[5] = static_cast<float>((static_cast<double>(t[1]) * t[4] - static_cast<double>(t[0]) * t[5]) * inv);
  std::memcpy(out, r, sizeof(r));
  return true;
}

void XformPoint(float& x, float& y, const float t[6])
{
  const float nx = x * t[0] + y * t[2] + t[4];
  const float ny = x * t[1] + y * t[3] + t[5];
  x = nx;
  y = ny;
}

float XformAverageScale(const float t[6])
{
  const float sx = std::sqrt(t[0] * t[0] + t[2] * t[2]);
  const float sy = std::sqrt(t[1] * t[1] + t[3] * t[3]);
  const float scale = (sx + sy) * 0.5f;
  if (std::isfinite(scale))
    return scale;
  // Squares of large finite entries overflow a float; the scale itself may not.
  const double wide = std::hypot(static_cast<double>(t[0]), t[2]) + std::hypot(static_cast<double>(t[1]), t[3]);
  return static_cast<float>(wide * 0.5);
}

void ParseTransformList(float out[6], const char* s)
{
  static constexpr const char* kItems[] = {"matrix", "translate", "scale", "rotate", "skewX", "skewY"};
  XformIdentity(out);
  while (*s)
  {
    const char* item = nullptr;
    for (const char* name : kItems)
      if (std::strncmp(s, name, std::strlen(name)) == 0)
        item = name;
    if (!item)
    {
      ++s;
      continue;
    }
    float numbers[kMaxItemNumbers] = {};
    int count = 0;
    s = ParseItemNumbers(s + std::strlen(item), numbers, count);
    float t[6];
    // Each item acts before the ones read so far.
    if (ItemMatrix(item, numbers, count, t))
      XformApplyBefore(out, t);
  }
}

} // namespace svg
} // namespace igfx
} // namespace ifx
