// Whether what a program printed reached its standard output: a script that
// sends the results (or the usage) to a full disk or a closed pipe learns of
// it from the exit status and a message, not from a truncated file.
#pragma once

#include <optional>
#include <string>

namespace zc {

// True once a write to standard output failed. Cheap: writes nothing.
bool StandardOutputFailed();

// Hands everything printed so far on to the system. Nothing when all of it
// arrived; otherwise the reason, in the system's words.
std::optional<std::string> StandardOutputFailure();

// The exit status of a program that is about to end: `status` when all it
// printed arrived, else 1 after "`program`: 標準出力に書き込めません: reason"
// on standard error.
int FinishStandardOutput(const char* program, int status);

}  // namespace zc
