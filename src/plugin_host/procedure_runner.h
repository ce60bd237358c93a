// One call of a plugin procedure inside the host: load the library, call the
// procedure, unload the library, and say how it went.
#pragma once

#include <string>
#include <vector>

#include "plugin_host_protocol.h"

namespace zc::plugin_host {

// Installs the handlers that turn a fatal signal into a Reply on
// `replyDescriptor` before the host exits. Call once, at start.
void ReportFatalSignalsTo(int replyDescriptor);

// Runs one call with `directory` as the working directory. The library is
// loaded for the call and unloaded after it, so a procedure keeps nothing
// from one call to the next. Every reply but Outcome::Signal comes back
// from here; that one is written by the signal handler.
Reply RunProcedure(const std::string& directory, const std::string& libraryPath,
                   const std::string& procedureName, const std::vector<long double>& arguments);

}  // namespace zc::plugin_host
