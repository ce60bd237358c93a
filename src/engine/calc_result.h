// The outcome of one evaluation and the engine's error codes.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// Every number of the calculator is an x87 80-bit extended float.
static_assert(std::numeric_limits<long double>::digits == 64,
              "ZeltaCalc needs long double to be the 80-bit extended format");

namespace zc {

using TExtendeds = std::vector<long double>;

struct TCalcResult {
  std::uint8_t dwStatusCode = 0;  // 1 success, 10..20 error, 0 nothing evaluated
  long double dwSource = 0;       // value of the line (its first comma piece)
  TExtendeds dwAnswers;           // values of the further comma pieces
  std::string dwMessage;          // result text, "ERROR nn", or a stored text
  std::string dwErrorMsg;         // detail of error 20: "<kind>: <message>"
  std::int32_t dwAddition = 0;    // reserved
};

namespace status {
inline constexpr std::uint8_t kNothing = 0;
inline constexpr std::uint8_t kSuccess = 1;
inline constexpr std::uint8_t kIncomplete = 10;        // "3+", "sin"
inline constexpr std::uint8_t kUnbalanced = 11;        // "(1+2", "1+2)"
inline constexpr std::uint8_t kUnknown = 12;           // nothing recognised
inline constexpr std::uint8_t kArgumentCount = 13;     // wrong number of arguments
inline constexpr std::uint8_t kDivisionByZero = 14;
inline constexpr std::uint8_t kInvalidOperation = 15;
inline constexpr std::uint8_t kOverflow = 16;
inline constexpr std::uint8_t kUnderflow = 17;
inline constexpr std::uint8_t kAccessViolation = 18;
inline constexpr std::uint8_t kNotANumber = 19;        // a named value's text is no number
inline constexpr std::uint8_t kOtherFailure = 20;
}  // namespace status

// The one way an error code enters a result: status := code, value 0,
// no answers, message "ERROR <code>". dwErrorMsg and dwAddition stay.
void SetError(std::uint8_t code, TCalcResult& result);

}  // namespace zc
