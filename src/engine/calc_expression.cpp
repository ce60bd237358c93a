#include "calc_expression.h"

#include <string>
#include <vector>

#include "engine_fault.h"
#include "evaluation_scratch.h"
#include "line_text.h"
#include "named_values.h"
#include "result_text.h"
#include "scanner.h"
#include "str_tok.h"
#include "unit_evaluation.h"

namespace zc {
namespace {

// Deep enough for any expression a person writes, shallow enough that the
// stack of the GUI thread holds it, also with the function layer and user
// functions in between.
constexpr int kMaxNestingDepth = 256;

class NestingGuard {
 public:
  explicit NestingGuard(EngineContext& context) : context_(context) { ++context_.nestingDepth; }
  ~NestingGuard() { --context_.nestingDepth; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  EngineContext& context_;
};

void Refresh(TCalcResult& record) {
  record.dwStatusCode = status::kNothing;
  record.dwSource = 0;
  record.dwAnswers.clear();
  record.dwMessage.clear();
  record.dwErrorMsg.clear();
  record.dwAddition = 0;
}

// Copies a nested record over the caller's, reusing the caller's buffers.
void Adopt(const TCalcResult& nested, TCalcResult& result) { result = nested; }

// Step 4: the parentheses must balance before anything is evaluated.
bool Balanced(std::string_view expression) {
  int depth = 0;
  for (const char c : expression) {
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (depth == 0) return false;
      --depth;
    }
  }
  return depth == 0;
}

void Evaluate(EngineContext& context, std::string_view line, NameValueList& variables,
              TCalcResult& result, TEvaluationLevel& level) {
  // 1. Comma pieces: pieces 2..n first, each by a nested call.
  std::string_view expression = line;
  if (line.find(',') != std::string_view::npos) {
    std::vector<std::string_view>& pieces = level.pieces;
    if (SplitTopLevelCommas(line, pieces) >= 2) {
      for (std::size_t i = 1; i < pieces.size(); ++i) {
        TCalcResult& piece = level.nested;
        Refresh(piece);
        CalcExpression(context, pieces[i], variables, piece);
        if (piece.dwStatusCode != status::kSuccess) {
          Adopt(piece, result);
          return;
        }
        result.dwAnswers.push_back(piece.dwSource);
        result.dwAnswers.insert(result.dwAnswers.end(), piece.dwAnswers.begin(),
                                piece.dwAnswers.end());
      }
      expression = pieces[0];
    }
  }

  // 2. Assignment target: the first run of characters other than '='.
  std::string_view target;
  bool hasTarget = false;
  if (expression.find('=') != std::string_view::npos) {
    static const TDelimiterSet kEquals("=");
    TStrTokRec rec;
    target = StrTokFirst(expression, kEquals, rec);
    hasTarget = true;
    const auto rest = static_cast<std::size_t>(rec.Pos - 1);
    expression = rest < expression.size() ? expression.substr(rest) : std::string_view{};
  }

  // 3. A quoted text is stored as it is; the status stays as it was.
  const std::string_view trimmed = TrimBlanks(expression);
  if (IsQuoted(trimmed)) {
    const std::string_view text = Unquote(trimmed);
    const std::string stored(text);  // the target may be a view into the list
    SetVariable(hasTarget ? target : std::string_view{}, stored, variables);
    result.dwMessage = stored;
    return;
  }

  // 4. Groups: plain stretches and parenthesised groups, in order.
  if (!Balanced(expression)) {
    SetError(status::kUnbalanced, result);
    return;
  }

  // 5. Units.
  level.unitsUsed = 0;
  level.list.clear();
  TScanState state;
  std::size_t start = 0;
  int depth = 0;
  for (std::size_t i = 0; i <= expression.size(); ++i) {
    const bool atEnd = i == expression.size();
    const char c = atEnd ? '\0' : expression[i];
    if (depth == 0 && (atEnd || c == '(')) {
      if (i > start) {
        state.unit = nullptr;
        if (!ScanPlainGroup(context, expression.substr(start, i - start), state, level,
                            variables, result)) {
          return;
        }
      }
      start = i;
    }
    if (atEnd) break;
    if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      // A parenthesised group: evaluate its inside by a nested call.
      const std::string_view inside = expression.substr(start + 1, i - start - 1);
      start = i + 1;
      TCalcResult& nested = level.nested;
      Refresh(nested);
      CalcExpression(context, inside, variables, nested);
      if (nested.dwStatusCode != status::kSuccess) {
        Adopt(nested, result);
        return;
      }
      TIntUnit* unit = state.unit;
      char sign = state.sign;
      if (unit == nullptr) {
        unit = &NewUnit(level);
        sign = '\0';
      }
      unit->aInteger = nested.dwSource;
      unit->aInternalIntegers.clear();
      unit->aInternalIntegers.push_back(nested.dwSource);
      unit->aInternalIntegers.insert(unit->aInternalIntegers.end(), nested.dwAnswers.begin(),
                                     nested.dwAnswers.end());
      unit->aInternalOperation = 2;
      if (!unit->aFunction.empty() && state.argumentSign == '-') unit->aInteger = -unit->aInteger;
      state.unit = nullptr;
      if (!PushUnit(context, level.list, sign, *unit, result)) return;
    }
  }

  // 6. End of the groups.
  if (state.unit != nullptr) {
    SetError(status::kIncomplete, result);
    return;
  }
  if (level.list.empty()) {
    Refresh(result);
    return;
  }
  TCalcResult& work = level.work;
  Refresh(work);
  const long double value = EvaluateUnits(level.list, work);
  if (work.dwStatusCode != status::kSuccess) {
    Adopt(work, result);
    return;
  }

  // 7. Success.
  char buffer[kResultTextCapacity];
  const std::string_view text = FormatResultText(value, buffer);
  result.dwStatusCode = status::kSuccess;
  result.dwSource = value;
  result.dwMessage.assign(text);
  if (hasTarget) SetVariable(target, text, variables);
  SetVariable("ANS", text, variables);
}

}  // namespace

void SetError(std::uint8_t code, TCalcResult& result) {
  result.dwStatusCode = code;
  result.dwSource = 0;
  result.dwAnswers.clear();
  result.dwMessage = "ERROR " + std::to_string(code);
}

void CalcExpression(EngineContext& context, std::string_view expression,
                    NameValueList& variables, TCalcResult& result) {
  const int depth = context.nestingDepth;
  if (depth >= kMaxNestingDepth) {
    throw EngineFault(FaultKind::Other,
                      "式の入れ子が深すぎます（" + std::to_string(kMaxNestingDepth) +
                          " 段まで）。括弧、$ による展開、ユーザー関数の呼び出しが"
                          "自分自身を繰り返していないか確かめてください");
  }
  TEvaluationLevel& level = context.scratch.Level(depth);
  NestingGuard guard(context);
  if (depth > 0) {
    Evaluate(context, expression, variables, result, level);
    return;
  }
  // The caller's call: a runaway nesting that no $ expansion or function
  // call caught ends here as error 20 with its explanation.
  try {
    Evaluate(context, expression, variables, result, level);
  } catch (const EngineFault& fault) {
    SetError(ErrorCodeFor(fault.Kind()), result);
    result.dwErrorMsg = std::string(fault.KindName()) + ": " + fault.what();
  }
}

}  // namespace zc
