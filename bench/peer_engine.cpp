#include "bench/peer_engine.h"

#include <muParser.h>
#include <omp.h>

#include <algorithm>
#include <cstring>

#include "codegen/builtin_table.h"
#include "codegen/lookup_tables.h"
#include "codegen/routines.h"
#include "codegen/sound_frame.h"

namespace zorva::bench {

namespace {

const char* const kVariableNames[] = {"x", "y", "X", "Y", "t", "T", "xm", "ym", "r", "g", "b", "p", "h", "s", "l"};

// The pass that the callbacks that need the context belong to.
const RenderContext* passContext = nullptr;

int32_t Int(double value) {
  if (!(value > -9.0e18 && value < 9.0e18)) return 0;
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(value))));
}

double Divide(double a, double b) {
  const int32_t n = Int(a), d = Int(b);
  if (d == 0 || (n == INT32_MIN && d == -1)) return n;
  return n / d;
}
double Remainder(double a, double b) {
  const int32_t n = Int(a), d = Int(b);
  if (d == 0) return n;
  if (n == INT32_MIN && d == -1) return 0;
  return n % d;
}
double Shift(double a, double k) { return Int(a) >> Int(k); }
double SourceRead(double, double) { return 0; }  // no source image is ever loaded

double Sine(double a) { return sineTable[Int(a) & 255]; }
double Cosine(double a) { return cosineTable[Int(a) & 255]; }
double Absolute(double a) { return a < 0 ? -a : a; }
double Peg(double a) { return a < 0 ? 0 : a > 255 ? 255 : Int(a); }
double Saw(double a) { return (2u * static_cast<uint32_t>(Int(a))) & 255; }
double Triangle(double a) {
  const int32_t t = Int(a) & 255;
  return t < 128 ? 2 * t : 255 - ((2 * t) & 255);
}
double Sound(double a) { return soundWaveform[2 * (Int(a) & 255)]; }
double SoundRight(double a) { return soundWaveform[2 * (Int(a) & 255) + 1]; }
double Tan(double a) { return TanRoutine(Int(a)); }
double Asin(double a) { return AsinRoutine(Int(a)); }
double Acos(double a) { return AcosRoutine(Int(a)); }
double Atan(double a) { return AtanRoutine(Int(a)); }
double Dsin(double a) { return DsinRoutine(Int(a)); }
double Decay(double a) { return DecayRoutine(Int(a)); }
double Exp(double a) { return ExpRoutine(Int(a)); }
double Rand(double a) { return RandRoutine(Int(a)); }
double Sqrt(double a) { return SqrtRoutine(Int(a)); }
double Fft(double a) { return FftRoutine(Int(a)); }
double Vol(double a) { return VolRoutine(Int(a)); }
double Theta(double a, double b) { return ThetaRoutine(Int(a), Int(b), passContext); }
double Rad(double a, double b) { return RadRoutine(Int(a), Int(b), passContext); }
double Pal(double a, double b, double x) { return PalRoutine(Int(a), Int(b), Int(x), passContext); }

void DefineCallbacks(mu::Parser& parser) {
  parser.DefineOprt("%", Remainder, mu::prMUL_DIV);
  parser.DefineFun("div", Divide);
  parser.DefineFun("sar", Shift);
  parser.DefineFun("source", SourceRead);
  parser.DefineFun("sin", Sine);
  parser.DefineFun("cos", Cosine);
  parser.DefineFun("abs", Absolute);
  parser.DefineFun("peg", Peg);
  parser.DefineFun("saw", Saw);
  parser.DefineFun("tri", Triangle);
  parser.DefineFun("tan", Tan);
  parser.DefineFun("asin", Asin);
  parser.DefineFun("acos", Acos);
  parser.DefineFun("atan", Atan);
  parser.DefineFun("dsin", Dsin);
  parser.DefineFun("decay", Decay);
  parser.DefineFun("exp", Exp);
  parser.DefineFun("rand", Rand, false);  // a draw each call: never folded
  parser.DefineFun("sqrt", Sqrt);
  parser.DefineFun("fft", Fft, false);    // the music changes between frames
  parser.DefineFun("vol", Vol, false);
  parser.DefineFun("snd", Sound, false);
  parser.DefineFun("sndl", Sound, false);
  parser.DefineFun("sndr", SoundRight, false);
  parser.DefineFun("theta", Theta, false);  // the centre comes with the pass
  parser.DefineFun("rad", Rad, false);
  parser.DefineFun("pal", Pal, false);
}

class TextPrinter {
 public:
  explicit TextPrinter(const SymbolTable& symbols) : symbols(symbols) {}

