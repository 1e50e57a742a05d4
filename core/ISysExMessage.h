#pragma once
// ISysExMessage lives with its record twin.
#include "core/ISysEx.h"
