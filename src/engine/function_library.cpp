#include "function_library.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <new>
#include <span>
#include <stdexcept>
#include <string>

#include "arithmetic_checks.h"
#include "calc_expression.h"
#include "engine_fault.h"
#include "int_unit.h"
#include "statistical_functions.h"
#include "ascii_text.h"
#include "user_function_call.h"
#include "whole_number_functions.h"

namespace zc {

namespace {

// The four angle factors, to the last bit of the extended format. 200/pi is
// one unit in the last place below the value nearest to 200/pi.
constexpr long double kPiOver180 = 0.0174532925199432957691L;
constexpr long double k180OverPi = 57.2957795130823208767L;
constexpr long double k200OverPi = 63.6619772367581343055L;
constexpr long double kPiOver200 = 0.0157079632679489661919L;

constexpr long double kHalfPi = 1.57079632679489661923L;

// The cube root exponent: the extended value nearest to 1/3, slightly above.
constexpr long double kOneThird = 0.333333333333333333333L;

// Arguments this close to zero count as zero for the reciprocal inverse
// functions and the hyperbolic cosine; atnh takes it, scaled, as its
// tolerance around 1 and -1.
constexpr long double kNearZero = 1E-16L;

// ---- elementary functions --------------------------------------------------

long double Reciprocal(long double x) { return 1 / x; }

// log of x to base b. The logarithm of x is taken and checked first, so its
// fault is the one reported when both arguments are out of range.
long double LogarithmToBase(long double base, long double x) {
  const long double logX = Checked(std::log2(x));
  const long double logBase = Checked(std::log2(base));
  return logX / logBase;
}

long double Sign(long double x) {
  if (x > 0) return 1;
  if (x < 0) return -1;
  return 0;
}

// sqrt(x^2 + y^2) scaled by the larger magnitude, so no square overflows.
long double Hypotenuse(long double x, long double y) {
  const long double a = std::fabs(x);
  const long double b = std::fabs(y);
  const long double larger = std::max(a, b);
  const long double smaller = std::min(a, b);
  if (larger == 0) return 0;
  const long double ratio = smaller / larger;
  return larger * std::sqrt(1 + ratio * ratio);
}

long double Random(RandomState& random, long double x) {
  const auto range = static_cast<std::uint32_t>(static_cast<std::uint64_t>(TruncToInt64(x)));
  const std::uint64_t state = random.Next();
  const auto high = static_cast<std::uint32_t>((state * range) >> 32);
  return static_cast<long double>(static_cast<std::int32_t>(high));
}

// ---- trigonometric and hyperbolic functions ---------------------------------

long double InverseSecant(long double x) {
  if (std::fabs(x) <= kNearZero) return HUGE_VALL;
  return std::acos(1 / x);
}

long double InverseCosecant(long double x) {
  if (std::fabs(x) <= kNearZero) return HUGE_VALL;
  return std::asin(1 / x);
}

long double InverseCotangent(long double x) {
  if (std::fabs(x) <= kNearZero) return kHalfPi;
  return std::atan(1 / x);
}

// (e^x - e^-x) / 2. Below 1 the two powers are taken less one, because
// their difference would otherwise cancel most of its digits; that keeps
// every digit of the tiniest arguments too, where sinh x is x.
long double HyperbolicSine(long double x) {
  if (std::fabs(x) < 1) return (std::expm1(x) - std::expm1(-x)) / 2;
  return (std::exp(x) - std::exp(-x)) / 2;
}

long double HyperbolicCosine(long double x) {
  if (std::fabs(x) <= kNearZero) return 1;
  return (std::exp(x) + std::exp(-x)) / 2;
}

long double HyperbolicTangent(long double x) {
  if (x > 23) return 1;
  if (x < -23) return -1;
  return std::tanh(x);
}

// ln(x + sqrt(x^2 + 1)) taken for |x| with the sign put back: asnh is odd,
// and for negative x the sum would cancel to nothing (asnh(-1E10) would
// become the logarithm of 0). Below 1 the logarithm is taken of the sum
// less one, which keeps the digits of small arguments.
long double InverseHyperbolicSine(long double x) {
  const long double magnitude = std::fabs(x);
  const long double square = magnitude * magnitude;
  const long double result =
      magnitude < 1 ? std::log1p(magnitude + square / (1 + std::sqrt(square + 1)))
                    : std::log(magnitude + std::sqrt(square + 1));
  return x < 0 ? -result : result;
}

long double InverseHyperbolicCosine(long double x) {
  if (x == -1) ThrowDivisionByZero();
  if (x < 1) ThrowInvalidOperation();
  return std::log(x + (x + 1) * std::sqrt((x - 1) / (x + 1)));
}

long double InverseHyperbolicTangent(long double x) {
  const long double tolerance = std::max(std::fabs(x) * kNearZero, kNearZero);
  if (std::fabs(x - 1) <= tolerance) return HUGE_VALL;
  if (std::fabs(x + 1) <= tolerance) return -HUGE_VALL;
  if (std::fabs(x) > 1) ThrowInvalidOperation();
  // For small x the quotient is near 1; its logarithm is taken as that of
  // 1 + 2x / (1 - x) to keep the digits.
  if (std::fabs(x) < 0.5L) return std::log1p(2 * x / (1 - x)) / 2;
  return std::log((1 + x) / (1 - x)) / 2;
}

// ---- power rule ------------------------------------------------------------

// base^exponent by repeated squaring; the square is only formed while bits
// of the exponent remain, so no unused square can overflow.
long double WholePower(long double base, std::uint32_t exponent) {
  long double result = 1;
  long double square = base;
  for (;;) {
    if (exponent & 1u) result *= square;
    exponent >>= 1;
    if (exponent == 0) return result;
    square *= square;
  }
}

// Whole exponents are told apart by adding and taking away 2^63, which
// rounds to a whole number, and converted through a double, which holds them
// exactly: trunc and an integer conversion would switch the x87 rounding
// mode twice for every power.
long double PowerWithoutCheck(long double base, long double exponent) {
  const long double magnitude = std::fabs(exponent);
  if (magnitude <= 2147483647.0L && (magnitude + 0x1p63L) - 0x1p63L == magnitude) {
    const auto whole = static_cast<std::uint32_t>(static_cast<double>(magnitude));
    const long double power = WholePower(base, whole);
    if (exponent >= 0) return power;
    if (base == 0) ThrowDivisionByZero();
    if (std::isinf(power)) {
      // |base|^n is too large, so its reciprocal is too small for the
      // format: that is an underflow, which stays quiet.
      ClearPendingFaults();
      return WholePower(1 / base, whole);
    }
    // |base|^n underflowed to zero, so its reciprocal is too large.
    if (power == 0) ThrowOverflow();
    return 1 / power;
  }
  if (base == 0) return 0;
  if (base < 0) ThrowInvalidOperation();
  const long double binaryExponent = exponent * std::log2(base);
  if (std::isinf(binaryExponent) && binaryExponent < 0 && std::isfinite(base)) {
    ClearPendingFaults();
    return 0;
  }
  return std::exp2(binaryExponent);
}

// ---- the table --------------------------------------------------------------

long double Radians(const BuiltinCall& call) {
  return ConvertAngle(call.mode, AngleMode::Rad, call.First());
}

long double FromRadians(const BuiltinCall& call, long double angle) {
  return ConvertAngle(AngleMode::Rad, call.mode, angle);
}

// arcsec and arccsc of arguments near zero are infinite in every angle mode.
long double ArcSecant(const BuiltinCall& call) {
  const long double angle = Checked(InverseSecant(call.First()));
  return std::isinf(angle) ? angle : FromRadians(call, angle);
}

long double ArcCosecant(const BuiltinCall& call) {
  const long double angle = Checked(InverseCosecant(call.First()));
  return std::isinf(angle) ? angle : FromRadians(call, angle);
}

long double ArcCotangent(const BuiltinCall& call) {
  return FromRadians(call, Checked(InverseCotangent(call.First())));
}

template <long double (*Function)(long double)>
long double OfFirst(const BuiltinCall& call) {
  return Function(call.First());
}

template <long double (*Function)(Arguments)>
long double OfAll(const BuiltinCall& call) {
  return Function(call.arguments);
}

using enum ArgumentRule;

constexpr std::array<TBuiltinFunction, 53> kBuiltins = {{
    {"sin", One, [](const BuiltinCall& c) { return std::sin(Radians(c)); }},
    {"cos", One, [](const BuiltinCall& c) { return std::cos(Radians(c)); }},
    {"tan", One, [](const BuiltinCall& c) { return std::tan(Radians(c)); }},
    {"asn", One, [](const BuiltinCall& c) { return FromRadians(c, Checked(std::asin(c.First()))); }},
    {"acs", One, [](const BuiltinCall& c) { return FromRadians(c, Checked(std::acos(c.First()))); }},
    {"atn", One, [](const BuiltinCall& c) { return FromRadians(c, std::atan(c.First())); }},
    {"nPr", Two, OfAll<NPrFunction>},
    {"nCr", Two, OfAll<NCrFunction>},
    {"fact", One, OfAll<FactFunction>},
    {"ln", One, [](const BuiltinCall& c) { return std::log(c.First()); }},
    {"exp", One, [](const BuiltinCall& c) { return std::exp(c.First()); }},
    {"log", One, [](const BuiltinCall& c) { return std::log10(c.First()); }},
    {"logN", Two, [](const BuiltinCall& c) { return LogarithmToBase(c.arguments[0], c.arguments[1]); }},
    {"ten", One, [](const BuiltinCall& c) { return PowerOf(10, c.First()); }},
    {"rcp", One, OfFirst<Reciprocal>},
    {"sqr", One, [](const BuiltinCall& c) { return PowerOf(c.First(), 0.5L); }},
    {"cur", One, [](const BuiltinCall& c) { return PowerOf(c.First(), kOneThird); }},
    {"squ", One, [](const BuiltinCall& c) { return PowerOf(c.First(), 2); }},
    {"cub", One, [](const BuiltinCall& c) { return PowerOf(c.First(), 3); }},
    {"ceil", One, OfFirst<CeilFunction>},
    {"floor", One, OfFirst<FloorFunction>},
    {"trunc", One, OfFirst<TruncFunction>},
    {"round", One, OfFirst<RoundFunction>},
    {"frac", One, OfFirst<FracFunction>},
    {"sinh", One, OfFirst<HyperbolicSine>},
    {"cosh", One, OfFirst<HyperbolicCosine>},
    {"tanh", One, OfFirst<HyperbolicTangent>},
    {"sec", One, [](const BuiltinCall& c) { return Reciprocal(Checked(std::cos(Radians(c)))); }},
    {"csc", One, [](const BuiltinCall& c) { return Reciprocal(Checked(std::sin(Radians(c)))); }},
    {"cot", One, [](const BuiltinCall& c) { return Reciprocal(Checked(std::tan(Radians(c)))); }},
    {"asnh", One, OfFirst<InverseHyperbolicSine>},
    {"acsh", One, OfFirst<InverseHyperbolicCosine>},
    {"atnh", One, OfFirst<InverseHyperbolicTangent>},
    {"arcsec", One, ArcSecant},
    {"arccsc", One, ArcCosecant},
    {"arccot", One, ArcCotangent},
    {"sign", One, OfFirst<Sign>},
    {"abs", One, [](const BuiltinCall& c) { return std::fabs(c.First()); }},
    {"not", One, OfFirst<NotFunction>},
    {"hypot", Two, [](const BuiltinCall& c) { return Hypotenuse(c.arguments[0], c.arguments[1]); }},
    {"rnd", One, [](const BuiltinCall& c) { return Random(c.random, c.First()); }},
    {"bmi", Two, OfAll<BmiFunction>},
    {"rohres", Two, OfAll<RohrerFunction>},
    {"tax", One, OfAll<TaxFunction>},
    {"taxn", Two, OfAll<TaxNFunction>},
    {"sum", Any, OfAll<SumFunction>},
    {"ave", Any, OfAll<AverageFunction>},
    {"sumsqu", Any, OfAll<SumOfSquaresFunction>},
    {"variance", Any, OfAll<VarianceFunction>},
    {"deviation", Any, OfAll<DeviationFunction>},
    {"max", Any, OfAll<MaxFunction>},
    {"min", Any, OfAll<MinFunction>},
    {"weekday", Three, OfAll<WeekdayFunction>},
}};

// tan of exactly 90 degrees is refused before it is computed.
constexpr const TBuiltinFunction* kTangent = &kBuiltins[2];
static_assert(kBuiltins[2].name == "tan");

// ---- name lookup -----------------------------------------------------------

// Every built-in name starts with an ASCII letter. The names are grouped by
// that letter, each group in table order, so that both lookups compare a
// position with a handful of names.
constexpr std::size_t LetterOf(char c) {
  return static_cast<std::size_t>((c >= 'A' && c <= 'Z') ? c - 'A' : c - 'a');
}
constexpr bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

struct LetterIndex {
  std::array<std::uint8_t, kBuiltins.size()> order{};  // table indices, grouped by letter
  std::array<std::uint8_t, 27> start{};                // group g: order[start[g], start[g + 1])
};

constexpr LetterIndex kByLetter = [] {
  LetterIndex index;
  std::size_t next = 0;
  for (std::size_t letter = 0; letter < 26; ++letter) {
    index.start[letter] = static_cast<std::uint8_t>(next);
    for (std::size_t i = 0; i < kBuiltins.size(); ++i) {
      if (LetterOf(kBuiltins[i].name[0]) == letter) index.order[next++] = static_cast<std::uint8_t>(i);
    }
  }
  index.start[26] = static_cast<std::uint8_t>(next);
  return index;
}();

constexpr bool NamesAreDistinctWords() {
  for (std::size_t i = 0; i < kBuiltins.size(); ++i) {
    if (kBuiltins[i].name.empty() || !IsAsciiLetter(kBuiltins[i].name[0])) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kBuiltins[i].name.size() != kBuiltins[j].name.size()) continue;
      bool same = true;
      for (std::size_t k = 0; k < kBuiltins[i].name.size(); ++k) {
        same = same && LetterOf(kBuiltins[i].name[k]) == LetterOf(kBuiltins[j].name[k]);
      }
      if (same) return false;
    }
  }
  return kByLetter.start[26] == kBuiltins.size();
}
static_assert(NamesAreDistinctWords(), "built-in names start with a letter and differ in more than case");

