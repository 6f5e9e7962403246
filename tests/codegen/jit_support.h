// Building, compiling and running statements in the code generator's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "codegen/reference_evaluator.h"
#include "codegen/statement.h"

namespace zorva::testing {

inline std::unique_ptr<Statement> Build(const char* text) {
  const char* cursor = text;
  ErrorRecord errors;
  return Statement::FromText(cursor, errors);
}

inline std::vector<uint8_t> RoutineBytes(const Statement& statement) {
  const CodeBuffer& code = *statement.compiled->code;
  return std::vector<uint8_t>(code.base, code.base + code.size);
}

inline std::string Hex(const std::vector<uint8_t>& bytes) {
  std::string text;
  char pair[4];
  for (uint8_t byte : bytes) {
    std::snprintf(pair, sizeof pair, "%02x ", byte);
    text += pair;
  }
  if (!text.empty()) text.pop_back();
  return text;
}

inline PassSetup Pass(uint8_t* destination, int32_t width, int32_t height, int32_t step = 1) {
  return PassSetup{destination, width, height, step, 0, 1, 0, 0, 0, SourceImage{}};
}

// A pass's output with its variables set as the test asks.
struct Rendering {
  bool completed;
  std::vector<uint8_t> bytes;
};

enum class Engine { Jit, Evaluator };

// The pass's output bytes before the pass: 0xEE, which no pass writes by chance.
inline std::vector<uint8_t> Untouched(const PassSetup& setup) {
  const int32_t stride = (setup.width / setup.step + 3) / 4 * 4;
  return std::vector<uint8_t>(static_cast<size_t>(stride) * (setup.height / setup.step), 0xEE);
}

inline Rendering Render(const Statement& statement, PassSetup setup, Engine engine = Engine::Jit) {
  std::vector<uint8_t> bytes = Untouched(setup);
  setup.destination = bytes.data();
  RenderContext context;
  statement.SetupContext(context, setup);
  const bool completed =
      engine == Engine::Jit ? statement.RunRows(context) : EvaluateRows(statement, context);
  return {completed, bytes};
}

// One pass of the statement that `text` builds; a text that does not build
// fails the test.
inline Rendering RenderText(const char* text, const PassSetup& setup) {
  std::unique_ptr<Statement> statement = Build(text);
  if (statement) return Render(*statement, setup);
  ADD_FAILURE() << text << ": does not build";
  return {false, Untouched(setup)};
}

// The low byte of a statement's value, from a pass over one group of pixels.
inline int Pixel(const char* text, int32_t t = 0) {
  PassSetup setup = Pass(nullptr, 4, 1);
  setup.t = t;
  return RenderText(text, setup).bytes[0];
}

}  // namespace zorva::testing
