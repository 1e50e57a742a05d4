#include "abi/vst3/UpdateHandler.h"

#include <algorithm>
#include <atomic>

namespace Steinberg {

namespace {
std::atomic<UpdateHandler*> gUpdateHandler{nullptr};
FLock& SingletonLock()
{
  static FLock lock;
  return lock;
}
} // namespace

UpdateHandler* UpdateHandler::instance(bool create)
{
  UpdateHandler* handler = gUpdateHandler.load();
  if (handler || !create)
    return handler;
  FGuard guard(SingletonLock());
  handler = gUpdateHandler.load();
  if (!handler)
  {
    // Lives until the process ends: objects may still unregister from
    // static destructors.
    handler = new UpdateHandler;
    gUpdateHandler.store(handler);
  }
  return handler;
}

void UpdateHandler::addDependent(FObject* object, FObject* dependent)
{
  if (!object || !dependent)
    return;
  FGuard guard(lock);
  entries.push_back({object, dependent});
}

void UpdateHandler::removeDependent(FObject* object, FObject* dependent)
{
  FGuard guard(lock);
  auto it = std::find_if(entries.begin(), entries.end(),
                         [&](const Entry& e) { return e.object == object && e.dependent == dependent; });
  if (it != entries.end())
    entries.erase(it);
}

void UpdateHandler::forget(FObject* object)
{
  FGuard guard(lock);
  entries.erase(std::remove_if(entries.begin(), entries.end(),
                               [&](const Entry& e) { return e.object == object || e.dependent == object; }),
                entries.end());
}

int UpdateHandler::triggerUpdates(FObject* object, int32 message)
{
  // Copy first: a dependent may unregister itself from its update call.
  std::vector<FObject*> targets;
  {
    FGuard guard(lock);
    for (const Entry& e : entries)
      if (e.object == object)
        targets.push_back(e.dependent);
  }
  for (FObject* dependent : targets)
    dependent->update(object, message);
  return static_cast<int>(targets.size());
}

int UpdateHandler::countDependents(FObject* object)
{
  FGuard guard(lock);
  return static_cast<int>(
    std::count_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.object == object; }));
}

} // namespace Steinberg
