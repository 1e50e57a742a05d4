#include "base/IParam.h"

namespace ifx {

IParam::Shape* IParam::ShapeLinear::Clone() const { return new ShapeLinear(*this); }

double IParam::ShapeLinear::NormalizedToValue(double normalized, const IParam& param) const
{
  return param.GetMin() + normalized * (param.GetMax() - param.GetMin());
}

double IParam::ShapeLinear::ValueToNormalized(double value, const IParam& param) const
{
  const double range = param.GetMax() - param.GetMin();
  if (range == 0.)
    return 0.; // degenerate range: every value is the minimum
  return (value - param.GetMin()) / range;
}

} // namespace ifx
