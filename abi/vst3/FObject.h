#pragma once
// Reference-counted base object of everything our module hands to a host
// (plug-in, views, parameters, buses, controls). It answers FUnknown and
// carries a class name for run-time type checks.
#include <atomic>
#include <cstring>

#include "abi/vst3/Vst3Base.h"

namespace Steinberg {

using FClassID = FIDString;

class FObject : public FUnknown
{
public:
  enum ChangeMessage : int32
  {
    kWillChange,
    kChanged,
    kDestroyed,
    kWillDestroy,
    kStdChangeMessageLast = kWillDestroy
  };

  FObject() = default;
  FObject(const FObject&) : FObject() {}
  FObject& operator=(const FObject&) { return *this; }
  virtual ~FObject();

  tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
  uint32 PLUGIN_API addRef() override;
  // At zero the count is parked at -1000 (so a stray addRef from a
  // destructor cannot resurrect the object) and the object is deleted.
  uint32 PLUGIN_API release() override;

  int32 getRefCount() const { return refCount.load(); }

  static FClassID getFClassID() { return "FObject"; }
  virtual FClassID isA() const { return getFClassID(); }
  virtual bool isTypeOf(FClassID s, bool askBaseClass = true) const { return classIDsEqual(s, getFClassID()); }
  static bool classIDsEqual(FClassID a, FClassID b) { return a && b && std::strcmp(a, b) == 0; }

  // Dependents registered with the update handler hear of changes.
  virtual void update(FUnknown* changedUnknown, int32 message) {}
  virtual void changed(int32 msg = kChanged);
  void addDependent(FObject* dependent);
  void removeDependent(FObject* dependent);

protected:
  std::atomic<int32> refCount{1};
};

} // namespace Steinberg

// In a class that derives from FObject and further interfaces: one final
// reference count for all of its FUnknown bases.
#define MURKWISP_FOBJECT_REFCOUNT                                                             \
  ::Steinberg::uint32 PLUGIN_API addRef() override { return ::Steinberg::FObject::addRef(); } \
  ::Steinberg::uint32 PLUGIN_API release() override { return ::Steinberg::FObject::release(); }

// Class name and type check of an FObject subclass.
#define MURKWISP_FOBJECT_CLASS(Name, Base)                                               \
  static ::Steinberg::FClassID getFClassID() { return #Name; }                           \
  ::Steinberg::FClassID isA() const override { return getFClassID(); }                   \
  bool isTypeOf(::Steinberg::FClassID s, bool askBaseClass = true) const override        \
  {                                                                                      \
    return classIDsEqual(s, getFClassID()) || (askBaseClass && Base::isTypeOf(s, true)); \
  }
