#include "scanner.h"

#include <cmath>
#include <string>
#include <vector>

#include "ascii_text.h"
#include "calc_expression.h"
#include "decimal_conversion.h"
#include "function_library.h"
#include "named_values.h"
#include "operators.h"
#include "unit_evaluation.h"
#include "user_function_call.h"

namespace zc {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a') return c - 'a' + 10;
  return c - 'A' + 10;
}

std::string FormatMessage(std::string_view text, const char* tail) {
  std::string message;
  message.reserve(text.size() + 48);
  message += '\'';
  message.append(text);
  message += '\'';
  message += tail;
  return message;
}

[[noreturn]] void ThrowNotInteger(std::string_view digits) {
  std::string shown = "$";
  shown.append(digits);
  throw ConversionError(FormatMessage(shown, " は整数ではありません"));
}

// The value of hexadecimal digits with at most 8 significant ones.
std::uint32_t HexDigitsValue(std::string_view digits) {
  std::size_t first = 0;
  while (first < digits.size() && digits[first] == '0') ++first;
  if (digits.size() - first > 8) ThrowNotInteger(digits);
  std::uint32_t value = 0;
  for (std::size_t i = first; i < digits.size(); ++i) {
    value = (value << 4) | static_cast<std::uint32_t>(HexValue(digits[i]));
  }
  return value;
}

}  // namespace

bool HexLiteralAt(std::string_view text, std::size_t position) {
  return position + 2 < text.size() && text[position] == '0' && text[position + 1] == 'x' &&
         IsHexDigit(text[position + 2]);
}

bool BinaryLiteralAt(std::string_view text, std::size_t position) {
  return position + 2 < text.size() && text[position] == '0' && text[position + 1] == 'b' &&
         (text[position + 2] == '0' || text[position + 2] == '1');
}

bool DecimalLiteralAt(std::string_view text, std::size_t position) {
  return position < text.size() && IsDigit(text[position]);
}

std::string_view ScanHex(std::string_view text, std::size_t& position) {
  position += 2;
  const std::size_t start = position;
  while (position < text.size() && (text[position] == '.' || IsHexDigit(text[position]))) {
    ++position;
  }
  return text.substr(start, position - start);
}

std::string_view ScanBinary(std::string_view text, std::size_t& position) {
  position += 2;
  const std::size_t start = position;
  while (position < text.size() && (text[position] == '0' || text[position] == '1')) ++position;
  return text.substr(start, position - start);
}

std::string_view ScanDecimal(std::string_view text, std::size_t& position) {
  const std::size_t start = position;
  while (position < text.size() && (IsDigit(text[position]) || text[position] == '.')) ++position;
  if (position < text.size() && text[position] == 'E') {
    ++position;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) ++position;
    while (position < text.size() && IsDigit(text[position])) ++position;
  }
  return text.substr(start, position - start);
}

long double HexToFloat(std::string_view digits) {
  // Split at each '.'; the first piece is the integer part and the others,
  // joined, the fraction digits. A trailing empty piece is dropped.
  const std::size_t dot = digits.find('.');
  const std::string_view integerPart = digits.substr(0, dot);
  const auto integer = static_cast<std::int32_t>(HexDigitsValue(integerPart));
  if (dot == std::string_view::npos) return integer;

  std::string fraction;
  for (std::size_t i = dot + 1; i < digits.size(); ++i) {
    if (digits[i] != '.') fraction += digits[i];
  }
  const std::uint32_t numerator = HexDigitsValue(fraction);
  const std::size_t places = fraction.size() < 100000 ? fraction.size() : 100000;
  return static_cast<long double>(integer) +
         std::ldexp(static_cast<long double>(numerator), -4 * static_cast<int>(places));
}

long double BinaryToFloat(std::string_view digits) {
  std::size_t first = 0;
  while (first < digits.size() && digits[first] == '0') ++first;
  if (digits.size() - first > 32) return 0;
  std::uint32_t value = 0;
  for (std::size_t i = first; i < digits.size(); ++i) {
    value = (value << 1) | static_cast<std::uint32_t>(digits[i] - '0');
  }
  return static_cast<std::int32_t>(value);
}

long double DecimalToFloat(std::string_view literal) {
  long double value = 0;
  if (ConvertDecimalLiteral(literal, value) != DecimalConversion::Ok) {
    throw ConversionError(FormatMessage(literal, " は浮動小数点数ではありません"));
  }
  return value;
}

TIntUnit& NewUnit(TEvaluationLevel& level) {
  if (level.unitsUsed == level.units.size()) level.units.emplace_back();
  TIntUnit& unit = level.units[level.unitsUsed++];
  unit.aOperation = 0;
  unit.aFunction.clear();
  unit.aSign = 1;
  unit.aInteger = 0;
  unit.aInternalOperation = 0;
  unit.aUseInternalInt = false;
  unit.aInternalIntegers.clear();
  return unit;
}

char CombineSign(char held, char read) {
  if (held == '\0') return read;
  return held == read ? '+' : '-';
}

namespace {

// One plain group under way: where the scan stands, the unit being built
// and where its outcome goes.
struct GroupScan {
  EngineContext& context;
  std::string_view group;
  TScanState& state;
  TEvaluationLevel& level;
  NameValueList& variables;
  TCalcResult& result;
  std::size_t position = 0;