// The table indices of the names starting with the letter `c`.
std::span<const std::uint8_t> NamesStartingWith(char c) {
  if (!IsAsciiLetter(c)) return {};
  const std::size_t letter = LetterOf(c);
  return std::span(kByLetter.order).subspan(kByLetter.start[letter],
                                            kByLetter.start[letter + 1] - kByLetter.start[letter]);
}

bool CountFits(ArgumentRule rule, std::size_t count) {
  switch (rule) {
    case One: return count == 1;
    case Two: return count == 2;
    case Three: return count == 3;
    case Any: return count >= 1;
  }
  return false;
}

// A name that is no built-in counts as taking one argument. Where one is
// due, a user function whose name starts the name lifts the check: it checks
// its own count when it is the one called.
bool ArgumentCountFits(const EngineContext& context, const TBuiltinFunction* builtin,
                       std::string_view name, std::size_t count) {
  const ArgumentRule rule = builtin != nullptr ? builtin->rule : One;
  if (rule != One) return CountFits(rule, count);
  return count == 1 || (count > 1 && FindUserFunction(name, context.userFunctions, false) >= 0);
}

// tan of exactly 90 degrees has no value.
bool IsRightAngleTangent(const TBuiltinFunction* builtin, AngleMode mode,
                         const TExtendeds& arguments) {
  return builtin == kTangent && !arguments.empty() &&
         ConvertAngle(mode, AngleMode::Deg, arguments[0]) == 90;
}

