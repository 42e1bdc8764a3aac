// Report and file-name text is held to 255 characters, as in the input language itself:
// concatenations that would grow longer are cut without a message.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace mirelkon {

constexpr std::size_t maxStringLength = 255;

// Cuts s to its first 255 characters.
inline void CutToMaxLength(std::string& s) {
  if (s.size() > maxStringLength) s.resize(maxStringLength);
}

// Concatenates the pieces and cuts the result to 255 characters.
inline std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::string s;
  for (std::string_view piece : pieces) s.append(piece);
  CutToMaxLength(s);
  return s;
}

// The first bytes of s, at most limit of them, never half of a UTF-8 character: a character
// the limit would split is left out whole.
inline std::string_view CutAtCharacter(std::string_view s, std::size_t limit) {
  if (s.size() <= limit) return s;
  std::size_t end = limit;
  while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
  return s.substr(0, end);
}

inline bool Contains(std::string_view s, std::string_view part) {
  return s.find(part) != std::string_view::npos;
}

}  // namespace mirelkon
