#pragma once

#include "setup/OsFamily.h"

// The family of the running system, from its version information.
OsFamily GetOsFamily();
