#pragma once
// The trace hook as the plug-in bases use it. Traces are compiled in but go
// nowhere in this system; the location, line and format still document what
// each call site would report.
#include "base/Trace.h"
