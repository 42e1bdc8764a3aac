// Constraint lines: items "xoy=z", the equation x o y = z for an operation symbol o.
#pragma once

#include <string>

void ParseConstraintLine(std::string& line);
