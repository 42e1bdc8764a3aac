// One reading of whole numbers for every caller.
#include "input/whole_number.h"

#include <charconv>

namespace mirelkon {

namespace {

// from_chars takes a "-" only for signed types.
template <class Number>
bool Parse(std::string_view text, Number& value) {
  if (text.empty() || text.front() == '+') return false;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc{} && stop == end;
}

}  // namespace

bool ParseWholeNumber(std::string_view text, int& value) {
  return Parse(text, value);
}

bool ParseWholeNumber(std::string_view text, std::uint64_t& value) {
  return Parse(text, value);
}

}  // namespace mirelkon
