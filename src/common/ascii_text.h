// Blank trimming and ASCII case folding for names and keys. Engine names,
// INI keys and option values fold ASCII letters only and leave every other
// byte (UTF-8 text included) as it is.
#pragma once

#include <string>
#include <string_view>

namespace zc {

// Drops leading and trailing blanks and control characters (code 32 and below).
std::string_view TrimBlanks(std::string_view text);

char ToLowerAscii(char c);
std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreAsciiCase(std::string_view text, std::string_view prefix);

}  // namespace zc
