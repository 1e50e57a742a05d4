#include "abi/vst3/Unit.h"

#include <cstring>
#include <new>

#include "abi/vst3/Vst3Strings.h"

namespace Steinberg {
namespace Vst {

Unit::Unit(const TChar* name, UnitID unitId, UnitID parentUnitId, ProgramListID programListId)
{
  std::memset(&info, 0, sizeof(info));
  info.id = unitId;
  info.parentUnitId = parentUnitId;
  info.programListId = programListId;
  StrCopy16(info.name, name, 128);
}

void Unit::setName(const TChar* name) { StrCopy16(info.name, name, 128); }

ProgramList::ProgramList(const TChar* name, ProgramListID listId, UnitID unit) : unitId(unit)
{
  std::memset(&info, 0, sizeof(info));
  info.id = listId;
  StrCopy16(info.name, name, 128);
}

int32 ProgramList::addProgram(const TChar* name)
{
  try
  {
    names.emplace_back(name ? name : u"");
  }
  catch (const std::bad_alloc&)
  {
    return -1;
  }
  info.programCount = getCount();
  return getCount() - 1;
}

bool ProgramList::setProgramName(int32 programIndex, const TChar* name)
{
  if (programIndex < 0 || programIndex >= getCount())
    return false;
  names[static_cast<size_t>(programIndex)] = name ? name : u"";
  return true;
}

tresult ProgramList::getProgramName(int32 programIndex, String128 name) const
{
  if (programIndex < 0 || programIndex >= getCount() || !name)
    return kResultFalse;
  StrCopy16(name, names[static_cast<size_t>(programIndex)].c_str(), 128);
  return kResultOk;
}

} // namespace Vst
} // namespace Steinberg
