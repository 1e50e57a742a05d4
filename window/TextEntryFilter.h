#pragma once
// Which typed characters a text entry for a parameter takes: numbers only
// for boolean, integer and enumerated parameters ('0' to '9', '+', '-'),
// a decimal point too for double parameters; backspace always. Entries of
// other parameter kinds, and entries without a parameter, take everything
// but a line break: the entry holds one line (its EDIT is multi-line only
// to centre the text, and would break the line on Return).
#include <cstdint>

#include "base/IParam.h"

namespace ifx {
namespace igfx {

bool TextEntryAcceptsChar(const IParam* param, uint32_t ch);

} // namespace igfx
} // namespace ifx
