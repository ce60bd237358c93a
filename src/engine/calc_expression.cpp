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

enum class Step { Go, Done };

// Step 1: pieces 2..n of a comma list first, each by a nested call, their
// values gathered as answers. `expression` becomes piece 1.
Step EvaluateFurtherPieces(EngineContext& context, std::string_view& expression,
                           NameValueList& variables, TCalcResult& result,
                           TEvaluationLevel& level) {
  if (expression.find(',') == std::string_view::npos) return Step::Go;
  std::vector<std::string_view>& pieces = level.pieces;
  if (SplitTopLevelCommas(expression, pieces) < 2) return Step::Go;
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    TCalcResult& piece = level.nested;
    Refresh(piece);
    CalcExpression(context, pieces[i], variables, piece);
    if (piece.dwStatusCode != status::kSuccess) {
      Adopt(piece, result);
      return Step::Done;
    }
    result.dwAnswers.push_back(piece.dwSource);
    result.dwAnswers.insert(result.dwAnswers.end(), piece.dwAnswers.begin(), piece.dwAnswers.end());
  }
  expression = pieces[0];
  return Step::Go;
}

struct Assignment {
  std::string_view target;  // exactly as typed, blanks included
  bool hasTarget = false;
};

// Step 2: the target is the first run of characters other than '='; the
// expression is what follows the run of '=' after it.
Assignment SplitAssignment(std::string_view& expression) {
  if (expression.find('=') == std::string_view::npos) return {};
  static const TDelimiterSet kEquals("=");
  TStrTokRec rec;
  const std::string_view target = StrTokFirst(expression, kEquals, rec);
  const auto rest = static_cast<std::size_t>(rec.Pos - 1);
  expression = rest < expression.size() ? expression.substr(rest) : std::string_view{};
  return {target, true};
}

// Step 3: a quoted text is stored as it is; the status stays as it was.
Step StoreQuotedText(std::string_view expression, const Assignment& assignment,
                     NameValueList& variables, TCalcResult& result) {
  const std::string_view trimmed = TrimBlanks(expression);
  if (!IsQuoted(trimmed)) return Step::Go;
  const std::string stored(Unquote(trimmed));  // the target may be a view into the list
  SetVariable(assignment.hasTarget ? assignment.target : std::string_view{}, stored, variables);
  result.dwMessage = stored;
  return Step::Done;
}

// A parenthesised group's value completes the pending unit, or joins the
// unit before it by multiplication. Its further values are the arguments
// after the first.
bool CompleteWithGroup(EngineContext& context, const TCalcResult& group, TScanState& state,
                       TEvaluationLevel& level, TCalcResult& result) {
  TIntUnit* unit = state.unit;
  char sign = state.sign;
  if (unit == nullptr) {
    unit = &NewUnit(level);
    sign = '\0';
  }
  unit->aInteger = group.dwSource;
  unit->aInternalIntegers.clear();
  unit->aInternalIntegers.push_back(group.dwSource);
  unit->aInternalIntegers.insert(unit->aInternalIntegers.end(), group.dwAnswers.begin(),
                                 group.dwAnswers.end());
  unit->aInternalOperation = 2;
  if (!unit->aFunction.empty() && state.argumentSign == '-') unit->aInteger = -unit->aInteger;
  state.unit = nullptr;
  return PushUnit(context, level.list, sign, *unit, result);
}

// Steps 4 and 5: the expression cut into plain stretches, which the scanner
// reads, and parenthesised groups, each evaluated by a nested call.
Step ReadUnits(EngineContext& context, std::string_view expression, NameValueList& variables,
               TCalcResult& result, TEvaluationLevel& level, TScanState& state) {
  level.unitsUsed = 0;
  level.list.clear();
  std::size_t start = 0;
  int depth = 0;
  for (std::size_t i = 0; i <= expression.size(); ++i) {
    const bool atEnd = i == expression.size();
    const char c = atEnd ? '\0' : expression[i];
    if (depth == 0 && (atEnd || c == '(')) {
      if (i > start) {
        // A plain stretch ends here; it always starts with no unit.
        state.unit = nullptr;
        if (!ScanPlainGroup(context, expression.substr(start, i - start), state, level, variables,
                            result)) {
          return Step::Done;
        }
      }
      start = i;
    }
    if (atEnd) break;
    if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      const std::string_view inside = expression.substr(start + 1, i - start - 1);
      start = i + 1;
      TCalcResult& group = level.nested;
      Refresh(group);
      CalcExpression(context, inside, variables, group);
      if (group.dwStatusCode != status::kSuccess) {
        Adopt(group, result);
        return Step::Done;
      }
      if (!CompleteWithGroup(context, group, state, level, result)) return Step::Done;
    }
  }
  return Step::Go;
}

// Step 7: the value, its text, the assignment and ANS.
void StoreResult(long double value, const Assignment& assignment, NameValueList& variables,
                 TCalcResult& result) {
  char buffer[kResultTextCapacity];
  const std::string_view text = FormatResultText(value, buffer);
  result.dwStatusCode = status::kSuccess;
  result.dwSource = value;
  result.dwMessage.assign(text);
  if (assignment.hasTarget) SetVariable(assignment.target, text, variables);
  SetVariable("ANS", text, variables);
}

void Evaluate(EngineContext& context, std::string_view line, NameValueList& variables,
              TCalcResult& result, TEvaluationLevel& level) {
  std::string_view expression = line;
  if (EvaluateFurtherPieces(context, expression, variables, result, level) == Step::Done) return;
  const Assignment assignment = SplitAssignment(expression);
  if (StoreQuotedText(expression, assignment, variables, result) == Step::Done) return;
  if (!Balanced(expression)) {
    SetError(status::kUnbalanced, result);
    return;
  }
  TScanState state;
  if (ReadUnits(context, expression, variables, result, level, state) == Step::Done) return;

  // Step 6: the end of the groups.
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
  StoreResult(value, assignment, variables, result);
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
  // The caller's call: a line of its own. A runaway nesting that no $
  // expansion or function call caught ends here as error 20 with its
  // explanation.
  context.expandedCharacters = 0;
  context.functionEvaluations = 0;
  try {
    Evaluate(context, expression, variables, result, level);
  } catch (const EngineFault& fault) {
    ReportFault(fault, result);
  }
}

}  // namespace zc
