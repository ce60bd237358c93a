#include "function_library.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <new>
#include <span>
#include <stdexcept>
#include <string>

#include "arithmetic_checks.h"
#include "calc_expression.h"
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

// Built-in functions in the order of the name table.
enum class Builtin : std::uint8_t {
  Sin, Cos, Tan, Asn, Acs, Atn, NPr, NCr, Fact, Ln, Exp, Log, LogN, Ten, Rcp, Sqr, Cur, Squ,
  Cub, Ceil, Floor, Trunc, Round, Frac, Sinh, Cosh, Tanh, Sec, Csc, Cot, Asnh, Acsh, Atnh,
  ArcSec, ArcCsc, ArcCot, Sign, Abs, Not, Hypot, Rnd, Bmi, Rohres, Tax, TaxN, Sum, Ave,
  SumSqu, Variance, Deviation, Max, Min, Weekday,
  None
};

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A name's first eight bytes, lower case, as one integer: built-in names are
// found by integer comparisons, with no copy and no string compare.
constexpr std::uint64_t NameKey(std::string_view name) {
  std::uint64_t key = 0;
  const std::size_t length = std::min<std::size_t>(name.size(), 8);
  for (std::size_t i = 0; i < length; ++i) {
    key |= static_cast<std::uint64_t>(static_cast<unsigned char>(AsciiLower(name[i]))) << (8 * i);
  }
  return key;
}

struct BuiltinKey {
  std::uint64_t key;
  Builtin id;
};

constexpr std::size_t kLongestBuiltinName = 9;  // "deviation"

constexpr auto kBuiltinKeys = [] {
  std::array<BuiltinKey, kBuiltinFunctionNames.size()> keys{};
  for (std::size_t i = 0; i < keys.size(); ++i) {
    keys[i] = {NameKey(kBuiltinFunctionNames[i]), static_cast<Builtin>(i)};
  }
  std::sort(keys.begin(), keys.end(),
            [](const BuiltinKey& a, const BuiltinKey& b) { return a.key < b.key; });
  return keys;
}();

constexpr bool BuiltinKeysAreDistinct() {
  for (std::size_t i = 1; i < kBuiltinKeys.size(); ++i) {
    if (kBuiltinKeys[i - 1].key == kBuiltinKeys[i].key) return false;
  }
  for (const std::string_view name : kBuiltinFunctionNames) {
    if (name.size() > kLongestBuiltinName) return false;
  }
  return static_cast<std::size_t>(Builtin::None) == kBuiltinFunctionNames.size();
}
static_assert(BuiltinKeysAreDistinct());

// The built-in function called `name` in any letter case, or None.
Builtin FindBuiltin(std::string_view name) {
  if (name.empty() || name.size() > kLongestBuiltinName) return Builtin::None;
  const std::uint64_t key = NameKey(name);
  const auto* found = std::lower_bound(
      kBuiltinKeys.begin(), kBuiltinKeys.end(), key,
      [](const BuiltinKey& entry, std::uint64_t wanted) { return entry.key < wanted; });
  if (found == kBuiltinKeys.end() || found->key != key) return Builtin::None;
  // The key covers eight bytes; the full comparison also rules out a longer
  // name or one with a NUL byte inside.
  const std::string_view builtin = kBuiltinFunctionNames[static_cast<std::size_t>(found->id)];
  return EqualsIgnoreAsciiCase(name, builtin) ? found->id : Builtin::None;
}

enum class ArgumentRule { One, Two, Three, Any };

ArgumentRule RuleOf(Builtin id) {
  switch (id) {
    case Builtin::Weekday:
      return ArgumentRule::Three;
    case Builtin::NPr: case Builtin::NCr: case Builtin::LogN: case Builtin::Hypot:
    case Builtin::Bmi: case Builtin::Rohres: case Builtin::TaxN:
      return ArgumentRule::Two;
    case Builtin::Sum: case Builtin::Ave: case Builtin::SumSqu: case Builtin::Variance:
    case Builtin::Deviation: case Builtin::Max: case Builtin::Min:
      return ArgumentRule::Any;
    default:
      return ArgumentRule::One;
  }
}

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

