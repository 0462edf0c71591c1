// Blanks around the fields of the text files the program and the simulator
// read (tuning lists, configuration).
#pragma once

#include <string_view>

// A space, a horizontal or vertical tab or a form feed.
bool IsBlank(char c);

// The text without the blanks at its start and end.
std::string_view Trim(std::string_view text);
