// Receivers of diagnostic lines: the main dialog's trace hook and the
// system's debugger output. Each call hands over one complete line.
#pragma once

#include <functional>
#include <string>

using TextSink = std::function<void(const std::string& line)>;
