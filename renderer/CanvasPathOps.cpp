#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "renderer/CanvasContext.h"
#include "renderer/CanvasTransform.h"

namespace ifx::canvas {

namespace {
constexpr float kPi = 3.14159265358979323846f;

// Number of floats a command takes, its kind included; 0 for an unknown kind.
int CommandSize(int kind)
{
  switch (kind)
  {
    case kCanvasMoveTo:
    case kCanvasLineTo: return 3;
    case kCanvasBezierTo: return 7;
    case kCanvasClose: return 1;
    case kCanvasWinding: return 2;
    default: return 0;
  }
}
} // namespace

void CanvasContext::BeginPath()
{
  ncommands = 0;
  cache->npoints = 0;
  cache->npaths = 0;
}

void CanvasContext::AppendPathOps(const float* values, int count)
{
  if (!values || count <= 0)
    return;
  // A batch must consist of whole commands: the flattener walks the buffer by
  // command size, so one truncated or unknown command would derail the rest.
  bool hasPoint = false;
  float px = 0.f, py = 0.f;
  for (int i = 0; i < count;)
  {
    const int kind = (int)values[i];
    const int size = CommandSize(kind);
    if (size == 0 || i + size > count)
      return;
    if (kind == kCanvasMoveTo || kind == kCanvasLineTo || kind == kCanvasBezierTo)
    {
      // The last point is the end point of the last drawing command, never a
      // close or winding value that may follow it in the same batch.
      px = values[i + size - 2];
      py = values[i + size - 1];
      hasPoint = true;
    }
    i += size;
  }

  if (ncommands + count > ccommands)
  {
    const int cap = ncommands + count + ccommands / 2;
    auto* grown = static_cast<float*>(std::realloc(commands, sizeof(float) * cap));
    if (!grown)
      return;
    commands = grown;
    ccommands = cap;
  }
  if (hasPoint)
  {
    lastX = px;
    lastY = py;
  }

  const float* t = State().xform;
  float* out = commands + ncommands;
  std::memcpy(out, values, sizeof(float) * count);
  for (int i = 0; i < count;)
  {
    const int kind = (int)out[i];
    const int size = CommandSize(kind);
    if (kind == kCanvasMoveTo || kind == kCanvasLineTo || kind == kCanvasBezierTo)
    {
      for (int j = i + 1; j < i + size; j += 2)
        CanvasTransformPoint(&out[j], &out[j + 1], t, out[j], out[j + 1]);
    }
    i += size;
  }
  ncommands += count;
}

void CanvasContext::MoveTo(float x, float y)
{
  const float v[] = {(float)kCanvasMoveTo, x, y};
  AppendPathOps(v, 3);
}

void CanvasContext::LineTo(float x, float y)
{
  const float v[] = {(float)kCanvasLineTo, x, y};
  AppendPathOps(v, 3);
}

void CanvasContext::BezierTo(float c1x, float c1y, float c2x, float c2y, float x, float y)
{
  const float v[] = {(float)kCanvasBezierTo, c1x, c1y, c2x, c2y, x, y};
  AppendPathOps(v, 7);
}

void CanvasContext::ClosePath()
{
  const float v[] = {(float)kCanvasClose};
  AppendPathOps(v, 1);
}

void CanvasContext::SetPathWinding(int direction)
{
  const float v[] = {(float)kCanvasWinding, (float)direction};
  AppendPathOps(v, 2);
}

void CanvasContext::AddRectangle(float x, float y, float w, float h)
{
  const float v[] = {
    (float)kCanvasMoveTo, x,     y, (float)kCanvasLineTo, x, y + h, (float)kCanvasLineTo, x + w, y + h,
    (float)kCanvasLineTo, x + w, y, (float)kCanvasClose,
  };
  AppendPathOps(v, (int)(sizeof(v) / sizeof(v[0])));
}

void CanvasContext::AddArc(float cx, float cy, float r, float a0, float a1, int direction)
{
  const float twoPi = 6.2831855f;
  float da = a1 - a0;
  if (direction == kCanvasCW)
  {
    if (std::fabs(da) >= twoPi)
      da = twoPi;
    else
      while (da < 0.f)
        da += twoPi;
  }
  else
  {
    if (std::fabs(da) >= twoPi)
      da = -twoPi;
    else
      while (da > 0.f)
        da -= twoPi;
  }

  const int ndivs = std::max(1, std::min((int)(std::fabs(da) / (kPi * 0.5f) + 0.5f), 5));
  const float hda = (da / (float)ndivs) / 2.f;
  const float sinH = std::sin(hda);
  // A zero sweep has no tangents; avoid 0/0.
  float kappa = sinH != 0.f ? std::fabs(4.f / 3.f * (1.f - std::cos(hda)) / sinH) : 0.f;
  if (direction == kCanvasCCW)
    kappa = -kappa;

  // Six segments at most: one move or line and five beziers.
  float vals[3 + 5 * 7];
  int nvals = 0;
  float px = 0.f, py = 0.f, ptanx = 0.f, ptany = 0.f;
  for (int i = 0; i <= ndivs; i++)
  {
    const float a = a0 + da * ((float)i / (float)ndivs);
    const float dx = std::cos(a), dy = std::sin(a);
    const float x = cx + dx * r, y = cy + dy * r;
    const float tanx = -dy * r * kappa, tany = dx * r * kappa;
    if (i == 0)
    {
      vals[nvals++] = (float)(ncommands > 0 ? kCanvasLineTo : kCanvasMoveTo);
      vals[nvals++] = x;
      vals[nvals++] = y;
    }
    else
    {
      vals[nvals++] = (float)kCanvasBezierTo;
      vals[nvals++] = px + ptanx;
      vals[nvals++] = py + ptany;
      vals[nvals++] = x - tanx;
      vals[nvals++] = y - tany;
      vals[nvals++] = x;
      vals[nvals++] = y;
    }
    px = x;
    py = y;
    ptanx = tanx;
    ptany = tany;
  }
  AppendPathOps(vals, nvals);
}

} // namespace ifx::canvas
