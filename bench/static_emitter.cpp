#include "bench/static_emitter.h"

#include <cstdio>
#include <cstring>

#include "codegen/builtin_table.h"
#include "codegen/compiled_forms.h"

namespace zorva::bench {

namespace {

// The routines, their tables and the state they read, compiled with the
// passes. The unit has its own copies of the sound frame and the random
// generator's state, which the program hands in and takes back.
constexpr const char kOneUnitSources[] = R"(// Names of the unit's own, so that it can also be linked beside the core.
#define SineOfSigned UnitSineOfSigned
#define CosineOfSigned UnitCosineOfSigned
#define TanRoutine UnitTanRoutine
#define AsinRoutine UnitAsinRoutine
#define AcosRoutine UnitAcosRoutine
#define AtanRoutine UnitAtanRoutine
#define DsinRoutine UnitDsinRoutine
#define DecayRoutine UnitDecayRoutine
#define ExpRoutine UnitExpRoutine
#define RandRoutine UnitRandRoutine
#define SqrtRoutine UnitSqrtRoutine
#define FftRoutine UnitFftRoutine
#define VolRoutine UnitVolRoutine
#define ThetaRoutine UnitThetaRoutine
#define RadRoutine UnitRadRoutine
#define PalRoutine UnitPalRoutine
#define SmallSquareRoots UnitSmallSquareRoots
#define SmallReciprocals UnitSmallReciprocals
#define sineTable unitSineTable
#define cosineTable unitCosineTable
#define arcsineTable unitArcsineTable
#define arccosineTable unitArccosineTable
#define arctangentTable unitArctangentTable
#define dampedSineTable unitDampedSineTable
#define decayTable unitDecayTable
#define exponentialTable unitExponentialTable
#define randomState unitRandomState
#define SeedRandom UnitSeedRandom
#define soundWaveform unitSoundWaveform
#define soundSpectrum unitSoundSpectrum
#define CopySoundFrame UnitCopySoundFrame
#define Pal UnitPal
#define BuiltinPalettes UnitBuiltinPalettes

#include "codegen/routines.cpp"
#include "codegen/lookup_tables.cpp"
#include "codegen/random.cpp"
#include "codegen/sound_frame.cpp"
#include "image/palettes.cpp"
#include "image/palettes_data.cpp"

typedef zorva::RenderContext Context;

extern "C" __attribute__((visibility("default"))) void EnterUnit(const uint8_t* waveform, const uint8_t* spectrum,
                                                                 uint32_t state) {
  memcpy(soundWaveform, waveform, sizeof soundWaveform);
  memcpy(soundSpectrum, spectrum, sizeof soundSpectrum);
  randomState = state;
}

extern "C" __attribute__((visibility("default"))) uint32_t LeaveUnit() { return randomState; }
)";

constexpr const char kPrologue[] = R"(#include <stdint.h>
#include <string.h>
)";

// How the routines are called through the addresses of the environment.
constexpr const char kRoutineTypes[] = R"(typedef void Context;
typedef int32_t (__attribute__((fastcall)) * Routine1)(int32_t);
typedef int32_t (__attribute__((fastcall)) * Routine2)(int32_t, int32_t, const Context*);
typedef int32_t (__attribute__((fastcall)) * RoutineX)(int32_t, int32_t, int32_t, const Context*);
)";

constexpr const char kHelpers[] = R"(

struct StaticEnvironment {
  const void* routines[23];
  const uint8_t* sine;
  const uint8_t* cosine;
  const uint8_t* waveform;
};

