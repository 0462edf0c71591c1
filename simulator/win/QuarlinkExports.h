// The driver library's 28 calls as the simulator defines them: stdcall and
// undecorated C names, exported under the vendor's names by Quarlink.def.
#pragma once

#define QUARLINK_DEFINING
#include "driver/win/Quarlink.h"

// Begins each definition.
#define QUARLINK_EXPORT extern "C" int __stdcall
