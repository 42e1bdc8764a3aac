// One reading of whole numbers for every caller.
#include "input/whole_number.h"

#include <charconv>

bool ParseWholeNumber(std::string_view text, int& value) {
  if (text.empty() || text.front() == '+') return false;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc{} && stop == end;
}
