#pragma once
// Edit-controller parameter objects and their container: what a host reads
// through getParameterInfo and the value conversions.
#include <string>
#include <unordered_map>
#include <vector>

#include "abi/vst3/FObject.h"
#include "abi/vst3/Vst3EditController.h"
#include "abi/vst3/Vst3Units.h"

namespace Steinberg {
namespace Vst {

class Parameter : public FObject
{
public:
  Parameter();
  explicit Parameter(const ParameterInfo& info);
  Parameter(const TChar* title, ParamID tag, const TChar* units = nullptr, ParamValue defaultValueNormalized = 0.,
            int32 stepCount = 0, int32 flags = ParameterInfo::kCanAutomate, UnitID unitID = kRootUnitId,
            const TChar* shortTitle = nullptr);

  const ParameterInfo& getInfo() const { return info; }
  ParameterInfo& getInfo() { return info; }
  void setUnitID(UnitID id) { info.unitId = id; }
  UnitID getUnitID() const { return info.unitId; }
  int32 getPrecision() const { return precision; }
  void setPrecision(int32 p) { precision = p; }

  virtual ParamValue getNormalized() const { return valueNormalized; }
  // Clamped to 0..1; a value that is not a number is refused. True when
  // the value changed.
  virtual bool setNormalized(ParamValue v);
  virtual void toString(ParamValue valueNormalized, String128 string) const;
  virtual bool fromString(const TChar* string, ParamValue& valueNormalized) const;
  virtual ParamValue toPlain(ParamValue valueNormalized) const { return valueNormalized; }
  virtual ParamValue toNormalized(ParamValue plainValue) const { return plainValue; }

  MURKWISP_FOBJECT_CLASS(Parameter, FObject)

protected:
  ParameterInfo info;
  ParamValue valueNormalized = 0.;
  int32 precision = 4;
};

// A parameter with one text per step ("off", "on", ...).
class StringListParameter : public Parameter
{
public:
  StringListParameter(const TChar* title, ParamID tag, const TChar* units = nullptr,
                      int32 flags = ParameterInfo::kCanAutomate | ParameterInfo::kIsList, UnitID unitID = kRootUnitId,
                      const TChar* shortTitle = nullptr);

  void appendString(const TChar* string);
  void appendString(const char* asciiString);
  int32 getStringCount() const { return static_cast<int32>(strings.size()); }

  void toString(ParamValue valueNormalized, String128 string) const override;
  bool fromString(const TChar* string, ParamValue& valueNormalized) const override;
  ParamValue toPlain(ParamValue valueNormalized) const override;
  ParamValue toNormalized(ParamValue plainValue) const override;

  MURKWISP_FOBJECT_CLASS(StringListParameter, Parameter)

private:
  std::vector<std::u16string> strings;
};

// Owns one reference to each parameter added; finds them by index or id.
class ParameterContainer
{
public:
  ParameterContainer() = default;
  ParameterContainer(const ParameterContainer&) = delete;
  ParameterContainer& operator=(const ParameterContainer&) = delete;
  ~ParameterContainer() { removeAll(); }

  // Takes over the caller's reference; null when p was null or could not be
  // stored (the reference is then released).
  Parameter* addParameter(Parameter* p);
  Parameter* addParameter(const TChar* title, const TChar* units, int32 stepCount, ParamValue defaultNormalized,
                          int32 flags, ParamID tag, UnitID unitID = kRootUnitId, const TChar* shortTitle = nullptr);

  int32 getParameterCount() const { return static_cast<int32>(params.size()); }
  Parameter* getParameterByIndex(int32 index) const;
  Parameter* getParameter(ParamID tag) const;
  void removeAll();

private:
  std::vector<Parameter*> params;
  std::unordered_map<ParamID, size_t> byId;
};

} // namespace Vst
} // namespace Steinberg
