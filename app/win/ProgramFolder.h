// The folder the running program was started from.
#pragma once

#include <string>

// Without the final backslash; empty when the system cannot tell it.
std::string ProgramFolder();
