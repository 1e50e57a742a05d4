#pragma once
// Minimal string-member lookup for the version feed. It does not parse JSON:
// it finds the first occurrence of "key":" and returns the text up to the next
// quote. Escapes and blanks around the colon are not understood, which the
// feed we publish never uses. Works on arbitrary bytes (no NUL termination
// needed, embedded NULs allowed) and never reads outside the given text.
#include <string>
#include <string_view>

namespace murkwisp {

// Value of the first "key":"value" in json, or "" when the pattern is missing
// or the value has no closing quote.
std::string ExtractJsonString(std::string_view json, std::string_view key);

} // namespace murkwisp
