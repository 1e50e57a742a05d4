#pragma once
// The whole CLAP interface as far as this program uses it.
#include "abi/clap/ClapBase.h"
#include "abi/clap/ClapPluginAbi.h"
#include "abi/clap/ClapEventsAbi.h"
#include "abi/clap/ClapExtensionsAbi.h"
