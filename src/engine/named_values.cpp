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

int MatchNameInList(std::string_view text, const NameValueList& list, std::size_t& length) {
  return list.MatchLongestName(text, length);
}

void RemoveEmptyLines(NameValueList& list) { list.RemoveEmptyLines(); }

void SetVariable(std::string_view name, std::string_view text, NameValueList& list) {
  const int found = list.FindName(name);
  if (!text.empty()) {
    if (found >= 0) {
      list.Rewrite(static_cast<std::size_t>(found), name, text);
    } else {
      list.Append(name, text);
    }
  } else if (found >= 0) {
    list.Remove(static_cast<std::size_t>(found));
  }
  list.RemoveEmptyLines();
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
