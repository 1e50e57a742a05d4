#include "base/IParam.h"

#include <algorithm>
#include <cmath>
#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace ifx {

namespace {

void CopyText(char (&dest)[IParam::kMaxTextLen], const char* text)
{
  dest[0] = 0;
  if (text)
  {
    std::strncpy(dest, text, IParam::kMaxTextLen - 1);
    dest[IParam::kMaxTextLen - 1] = 0;
  }
}

// Decimals a step needs: how often it must be multiplied by 10 before it is
// whole (at most 6).
int PrecisionForStep(double step)
{
  int precision = 0;
  while (precision < IParam::kMaxDisplayPrecision && step != std::floor(step))
  {
    step *= 10.;
    ++precision;
  }
  return precision;
}

} // namespace

IParam::IParam() : mShape(new ShapeLinear), mDisplayTexts(IHeapBuf::kDefaultGranularity) {}

IParam::~IParam() = default;

// ---- configuration --------------------------------------------------------

void IParam::ConfigureDouble(const char* name, double defaultValue, double minVal, double maxVal, double step,
                             const char* label, int flags, const char* group, const Shape& shape, int unit,
                             DisplayFunc displayFunc)
{
  if (mType == kTypeNone)
    mType = kTypeDouble;
  CopyText(mName, name);
  CopyText(mLabel, label);
  CopyText(mGroup, group);
  mMin = minVal;
  mMax = std::max(maxVal, minVal + step);
  mStep = step;
  mDefault = defaultValue;
  mUnit = kUnitCustom;
  mFlags = flags;
  mDisplayFunc = std::move(displayFunc);
  mValue.exchange(Constrain(defaultValue), std::memory_order_relaxed);
  mDisplayPrecision = PrecisionForStep(step);

  if (Shape* clone = shape.Clone())
    mShape.reset(clone);
  mShape->Init(*this);
}

void IParam::ConfigureEnum(const char* name, int defaultValue, int count, const char* label, int flags,
                           const char* group, const char* text0, ...)
{
  if (mType == kTypeNone)
    mType = kTypeEnum;
  ConfigureDouble(name, defaultValue, 0., count - 1., 1., label, flags | kFlagStepped, group, ShapeLinear(),
                  kUnitCustom, nullptr);
  if (!text0 || count < 1)
    return;

  SetDisplayText(0., text0);
  va_list args;
  va_start(args, text0);
  for (int i = 1; i < count; ++i)
    SetDisplayText(static_cast<double>(i), va_arg(args, const char*));
  va_end(args);
}

void IParam::SetDisplayText(double value, const char* text)
{
  auto* entry = static_cast<DisplayTextEntry*>(mDisplayTexts.Grow(sizeof(DisplayTextEntry)));
  if (!entry)
    return;
  entry->value = value;
  CopyText(entry->text, text);
}

// ---- value and conversions --------------------------------------------------

double IParam::RoundToStep(double v) const noexcept
{
  if ((mFlags & kFlagStepped) && mStep > 0. && std::isfinite(v))
  {
    const double rounded = std::round(v / mStep) * mStep;
    if (std::isfinite(rounded))
      v = rounded;
  }
  return v;
}

double IParam::Clamp(double v) const noexcept
{
  if (std::isnan(v))
    return mMin;
  return std::min(mMax, std::max(mMin, v));
}

double IParam::Constrain(double v) const noexcept { return Clamp(RoundToStep(v)); }

void IParam::Set(double v) noexcept { mValue.exchange(Constrain(v), std::memory_order_relaxed); }

double IParam::ToNormalized(double v) const noexcept
{
  const double n = mShape->ValueToNormalized(Constrain(v), *this);
  if (std::isnan(n))
    return 0.;
  return std::min(1., std::max(0., n));
}

double IParam::FromNormalized(double normalized) const noexcept
{
  return Clamp(RoundToStep(mShape->NormalizedToValue(normalized, *this)));
}

double IParam::GetDefault(bool normalized) const noexcept { return normalized ? ToNormalized(mDefault) : mDefault; }

// ---- display ----------------------------------------------------------------

