// UTF-16 to the system's ANSI code page. Windows asks the system (CP_ACP);
// elsewhere the Western code page 1252 stands in for it. A character that the
// code page cannot represent becomes a blank.
#pragma once

#include <string>
#include <string_view>

std::string Utf16ToAnsi(std::u16string_view units);
