#include "scanner.h"

#include <cmath>
#include <string>
#include <vector>

#include "calc_expression.h"
#include "decimal_conversion.h"
#include "function_library.h"
#include "named_values.h"
#include "ascii_text.h"
#include "unit_evaluation.h"
#include "user_function_call.h"

namespace zc {
namespace {

constexpr std::uint16_t kOperatorCodes[10] = {1, 2, 4, 8, 16, 32, 64, 128, 512, 256};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a') return c - 'a' + 10;
  return c - 'A' + 10;
}

// The built-in names grouped by their folded first character, each group in
// table order, so that a position is compared with a handful of names.
class BuiltinIndex {
 public:
  BuiltinIndex() {
    for (std::size_t i = 0; i < kBuiltinFunctionNames.size(); ++i) {
      byFirst_[static_cast<unsigned char>(AsciiLower(kBuiltinFunctionNames[i][0]))].push_back(
          static_cast<int>(i));
    }
  }
  // Same result as MatchLongestEntry over the table.
  int Match(std::string_view text, std::size_t& length) const {
    int best = -1;
    length = 0;
    if (text.empty()) return -1;
    for (const int index : byFirst_[static_cast<unsigned char>(AsciiLower(text[0]))]) {
      const std::string_view name = kBuiltinFunctionNames[static_cast<std::size_t>(index)];
      if (name.size() > length && StartsWithIgnoreAsciiCase(text, name)) {
        best = index;
        length = name.size();
      }
    }
    return best;
  }

 private:
  std::vector<int> byFirst_[256];
};

const BuiltinIndex& Builtins() {
  static const BuiltinIndex index;
  return index;
}

// The function name that `text` begins with: the longer of the built-in and
// the user-defined match, the user-defined one on equal length; empty if none.
std::string_view FunctionNameAt(const EngineContext& context, std::string_view text) {
  std::size_t builtinLength = 0;
  const int builtin = Builtins().Match(text, builtinLength);
  const int user =
      context.userFunctions.empty() ? -1 : FindUserFunction(text, context.userFunctions, false);
  if (user >= 0) {
    const std::string_view name = context.userFunctions[static_cast<std::size_t>(user)]->aName;
    if (builtin < 0 || builtinLength <= name.size()) return name;
  }
  if (builtin >= 0) return kBuiltinFunctionNames[static_cast<std::size_t>(builtin)];
  return {};
}

bool MayStartOperator(char c) {
  switch (AsciiLower(c)) {
    case '*': case '/': case '\\': case 'm': case 'a': case 'o': case 'x': case '^':
    case '>': case '<':
      return true;
    default:
      return false;
  }
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

int MatchLongestEntry(std::string_view text, std::span<const std::string_view> table) {
  int best = -1;
  std::size_t length = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::string_view entry = table[i];
    if (!entry.empty() && entry.size() > length && StartsWithIgnoreAsciiCase(text, entry)) {
      best = static_cast<int>(i);
      length = entry.size();
    }
  }
  return best;
}

std::uint16_t OperatorCode(std::string_view spelling) {
  for (std::size_t i = 0; i < kOperatorSpellings.size(); ++i) {
    if (kOperatorSpellings[i] == spelling) return kOperatorCodes[i];
  }
  return 0;
}

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

bool ScanPlainGroup(EngineContext& context, std::string_view group, TScanState& state,
                    TEvaluationLevel& level, NameValueList& variables, TCalcResult& result) {
  std::size_t position = 0;
  while (position < group.size()) {
    const char c = group[position];
    if (c == ' ' || c == '\t' || c == '$') {
      ++position;
      continue;
    }
    if (state.unit == nullptr) {
      state.unit = &NewUnit(level);
      state.sign = '\0';
      state.signSeen = false;
    }
    TIntUnit& unit = *state.unit;
    bool operatorFound = false;
    bool functionFound = false;
    bool signFound = false;
    bool valueFound = false;

    // Operator: a later one for the same unit replaces an earlier one.
    if (MayStartOperator(group[position])) {
      const int index = MatchLongestEntry(group.substr(position), kOperatorSpellings);
      if (index >= 0) {
        const std::string_view spelling = kOperatorSpellings[static_cast<std::size_t>(index)];
        position += spelling.size();
        unit.aOperation = OperatorCode(spelling);
        operatorFound = true;
      }
    }

    // Function name; signs directly after it belong to its argument.
    if (const std::string_view name = FunctionNameAt(context, group.substr(position)); !name.empty()) {
      position += name.size();
      unit.aFunction.append(name);
      unit.aFunction += ' ';
      functionFound = true;
      state.argumentSign = '\0';
      while (position < group.size() && (group[position] == '+' || group[position] == '-')) {
        state.argumentSign = CombineSign(state.argumentSign, group[position]);
        ++position;
      }
    }

    // Sign: one character per round. Once the unit has a function name, a
    // sign negates the argument, also after a blank ("abs -3" is 3).
    if (position < group.size() && (group[position] == '+' || group[position] == '-')) {
      if (!unit.aFunction.empty()) {
        state.argumentSign = CombineSign(state.argumentSign, group[position]);
      } else {
        state.sign = state.signSeen ? CombineSign(state.sign, group[position]) : group[position];
        state.signSeen = true;
      }
      ++position;
      signFound = true;
    }

    // Value: a named value, else the literal forms in turn. A function name
    // right after a sign is left for the next round, so that it wins over a
    // named value that begins it ("-exp(1)" with a constant e).
    long double value = 0;
    if (position < group.size() &&
        !(signFound && !FunctionNameAt(context, group.substr(position)).empty())) {
      switch (ReadNamedValue(context, group, position, variables, result, value)) {
        case NamedValueRead::Failed:
          return false;
        case NamedValueRead::Read:
          valueFound = true;
          unit.aInternalOperation = 2;
          break;
        case NamedValueRead::NoName:
          if (HexLiteralAt(group, position)) {
            value = HexToFloat(ScanHex(group, position));
            valueFound = true;
          }
          if (BinaryLiteralAt(group, position)) {
            value = BinaryToFloat(ScanBinary(group, position));
            valueFound = true;
          }
          if (DecimalLiteralAt(group, position)) {
            value = DecimalToFloat(ScanDecimal(group, position));
            valueFound = true;
          }
          break;
      }
    }

    if (valueFound) {
      if (!unit.aFunction.empty() && state.argumentSign == '-') value = -value;
      unit.aInteger = value;
      state.unit = nullptr;
      if (!PushUnit(context, level.list, state.sign, unit, result)) return false;
      continue;
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