[[maybe_unused]] static inline int32_t W(uint32_t v) { return (int32_t)v; }
[[maybe_unused]] static inline int32_t Add(int32_t a, int32_t b) { return W((uint32_t)a + (uint32_t)b); }
[[maybe_unused]] static inline int32_t Sub(int32_t a, int32_t b) { return W((uint32_t)a - (uint32_t)b); }
[[maybe_unused]] static inline int32_t Mul(int32_t a, int32_t b) { return W((uint32_t)a * (uint32_t)b); }
[[maybe_unused]] static inline int32_t Neg(int32_t a) { return W(0u - (uint32_t)a); }
[[maybe_unused]] static inline int32_t Div(int32_t a, int32_t b) { return b == 0 ? a : a / b; }
[[maybe_unused]] static inline int32_t Mod(int32_t a, int32_t b) { return b == 0 ? a : a % b; }
[[maybe_unused]] static inline int32_t Pow(int32_t a, int32_t b) {
  if (b < 0) return 0;
  uint32_t result = 1, base = (uint32_t)a;
  for (; b != 0; b >>= 1, base *= base)
    if (b & 1) result *= base;
  return W(result);
}
[[maybe_unused]] static inline int32_t Abs(int32_t a) { return a < 0 ? Neg(a) : a; }
[[maybe_unused]] static inline int32_t Peg(int32_t a) { return a < 0 ? 0 : a > 255 ? 255 : a; }
[[maybe_unused]] static inline int32_t Saw(int32_t a) { return (int32_t)((2u * (uint32_t)a) & 255); }
[[maybe_unused]] static inline int32_t Tri(int32_t a) {
  const int32_t t = a & 255;
  return t < 128 ? 2 * t : 255 - ((2 * t) & 255);
}
[[maybe_unused]] static inline int32_t SourceByte(const int32_t* c, int32_t a, int32_t b) {
  const uint32_t width = (uint32_t)c[13], height = (uint32_t)c[14];
  if ((uint32_t)b >= height || (uint32_t)a >= width) return 0;
  const uint32_t at = (uint32_t)c[10] + (uint32_t)a + (uint32_t)c[15] * (height - (uint32_t)b - 1);
  return *(const uint8_t*)(uintptr_t)at;
}
)";

// Prints one value at a time into `body` as a fresh local, in the order in
// which the templates evaluate operands; C++ leaves the order of operands
// within one expression open, and rand's draws depend on it.
class Printer {
 public:
  Printer(const SymbolTable& symbols, Linkage linkage) : symbols(symbols), linkage(linkage) {}

  std::string Value(const ExprNode* node);
  std::string body;

 private:
  std::string Local(const std::string& expression) {
    const std::string name = "v" + std::to_string(next++);
    body += "  const int32_t " + name + " = " + expression + ";\n";
    return name;
  }
  std::string Binary(const char* helper, const ExprNode* node) {
    const std::string a = Value(node->child[0]);
    return Local(std::string(helper) + "(" + a + ", " + Value(node->child[1]) + ")");
  }
  std::string Constant(int32_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "W(0x%08Xu)", static_cast<unsigned>(value));
    return text;
  }
  std::string Variable(const ExprNode* node);
  std::string Multiply(const ExprNode* node);
  std::string Divide(const ExprNode* node);
  std::string Power(const ExprNode* node);
  std::string Compare(const char* op, const ExprNode* node);
  std::string Conditional(const ExprNode* node);
  std::string Call(const ExprNode* node);

  std::string Routine(const BuiltinFunc& row, int32_t index, const char* type) const;

  const SymbolTable& symbols;
  const Linkage linkage;
  int next = 0;
};

std::string Printer::Variable(const ExprNode* node) {
  const Symbol& symbol = symbols.At(node->symbol);
  if (std::strcmp(symbol.name, "x") == 0) return "x";
  if (symbol.slot < 0 || symbol.slot >= kVariableSlots) return "0";
  return "s[" + std::to_string(symbol.slot) + "]";
}

std::string Printer::Multiply(const ExprNode* node) {
  if (const ExprNode* factor = ConstantRight(node); factor && factor->value == 0) return "0";
  return Binary("Mul", node);
}

