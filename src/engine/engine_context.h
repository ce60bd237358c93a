// The data an evaluation shares with the rest of the application. The main
// window owns one context for the whole run; tests and the command-line
// programs make their own. Nothing of it is global.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "evaluation_scratch.h"
#include "name_value_list.h"
#include "plugin_host.h"
#include "user_function.h"

namespace zc {

// The selected index of the angle selector.
enum class AngleMode : int { Deg = 0, Rad = 1, Grad = 2 };

// State of the 32-bit linear congruential generator behind rnd().
class RandomState {
 public:
  RandomState();  // seeded from a high-resolution clock
  explicit RandomState(std::uint32_t seed) : state_(seed) {}
  void Seed(std::uint32_t seed) { state_ = seed; }
  void SeedFromClock();
  // Advances the state and returns the new one.
  std::uint32_t Next() { state_ = state_ * 134775813u + 1u; return state_; }
  std::uint32_t State() const { return state_; }

 private:
  std::uint32_t state_ = 0;
};

struct EngineContext {
  NameValueList constants;          // ConstantList, from constants.txt; read only
  UserFunctionList userFunctions;   // UserFunctionList; read only during a call
  AngleMode angleMode = AngleMode::Deg;
  std::string appDir;               // AppDir, with a trailing '/'
  RandomState random;
  // Runs the procedures of library functions in a process of their own.
  // The program comes from whoever owns the context (the application and
  // the command-line programs name the one beside themselves).
  PluginHost pluginHost;

  // Nesting of CalcExpression calls under way (parentheses, comma pieces,
  // $ expansions, user functions); guards the stack against runaway depth.
  int nestingDepth = 0;

  // Work of the line under way, each against a budget of its own:
  // characters of stored texts expanded through '$', and evaluations of
  // expression functions.
  std::size_t expandedCharacters = 0;
  std::size_t functionEvaluations = 0;

  // Reused buffers of the evaluation levels; see evaluation_scratch.h.
  EvaluationScratch scratch;
};

}  // namespace zc
