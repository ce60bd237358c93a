// The command line of zeltacalc. The window takes no arguments of its own;
// --help and --version are answered on standard output before anything
// needs a display, and everything else is left to Qt (-platform, -style, ...).
#pragma once

#include <string>

namespace zc {

enum class AppCommand { Run, ShowHelp, ShowVersion };

// What argv[1..argc-1] ask for: the first of --help (or -h) and --version
// decides.
AppCommand ParseAppCommand(int argc, const char* const* argv);

// The usage text, ending in a line break.
std::string AppUsage();

}  // namespace zc