long double Compute(EngineContext& context, const TBuiltinFunction* builtin, std::string_view name,
                    const TExtendeds& arguments, TCalcResult& result) {
  if (builtin == nullptr) return CallUserFunction(context, ToLowerAscii(name), arguments, result);
  BeginArithmetic();
  return Checked(builtin->compute({arguments, context.angleMode, context.random}));
}

bool IsNameSeparator(char c) { return c == ' ' || c == '\t'; }

}  // namespace

long double ConvertAngle(AngleMode from, AngleMode to, long double x) {
  switch (from) {
    case AngleMode::Deg:
      switch (to) {
        case AngleMode::Deg: return x;
        case AngleMode::Rad: return x * kPiOver180;
        case AngleMode::Grad: return (x * kPiOver180) * k200OverPi;
      }
      break;
    case AngleMode::Rad:
      switch (to) {
        case AngleMode::Deg: return x * k180OverPi;
        case AngleMode::Rad: return x;
        case AngleMode::Grad: return x * k200OverPi;
      }
      break;
    case AngleMode::Grad:
      switch (to) {
        case AngleMode::Deg: return (x * kPiOver200) * k180OverPi;
        case AngleMode::Rad: return x * kPiOver200;
        case AngleMode::Grad: return x;
      }
      break;
  }
  return -1;
}

