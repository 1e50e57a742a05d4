#pragma once
#include "base/IParam.h"

// Parameters configured as the plug-in configures them.
namespace core_test {

inline void MakePercent(ifx::IParam& p, const char* name = "Input", double def = 100.)
{
  p.ConfigureDouble(name, def, 0., 100., 1., "%");
}

inline void MakeOctave(ifx::IParam& p)
{
  p.ConfigureEnum("Octave", 2, 5, "", 0, "", "-2", "-1", "0", "+1", "+2");
}

inline void MakeInterval(ifx::IParam& p)
{
  p.ConfigureEnum("Interval", 0, 12, "", 0, "", "Unison", "Minor 2nd", "Major 2nd", "Minor 3rd",
                  "Major 3rd", "Perfect 4th", "Tritone", "Perfect 5th", "Minor 6th", "Major 6th",
                  "Minor 7th", "Major 7th");
}

inline void MakeFine(ifx::IParam& p)
{
  p.ConfigureDouble("Fine", 0., -50., 50., 1., "cents");
}

} // namespace core_test
