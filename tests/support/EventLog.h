#pragma once
// One ordered log shared by the recording delegate, graphics and test controls,
// so tests can check the order in which they were called.
#include <string>
#include <vector>

namespace ifx {
namespace testkit {

class EventLog
{
public:
  void Add(std::string entry) { mEntries.push_back(std::move(entry)); }
  const std::vector<std::string>& Entries() const { return mEntries; }
  void Clear() { mEntries.clear(); }
  int Count(const std::string& prefix) const
  {
    int n = 0;
    for (const auto& e : mEntries)
      if (e.compare(0, prefix.size(), prefix) == 0)
        ++n;
    return n;
  }
  // Index of the first entry starting with prefix, or -1.
  int IndexOf(const std::string& prefix) const
  {
    for (size_t i = 0; i < mEntries.size(); ++i)
      if (mEntries[i].compare(0, prefix.size(), prefix) == 0)
        return static_cast<int>(i);
    return -1;
  }

private:
  std::vector<std::string> mEntries;
};

} // namespace testkit
} // namespace ifx
