#pragma once
// Chooses the wrapper base the plug-in class stands on. Each module compiles
// the plug-in once with its own MURKWISP_API_* definition:
//   MURKWISP_API_VST3      -> ifx::IFxVST3      (Murkwisp.vst3)
//   MURKWISP_API_CLAP      -> ifx::IFxCLAP      (Murkwisp.clap)
//   MURKWISP_API_HEADLESS  -> ifx::IFxHeadless  (native tests, no host)
// Every wrapper header defines ifx::InstanceInfo, the creation arguments the
// plug-in constructor takes and hands on to its wrapper base.
#if defined(MURKWISP_API_VST3)
#include "core/vst3/IFxVST3.h"
namespace ifx { using IFxPluginApi = IFxVST3; }
#elif defined(MURKWISP_API_CLAP)
#include "core/clap/IFxCLAP.h"
namespace ifx { using IFxPluginApi = IFxCLAP; }
#else
#include "core/IFxHeadless.h"
namespace ifx { using IFxPluginApi = IFxHeadless; }
#endif