std::string Printer::Divide(const ExprNode* node) {
  if (const ExprNode* divisor = ConstantRight(node)) {
    const int shift = ShiftOfDivisor(divisor->value);
    if (shift >= 0) return Local("(" + Value(node->child[0]) + " >> " + std::to_string(shift) + ")");
  }
  return Binary("Div", node);
}

std::string Printer::Power(const ExprNode* node) {
  if (const ExprNode* exponent = ConstantRight(node); exponent && exponent->value == 2) {
    const std::string a = Value(node->child[0]);
    return Local("Mul(" + a + ", " + a + ")");
  }
  return Binary("Pow", node);
}

std::string Printer::Compare(const char* op, const ExprNode* node) {
  const std::string a = Value(node->child[0]);
  return Local("(" + a + " " + op + " " + Value(node->child[1]) + ")");
}

std::string Printer::Conditional(const ExprNode* node) {
  const std::string condition = Value(node->child[2]);
  const std::string name = "v" + std::to_string(next++);
  body += "  int32_t " + name + ";\n  if (" + condition + " != 0) {\n";
  const std::string chosen = Value(node->child[0]);
  body += "  " + name + " = " + chosen + ";\n  } else {\n";
  const std::string other = Value(node->child[1]);
  body += "  " + name + " = " + other + ";\n  }\n";
  return name;
}

// The routines are named after their built-in: TanRoutine, PalRoutine, ...
std::string Printer::Routine(const BuiltinFunc& row, int32_t index, const char* type) const {
  if (linkage == Linkage::kOneUnit) return std::string(row.name) + "Routine";
  return std::string("((") + type + ")r[" + std::to_string(index) + "])";
}

std::string Printer::Call(const ExprNode* node) {
  const BuiltinFunc& row = symbols.BuiltinOf(symbols.At(node->symbol));
  const int32_t index = symbols.At(node->symbol).builtin;
  std::string arguments[2] = {"0", "0"};
  int32_t count = 0;
  for (const ExprNode* link = node->child[0]; link != nullptr; link = link->child[1], ++count) {
    const std::string value = Value(link->child[0]);
    if (count < 2) arguments[count] = value;
  }
  const std::string& a = arguments[0];
  const std::string& b = arguments[1];
  switch (CompiledCallKind(row, count)) {
    case 49: return Local("Abs(" + a + ")");
    case 50: return Local("cosine[" + a + " & 255]");
    case 51: return Local("sine[" + a + " & 255]");
    case 52: return Local("Peg(" + a + ")");
    case 53: return Local("Saw(" + a + ")");
    case 54: return Local("Tri(" + a + ")");
    case 55: case 56: return Local("waveform[2 * (" + a + " & 255)]");
    case 57: return Local("waveform[2 * (" + a + " & 255) + 1]");
    case 58: return Local(Routine(row, index, "RoutineX") + "(" + a + ", " + b + ", x, (const Context*)c)");
    case 59: return Local(Routine(row, index, "RoutineX") + "(" + a + ", 0, x, (const Context*)c)");
    case 65: return Local(Routine(row, index, "Routine2") + "(" + a + ", " + b + ", (const Context*)c)");
    default: return Local(Routine(row, index, "Routine1") + "(" + a + ")");
  }
}

