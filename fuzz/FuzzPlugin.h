#pragma once
// One Murkwisp object per fuzzing process (construction is the slow part),
// built without the version check's network fetch.
#include "base/IParam.h"
#include "plugin/Murkwisp.h"
#include "plugin/MurkwispParams.h"
#include "wrappers/headless/IFxHeadless.h"
#include "plugin/UpdateChecker.h"

#include <string>

using namespace murkwisp;

using Murkwisp = murkwisp::MurkwispPlugin<ifx::IFxHeadless>;

namespace fuzz {

inline std::string NoFeed(const char*)
{
  return std::string();
}

inline Murkwisp& Plugin()
{
  static Murkwisp* plugin = [] {
    murkwisp::UpdateChecker::Instance().SetFetchFunction(&NoFeed);
    return new Murkwisp(ifx::InstanceInfo{});
  }();
  return *plugin;
}

// Every parameter must hold a value inside its range after any load.
inline void CheckParamsInRange(const Murkwisp& plugin)
{
  for (int i = 0; i < plugin.NParams(); ++i)
  {
    const ifx::IParam* p = plugin.GetParam(i);
    const double v = p->Value();
    if (!(v >= p->GetMin() && v <= p->GetMax()))
      __builtin_trap();
  }
}

} // namespace fuzz
