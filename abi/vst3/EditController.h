#pragma once
// Edit controller on a parameter container, and its unit-aware extension.
#include <vector>

#include "abi/vst3/ComponentBase.h"
#include "abi/vst3/Parameter.h"
#include "abi/vst3/Unit.h"
#include "abi/vst3/Vst3EditController.h"
#include "abi/vst3/Vst3Units.h"

namespace Steinberg {
namespace Vst {

class EditController
  : public ComponentBase
  , public IEditController
  , public IEditController2
{
public:
  EditController() = default;
  ~EditController() override;

  tresult PLUGIN_API initialize(FUnknown* context) override;
  tresult PLUGIN_API terminate() override;

  tresult PLUGIN_API setComponentState(IBStream* state) override { return kNotImplemented; }
  // IComponent declares the same pair; `final` here keeps a derived
  // single-component class from serving both with one override. The
  // controller's pair is reached through the hooks below.
  tresult PLUGIN_API setState(IBStream* state) final { return setControllerState(state); }
  tresult PLUGIN_API getState(IBStream* state) final { return getControllerState(state); }
  int32 PLUGIN_API getParameterCount() override { return parameters.getParameterCount(); }
  tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) override;
  tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) override;
  tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) override;
  ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue valueNormalized) override;
  ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plainValue) override;
  ParamValue PLUGIN_API getParamNormalized(ParamID id) override;
  tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) override;
  tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) override;
  IPlugView* PLUGIN_API createView(FIDString name) override { return nullptr; }

  tresult PLUGIN_API setKnobMode(KnobMode mode) override;
  tresult PLUGIN_API openHelp(TBool onlyCheck) override { return kResultFalse; }
  tresult PLUGIN_API openAboutBox(TBool onlyCheck) override { return kResultFalse; }

  virtual tresult setControllerState(IBStream* state) { return kNotImplemented; }
  virtual tresult getControllerState(IBStream* state) { return kNotImplemented; }

  // Gestures and edits go to the host's component handler (nowhere without one).
  tresult beginEdit(ParamID id);
  tresult performEdit(ParamID id, ParamValue valueNormalized);
  tresult endEdit(ParamID id);
  tresult startGroupEdit();
  tresult finishGroupEdit();
  IComponentHandler* getComponentHandler() const { return componentHandler; }
  KnobMode getKnobMode() const { return knobMode; }

  MURKWISP_FOBJECT_REFCOUNT
  tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
  MURKWISP_FOBJECT_CLASS(EditController, ComponentBase)

protected:
  ParameterContainer parameters;
  IComponentHandler* componentHandler = nullptr;
  IComponentHandler2* componentHandler2 = nullptr;
  KnobMode knobMode = kCircularMode;

private:
  void releaseHandlers();
};

class EditControllerEx1
  : public EditController
  , public IUnitInfo
{
public:
  EditControllerEx1() = default;
  ~EditControllerEx1() override;

  // Take over the caller's reference.
  bool addUnit(Unit* unit);
  bool addProgramList(ProgramList* list);
  ProgramList* getProgramList(ProgramListID listId) const;
  void removeAllUnits();

  int32 PLUGIN_API getUnitCount() override { return static_cast<int32>(units.size()); }
  tresult PLUGIN_API getUnitInfo(int32 unitIndex, UnitInfo& info) override;
  int32 PLUGIN_API getProgramListCount() override { return static_cast<int32>(programLists.size()); }
  tresult PLUGIN_API getProgramListInfo(int32 listIndex, ProgramListInfo& info) override;
  tresult PLUGIN_API getProgramName(ProgramListID listId, int32 programIndex, String128 name) override;
  tresult PLUGIN_API getProgramInfo(ProgramListID listId, int32 programIndex, CString attributeId,
                                    String128 attributeValue) override
  {
    return kResultFalse;
  }
  tresult PLUGIN_API hasProgramPitchNames(ProgramListID listId, int32 programIndex) override { return kResultFalse; }
  tresult PLUGIN_API getProgramPitchName(ProgramListID listId, int32 programIndex, int16 midiPitch,
                                         String128 name) override
  {
    return kResultFalse;
  }
  UnitID PLUGIN_API getSelectedUnit() override { return selectedUnit; }
  tresult PLUGIN_API selectUnit(UnitID unitId) override
  {
    selectedUnit = unitId;
    return kResultTrue;
  }
  tresult PLUGIN_API getUnitByBus(MediaType type, BusDirection dir, int32 busIndex, int32 channel,
                                  UnitID& unitId) override
  {
    return kResultFalse;
  }
  tresult PLUGIN_API setUnitProgramData(int32 listOrUnitId, int32 programIndex, IBStream* data) override
  {
    return kResultFalse;
  }

  MURKWISP_FOBJECT_REFCOUNT
  tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
  MURKWISP_FOBJECT_CLASS(EditControllerEx1, EditController)

protected:
  std::vector<Unit*> units;
  std::vector<ProgramList*> programLists;
  UnitID selectedUnit = kRootUnitId;
};

} // namespace Vst
} // namespace Steinberg
