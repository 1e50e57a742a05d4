#include "abi/vst3/Parameter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "abi/vst3/Vst3Strings.h"

namespace Steinberg {
namespace Vst {

Parameter::Parameter() { std::memset(&info, 0, sizeof(info)); }

Parameter::Parameter(const ParameterInfo& i) : info(i), valueNormalized(i.defaultNormalizedValue) {}

Parameter::Parameter(const TChar* title, ParamID tag, const TChar* units, ParamValue defaultValueNormalized,
                     int32 stepCount, int32 flags, UnitID unitID, const TChar* shortTitle)
{
  std::memset(&info, 0, sizeof(info));
  StrCopy16(info.title, title, 128);
  StrCopy16(info.units, units, 128);
  StrCopy16(info.shortTitle, shortTitle, 128);
  info.id = tag;
  info.stepCount = stepCount;
  info.defaultNormalizedValue = defaultValueNormalized;
  info.flags = flags;
  info.unitId = unitID;
  valueNormalized = defaultValueNormalized;
}

bool Parameter::setNormalized(ParamValue v)
{
  if (!std::isfinite(v))
    return false;
  v = v < 0. ? 0. : (v > 1. ? 1. : v);
  if (v == valueNormalized)
    return false;
  valueNormalized = v;
  changed();
  return true;
}

void Parameter::toString(ParamValue v, String128 string) const
{
  char text[64];
  if (info.stepCount == 1)
    std::snprintf(text, sizeof(text), "%s", v > 0.5 ? "On" : "Off");
  else
    std::snprintf(text, sizeof(text), "%.*f", precision < 0 ? 0 : (precision > 16 ? 16 : precision), v);
  StrWidenBytes(string, text, 128);
}

bool Parameter::fromString(const TChar* string, ParamValue& v) const
{
  const std::string text = StrUtf16ToUtf8(string);
  char* end = nullptr;
  const double d = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || !std::isfinite(d))
    return false;
  v = d < 0. ? 0. : (d > 1. ? 1. : d);
  return true;
}

StringListParameter::StringListParameter(const TChar* title, ParamID tag, const TChar* units, int32 flags,
                                         UnitID unitID, const TChar* shortTitle)
  : Parameter(title, tag, units, 0., 0, flags, unitID, shortTitle)
{
  info.stepCount = -1;
}

void StringListParameter::appendString(const TChar* string)
{
  strings.emplace_back(string ? string : u"");
  info.stepCount = static_cast<int32>(strings.size()) - 1;
}

void StringListParameter::appendString(const char* asciiString)
{
  String128 wide;
  StrWidenBytes(wide, asciiString, 128);
  appendString(wide);
}

void StringListParameter::toString(ParamValue v, String128 string) const
{
  const auto index = static_cast<size_t>(toPlain(v));
  StrCopy16(string, index < strings.size() ? strings[index].c_str() : u"", 128);
}

bool StringListParameter::fromString(const TChar* string, ParamValue& v) const
{
  if (!string)
    return false;
  for (size_t i = 0; i < strings.size(); ++i)
    if (strings[i] == string)
    {
      v = toNormalized(static_cast<ParamValue>(i));
      return true;
    }
  return false;
}

ParamValue StringListParameter::toPlain(ParamValue v) const
{
  if (info.stepCount <= 0 || !std::isfinite(v))
    return 0.;
  const double plain = std::floor(v * (info.stepCount + 1));
  return plain < 0. ? 0. : (plain > info.stepCount ? info.stepCount : plain);
}

ParamValue StringListParameter::toNormalized(ParamValue plain) const
{
  if (info.stepCount <= 0)
    return 0.;
  const double n = plain / info.stepCount;
  return n < 0. ? 0. : (n > 1. ? 1. : n);
}

Parameter* ParameterContainer::addParameter(Parameter* p)
{
  if (!p)
    return nullptr;
  try
  {
    params.push_back(p);
    byId.emplace(p->getInfo().id, params.size() - 1);
  }
  catch (const std::bad_alloc&)
  {
    if (!params.empty() && params.back() == p)
      params.pop_back();
    p->release();
    return nullptr;
  }
  return p;
}

Parameter* ParameterContainer::addParameter(const TChar* title, const TChar* units, int32 stepCount,
                                            ParamValue defaultNormalized, int32 flags, ParamID tag, UnitID unitID,
                                            const TChar* shortTitle)
{
  auto* p = new (std::nothrow) Parameter(title, tag, units, defaultNormalized, stepCount, flags, unitID, shortTitle);
  return addParameter(p);
}

Parameter* ParameterContainer::getParameterByIndex(int32 index) const
{
  return index >= 0 && index < getParameterCount() ? params[static_cast<size_t>(index)] : nullptr;
}

Parameter* ParameterContainer::getParameter(ParamID tag) const
{
  auto it = byId.find(tag);
  return it == byId.end() ? nullptr : params[it->second];
}

void ParameterContainer::removeAll()
{
  for (Parameter* p : params)
    p->release();
  params.clear();
  byId.clear();
}

} // namespace Vst
} // namespace Steinberg
