#pragma once
#include <cstddef>
#include <new>
#include <type_traits>

namespace murkwisp::engine {

// A zero-filled array on a 16-byte boundary, so SSE loads and stores need
// no unaligned forms. Allocation failure leaves it empty (check with
// `operator bool`); nothing here throws.
template <class T>
class AlignedBuffer
{
  static_assert(std::is_trivially_destructible<T>::value, "elements are never destroyed one by one");

public:
  static constexpr std::size_t kAlignment = 16;

  AlignedBuffer() noexcept = default;
  explicit AlignedBuffer(std::size_t count) noexcept
  {
    if (count > static_cast<std::size_t>(-1) / sizeof(T))
      return;
    mData = static_cast<T*>(::operator new[](count * sizeof(T), std::align_val_t(kAlignment), std::nothrow));
    if (!mData)
      return;
    for (std::size_t i = 0; i < count; ++i)
      new (mData + i) T();
  }
  ~AlignedBuffer() { Release(); }

  AlignedBuffer(const AlignedBuffer&) = delete;
  AlignedBuffer& operator=(const AlignedBuffer&) = delete;
  AlignedBuffer(AlignedBuffer&& other) noexcept : mData(other.mData) { other.mData = nullptr; }
  AlignedBuffer& operator=(AlignedBuffer&& other) noexcept
  {
    if (this != &other)
    {
      Release();
      mData = other.mData;
      other.mData = nullptr;
    }
    return *this;
  }

  explicit operator bool() const noexcept { return mData != nullptr; }
  T* get() noexcept { return mData; }
  const T* get() const noexcept { return mData; }
  T& operator[](std::size_t i) noexcept { return mData[i]; }
  const T& operator[](std::size_t i) const noexcept { return mData[i]; }

private:
  void Release() noexcept
  {
    if (mData)
      ::operator delete[](mData, std::align_val_t(kAlignment));
    mData = nullptr;
  }

  T* mData = nullptr;
};

} // namespace murkwisp::engine