long double PowerOf(long double base, long double exponent) {
  BeginArithmetic();
  return Checked(PowerWithoutCheck(base, exponent));
}

const TBuiltinFunction* MatchBuiltinFunction(std::string_view text) {
  if (text.empty()) return nullptr;
  const TBuiltinFunction* best = nullptr;
  for (const std::uint8_t index : NamesStartingWith(text[0])) {
    const TBuiltinFunction& entry = kBuiltins[index];
    if ((best == nullptr || entry.name.size() > best->name.size()) &&
        StartsWithIgnoreAsciiCase(text, entry.name)) {
      best = &entry;
    }
  }
  return best;
}

const TBuiltinFunction* FindBuiltinFunction(std::string_view name) {
  if (name.empty()) return nullptr;
  for (const std::uint8_t index : NamesStartingWith(name[0])) {
    const TBuiltinFunction& entry = kBuiltins[index];
    if (entry.name.size() == name.size() && EqualsIgnoreAsciiCase(name, entry.name)) return &entry;
  }
  return nullptr;
}

std::span<const TBuiltinFunction> BuiltinFunctions() { return kBuiltins; }

long double CallFunction(EngineContext& context, std::string_view name,
                         const TExtendeds& arguments, TCalcResult& result) {
  result.dwStatusCode = status::kSuccess;
  result.dwSource = 0;
  result.dwMessage.clear();
  result.dwAddition = 0;

  // Both checks run; when both fail, the record ends with the later one.
  const TBuiltinFunction* builtin = FindBuiltinFunction(name);
  if (!ArgumentCountFits(context, builtin, name, arguments.size())) {
    SetError(status::kArgumentCount, result);
  }
  if (IsRightAngleTangent(builtin, context.angleMode, arguments)) {
    SetError(status::kInvalidOperation, result);
  }
  if (result.dwStatusCode != status::kSuccess) return 0;

  try {
    return Compute(context, builtin, name, arguments, result);
  } catch (const EngineFault& fault) {
    ReportFault(fault, result);
  } catch (const ConversionError& failure) {
    ReportFailure(status::kNotANumber, "ConversionFailure", failure.what(), result);
  } catch (const std::exception& failure) {
    ReportFailure(status::kOtherFailure, KindNameOf(failure), failure.what(), result);
  } catch (...) {
    ReportFailure(status::kOtherFailure, "Exception", "unknown failure", result);
  }
  return 0;
}

