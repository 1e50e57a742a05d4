#pragma once
// Finding fonts and images by the file name the layout gives: first among the
// module's embedded resources of the matching type, then as a path on disk.
// UI thread only. On Windows the module is an HINSTANCE; natively there are
// no embedded resources and only the disk is searched.
#include "base/IString.h"

namespace ifx {

enum EResourceLocation : int
{
  kResourceNotFound = 0,
  kResourceOnDisk = 1,   // result: the path as given
  kResourceEmbedded = 2, // result: the resource's own name as stored in the module
};

// name and type are UTF-8; type is given in lower case ("ttf") and searched
// upper-cased. Resource names compare without regard to case and without the
// surrounding quotes some resource compilers store. result is set only when
// something is found.
int FindResourceOrFile(const char* name, const char* type, IString& result, void* module);

// The bytes of an embedded resource (read-only, owned by the module), or null
// for a missing resource or one of 7 bytes or fewer (size then untouched).
// name is the name FindResourceOrFile returned.
const void* LoadResourceData(const char* name, const char* type, int& size, void* module);

} // namespace ifx
