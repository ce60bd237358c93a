// Cutting decoded text into lines, whatever line ends the file was saved with.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zc {

// Splits at CR LF, LF or CR. A final line ending adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace zc
