#pragma once
// ISysExData lives with the message it copies.
#include "core/ISysEx.h"
