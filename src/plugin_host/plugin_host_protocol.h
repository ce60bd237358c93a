// The messages between the calculation engine and zeltacalc-plugin-host, the
// helper program that runs library functions' procedures in a process of
// their own.
//
// Both ends are built from the same sources for the same machine, so the
// records cross the pipes in their native layout, long double values
// included. The greeting at start carries the protocol version and the
// value format, which guards against a host left over from another build.
// Each side checks every length it reads against the limits below before it
// reads what the length announces.
//
// Beside the pipes, the host gets a memory file that holds the Phase it is
// in. A procedure can take the host's signal handlers away before it
// crashes; the host then dies without a reply, and the shared phase still
// tells the engine whether the procedure or the loading or unloading of its
// library was to blame.
//
// One call: the engine writes a CallHeader followed by the directory, the
// library path and the procedure name (no terminators) and then the
// arguments; the host answers with one Reply. A host that dies before its
// reply leaves the engine an end of file instead.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zc::plugin_host {

inline constexpr char kProgramName[] = "zeltacalc-plugin-host";
inline constexpr std::uint32_t kProtocolVersion = 2;

// The host finds the request pipe's reading end and the reply pipe's
// writing end at these descriptors when it starts.
inline constexpr int kRequestDescriptor = 3;
inline constexpr int kReplyDescriptor = 4;
// The memory file of the shared phase, when the engine passes one; the host
// maps it and closes the descriptor.
inline constexpr int kPhaseDescriptor = 5;

inline constexpr std::uint32_t kMaxDirectoryBytes = 4096;
inline constexpr std::uint32_t kMaxPathBytes = 4096;
inline constexpr std::uint32_t kMaxProcedureBytes = 1024;
inline constexpr std::uint32_t kMaxArguments = 1u << 20;

inline constexpr std::uint32_t kGreetingMagic = 0x4850435A;  // "ZCPH"
inline constexpr std::uint32_t kCallMagic = 0x4C43435A;      // "ZCCL"
inline constexpr std::uint32_t kReplyMagic = 0x5052435A;     // "ZCRP"

// Sent by each side once, the engine first. A host that cannot serve the
// engine's version still answers with its own greeting, then exits.
struct Greeting {
  std::uint32_t magic;
  std::uint32_t version;
  std::uint32_t valueBytes;    // sizeof(long double)
  std::uint32_t mantissaBits;  // LDBL_MANT_DIG
};

struct CallHeader {
  std::uint32_t magic;
  std::uint32_t directoryBytes;  // the working directory of the call
  std::uint32_t pathBytes;       // absolute path of the library
  std::uint32_t procedureBytes;  // name of the procedure
  std::uint32_t argumentCount;
  std::uint32_t reserved;
};

enum class Outcome : std::uint32_t {
  Returned = 1,     // `value` and `raised` hold the procedure's result
  NotLoaded = 2,    // missing, not a regular file, or refused by the loader
  NoProcedure = 3,  // loaded, but it has no procedure of that name
  Signal = 4,       // a fatal signal in `phase`; the host exits after the reply
};

// What the host was doing when a signal arrived. The shared phase is a
// single std::uint32_t at the start of its memory file.
enum class Phase : std::uint32_t { Idle = 0, Loading = 1, Calling = 2, Unloading = 3 };
inline constexpr std::size_t kPhaseFileBytes = sizeof(std::uint32_t);

// Floating-point faults the procedure raised (the status flags after it).
inline constexpr std::uint32_t kRaisedInvalid = 1;
inline constexpr std::uint32_t kRaisedZeroDivide = 2;
inline constexpr std::uint32_t kRaisedOverflow = 4;

struct Reply {
  std::uint32_t magic;
  std::uint32_t outcome;  // an Outcome
  std::uint32_t phase;    // a Phase, for Outcome::Signal
  std::int32_t signal;
  std::int32_t signalCode;  // si_code: tells integer from floating-point faults
  std::uint32_t raised;     // kRaised* bits, for Outcome::Returned
  long double value;
};

}  // namespace zc::plugin_host
