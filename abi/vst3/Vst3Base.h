#pragma once
// Our own declarations of the VST3 binary interface: basic types, result
// codes, interface ids and FUnknown. Every interface class below keeps the
// exact slot order of the published ABI: no virtual destructor (it would add
// slots), only a protected non-virtual one so nobody deletes through an
// interface pointer.
#include <cstdint>
#include <cstring>

#if defined(_WIN32)
#define PLUGIN_API __stdcall
#define MURKWISP_VST3_COM_COMPATIBLE 1
#else
#define PLUGIN_API
#define MURKWISP_VST3_COM_COMPATIBLE 0
#endif

// Declares the protected destructor every interface class carries.
#define MURKWISP_VST3_INTERFACE(Name) \
protected:                            \
  ~Name() = default;                  \
                                      \
public:

namespace Steinberg {

using int8 = char;
using uint8 = uint8_t;
using uchar = unsigned char;
using int16 = int16_t;
using uint16 = uint16_t;
using int32 = int32_t;
using uint32 = uint32_t;
using int64 = int64_t;
using uint64 = uint64_t;
using TSize = int64;
using tresult = int32;
using TBool = uint8;
using char8 = char;
using char16 = char16_t;
using tchar = char16;
using CStringA = const char8*;
using CStringW = const char16*;
using FIDString = const char8*;
using UCoord = int32;
using TUID = char[16];

static_assert(sizeof(TUID) == 16, "TUID is 16 bytes");
static_assert(sizeof(char16) == 2, "char16 is one UTF-16 unit");

#if MURKWISP_VST3_COM_COMPATIBLE
enum : tresult
{
  kNoInterface = static_cast<tresult>(0x80004002L),
  kResultOk = static_cast<tresult>(0x00000000L),
  kResultTrue = kResultOk,
  kResultFalse = static_cast<tresult>(0x00000001L),
  kInvalidArgument = static_cast<tresult>(0x80070057L),
  kNotImplemented = static_cast<tresult>(0x80004001L),
  kInternalError = static_cast<tresult>(0x80004005L),
  kNotInitialized = static_cast<tresult>(0x8000FFFFL),
  kOutOfMemory = static_cast<tresult>(0x8007000EL),
};
#else
enum : tresult
{
  kNoInterface = -1,
  kResultOk = 0,
  kResultTrue = kResultOk,
  kResultFalse = 1,
  kInvalidArgument = 2,
  kNotImplemented = 3,
  kInternalError = 4,
  kNotInitialized = 5,
  kOutOfMemory = 6,
};
#endif

// The 16 bytes of an interface id from its four numbers: COM GUID order on
// Windows (little-endian first number and halves of the second), plain
// big-endian order elsewhere.
#define MURKWISP_B(v, s) static_cast<char>(((v) >> (s)) & 0xFF)
#if MURKWISP_VST3_COM_COMPATIBLE
#define MURKWISP_VST3_UID(l1, l2, l3, l4)                                                               \
  {                                                                                                     \
    MURKWISP_B(l1, 0), MURKWISP_B(l1, 8), MURKWISP_B(l1, 16), MURKWISP_B(l1, 24), MURKWISP_B(l2, 16),   \
      MURKWISP_B(l2, 24), MURKWISP_B(l2, 0), MURKWISP_B(l2, 8), MURKWISP_B(l3, 24), MURKWISP_B(l3, 16), \
      MURKWISP_B(l3, 8), MURKWISP_B(l3, 0), MURKWISP_B(l4, 24), MURKWISP_B(l4, 16), MURKWISP_B(l4, 8),  \
      MURKWISP_B(l4, 0)                                                                                 \
  }
#else
#define MURKWISP_VST3_UID(l1, l2, l3, l4)                                                               \
  {                                                                                                     \
    MURKWISP_B(l1, 24), MURKWISP_B(l1, 16), MURKWISP_B(l1, 8), MURKWISP_B(l1, 0), MURKWISP_B(l2, 24),   \
      MURKWISP_B(l2, 16), MURKWISP_B(l2, 8), MURKWISP_B(l2, 0), MURKWISP_B(l3, 24), MURKWISP_B(l3, 16), \
      MURKWISP_B(l3, 8), MURKWISP_B(l3, 0), MURKWISP_B(l4, 24), MURKWISP_B(l4, 16), MURKWISP_B(l4, 8),  \
      MURKWISP_B(l4, 0)                                                                                 \
  }
#endif

// Inside an interface class: its id as `Name::iid`.
#define MURKWISP_VST3_IID(l1, l2, l3, l4) static constexpr TUID iid = MURKWISP_VST3_UID(l1, l2, l3, l4);

// Ids passed by hosts have no alignment guarantee: compare bytes.
inline bool IidEqual(const void* a, const void* b) noexcept { return a && b && std::memcmp(a, b, 16) == 0; }

class FUnknown
{
public:
  MURKWISP_VST3_IID(0x00000000, 0x00000000, 0xC0000000, 0x00000046)
  virtual tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) = 0;
  virtual uint32 PLUGIN_API addRef() = 0;
  virtual uint32 PLUGIN_API release() = 0;
  MURKWISP_VST3_INTERFACE(FUnknown)
};

// A queryInterface hit: one more reference, and the pointer to the I base
// of `self` (never the object start, unless I is the first base).
template <class I, class T>
tresult AnswerInterface(T* self, void** obj)
{
  self->addRef();
  *obj = static_cast<I*>(self);
  return kResultOk;
}

// Keeps one reference to an interface for as long as it lives; used by our
// own code where a host object is queried, used and released.
template <class I>
class IPtr
{
public:
  IPtr() = default;
  explicit IPtr(I* p, bool addRef = true) : ptr(p)
  {
    if (ptr && addRef)
      ptr->addRef();
  }
  IPtr(const IPtr& o) : IPtr(o.ptr) {}
  IPtr& operator=(const IPtr& o)
  {
    reset(o.ptr);
    return *this;
  }
  ~IPtr()
  {
    if (ptr)
      ptr->release();
  }
  void reset(I* p = nullptr, bool addRef = true)
  {
    if (p && addRef)
      p->addRef();
    if (ptr)
      ptr->release();
    ptr = p;
  }
  I* get() const { return ptr; }
  I* operator->() const { return ptr; }
  explicit operator bool() const { return ptr != nullptr; }

private:
  I* ptr = nullptr;
};

// Queries `unknown` for I; the result holds the reference queryInterface
// added (empty when the object does not offer I).
template <class I>
IPtr<I> QueryInterface(FUnknown* unknown)
{
  IPtr<I> result;
  void* obj = nullptr;
  if (unknown && unknown->queryInterface(I::iid, &obj) == kResultOk && obj)
    result.reset(static_cast<I*>(obj), false);
  return result;
}

} // namespace Steinberg
