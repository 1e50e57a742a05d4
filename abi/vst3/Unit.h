#pragma once
// Units (parameter groups shown by hosts) and program lists.
#include <string>
#include <vector>

#include "abi/vst3/FObject.h"
#include "abi/vst3/Vst3Units.h"

namespace Steinberg {
namespace Vst {

class Unit : public FObject
{
public:
  Unit(const TChar* name, UnitID unitId, UnitID parentUnitId = kRootUnitId,
       ProgramListID programListId = kNoProgramListId);
  explicit Unit(const UnitInfo& info) : info(info) {}
  const UnitInfo& getInfo() const { return info; }
  UnitID getID() const { return info.id; }
  const TChar* getName() const { return info.name; }
  void setName(const TChar* name);
  ProgramListID getProgramListId() const { return info.programListId; }
  MURKWISP_FOBJECT_CLASS(Unit, FObject)

private:
  UnitInfo info;
};

class ProgramList : public FObject
{
public:
  ProgramList(const TChar* name, ProgramListID listId, UnitID unitId);
  const ProgramListInfo& getInfo() const { return info; }
  ProgramListID getID() const { return info.id; }
  UnitID getUnitId() const { return unitId; }
  // Returns the new program's index, -1 when it could not be stored.
  int32 addProgram(const TChar* name);
  bool setProgramName(int32 programIndex, const TChar* name);
  tresult getProgramName(int32 programIndex, String128 name) const;
  int32 getCount() const { return static_cast<int32>(names.size()); }
  MURKWISP_FOBJECT_CLASS(ProgramList, FObject)

private:
  ProgramListInfo info;
  UnitID unitId;
  std::vector<std::u16string> names;
};

} // namespace Vst
} // namespace Steinberg
