#pragma once
// The texts of the file dialogs that need no window: the filter built from
// an extension list, and the folder part of a chosen path.
#include "base/IString.h"

namespace ifx {
namespace igfx {

// extensions: space-separated words ("fxp txt"). patterns becomes
// "*.fxp;*.txt" and defaultExt the first word; both "" for an empty list.
void MakeFileFilter(const char* extensions, IString& patterns, IString& defaultExt);

// The drive and folder of path, ending with its last separator ('\\' or
// '/'); just the drive ("C:") when it has no separator, else "".
void DirectoryOfPath(const char* path, IString& directory);

} // namespace igfx
} // namespace ifx
