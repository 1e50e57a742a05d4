#pragma once
// Process-wide register of FObject dependents: who hears of whose changes.
// Made on first use under the support classes' lock; objects that never
// take dependents never touch it.
#include <vector>

#include "abi/vst3/FLock.h"
#include "abi/vst3/FObject.h"

namespace Steinberg {

class UpdateHandler
{
public:
  static UpdateHandler* instance(bool create = true);

  void addDependent(FObject* object, FObject* dependent);
  void removeDependent(FObject* object, FObject* dependent);
  // Drops every entry naming the object, as source or as dependent.
  void forget(FObject* object);
  // Tells the object's dependents; returns how many heard it.
  int triggerUpdates(FObject* object, int32 message);
  int countDependents(FObject* object);

private:
  struct Entry
  {
    FObject* object;
    FObject* dependent;
  };
  FLock lock;
  std::vector<Entry> entries;
};

} // namespace Steinberg
