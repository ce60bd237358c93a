#include "numeric_calculus.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "calc_expression.h"
#include "ascii_text.h"
#include "number_text.h"

namespace zc {

void SetNameValue(NameValueList& list, std::string_view name, std::string_view value) {
  std::string line = std::string(name) + "=" + std::string(value);
  for (auto& entry : list) {
    const auto equals = entry.find('=');
    if (equals != std::string::npos &&
        EqualsIgnoreAsciiCase(std::string_view(entry).substr(0, equals), name)) {
      entry = std::move(line);
      return;
    }
  }
  list.push_back(std::move(line));
}

long double ParseFieldNumber(std::string_view text) {
  const NumberRead<long double> number = ReadDecimal<long double>(text, kTypedDecimal);
  if (!number) throw CalculusError("'" + std::string(text) + "' は浮動小数点数ではありません");
  return number.value;
}

long double RoundDecimals(long double value, int decimals) {
  long double scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  return std::nearbyint(value * scale) / scale;
}

TSlope ComputeSlope(const Sampler& sample, long double x0, long double h) {
  if (h == 0) throw CalculusError("サンプリングデルタが 0 なので傾きを計算できません");
  const long double f0 = sample(x0).dwSource;
  const long double f1 = sample(x0 + h).dwSource;
  TSlope result;
  result.slope = RoundDecimals((f1 - f0) / h, 5);
  result.intercept = RoundDecimals(f0 - result.slope * x0, 5);
  return result;
}

std::string TangentText(const TSlope& slope) {
  return ResultText(slope.slope) + "x" + (slope.intercept >= 0 ? "+" : "-") +
         ResultText(std::fabs(slope.intercept));
}

long double IntegralStep(long double a, long double b, std::optional<long double> manualStep) {
  const long double tolerance = std::max(1e-16L * std::min(std::fabs(a), std::fabs(b)), 1e-16L);
  if (!(std::fabs(a - b) > tolerance)) throw CalculusError(kNoIntegralRangeMessage);
  if (!manualStep) {
    const long double h = (b - a) * 0.0001L;
    // A range so narrow, far from 0, that a ten-thousandth of it vanishes
    // against x would never end.
    if (a + h == a || b + h == b) throw CalculusError("範囲が狭すぎて積分できません");
    return h;
  }
  const long double h = *manualStep;
  if (h == 0) throw CalculusError("ステップが 0 では積分が終わりません");
  if ((h > 0) != (b > a)) {
    throw CalculusError("ステップの符号が逆なので終了(x座標)に届きません");
  }
  if (a + h == a || b + h == b) {
    throw CalculusError("ステップが小さすぎて x が進みません");
  }
  return h;
}

std::optional<long double> IntegrateTrapezoid(const Sampler& sample, long double a, long double b,
                                              long double h, const StripCallback& onStrip) {
  long double x = a;
  long double sum = 0;
  bool rightValid = false;
  long double right = 0;
  while (x <= b) {
    const long double left = rightValid ? right : sample(x).dwSource;
    const TCalcResult rightResult = sample(x + h);
    rightValid = rightResult.dwStatusCode == status::kSuccess;
    right = rightResult.dwSource;
    sum += (left + right) * (h / 2);
    x += h;
    const long double position = std::nearbyint((x - a) / (b - a) * 100);
    const int progress =
        std::isnan(position) ? 0 : static_cast<int>(std::clamp(position, 0.0L, 100.0L));
    if (onStrip && !onStrip(progress)) return std::nullopt;
  }
  return sum;
}

}  // namespace zc
