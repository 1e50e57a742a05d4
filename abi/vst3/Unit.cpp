#include "abi/vst3/Unit.h"

#include <cstring>
#include <new>

namespace Steinberg {
namespace Vst {

namespace {
void CopyName(String128 dst, const TChar* src) {
  int32 n = 0;
  if (src)
    for (; n < 127 && src[n]; ++n) dst[n] = src[n];
  dst[n] = 0;
}
}  // namespace

Unit::Unit(const TChar* name, UnitID unitId, UnitID parentUnitId, ProgramListID programListId) {
  std::memset(&info, 0, sizeof(info));
  info.id = unitId;
  info.parentUnitId = parentUnitId;
  info.programListId = programListId;
  CopyName(info.name, name);
}

void Unit::setName(const TChar* name) { CopyName(info.name, name); }

ProgramList::ProgramList(const TChar* name, ProgramListID listId, UnitID unit) : unitId(unit) {
  std::memset(&info, 0, sizeof(info));
  info.id = listId;
  CopyName(info.name, name);
}

int32 ProgramList::addProgram(const TChar* name) {
  try {
    names.emplace_back(name ? name : u"");
  } catch (const std::bad_alloc&) {
    return -1;
  }
  info.programCount = getCount();
  return getCount() - 1;
}

bool ProgramList::setProgramName(int32 programIndex, const TChar* name) {
  if (programIndex < 0 || programIndex >= getCount()) return false;
  names[static_cast<size_t>(programIndex)] = name ? name : u"";
  return true;
}

tresult ProgramList::getProgramName(int32 programIndex, String128 name) const {
  if (programIndex < 0 || programIndex >= getCount() || !name) return kResultFalse;
  CopyName(name, names[static_cast<size_t>(programIndex)].c_str());
  return kResultOk;
}

}  // namespace Vst
}  // namespace Steinberg
