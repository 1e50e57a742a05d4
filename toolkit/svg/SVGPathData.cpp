// Path data ("d"): commands and numbers to cubic segments, elliptical arcs
// included.
#include <cmath>
#include <cstring>

#include "toolkit/svg/SVGParserState.h"

namespace ifx {
namespace igfx {
namespace svg {

namespace {
// Arcs are split in double precision throughout, so that a half turn is
// exactly two quarter turns.
constexpr double kPiDouble = 3.14159265358979323846;

struct PathCursor
{
  float x = 0.f, y = 0.f;   // current point
  float cx = 0.f, cy = 0.f; // last control point, for the smooth curves
  char prev = 0;            // last command run
};

int ArgumentCount(char cmd)
{
  switch (cmd)
  {
    case 'M':
    case 'm':
    case 'L':
    case 'l':
    case 'T':
    case 't': return 2;
    case 'H':
    case 'h':
    case 'V':
    case 'v': return 1;
    case 'C':
    case 'c': return 6;
    case 'S':
    case 's':
    case 'Q':
    case 'q': return 4;
    case 'A':
    case 'a': return 7;
    case 'Z':
    case 'z': return 0;
    default: return -1;
  }
}

bool IsOneOf(char c, const char* set) { return c && std::strchr(set, c) != nullptr; }

void QuadTo(SVGParser& p, PathCursor& c, float qx, float qy, float x, float y)
{
  CubicTo(p, PartWay(c.x + 2.f / 3.f * (qx - c.x), c.x, qx, 2.0 / 3.0),
          PartWay(c.y + 2.f / 3.f * (qy - c.y), c.y, qy, 2.0 / 3.0),
          PartWay(x + 2.f / 3.f * (qx - x), x, qx, 2.0 / 3.0), PartWay(y + 2.f / 3.f * (qy - y), y, qy, 2.0 / 3.0), x,
          y);
  c.cx = qx;
  c.cy = qy;
  c.x = x;
  c.y = y;
}

// Elliptical arc from (x1, y1) to (x2, y2) by the endpoint-to-centre
// conversion; a: rx, ry, x-axis rotation in degrees, large-arc flag, sweep flag.
void ArcTo(SVGParser& p, float x1, float y1, const float* a, float x2, float y2)
{
  double rx = std::fabs(a[0]), ry = std::fabs(a[1]);
  const double rot = a[2] / 180.0 * kPiDouble;
  const bool largeArc = std::fabs(a[3]) > 1e-6f, sweep = std::fabs(a[4]) > 1e-6f;
  const double dx = static_cast<double>(x1) - x2, dy = static_cast<double>(y1) - y2;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (!(d >= 1e-6) || rx < 1e-6 || ry < 1e-6)
  {
    LineTo(p, x2, y2);
    return;
  }
  const double cs = std::cos(rot), sn = std::sin(rot);
  // End points in the ellipse's axes, relative to their midpoint.
  const double x1p = cs * dx / 2.0 + sn * dy / 2.0;
  const double y1p = -sn * dx / 2.0 + cs * dy / 2.0;
  // Radii too short to reach: scale up just enough.
  const double lambda = (x1p * x1p) / (rx * rx) + (y1p * y1p) / (ry * ry);
  if (lambda > 1.0)
  {
    rx *= std::sqrt(lambda);
    ry *= std::sqrt(lambda);
  }
  double num = rx * rx * ry * ry - rx * rx * y1p * y1p - ry * ry * x1p * x1p;
  const double den = rx * rx * y1p * y1p + ry * ry * x1p * x1p;
  if (num < 0.0)
    num = 0.0;
  double k = den > 0.0 ? std::sqrt(num / den) : 0.0;
  if (largeArc == sweep)
    k = -k;
  const double cxp = k * rx * y1p / ry, cyp = -k * ry * x1p / rx;
  const double cx = (x1 + static_cast<double>(x2)) / 2.0 + cs * cxp - sn * cyp;
  const double cy = (y1 + static_cast<double>(y2)) / 2.0 + sn * cxp + cs * cyp;
  const double ux = (x1p - cxp) / rx, uy = (y1p - cyp) / ry;
  const double vx = (-x1p - cxp) / rx, vy = (-y1p - cyp) / ry;
  const double a1 = std::atan2(uy, ux);
  double da = std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
  if (!sweep && da > 0.0)
    da -= 2.0 * kPiDouble;
  else if (sweep && da < 0.0)
    da += 2.0 * kPiDouble;
  // Overflowed input: no arc to split.
  if (!std::isfinite(da) || !std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(rx) || !std::isfinite(ry))
  {
    LineTo(p, x2, y2);
    return;
  }
  const int n = static_cast<int>(std::fabs(da) / (kPiDouble / 2.0) + 1.0);
  const double h = da / n / 2.0;
  const double kappa = std::fabs(std::sin(h)) > 1e-12 ? 4.0 / 3.0 * (1.0 - std::cos(h)) / std::sin(h) : 0.0;

  auto tangent = [&](double angle, double& tx, double& ty) {
    const double ex = -std::sin(angle) * rx, ey = std::cos(angle) * ry;
    tx = cs * ex - sn * ey;
    ty = sn * ex + cs * ey;
  };
  double px = x1, py = y1, ptx = 0.0, pty = 0.0;
  tangent(a1, ptx, pty);
  for (int i = 1; i <= n; ++i)
  {
    const double angle = a1 + da * i / n;
    const double ex = std::cos(angle) * rx, ey = std::sin(angle) * ry;
    double x = cx + cs * ex - sn * ey, y = cy + sn * ex + cs * ey;
    if (i == n)
    {
      x = x2;
      y = y2;
    }
    double tx = 0.0, ty = 0.0;
    tangent(angle, tx, ty);
    CubicTo(p, static_cast<float>(px + ptx * kappa), static_cast<float>(py + pty * kappa),
            static_cast<float>(x - tx * kappa), static_cast<float>(y - ty * kappa), static_cast<float>(x),
            static_cast<float>(y));
    px = x;
    py = y;
    ptx = tx;
    pty = ty;
  }
}

void RunCommand(SVGParser& p, char cmd, const float* a, PathCursor& c)
{
  const bool relative = cmd >= 'a';
  const float ox = relative ? c.x : 0.f, oy = relative ? c.y : 0.f;
  switch (cmd)
  {
    case 'M':
    case 'm':
      c.x = c.cx = ox + a[0];
      c.y = c.cy = oy + a[1];
      MoveTo(p, c.x, c.y);
      break;
    case 'L':
    case 'l':
      c.x = c.cx = ox + a[0];
      c.y = c.cy = oy + a[1];
      LineTo(p, c.x, c.y);
      break;
    case 'H':
    case 'h':
      c.x = c.cx = ox + a[0];
      c.cy = c.y;
      LineTo(p, c.x, c.y);
      break;
    case 'V':
    case 'v':
      c.y = c.cy = oy + a[0];
      c.cx = c.x;
      LineTo(p, c.x, c.y);
      break;
    case 'C':
    case 'c':
    case 'S':
    case 's':
    {
      float c1x = c.x, c1y = c.y;
      if (cmd == 'C' || cmd == 'c')
      {
        c1x = ox + a[0];
        c1y = oy + a[1];
        a += 2;
      }
      else if (IsOneOf(c.prev, "CcSs"))
      {
        c1x = 2.f * c.x - c.cx;
        c1y = 2.f * c.y - c.cy;
      }
      c.cx = ox + a[0];
      c.cy = oy + a[1];
      c.x = ox + a[2];
      c.y = oy + a[3];
      CubicTo(p, c1x, c1y, c.cx, c.cy, c.x, c.y);
      break;
    }
    case 'Q':
    case 'q': QuadTo(p, c, ox + a[0], oy + a[1], ox + a[2], oy + a[3]); break;
    case 'T':
    case 't':
    {
      const bool smooth = IsOneOf(c.prev, "QqTt");
      QuadTo(p, c, smooth ? 2.f * c.x - c.cx : c.x, smooth ? 2.f * c.y - c.cy : c.y, ox + a[0], oy + a[1]);
      break;
    }
    case 'A':
    case 'a':
    {
      const float x = ox + a[5], y = oy + a[6];
      ArcTo(p, c.x, c.y, a, x, y);
      c.x = c.cx = x;
      c.y = c.cy = y;
      break;
    }
    default: break;
  }
  c.prev = cmd;
}
} // namespace

void ParsePathData(SVGParser& p, const char* s)
{
  PathCursor c;
  char cmd = 0;
  int needed = 0; // arguments the command takes; 0 ignores numbers
  float args[10];
  int nargs = 0;
  p.npts = 0;
  while (*s)
  {
    while (IsSpace(*s) || *s == ',')
      ++s;
    if (!*s)
      break;
    if (IsNumberStart(*s))
    {
      float v = 0.f;
      s = ScanNumber(s, v);
      if (needed == 0)
        continue;
      args[nargs++] = v;
      if (nargs < needed)
        continue;
      RunCommand(p, cmd, args, c);
      nargs = 0;
      // Further pairs after a move are lines.
      if (cmd == 'M')
        cmd = 'L';
      else if (cmd == 'm')
        cmd = 'l';
      continue;
    }
    cmd = *s++;
    nargs = 0;
    needed = ArgumentCount(cmd);
    if (needed < 0)
      needed = 0;
    if ((cmd == 'M' || cmd == 'm') && p.npts > 0)
      FinishSubPath(p, false);
    else if ((cmd == 'Z' || cmd == 'z'))
    {
      if (p.npts > 0)
      {
        // Back to the sub-path's start, which starts the next one too.
        c.x = c.cx = p.pts[0];
        c.y = c.cy = p.pts[1];
        FinishSubPath(p, true);
        MoveTo(p, c.x, c.y);
      }
      c.prev = cmd;
    }
  }
  if (p.npts > 0)
    FinishSubPath(p, false);
}

} // namespace svg
} // namespace igfx
} // namespace ifx
