#pragma once
// IUnknown for a COM object with one interface: it answers IID_IUnknown and
// the interface's own id, counts references from 1, and deletes itself as
// its own type (Derived) when the count drops to 0.
#include <windows.h>
#include <unknwn.h>

namespace ifx {
namespace igfx {

// The system's COM interfaces have public non-virtual destructors; these
// objects are deleted only by their own Release, as their own type.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

template <class Derived, class Interface>
class ComObject : public Interface
{
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
  {
    if (!object)
      return E_POINTER;
    if (IsEqualIID(riid, __uuidof(Interface)) || IsEqualIID(riid, IID_IUnknown))
    {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }

  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&mRefs)); }

  ULONG STDMETHODCALLTYPE Release() override
  {
    const LONG refs = InterlockedDecrement(&mRefs);
    if (refs > 0)
      return static_cast<ULONG>(refs);
    delete static_cast<Derived*>(this);
    return 0;
  }

protected:
  ComObject() = default;
  ~ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

private:
  LONG mRefs = 1;
};

#pragma GCC diagnostic pop

} // namespace igfx
} // namespace ifx
