#pragma once
// Process-wide cache of resources keyed by name and scale, shared by every
// editor window of the process. Callers hold the lock around every call.
// The instances: bitmaps and SVG documents (ResourceCaches.h), font bytes
// (FontDataCache.h), and on Windows fonts installed in the process and GDI
// fonts (win/WinFontCaches.h).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace ifx {
namespace igfx {

// 64-bit FNV-1a over bytes.
uint64_t Fnv1a64(const void* bytes, size_t size);

// FNV-1a over the key text "<name>-<scale with one decimal>x".
uint64_t ResourceKeyHash(const char* name, double scale);

template <class T>
class ScaledResourceCache
{
public:
  struct Entry
  {
    uint64_t hash = 0;
    std::string name;
    double scale = 1.0;
    std::unique_ptr<T> resource;
    // Handles given out for the resource that may each give it up.
    int holders = 1;
  };

  ScaledResourceCache() = default;
  ~ScaledResourceCache() { Clear(); }
  ScaledResourceCache(const ScaledResourceCache&) = delete;
  ScaledResourceCache& operator=(const ScaledResourceCache&) = delete;

  // Re-entrant: a holder may take it again.
  std::recursive_mutex& Lock() { return mMutex; }

  T* Find(const char* name, double scale) const
  {
    const uint64_t h = ResourceKeyHash(name, scale);
    for (const auto& e : mEntries)
      if (e->hash == h && e->scale == scale && e->name == (name ? name : ""))
        return e->resource.get();
    return nullptr;
  }

  // The first resource for which pred(resource) holds; null when none.
  template <class Pred>
  T* FindIf(Pred&& pred) const
  {
    for (const auto& e : mEntries)
      if (pred(*e->resource))
        return e->resource.get();
    return nullptr;
  }

  // Takes ownership with one holder; does not look for an existing entry.
  void Add(T* resource, const char* name, double scale)
  {
    auto e = std::make_unique<Entry>();
    e->hash = ResourceKeyHash(name, scale);
    e->name = name ? name : "";
    e->scale = scale;
    e->resource.reset(resource);
    mEntries.push_back(std::move(e));
  }

  // One more holder for a cached resource; false when no entry holds it. A
  // count that reaches its limit stays there: the entry then lives until
  // the cache is cleared.
  bool AddHolder(const T* resource)
  {
    Entry* e = EntryOf(resource);
    if (!e)
      return false;
    if (e->holders < kMaxHolders)
      ++e->holders;
    return true;
  }

  // One holder gives the resource up; the last one takes its entry out of
  // the cache and releases it. False when no entry holds it.
  bool RemoveHolder(const T* resource)
  {
    for (size_t i = 0; i < mEntries.size(); ++i)
      if (mEntries[i]->resource.get() == resource)
      {
        int& holders = mEntries[i]->holders;
        if (holders < kMaxHolders && --holders <= 0)
          mEntries.erase(mEntries.begin() + static_cast<long>(i));
        return true;
      }
    return false;
  }

  void Clear()
  {
    while (!mEntries.empty())
      mEntries.pop_back();
  }

  int Size() const { return static_cast<int>(mEntries.size()); }

  void Retain()
  {
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    ++mUsers;
  }

  // The last user's release empties the cache; a release without a user
  // changes nothing, so it cannot empty the cache under the users there are.
  void Release()
  {
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    if (mUsers > 0 && --mUsers == 0)
      Clear();
  }

  int Users() const { return mUsers; }

private:
  static constexpr int kMaxHolders = 0x7FFFFFFF;

  Entry* EntryOf(const T* resource) const
  {
    for (const auto& e : mEntries)
      if (e->resource.get() == resource)
        return e.get();
    return nullptr;
  }

  int mUsers = 0;
  std::recursive_mutex mMutex;
  std::vector<std::unique_ptr<Entry>> mEntries;
};

} // namespace igfx
} // namespace ifx
