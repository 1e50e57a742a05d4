// Native stand-in: Linux builds have no module resources, so every lookup
// goes to the disk, where paths are UTF-8 already.
#include "platform/ResourceLookup.h"

#include <sys/stat.h>

namespace ifx {

int FindResourceOrFile(const char* name, const char* type, IString& result, void* module)
{
  if (!name || !*name)
    return kResourceNotFound;
  struct stat info;
  if (stat(name, &info) != 0)
    return kResourceNotFound;
  result.Set(name);
  return kResourceOnDisk;
}

const void* LoadResourceData(const char* name, const char* type, int& size, void* module) { return nullptr; }

} // namespace ifx
