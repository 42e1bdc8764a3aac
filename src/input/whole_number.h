// Whole numbers written in decimal digits, as the input language and the command lines
// take them.
#pragma once

#include <string_view>

// Digits with an optional leading "-" and nothing else, within the range of int.
bool ParseWholeNumber(std::string_view text, int& value);
