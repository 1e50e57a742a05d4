#pragma once
// 2-D affine transform: (x, y) -> (xx*x + xy*y + tx, yx*x + yy*y + ty).

namespace ifx {
namespace igfx {

struct ITransform2D
{
  double xx = 1.0, yx = 0.0, xy = 0.0, yy = 1.0, tx = 0.0, ty = 0.0;

  constexpr ITransform2D() = default;
  constexpr ITransform2D(double xx_, double yx_, double xy_, double yy_, double tx_, double ty_)
    : xx(xx_), yx(yx_), xy(xy_), yy(yy_), tx(tx_), ty(ty_)
  {
  }

  // this := this composed with m, m applied first.
  ITransform2D& Transform(const ITransform2D& m);
  ITransform2D& Translate(double x, double y) { return Transform(ITransform2D(1, 0, 0, 1, x, y)); }
  ITransform2D& Scale(double x, double y) { return Transform(ITransform2D(x, 0, 0, y, 0, 0)); }
  ITransform2D& Rotate(float degrees);

  // The transform back, into out; false (out untouched) when the determinant
  // is zero or not finite.
  bool Inverse(ITransform2D& out) const;

  void Apply(double& x, double& y) const
  {
    const double nx = xx * x + xy * y + tx;
    const double ny = yx * x + yy * y + ty;
    x = nx;
    y = ny;
  }

  bool IsIdentity() const { return xx == 1 && yx == 0 && xy == 0 && yy == 1 && tx == 0 && ty == 0; }
  bool operator==(const ITransform2D& o) const
  {
    return xx == o.xx && yx == o.yx && xy == o.xy && yy == o.yy && tx == o.tx && ty == o.ty;
  }
  bool operator!=(const ITransform2D& o) const { return !(*this == o); }
};

struct IPointF
{
  float x = 0.f;
  float y = 0.f;
};

// Parameter t at which the line P3P4 crosses the line P1P2 (P3 + t(P4 - P3)
// lies on P1P2); a quiet NaN for parallel lines.
float SegmentCrossing(IPointF p1, IPointF p2, IPointF p3, IPointF p4);

} // namespace igfx
} // namespace ifx