  std::string Of(const ExprNode* node) {
    const ExprKind kind = Descriptor(node->kind).base;
    const ExprNode* const* c = node->child;
    switch (kind) {
      case ExprKind::Const: return "(" + std::to_string(node->value) + ")";
      case ExprKind::Var: return symbols.At(node->symbol).name;
      case ExprKind::Add: return Infix("+", node);
      case ExprKind::Sub: return Infix("-", node);
      case ExprKind::Mul: return Infix("*", node);
      case ExprKind::Div: return Division(node);
      case ExprKind::Mod: return Infix("%", node);
      case ExprKind::Lt: return Infix("<", node);
      case ExprKind::Gt: return Infix(">", node);
      case ExprKind::Eq: return Infix("==", node);
      case ExprKind::Le: return Infix("<=", node);
      case ExprKind::Ge: return Infix(">=", node);
      case ExprKind::Ne: return Infix("!=", node);
      case ExprKind::Pow: return Infix("^", node);
      case ExprKind::Assign: return Of(c[1]);
      case ExprKind::Bracket: case ExprKind::Brace: return "source(" + Of(c[0]) + "," + Of(c[1]) + ")";
      case ExprKind::Cond: return "(" + Of(c[2]) + "!=0?" + Of(c[0]) + ":" + Of(c[1]) + ")";
      case ExprKind::Call: return Call(node);
      case ExprKind::Neg: return "(-" + Of(c[0]) + ")";
      default: return "0";
    }
  }

 private:
  std::string Infix(const char* op, const ExprNode* node) {
    return "(" + Of(node->child[0]) + op + Of(node->child[1]) + ")";
  }

  std::string Division(const ExprNode* node) {
    const ExprNode* right = node->child[1];
    if (right->kind == ExprKind::Const) {
      for (int shift = 0; shift <= 4; ++shift) {
        if (right->value == (1 << shift)) return "sar(" + Of(node->child[0]) + "," + std::to_string(shift) + ")";
      }
    }
    return "div(" + Of(node->child[0]) + "," + Of(right) + ")";
  }

  std::string Call(const ExprNode* node) {
    const Symbol& function = symbols.At(node->symbol);
    std::string text = std::string(function.name) + "(";
    int count = 0;
    for (const ExprNode* link = node->child[0]; link != nullptr; link = link->child[1], ++count)
      text += (count ? "," : "") + Of(link->child[0]);
    if (function.builtin == kBuiltinPal) text += count == 1 ? ",0,x" : ",x";
    return text + ")";
  }

  const SymbolTable& symbols;
};

}  // namespace

std::string PeerText(const Statement& statement) {
  return TextPrinter(*statement.symbols).Of(statement.tree->Root());
}

struct PeerEngine::Compiled {
  mu::Parser parser;
  std::vector<std::vector<double>> variables;  // one array of points per used variable
  std::vector<int32_t> slots;                   // the variables' slots, -1 for x and y
  std::vector<const char*> names;
  std::vector<double> results;
  int points = 0;  // of the pass that filled x and y
};

PeerEngine::PeerEngine() {
  // Debian's muParser spreads a bulk evaluation over threads; the plug-in
  // renders on one.
  omp_set_num_threads(1);
}

PeerEngine::~PeerEngine() = default;

bool PeerEngine::Add(const Statement& statement, std::string* error) {
  auto peer = std::make_unique<Compiled>();
  try {
    DefineCallbacks(peer->parser);
    for (const char* name : kVariableNames) {
      const int32_t index = statement.symbols->Lookup(name);
      // pal reads x even where the text does not.
      const bool coordinate = std::strcmp(name, "x") == 0 || std::strcmp(name, "y") == 0;
      if (index < 0 || (statement.symbols->At(index).useCount == 0 && !coordinate)) continue;
      peer->names.push_back(name);
      peer->slots.push_back(coordinate ? -1 : statement.symbols->At(index).slot);
      peer->variables.emplace_back();
    }
    peer->parser.SetExpr(PeerText(statement));
    for (size_t i = 0; i < peer->names.size(); ++i) {
      peer->variables[i].resize(65536);
      peer->parser.DefineVar(peer->names[i], peer->variables[i].data());
    }
    static const RenderContext idle{};
    passContext = &idle;
    peer->parser.Eval();  // parses now, not in the first timed pass
  } catch (const mu::Parser::exception_type& failure) {
    *error = failure.GetMsg() + " in " + failure.GetExpr();
    return false;
  }
  compiled[&statement] = std::move(peer);
  return true;
}

// The points in the order RunRows visits them: rows from the largest y
// down, and within a row groups of four. Like a careful user, the engine
// fills the arrays of x and y once and those of the other variables when
// their value changes.
void PeerEngine::RunPass(const Statement& statement, RenderContext& context) {
  Compiled& peer = *compiled.at(&statement);
  const int32_t columns = context.stride;
  const int points = columns * (context.height / context.step);
  const bool newShape = points != peer.points;
  peer.points = points;
  for (size_t v = 0; v < peer.names.size(); ++v) {
    std::vector<double>& values = peer.variables[v];
    const int32_t slot = peer.slots[v];
    if (slot >= 0) {
      const double value = context.slots[slot];
      if (newShape || values[0] != value) std::fill(values.begin(), values.begin() + points, value);
    } else if (newShape) {
      const bool isX = std::strcmp(peer.names[v], "x") == 0;
      for (int i = 0; i < points; ++i)
        values[i] = isX ? (i % columns) * context.step : context.height - context.step * (1 + i / columns);
    }
  }
  peer.results.resize(points);
  passContext = &context;
  peer.parser.Eval(peer.results.data(), points);
  for (int i = 0; i < points; ++i) context.out[i] = static_cast<uint8_t>(Int(peer.results[i]));
  context.out += points;
}

}  // namespace zorva::bench
