// A number with its noun in the number the number asks for: "1 element", "5 elements".
#pragma once

#include <string>
#include <string_view>

namespace mirelkon {

inline std::string Counted(long long n, std::string_view noun) {
  return std::to_string(n) + " " + std::string(noun) + (n == 1 ? "" : "s");
}

}  // namespace mirelkon
