// Edge lines: items "xy", each stating that element x lies below element y.
#pragma once

#include <string>

void ParseEdgeLine(std::string& line);
