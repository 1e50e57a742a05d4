// IFxVST3: host identification from the initialize context.
#include "abi/vst3/Vst3Base.h"
#include "abi/vst3/Vst3HostApplication.h"
#include "wrappers/vst3/IFxVST3.h"

namespace ifx {

void IFxVST3::SetHost(Steinberg::FUnknown* context)
{
  if (GetHostId() != -1)
    return;
  auto app = Steinberg::QueryInterface<Steinberg::Vst::IHostApplication>(context);
  if (!app)
    return;

  Steinberg::Vst::String128 wide = {};
  if (app->getName(wide) != Steinberg::kResultOk)
    wide[0] = 0;
  // Host names are ASCII in practice: each unit keeps its low byte. The last
  // unit is never trusted to be a terminator.
  char name[128];
  int n = 0;
  for (; n < 127 && wide[n]; ++n)
    name[n] = static_cast<char>(wide[n] & 0xFF);
  name[n] = '\0';
  SetHostIdentity(name, 0);
}

} // namespace ifx
