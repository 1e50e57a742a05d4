#include "wrappers/vst3/IFxVST3Parameter.h"

#include <cstdio>

#include "abi/vst3/Vst3Strings.h"
#include "base/IParam.h"
#include "base/IString.h"
#include "base/UTFConversion.h"
#include "wrappers/vst3/IFxVST3Ids.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ifx {

IFxVST3Parameter::IFxVST3Parameter(IParam* param, ParamID tag, UnitID unitID) : mParam(param)
{
  info.id = tag;
  StrWidenBytes(info.title, param->GetName(), 128);
  info.shortTitle[0] = 0;
  StrWidenBytes(info.units, param->GetLabelForValue(), 128);
  info.stepCount = param->Type() == IParam::kTypeDouble ? 0 : static_cast<int32>(param->GetRange());
  info.defaultNormalizedValue = param->GetDefault(true);
  info.unitId = unitID;
  info.flags = param->GetCanAutomate() ? ParameterInfo::kCanAutomate : 0;
  if (param->Type() == IParam::kTypeEnum)
    info.flags |= ParameterInfo::kIsList;
  precision = param->GetDisplayPrecision();
  valueNormalized = param->GetNormalized();
}

void IFxVST3Parameter::toString(ParamValue v, String128 string) const
{
  IString text;
  mParam->GetDisplayText(v, true, text, true);
  StrWidenBytes(string, text.Get(), 128);
}

bool IFxVST3Parameter::fromString(const TChar* string, ParamValue& v) const
{
  // Malformed text fails to convert and, like any text that is no number
  // and no entry, fails rather than reading as 0.
  IString text;
  if (!string || !ConvertWideToUtf8(string, -1, text))
    return false;
  double plain = 0.;
  if (!mParam->TextToValue(text.Get(), plain))
    return false;
  v = mParam->ToNormalized(plain);
  return true;
}

ParamValue IFxVST3Parameter::toPlain(ParamValue v) const
{
  return mParam->Constrain(mParam->GetShape().NormalizedToValue(v, *mParam));
}

ParamValue IFxVST3Parameter::toNormalized(ParamValue plain) const { return mParam->ToNormalized(plain); }

IFxVST3BypassParameter::IFxVST3BypassParameter()
  : StringListParameter(u"Bypass", kBypassParamId, nullptr,
                        ParameterInfo::kCanAutomate | ParameterInfo::kIsList | ParameterInfo::kIsBypass, kRootUnitId)
{
  appendString("off");
  appendString("on");
  precision = 4;
}

namespace {
// nullptr: "Contr. <n>".
const char* const kControllerNames[128] = {
  "BankSel.MSB", "Modulation",  "BreathCtrl",   nullptr,       "Foot Ctrl",   "Porta.Time",  "DataEntMSB",
  "MainVolume",  "Balance",     nullptr,        "Pan",         "Expression",  "FXControl1",  "FXControl2",
  nullptr,       nullptr,       "Gen.Purp.1",   "Gen.Purp.2",  "Gen.Purp.3",  "Gen.Purp.4",  nullptr,
  nullptr,       nullptr,       nullptr,        nullptr,       nullptr,       nullptr,       nullptr,
  nullptr,       nullptr,       nullptr,        nullptr,       "BankSel.LSB", "Modul. LSB",  "BrthCt LSB",
  nullptr,       "FootCt LSB",  "Port.T LSB",   "DataEntLSB",  "MainVolLSB",  "BalanceLSB",  nullptr,
  "Pan LSB",     "Expr. LSB",   nullptr,        nullptr,       nullptr,       nullptr,       "Gen.P.1LSB",
  "Gen.P.2LSB",  "Gen.P.3LSB",  "Gen.P.4LSB",   nullptr,       nullptr,       nullptr,       nullptr,
  nullptr,       nullptr,       nullptr,        nullptr,       nullptr,       nullptr,       nullptr,
  nullptr,       "Damper Ped",  "Porta. Ped",   "Sostenuto ",  "Soft Pedal",  "Legato Sw",   "Hold 2",
  "SoundCont 1", "SoundCont 2", "SoundCont 3",  "SoundCont 4", "SoundCont 5", "SoundCont 6", "SoundCont 7",
  "SoundCont 8", "SoundCont 9", "SoundCont 10", "Gen.Purp.5",  "Gen.Purp.6",  "Gen.Purp.7",  "Gen.Purp.8",
  "Portamento",  nullptr,       nullptr,        nullptr,       nullptr,       nullptr,       nullptr,
  "FX 1 Depth",  "FX 2 Depth",  "FX 3 Depth",   "FX 4 Depth",  "FX 5 Depth",  "Data Incr",   "Data Decr",
  "Non-RegLSB",  "Non-RegMSB",  "Reg LSB",      "Reg MSB",     nullptr,       nullptr,       nullptr,
  nullptr,       nullptr,       nullptr,        nullptr,       nullptr,       nullptr,       nullptr,
  nullptr,       nullptr,       nullptr,        nullptr,       nullptr,       nullptr,       nullptr,
  nullptr,       nullptr,       "Reset Ctrl",   "Local Ctrl",  "AllNoteOff",  "OmniModOff",  "OmniModeOn",
  "MonoModeOn",  "PolyModeOn",
};

struct ControllerNameTable
{
  char names[128][16];
  ControllerNameTable()
  {
    for (int i = 0; i < 128; ++i)
    {
      if (kControllerNames[i])
        std::snprintf(names[i], sizeof(names[i]), "%s", kControllerNames[i]);
      else
        std::snprintf(names[i], sizeof(names[i]), "Contr. %d", i);
    }
  }
};
} // namespace

const char* MidiControllerName(int n) noexcept
{
  static const ControllerNameTable table;
  return n >= 0 && n < 128 ? table.names[n] : "";
}

} // namespace ifx
