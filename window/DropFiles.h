#pragma once
// File lists in the shell's DROPFILES form (little-endian):
//   0  pFiles  offset of the list (20)
//   4  pt      drop point x, y (0, 0)
//   12 fNC     0 for a drag out, 1 on the clipboard
//   16 fWide   1: the names are UTF-16
//   20         the path in UTF-16 with its NUL, then zero bytes ending the
//              list: 4 for a drag out, 2 on the clipboard.
// And the rule for names dropped in: whole or not at all.
#include "base/IHeapBuf.h"
#include "base/IString.h"

namespace ifx {
namespace igfx {

enum class EDropFilesForm
{
  kDragOut,
  kClipboard
};

inline constexpr int kDropFilesHeaderSize = 20;

// The block for one path; false, block emptied, for an empty path or one
// that is not well-formed UTF-8 (no list of a wrong or empty name).
bool MakeDropFilesBlock(const char* path, EDropFilesForm form, IHeapBuf& block);

// A dropped name is read into this many UTF-16 units (its NUL included)
// and delivered as at most this many UTF-8 bytes.
inline constexpr int kMaxDroppedNameUnits = 1024;
inline constexpr int kMaxDroppedNameBytes = 1024;

// The UTF-8 name of units UTF-16 units; false when it is malformed or does
// not fit whole (a cut name would name another file, or half a character).
bool TakeDroppedName(const char16_t* name, int units, IString& utf8);

} // namespace igfx
} // namespace ifx