std::string Printer::Value(const ExprNode* node) {
  const ExprKind kind = Descriptor(node->kind).base;
  const ExprNode* const* c = node->child;
  switch (kind) {
    case ExprKind::Const: return Constant(node->value);
    case ExprKind::Var: return Variable(node);
    case ExprKind::Add: return Binary("Add", node);
    case ExprKind::Sub: {
      const std::string b = Value(c[1]);  // the right operand first, as its template does
      return Local("Sub(" + Value(c[0]) + ", " + b + ")");
    }
    case ExprKind::Mul: return Multiply(node);
    case ExprKind::Div: return Divide(node);
    case ExprKind::Mod: return Binary("Mod", node);
    case ExprKind::Lt: return Compare("<", node);
    case ExprKind::Gt: return Compare(">", node);
    case ExprKind::Eq: return Compare("==", node);
    case ExprKind::Le: return Compare("<=", node);
    case ExprKind::Ge: return Compare(">=", node);
    case ExprKind::Ne: return Compare("!=", node);
    case ExprKind::Pow: return Power(node);
    case ExprKind::Assign: return Value(c[1]);
    case ExprKind::Bracket: {
      const std::string a = Value(c[0]);
      return Local("SourceByte(c, " + a + ", " + Value(c[1]) + ")");
    }
    case ExprKind::Cond: return Conditional(node);
    case ExprKind::Call: return Call(node);
    case ExprKind::Neg: return Local("Neg(" + Value(c[0]) + ")");
    case ExprKind::Brace:
      Value(c[0]);
      Value(c[1]);
      return "0";
    default: return "0";
  }
}

}  // namespace

std::string StaticPrologue(Linkage linkage) {
  if (linkage == Linkage::kOneUnit) return std::string(kPrologue) + kOneUnitSources + kHelpers;
  return std::string(kPrologue) + kRoutineTypes + kHelpers;
}

std::string StaticPass(const Statement& statement, const std::string& name, Linkage linkage) {
  Printer printer(*statement.symbols, linkage);
  const std::string result = printer.Value(statement.tree->Root());
  const int32_t y = statement.symbols->Lookup("y");
  const int32_t ySlot = y < 0 ? -1 : statement.symbols->At(y).slot;
  std::string text;
  text += "static inline __attribute__((always_inline)) int32_t " + name +
          "_at(int32_t x, const int32_t* s, const int32_t* c, const void* const* r, const uint8_t* sine,\n"
          "    const uint8_t* cosine, const uint8_t* waveform) {\n";
  text += "  (void)x; (void)s; (void)c; (void)r; (void)sine; (void)cosine; (void)waveform;\n";
  text += printer.body + "  return " + result + ";\n}\n\n";
  text += "extern \"C\" __attribute__((visibility(\"default\"))) void " + name +
          "(int32_t* c, const StaticEnvironment* env) {\n";
  text += "  const int32_t step = c[0], width = c[1], height = c[2];\n";
  text += "  int32_t s[16];\n  memcpy(s, c + 16, sizeof s);\n";
  text += "  const void* r[23];\n  memcpy(r, env->routines, sizeof r);\n";
  if (linkage == Linkage::kOneUnit)
    text += "  const uint8_t* sine = sineTable;\n  const uint8_t* cosine = cosineTable;\n"
            "  const uint8_t* waveform = soundWaveform;\n";
  else
    text += "  const uint8_t* sine = env->sine;\n  const uint8_t* cosine = env->cosine;\n"
            "  const uint8_t* waveform = env->waveform;\n";
  text += "  uint8_t* out;\n  memcpy(&out, c + 5, sizeof out);\n";
  text += "  for (int32_t y = height - step; y >= 0; y -= step) {\n";
  if (ySlot >= 0 && ySlot < kVariableSlots) text += "    s[" + std::to_string(ySlot) + "] = y;\n";
  text += "    int32_t x = 0;\n    do {\n      uint32_t group = 0;\n";
  text += "      for (int k = 0; k < 4; ++k) {\n";
  text += "        group |= (uint32_t)(" + name + "_at(x, s, c, r, sine, cosine, waveform) & 255) << (8 * k);\n";
  text += "        x = W((uint32_t)x + (uint32_t)step);\n      }\n";
  text += "      memcpy(out, &group, 4);\n      out += 4;\n";
  // The context's output pointer is brought up to date once a row, not once
  // a group as in the generated code: nothing but a fault could tell.
  text += "    } while (x < width);\n    memcpy(c + 5, &out, sizeof out);\n  }\n}\n\n";
  return text;
}

}  // namespace zorva::bench
