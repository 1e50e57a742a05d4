#pragma once
// Opening a file by a UTF-8 path: preset files, and the fonts and images the
// editor loads from disk. Windows takes the path as UTF-16.
#include <cstdio>

namespace ifx {

// mode is given as to fopen ("rb", "wb"); null on failure, for a null or
// empty path and for a path that is not well-formed UTF-8 on Windows.
std::FILE* OpenFileUtf8(const char* path, const char* mode);

} // namespace ifx
