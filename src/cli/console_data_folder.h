// The folder zeltacalc-console reads its data from: constants.txt and
// Functions.inf. It plays the part of AppDir; nothing in it is written.
#pragma once

#include <string>
#include <vector>

#include "engine_context.h"

namespace zc {

// The folder of the running executable, with a trailing '/'.
std::string ExecutableFolder();

// The folder read without --data-dir, with a trailing '/': beside the
// program, or for an installed program the user's data folder once the
// window has filled it, else the installation's data folder.
std::string DefaultDataFolder();

// `dir` made absolute, with a trailing '/'.
std::string DataFolderPath(const std::string& dir);

// Reads context.appDir + "constants.txt" into context.constants (every line
// an entry, in file order) and context.appDir + "Functions.inf", if it
// exists, into context.userFunctions. Returns the warnings to show: one when
// constants.txt cannot be read (the constant list stays empty), one when
// Functions.inf exists but cannot be read (no user functions).
std::vector<std::string> LoadDataFolder(EngineContext& context);

}  // namespace zc
