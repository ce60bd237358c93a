// zeltacalc-console --list-exports FILE: the procedures a plugin library
// exports, one per line, for plugin authors and scripts.
#pragma once

#include <ostream>
#include <string>

namespace zc {

// Prints the names to `out`. Returns the exit status: 0, also when the list
// is empty; 1 with a message on `errors` when the file cannot be read.
int RunListExports(const std::string& libraryPath, std::ostream& out, std::ostream& errors);

}  // namespace zc