bool ApplyFunctions(EngineContext& context, TIntUnit& unit, TCalcResult& result) {
  result.dwStatusCode = status::kSuccess;
  result.dwSource = 0;
  result.dwMessage.clear();

  std::string& names = unit.aFunction;
  // Trimmed in place: the unit's buffer is reused from one evaluation to the next.
  const std::string_view trimmed = TrimBlanks(names);
  const auto begin = static_cast<std::size_t>(trimmed.data() - names.data());
  names.erase(begin + trimmed.size()).erase(0, begin);
  if (names.empty()) return true;

  if (unit.aInternalIntegers.empty()) unit.aInternalIntegers.push_back(unit.aInteger);

  // The name nearest the value acts first; each result becomes the first
  // argument of the name to its left, further arguments stay.
  const std::string_view list = names;
  std::size_t end = list.size();
  while (end > 0) {
    while (end > 0 && IsNameSeparator(list[end - 1])) --end;
    if (end == 0) break;
    std::size_t start = end;
    while (start > 0 && !IsNameSeparator(list[start - 1])) --start;
    unit.aInteger = CallFunction(context, list.substr(start, end - start), unit.aInternalIntegers, result);
    unit.aInternalIntegers[0] = unit.aInteger;
    if (result.dwStatusCode != status::kSuccess) break;
    end = start;
  }
  return result.dwStatusCode == status::kSuccess;
}

}  // namespace zc
