#pragma once
// For the extension tables: reach the Plugin behind the host's clap_plugin
// record and run one operation on it, so that nothing thrown inside reaches
// the host; a missing plug-in or an exception gives the fallback answer.
#include "abi/clap/Plugin.h"

namespace clap {
namespace helpers {
namespace guard {

template <class R, class F>
R Guard(const clap_plugin_t* p, R fallback, F&& f)
{
  Plugin<0, 0>* self = Plugin<0, 0>::FromClap(p);
  if (!self)
    return fallback;
  try
  {
    return f(*self);
  }
  catch (...)
  {
    return fallback;
  }
}

template <class F>
void GuardVoid(const clap_plugin_t* p, F&& f)
{
  if (Plugin<0, 0>* self = Plugin<0, 0>::FromClap(p))
  {
    try
    {
      f(*self);
    }
    catch (...)
    {
    }
  }
}

} // namespace guard
} // namespace helpers
} // namespace clap
