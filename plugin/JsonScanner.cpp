#include "plugin/JsonScanner.h"

namespace murkwisp {

std::string ExtractJsonString(std::string_view json, std::string_view key)
{
  std::string pattern;
  pattern.reserve(key.size() + 4);
  pattern += '"';
  pattern.append(key.data(), key.size());
  pattern += "\":\"";

  const size_t at = json.find(pattern);
  if (at == std::string_view::npos)
    return {};
  const size_t start = at + pattern.size();
  const size_t end = json.find('"', start);
  if (end == std::string_view::npos)
    return {};
  return std::string(json.substr(start, end - start));
}

} // namespace murkwisp