long double PowerWithoutCheck(long double base, long double exponent) {
  const long double magnitude = std::fabs(exponent);
  if (magnitude <= 2147483647.0L && exponent == std::trunc(exponent)) {
    const auto whole = static_cast<std::uint32_t>(magnitude);
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

// ---- dispatch --------------------------------------------------------------

long double ComputeBuiltin(EngineContext& context, Builtin id, AngleMode mode,
                           std::span<const long double> arguments) {
  const long double x = arguments[0];
  const auto toRadians = [mode](long double value) { return ConvertAngle(mode, AngleMode::Rad, value); };
  const auto fromRadians = [mode](long double value) { return ConvertAngle(AngleMode::Rad, mode, value); };
  switch (id) {
    case Builtin::Sin: return std::sin(toRadians(x));
    case Builtin::Cos: return std::cos(toRadians(x));
    case Builtin::Tan: return std::tan(toRadians(x));
    case Builtin::Asn: return fromRadians(Checked(std::asin(x)));
    case Builtin::Acs: return fromRadians(Checked(std::acos(x)));
    case Builtin::Atn: return fromRadians(std::atan(x));
    case Builtin::NPr: return NPrFunction(arguments);
    case Builtin::NCr: return NCrFunction(arguments);
    case Builtin::Fact: return FactFunction(arguments);
    case Builtin::Ln: return std::log(x);
    case Builtin::Exp: return std::exp(x);
    case Builtin::Log: return std::log10(x);
    case Builtin::LogN: return LogarithmToBase(arguments[0], arguments[1]);
    case Builtin::Ten: return PowerOf(10, x);
    case Builtin::Rcp: return Reciprocal(x);
    case Builtin::Sqr: return PowerOf(x, 0.5L);
    case Builtin::Cur: return PowerOf(x, kOneThird);
    case Builtin::Squ: return PowerOf(x, 2);
    case Builtin::Cub: return PowerOf(x, 3);
    case Builtin::Ceil: return CeilFunction(x);
    case Builtin::Floor: return FloorFunction(x);
    case Builtin::Trunc: return TruncFunction(x);
    case Builtin::Round: return RoundFunction(x);
    case Builtin::Frac: return FracFunction(x);
    case Builtin::Sinh: return HyperbolicSine(x);
    case Builtin::Cosh: return HyperbolicCosine(x);
    case Builtin::Tanh: return HyperbolicTangent(x);
    case Builtin::Sec: return Reciprocal(Checked(std::cos(toRadians(x))));
    case Builtin::Csc: return Reciprocal(Checked(std::sin(toRadians(x))));
    case Builtin::Cot: return Reciprocal(Checked(std::tan(toRadians(x))));
    case Builtin::Asnh: return InverseHyperbolicSine(x);
    case Builtin::Acsh: return InverseHyperbolicCosine(x);
    case Builtin::Atnh: return InverseHyperbolicTangent(x);
    case Builtin::ArcSec: {
      const long double angle = Checked(InverseSecant(x));
      return std::isinf(angle) ? angle : fromRadians(angle);
    }
    case Builtin::ArcCsc: {
      const long double angle = Checked(InverseCosecant(x));
      return std::isinf(angle) ? angle : fromRadians(angle);
    }
    case Builtin::ArcCot: return fromRadians(Checked(InverseCotangent(x)));
    case Builtin::Sign: return Sign(x);
    case Builtin::Abs: return std::fabs(x);
    case Builtin::Not: return NotFunction(x);
    case Builtin::Hypot: return Hypotenuse(arguments[0], arguments[1]);
    case Builtin::Rnd: return Random(context.random, x);
    case Builtin::Bmi: return BmiFunction(arguments);
    case Builtin::Rohres: return RohrerFunction(arguments);
    case Builtin::Tax: return TaxFunction(arguments);
    case Builtin::TaxN: return TaxNFunction(arguments);
    case Builtin::Sum: return SumFunction(arguments);
    case Builtin::Ave: return AverageFunction(arguments);
    case Builtin::SumSqu: return SumOfSquaresFunction(arguments);
    case Builtin::Variance: return VarianceFunction(arguments);
    case Builtin::Deviation: return DeviationFunction(arguments);
    case Builtin::Max: return MaxFunction(arguments);
    case Builtin::Min: return MinFunction(arguments);
    case Builtin::Weekday: return WeekdayFunction(arguments);
    case Builtin::None: break;
  }
  return 0;
}

// The kind name reported with error 20 for failures that are not the
// engine's own.
const char* KindNameOf(const std::exception& failure) {
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) return "OutOfMemory";
  if (dynamic_cast<const std::out_of_range*>(&failure) != nullptr) return "RangeError";
  if (dynamic_cast<const std::length_error*>(&failure) != nullptr) return "LengthError";
  return "Exception";
}

void ReportFailure(std::uint8_t code, const char* kindName, const char* message, TCalcResult& result) {
  SetError(code, result);
  if (code == status::kOtherFailure) {
    result.dwErrorMsg = kindName;
    result.dwErrorMsg += ": ";
    result.dwErrorMsg += message;
  }
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

long double CallFunction(EngineContext& context, std::string_view name,
                         const TExtendeds& arguments, TCalcResult& result) {
  result.dwStatusCode = status::kSuccess;
  result.dwSource = 0;
  result.dwMessage.clear();
  result.dwAddition = 0;
  const AngleMode mode = context.angleMode;

  const Builtin id = FindBuiltin(name);

  const std::size_t count = arguments.size();
  bool countFits = false;
  switch (id == Builtin::None ? ArgumentRule::One : RuleOf(id)) {
    case ArgumentRule::Three: countFits = count == 3; break;
    case ArgumentRule::Two: countFits = count == 2; break;
    case ArgumentRule::Any: countFits = count >= 1; break;
    case ArgumentRule::One:
      // A user function whose name starts this name checks its own count.
      countFits = count == 1 ||
                  (count > 1 && FindUserFunction(name, context.userFunctions, false) >= 0);
      break;
  }
  if (!countFits) SetError(status::kArgumentCount, result);
  if (id == Builtin::Tan && count >= 1 && ConvertAngle(mode, AngleMode::Deg, arguments[0]) == 90) {
    SetError(status::kInvalidOperation, result);
  }
  if (result.dwStatusCode != status::kSuccess) return 0;

  try {
    if (id == Builtin::None) {
      return CallUserFunction(context, ToLowerAscii(name), arguments, result);
    }
    BeginArithmetic();
    return Checked(ComputeBuiltin(context, id, mode, arguments));
  } catch (const EngineFault& fault) {
    ReportFailure(ErrorCodeFor(fault.Kind()), fault.KindName(), fault.what(), result);
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