  bool AtEnd() const { return position >= group.size(); }
  char Here() const { return group[position]; }
  std::string_view Rest() const { return group.substr(position); }
  bool AtSign() const { return !AtEnd() && (Here() == '+' || Here() == '-'); }
};

enum class ValueRead { None, Read, Failed };

// Blanks and '$' only separate; a '$' directly before a name asks for its
// text to be evaluated, which the named-value step sees for itself.
bool IsFiller(char c) { return c == ' ' || c == '\t' || c == '$'; }

// The function name that `text` begins with: the longer of the built-in and
// the user-defined match, the user-defined one on equal length; empty if none.
std::string_view FunctionNameAt(const EngineContext& context, std::string_view text) {
  const TBuiltinFunction* builtin = MatchBuiltinFunction(text);
  const int user =
      context.userFunctions.empty() ? -1 : FindUserFunction(text, context.userFunctions, false);
  if (user >= 0) {
    const std::string_view name = context.userFunctions[static_cast<std::size_t>(user)]->aName;
    if (builtin == nullptr || builtin->name.size() <= name.size()) return name;
  }
  return builtin != nullptr ? builtin->name : std::string_view{};
}

TIntUnit& CurrentUnit(GroupScan& scan) {
  if (scan.state.unit == nullptr) {
    scan.state.unit = &NewUnit(scan.level);
    scan.state.sign = '\0';
    scan.state.signSeen = false;
  }
  return *scan.state.unit;
}

// A later operator for the same unit replaces an earlier one: "2*/4" divides.
bool ReadOperator(GroupScan& scan, TIntUnit& unit) {
  const TOperator* found = MatchOperator(scan.Rest());
  if (found == nullptr) return false;
  scan.position += found->spelling.size();
  unit.aOperation = found->code;
  return true;
}

// The name joins the unit's chain; signs directly after it belong to its
// argument, and only those after the last name of a chain count.
bool ReadFunctionName(GroupScan& scan, TIntUnit& unit) {
  const std::string_view name = FunctionNameAt(scan.context, scan.Rest());
  if (name.empty()) return false;
  scan.position += name.size();
  unit.aFunction.append(name);
  unit.aFunction += ' ';
  scan.state.argumentSign = '\0';
  while (scan.AtSign()) {
    scan.state.argumentSign = CombineSign(scan.state.argumentSign, scan.Here());
    ++scan.position;
  }
  return true;
}

// One sign character per round. Once the unit has a function name, a sign
// negates the argument, also after a blank ("abs -3" is 3).
bool ReadSign(GroupScan& scan, const TIntUnit& unit) {
  if (!scan.AtSign()) return false;
  TScanState& state = scan.state;
  if (!unit.aFunction.empty()) {
    state.argumentSign = CombineSign(state.argumentSign, scan.Here());
  } else {
    state.sign = state.signSeen ? CombineSign(state.sign, scan.Here()) : scan.Here();
    state.signSeen = true;
  }
  ++scan.position;
  return true;
}

// The literal forms in turn, each at the position the previous one left:
// "0b112" reads 0b11, then 2 replaces it.
bool ReadLiteral(GroupScan& scan, long double& value) {
  bool found = false;
  if (HexLiteralAt(scan.group, scan.position)) {
    value = HexToFloat(ScanHex(scan.group, scan.position));
    found = true;
  }
  if (BinaryLiteralAt(scan.group, scan.position)) {
    value = BinaryToFloat(ScanBinary(scan.group, scan.position));
    found = true;
  }
  if (DecimalLiteralAt(scan.group, scan.position)) {
    value = DecimalToFloat(ScanDecimal(scan.group, scan.position));
    found = true;
  }
  return found;
}

// A named value, else a literal. A function name right after a sign is left
// for the next round, so that it wins over a named value that begins it
// ("-exp(1)" with a constant e).
ValueRead ReadValue(GroupScan& scan, bool afterSign, TIntUnit& unit, long double& value) {
  if (scan.AtEnd()) return ValueRead::None;
  if (afterSign && !FunctionNameAt(scan.context, scan.Rest()).empty()) return ValueRead::None;
  switch (ReadNamedValue(scan.context, scan.group, scan.position, scan.variables, scan.result,
                         value)) {
    case NamedValueRead::Failed:
      return ValueRead::Failed;
    case NamedValueRead::Read:
      unit.aInternalOperation = 2;
      return ValueRead::Read;
    case NamedValueRead::NoName:
      break;
  }
  return ReadLiteral(scan, value) ? ValueRead::Read : ValueRead::None;
}

bool CompleteUnit(GroupScan& scan, TIntUnit& unit, long double value) {
  if (!unit.aFunction.empty() && scan.state.argumentSign == '-') value = -value;
  unit.aInteger = value;
  scan.state.unit = nullptr;
  return PushUnit(scan.context, scan.level.list, scan.state.sign, unit, scan.result);
}

}  // namespace

bool ScanPlainGroup(EngineContext& context, std::string_view group, TScanState& state,
                    TEvaluationLevel& level, NameValueList& variables, TCalcResult& result) {
  GroupScan scan{context, group, state, level, variables, result};
  while (!scan.AtEnd()) {
    if (IsFiller(scan.Here())) {
      ++scan.position;
      continue;
    }
    TIntUnit& unit = CurrentUnit(scan);
    const bool operatorFound = ReadOperator(scan, unit);
    const bool functionFound = ReadFunctionName(scan, unit);
    const bool signFound = ReadSign(scan, unit);
    // The signs a function name collects count as a sign of this round too:
    // in "sin-cos30" the name cos must win over a constant c.
    const bool signsAfterName = functionFound && state.argumentSign != '\0';
    long double value = 0;
    switch (ReadValue(scan, signFound || signsAfterName, unit, value)) {
      case ValueRead::Failed:
        return false;
      case ValueRead::Read:
        if (!CompleteUnit(scan, unit, value)) return false;
        continue;
      case ValueRead::None:
        break;
    }
    if (!operatorFound && !functionFound && !signFound) {
      state.unit = nullptr;
      SetError(status::kUnknown, result);
      return false;
    }
  }
  return true;
}

}  // namespace zc
