#include "window/FileDialogText.h"

namespace ifx {
namespace igfx {

void MakeFileFilter(const char* extensions, IString& patterns, IString& defaultExt)
{
  patterns.Set("");
  defaultExt.Set("");
  for (const char* p = extensions ? extensions : ""; *p;)
  {
    while (*p == ' ')
      ++p;
    const char* end = p;
    while (*end && *end != ' ')
      ++end;
    if (end == p)
      break;
    const int len = static_cast<int>(end - p);
    if (defaultExt.Empty())
      defaultExt.Set(p, len);
    if (!patterns.Empty())
      patterns.Append(";");
    patterns.Append("*.");
    patterns.Append(p, len);
    p = end;
  }
}

void DirectoryOfPath(const char* path, IString& directory)
{
  directory.Set("");
  if (!path)
    return;
  int keep = 0;
  for (int i = 0; path[i]; ++i)
    if (path[i] == '\\' || path[i] == '/')
      keep = i + 1;
  if (keep == 0 && path[0] && path[1] == ':')
    keep = 2;
  if (keep > 0)
    directory.Set(path, keep);
}

} // namespace igfx
} // namespace ifx
