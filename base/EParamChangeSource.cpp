#include "base/EParamChangeSource.h"

namespace ifx {

const char* ParamChangeSourceText(int source) noexcept
{
  static const char* const kTexts[kNumChangeSources] = {"Reset",           "Host",      "Preset", "UI",
                                                        "Editor Delegate", "Recompile", "Unknown"};
  if (source < 0 || source >= kNumChangeSources)
    return kTexts[kChangeUnknown];
  return kTexts[source];
}

} // namespace ifx
