#pragma once
// Growth of the GL back end's arrays (texture table and frame queues).

#include <algorithm>
#include <cstdlib>

namespace ifx::canvas {

namespace canvasgl {
// Grows an array to at least `needed` elements: max(needed, minimum) plus
// half the old capacity. False, leaving it as it was, without memory.
template <typename T>
inline bool Grow(T*& data, int& capacity, int needed, int minimum, size_t elementSize = sizeof(T))
{
  if (needed <= capacity)
    return true;
  const int cap = std::max(needed, minimum) + capacity / 2;
  void* grown = std::realloc(data, elementSize * (size_t)cap);
  if (!grown)
    return false;
  data = static_cast<T*>(grown);
  capacity = cap;
  return true;
}

// Appends n elements to an array with a count: the index of the first, or -1
// (nothing changed) without memory.
template <typename T>
inline int Reserve(T*& data, int& count, int& capacity, int n, int minimum, size_t elementSize = sizeof(T))
{
  if (!Grow(data, capacity, count + n, minimum, elementSize))
    return -1;
  const int first = count;
  count += n;
  return first;
}
} // namespace canvasgl

} // namespace ifx::canvas
