#include "abi/vst3/EditController.h"

#include <new>

namespace Steinberg {
namespace Vst {

EditController::~EditController() { releaseHandlers(); }

void EditController::releaseHandlers()
{
  if (componentHandler2)
    componentHandler2->release();
  if (componentHandler)
    componentHandler->release();
  componentHandler2 = nullptr;
  componentHandler = nullptr;
}

tresult PLUGIN_API EditController::initialize(FUnknown* context) { return ComponentBase::initialize(context); }

tresult PLUGIN_API EditController::terminate()
{
  parameters.removeAll();
  releaseHandlers();
  return ComponentBase::terminate();
}

tresult PLUGIN_API EditController::getParameterInfo(int32 paramIndex, ParameterInfo& info)
{
  Parameter* p = parameters.getParameterByIndex(paramIndex);
  if (!p)
    return kResultFalse;
  info = p->getInfo();
  return kResultTrue;
}

tresult PLUGIN_API EditController::getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string)
{
  Parameter* p = parameters.getParameter(id);
  if (!p || !string)
    return kResultFalse;
  p->toString(valueNormalized, string);
  return kResultTrue;
}

tresult PLUGIN_API EditController::getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized)
{
  Parameter* p = parameters.getParameter(id);
  if (!p || !string)
    return kResultFalse;
  return p->fromString(string, valueNormalized) ? kResultTrue : kResultFalse;
}

ParamValue PLUGIN_API EditController::normalizedParamToPlain(ParamID id, ParamValue valueNormalized)
{
  Parameter* p = parameters.getParameter(id);
  return p ? p->toPlain(valueNormalized) : valueNormalized;
}

ParamValue PLUGIN_API EditController::plainParamToNormalized(ParamID id, ParamValue plainValue)
{
  Parameter* p = parameters.getParameter(id);
  return p ? p->toNormalized(plainValue) : plainValue;
}

ParamValue PLUGIN_API EditController::getParamNormalized(ParamID id)
{
  Parameter* p = parameters.getParameter(id);
  return p ? p->getNormalized() : 0.;
}

tresult PLUGIN_API EditController::setParamNormalized(ParamID id, ParamValue value)
{
  Parameter* p = parameters.getParameter(id);
  if (!p)
    return kResultFalse;
  p->setNormalized(value);
  return kResultTrue;
}

tresult PLUGIN_API EditController::setComponentHandler(IComponentHandler* handler)
{
  if (handler == componentHandler)
    return kResultTrue;
  releaseHandlers();
  componentHandler = handler;
  if (componentHandler)
  {
    componentHandler->addRef();
    void* obj = nullptr;
    if (componentHandler->queryInterface(IComponentHandler2::iid, &obj) == kResultOk && obj)
      componentHandler2 = static_cast<IComponentHandler2*>(obj);
  }
  return kResultTrue;
}

tresult PLUGIN_API EditController::setKnobMode(KnobMode mode)
{
  if (mode < kCircularMode || mode > kLinearMode)
    return kResultFalse;
  knobMode = mode;
  return kResultTrue;
}

tresult EditController::beginEdit(ParamID id)
{
  return componentHandler ? componentHandler->beginEdit(id) : kResultFalse;
}

tresult EditController::performEdit(ParamID id, ParamValue valueNormalized)
{
  return componentHandler ? componentHandler->performEdit(id, valueNormalized) : kResultFalse;
}

tresult EditController::endEdit(ParamID id) { return componentHandler ? componentHandler->endEdit(id) : kResultFalse; }

tresult EditController::startGroupEdit()
{
  return componentHandler2 ? componentHandler2->startGroupEdit() : kNotImplemented;
}

tresult EditController::finishGroupEdit()
{
  return componentHandler2 ? componentHandler2->finishGroupEdit() : kNotImplemented;
}

tresult PLUGIN_API EditController::queryInterface(const TUID _iid, void** obj)
{
  if (!obj)
    return kInvalidArgument;
  if (IidEqual(_iid, IEditController::iid))
    return AnswerInterface<IEditController>(this, obj);
  if (IidEqual(_iid, IEditController2::iid))
    return AnswerInterface<IEditController2>(this, obj);
  return ComponentBase::queryInterface(_iid, obj);
}

EditControllerEx1::~EditControllerEx1() { removeAllUnits(); }

bool EditControllerEx1::addUnit(Unit* unit)
{
  if (!unit)
    return false;
  try
  {
    units.push_back(unit);
  }
  catch (const std::bad_alloc&)
  {
    unit->release();
    return false;
  }
  return true;
}

bool EditControllerEx1::addProgramList(ProgramList* list)
{
  if (!list)
    return false;
  try
  {
    programLists.push_back(list);
  }
  catch (const std::bad_alloc&)
  {
    list->release();
    return false;
  }
  return true;
}

ProgramList* EditControllerEx1::getProgramList(ProgramListID listId) const
{
  for (ProgramList* list : programLists)
    if (list->getID() == listId)
      return list;
  return nullptr;
}

void EditControllerEx1::removeAllUnits()
{
  for (Unit* unit : units)
    unit->release();
  units.clear();
  for (ProgramList* list : programLists)
    list->release();
  programLists.clear();
}

tresult PLUGIN_API EditControllerEx1::getUnitInfo(int32 unitIndex, UnitInfo& info)
{
  if (unitIndex < 0 || unitIndex >= getUnitCount())
    return kResultFalse;
  info = units[static_cast<size_t>(unitIndex)]->getInfo();
  return kResultTrue;
}

tresult PLUGIN_API EditControllerEx1::getProgramListInfo(int32 listIndex, ProgramListInfo& info)
{
  if (listIndex < 0 || listIndex >= getProgramListCount())
    return kResultFalse;
  info = programLists[static_cast<size_t>(listIndex)]->getInfo();
  return kResultTrue;
}

tresult PLUGIN_API EditControllerEx1::getProgramName(ProgramListID listId, int32 programIndex, String128 name)
{
  ProgramList* list = getProgramList(listId);
  return list ? list->getProgramName(programIndex, name) : kResultFalse;
}

tresult PLUGIN_API EditControllerEx1::queryInterface(const TUID _iid, void** obj)
{
  if (!obj)
    return kInvalidArgument;
  if (IidEqual(_iid, IUnitInfo::iid))
    return AnswerInterface<IUnitInfo>(this, obj);
  return EditController::queryInterface(_iid, obj);
}

} // namespace Vst
} // namespace Steinberg
