#pragma once
// Growable byte buffer for state, presets and preset files. Values are
// appended raw in the machine's order (little-endian: x86-64 and the state
// format agree), with no header, tag or count.
#include <cstdint>
#include <type_traits>

#include "base/IHeapBuf.h"

namespace ifx {

#if defined(__BYTE_ORDER__) && defined(__ORDER_LITTLE_ENDIAN__)
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "state chunks store little-endian values raw");
#endif

class IStateChunk
{
public:
  static constexpr int kGranularity = 4096;

  IStateChunk() noexcept;
  IStateChunk(const IStateChunk& other);
  IStateChunk& operator=(const IStateChunk& other);

  int Size() const noexcept;
  uint8_t* GetData() noexcept;
  const uint8_t* GetData() const noexcept;

  // Sets the used size; false (and the old contents kept) when memory runs out.
  bool Resize(int newSize) noexcept;
  void Clear() noexcept;

  // Appends size bytes (zeros when data is null). False when the chunk could
  // not grow; the chunk then keeps its previous contents.
  bool PutBytes(const void* data, int size) noexcept;
  bool PutChunk(const IStateChunk& other) noexcept { return PutBytes(other.GetData(), other.Size()); }

  template <class T>
  bool Put(const T& value) noexcept
  {
    static_assert(std::is_arithmetic<T>::value, "only plain numbers go into a state chunk");
    return PutBytes(&value, static_cast<int>(sizeof(T)));
  }

  // Copies size bytes from startPos into out. Returns the position after
  // them, or -1 when startPos is negative or fewer bytes remain (out is then
  // left untouched).
  int GetBytes(void* out, int size, int startPos) const noexcept;

  template <class T>
  int Get(T& value, int startPos) const noexcept
  {
    static_assert(std::is_arithmetic<T>::value, "only plain numbers come out of a state chunk");
    return GetBytes(&value, static_cast<int>(sizeof(T)), startPos);
  }

private:
  IHeapBuf mBytes;
};

} // namespace ifx
