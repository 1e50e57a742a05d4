#include "renderer/CanvasTransform.h"

#include <cmath>

namespace ifx::canvas {

void CanvasTransformIdentity(float* t)
{
  t[0] = 1.f;
  t[1] = 0.f;
  t[2] = 0.f;
  t[3] = 1.f;
  t[4] = 0.f;
  t[5] = 0.f;
}

void CanvasTransformTranslate(float* t, float tx, float ty)
{
  CanvasTransformIdentity(t);
  t[4] = tx;
  t[5] = ty;
}

void CanvasTransformScale(float* t, float sx, float sy)
{
  CanvasTransformIdentity(t);
  t[0] = sx;
  t[3] = sy;
}

void CanvasTransformRotate(float* t, float angle)
{
  const float cs = std::cos(angle), sn = std::sin(angle);
  t[0] = cs;
  t[1] = sn;
  t[2] = -sn;
  t[3] = cs;
  t[4] = 0.f;
  t[5] = 0.f;
}

void CanvasConcatTransform(float* t, const float* s)
{
  const float t0 = t[0] * s[0] + t[1] * s[2];
  const float t2 = t[2] * s[0] + t[3] * s[2];
  const float t4 = t[4] * s[0] + t[5] * s[2] + s[4];
  t[1] = t[0] * s[1] + t[1] * s[3];
  t[3] = t[2] * s[1] + t[3] * s[3];
  t[5] = t[4] * s[1] + t[5] * s[3] + s[5];
  t[0] = t0;
  t[2] = t2;
  t[4] = t4;
}

int CanvasInvertTransform(float* out, const float* t)
{
  const double det = (double)t[0] * t[3] - (double)t[2] * t[1];
  // Also catches NaN, which compares false with everything.
  if (!(det > 1e-6 || det < -1e-6))
  {
    CanvasTransformIdentity(out);
    return 0;
  }
  const double invdet = 1.0 / det;
  out[0] = (float)(t[3] * invdet);
  out[2] = (float)(-t[2] * invdet);
  out[4] = (float)(((double)t[2] * t[5] - (double)t[3] * t[4]) * invdet);
  out[1] = (float)(-t[1] * invdet);
  out[3] = (float)(t[0] * invdet);
  out[5] = (float)(((double)t[1] * t[4] - (double)t[0] * t[5]) * invdet);
  return 1;
}

void CanvasTransformPoint(float* dx, float* dy, const float* t, float sx, float sy)
{
  *dx = sx * t[0] + sy * t[2] + t[4];
  *dy = sx * t[1] + sy * t[3] + t[5];
}

float CanvasAverageScale(const float* t)
{
  const float sx = std::sqrt(t[0] * t[0] + t[2] * t[2]);
  const float sy = std::sqrt(t[1] * t[1] + t[3] * t[3]);
  return (sx + sy) * 0.5f;
}

} // namespace ifx::canvas