int IParam::NDisplayTexts() const noexcept
{
  return mDisplayTexts.GetSize() / static_cast<int>(sizeof(DisplayTextEntry));
}

const char* IParam::GetDisplayTextAtIdx(int idx, double* value) const noexcept
{
  if (idx < 0 || idx >= NDisplayTexts())
    return nullptr;
  const DisplayTextEntry& entry = mDisplayTexts.GetAs<const DisplayTextEntry>()[idx];
  if (value)
    *value = entry.value;
  return entry.text;
}

void IParam::GetDisplayText(double v, bool normalized, IString& out, bool withDisplayText) const
{
  if (normalized)
    v = Constrain(mShape->NormalizedToValue(v, *this));

  if (mDisplayFunc)
  {
    mDisplayFunc(v, out);
    return;
  }

  if (withDisplayText)
  {
    const int n = NDisplayTexts();
    const DisplayTextEntry* entries = mDisplayTexts.GetAs<const DisplayTextEntry>();
    for (int i = 0; i < n; ++i)
    {
      if (entries[i].value == v && entries[i].text[0])
      {
        out.Set(entries[i].text, kMaxTextLen);
        return;
      }
    }
  }

  if (std::isnan(v))
    v = mMin;
  if (mFlags & kFlagNegateDisplay)
    v = -v;
  if (v == 0.)
    v = 0.; // no "-0"

  const int precision = mDisplayPrecision;
  if (precision > 0)
  {
    if ((mFlags & kFlagSignDisplay) && v != 0.)
      out.SetFormatted(kMaxTextLen, "%+.*f", precision, v);
    else
      out.SetFormatted(kMaxTextLen, "%.*f", precision, v);
    return;
  }

  const double rounded = std::round(v);
  if (rounded >= INT_MIN && rounded <= INT_MAX)
    out.SetFormatted(kMaxTextLen, "%d", static_cast<int>(rounded));
  else
    out.SetFormatted(kMaxTextLen, "%.0f", rounded); // beyond int: no overflow
}

const char* IParam::GetLabelForValue() const noexcept
{
  const double v = std::trunc(Value());
  const int n = NDisplayTexts();
  const DisplayTextEntry* entries = mDisplayTexts.GetAs<const DisplayTextEntry>();
  for (int i = 0; i < n; ++i)
    if (entries[i].value == v && entries[i].text[0])
      return "";
  return mLabel;
}

bool IParam::FindDisplayText(const char* text, double& value) const noexcept
{
  const int n = NDisplayTexts();
  const DisplayTextEntry* entries = mDisplayTexts.GetAs<const DisplayTextEntry>();
  for (int i = 0; i < n; ++i)
  {
    if (std::strcmp(entries[i].text, text) == 0)
    {
      value = entries[i].value;
      return true;
    }
  }
  return false;
}

double IParam::StringToValue(const char* text) const noexcept
{
  if (!text)
    text = "";
  double entry = 0.;
  if (FindDisplayText(text, entry))
    return entry;
  if (mType == kTypeEnum || mType == kTypeBool)
    return 0.;

  double v = std::atof(text);
  if (mFlags & kFlagNegateDisplay)
    v = -v;
  return Constrain(v);
}

bool IParam::TextToValue(const char* text, double& value) const noexcept
{
  if (!text)
    return false;
  if (FindDisplayText(text, value))
    return true;
  if (mType == kTypeEnum || mType == kTypeBool)
    return false;

  char* end = nullptr;
  double v = std::strtod(text, &end);
  if (end == text || !std::isfinite(v))
    return false;
  const auto skipBlanks = [](const char* p) {
    while (*p == ' ' || *p == '\t')
      ++p;
    return p;
  };
  const char* rest = skipBlanks(end);
  const size_t labelLength = std::strlen(mLabel);
  if (labelLength > 0 && std::strncmp(rest, mLabel, labelLength) == 0)
    rest = skipBlanks(rest + labelLength);
  if (*rest)
    return false;
  if (mFlags & kFlagNegateDisplay)
    v = -v;
  value = Constrain(v);
  return true;
}

} // namespace ifx
