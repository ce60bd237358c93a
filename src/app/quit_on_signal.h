// Ending the session or `kill` should close the calculator the ordinary way,
// so that the user's functions are written before it goes.
#pragma once

class QObject;

namespace zc {

// From now on SIGTERM, SIGINT and SIGHUP call `quit` on the GUI thread
// instead of ending the process on the spot. Returns false when the handlers
// could not be installed (the signals then keep their default action).
bool QuitOnTerminationSignals(QObject* context, void (*quit)());

}  // namespace zc
