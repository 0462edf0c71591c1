// Texts the system gives in its ANSI code page (paths, file and key names)
// where they join language texts, which are UTF-8: each part is converted
// from its own encoding before they are joined, since a message that mixes
// both is read as ANSI as a whole and its translated part is garbled.
#pragma once

#include <string>
#include <string_view>

std::string AnsiToUtf8(std::string_view text);
