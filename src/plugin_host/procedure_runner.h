// One call of a plugin procedure inside the host: load the library, call the
// procedure, unload the library, and say how it went.
#pragma once

#include <string>
#include <vector>

#include "plugin_host_protocol.h"

namespace zc::plugin_host {

// Keeps the host's phase in the engine's memory file open at `descriptor`,
// and closes the descriptor. Without a usable file the phase stays private.
// Call once, at start, before any call.
void SharePhaseThrough(int descriptor);

// Installs the handlers that turn a fatal signal into a Reply on
// `replyDescriptor` before the host exits. Call once, at start; each call
// puts them back in place before the procedure runs.
void ReportFatalSignalsTo(int replyDescriptor);

// Runs one call with `directory` as the working directory. The library is
// loaded for the call and unloaded after it, so a procedure keeps nothing
// from one call to the next. Every reply but Outcome::Signal comes back
// from here; that one is written by the signal handler.
Reply RunProcedure(const std::string& directory, const std::string& libraryPath,
                   const std::string& procedureName, const std::vector<long double>& arguments);

}  // namespace zc::plugin_host
