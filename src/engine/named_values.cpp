#include "named_values.h"

#include <algorithm>
#include <exception>
#include <string>

#include "calc_expression.h"
#include "decimal_conversion.h"
#include "engine_fault.h"
#include "result_text.h"
#include "ascii_text.h"

namespace zc {

std::string_view LineName(std::string_view line) {
  const std::size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view{} : line.substr(0, equals);
}

std::string_view LineValue(std::string_view line) {
  const std::size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view{} : line.substr(equals + 1);
}

int MatchNameInList(std::string_view text, const NameValueList& list, std::size_t& length) {
  int best = -1;
  length = 0;
  if (text.empty()) return -1;
  const char first = AsciiLower(text[0]);
  for (std::size_t index = 0; index < list.size(); ++index) {
    const std::string& line = list[index];
    // Compare the name character by character; the name ends at the first
    // '=' and a line without one never matches.
    if (line.empty() || line[0] == '=' || AsciiLower(line[0]) != first) continue;
    std::size_t k = 1;
    for (; k < line.size(); ++k) {
      const char c = line[k];
      if (c == '=') break;
      if (k >= text.size() || AsciiLower(c) != AsciiLower(text[k])) break;
    }
    if (k < line.size() && line[k] == '=' && k > length) {
      best = static_cast<int>(index);
      length = k;
    }
  }
  return best;
}

void RemoveEmptyLines(NameValueList& list) {
  for (std::size_t i = list.size(); i > 0; --i) {
    if (list[i - 1].empty()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(i - 1));
  }
}

void SetVariable(std::string_view name, std::string_view text, NameValueList& list) {
  std::size_t found = list.size();
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (EqualsIgnoreAsciiCase(LineName(list[i]), name)) {
      found = i;
      break;
    }
  }
  if (!text.empty()) {
    if (found < list.size()) {
      std::string& line = list[found];
      line.assign(name);
      line += '=';
      line.append(text);
    } else {
      std::string line;
      line.reserve(name.size() + 1 + text.size());
      line.append(name);
      line += '=';
      line.append(text);
      list.push_back(std::move(line));
    }
  } else if (found < list.size()) {
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(found));
  }
  RemoveEmptyLines(list);
}

void SetVariableNumber(std::string_view name, long double value, NameValueList& list) {
  char buffer[kResultTextCapacity];
  SetVariable(name, FormatResultText(value, buffer), list);
}

NamedValueRead ReadNamedValue(EngineContext& context, std::string_view group,
                              std::size_t& position, NameValueList& variables,
                              TCalcResult& result, long double& value) {
  const std::string_view text = group.substr(position);
  std::size_t length = 0;
  const NameValueList* list = &variables;
  int index = MatchNameInList(text, variables, length);
  if (index < 0) {
    list = &context.constants;
    index = MatchNameInList(text, context.constants, length);
  }
  if (index < 0) return NamedValueRead::NoName;

  const bool expand = position > 0 && group[position - 1] == '$';
  position += length;

  if (!expand) {
    switch (ConvertValueText(LineValue((*list)[static_cast<std::size_t>(index)]), value)) {
      case DecimalConversion::Ok:
        return NamedValueRead::Read;
      case DecimalConversion::Malformed:
      case DecimalConversion::OutOfRange:
        break;
    }
    SetError(status::kNotANumber, result);
    return NamedValueRead::Failed;
  }

  // The nested evaluation may rewrite the very line the text came from.
  const std::string expression(LineValue((*list)[static_cast<std::size_t>(index)]));
  context.expandedCharacters += std::max<std::size_t>(expression.size(), 1);
  if (context.expandedCharacters > kExpansionBudget) {
    SetError(status::kOtherFailure, result);
    result.dwMessage = "$ による展開が多すぎます（1 行で合わせて " +
                       std::to_string(kExpansionBudget) +
                       " 文字まで）。展開される式が互いを何度も展開していないか確かめてください";
    return NamedValueRead::Failed;
  }
  TCalcResult nested;
  try {
    CalcExpression(context, expression, variables, nested);
  } catch (const EngineFault& fault) {
    if (fault.Kind() == FaultKind::InvalidMemoryAccess) {
      SetError(status::kAccessViolation, result);
    } else {
      SetError(status::kOtherFailure, result);
      result.dwMessage = fault.what();
    }
    return NamedValueRead::Failed;
  } catch (const std::exception& failure) {
    SetError(status::kOtherFailure, result);
    result.dwMessage = failure.what();
    return NamedValueRead::Failed;
  }
  if (nested.dwStatusCode != status::kSuccess) {
    result = std::move(nested);
    return NamedValueRead::Failed;
  }
  value = nested.dwSource;
  return NamedValueRead::Read;
}

}  // namespace zc
