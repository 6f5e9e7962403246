#include "bench/grown_trees.h"

#include <memory>

#include "lang/parser.h"
#include "lang/symbol_table.h"

namespace zorva::bench {

namespace {

const char* const kLeaves[] = {"x", "y", "t", "xm", "x", "y", "3", "17", "128", "51"};
const char* const kOperators[] = {"+", "-", "*", "/", "%", "<", ">", "==", "<=", ">=", "<>", "+", "-", "*"};
const char* const kOneArgument[] = {"sin", "cos", "tan", "asin", "acos", "atan", "dsin", "decay", "abs", "exp",
                                    "peg", "sqrt", "snd", "sndl", "sndr", "fft", "vol", "saw", "tri"};
const char* const kTwoArguments[] = {"rad", "theta"};

template <typename T, size_t N>
constexpr size_t Count(const T (&)[N]) {
  return N;
}

class Grower {
 public:
  explicit Grower(uint32_t seed) : state(seed) {}

  // An expression of exactly `nodes` nodes, when nodes >= 1.
  std::string Expression(int nodes) {
    if (nodes <= 1) return kLeaves[Below(Count(kLeaves))];
    if (nodes == 2) return "-" + Expression(1);
    switch (Below(8)) {
      case 0: case 1: {  // f(a): the call, its argument link and a
        if (nodes < 3) break;
        return std::string(kOneArgument[Below(Count(kOneArgument))]) + "(" + Expression(nodes - 2) + ")";
      }
      case 2: {  // f(a,b): the call, two links, a and b
        if (nodes < 5) break;
        const int left = 1 + static_cast<int>(Below(nodes - 4));
        return std::string(kTwoArguments[Below(2)]) + "(" + Expression(left) + "," + Expression(nodes - 3 - left) + ")";
      }
      case 3: {  // c?a:b
        if (nodes < 4) break;
        const int condition = 1 + static_cast<int>(Below(nodes - 3));
        const int chosen = 1 + static_cast<int>(Below(nodes - 2 - condition));
        return "(" + Expression(condition) + "?" + Expression(chosen) + ":" +
               Expression(nodes - 1 - condition - chosen) + ")";
      }
      default: break;
    }
    const int left = 1 + static_cast<int>(Below(nodes - 2));
    return "(" + Expression(left) + kOperators[Below(Count(kOperators))] + Expression(nodes - 1 - left) + ")";
  }

 private:
  uint32_t Below(size_t n) {
    state = state * 1664525u + 1013904223u;
    return static_cast<uint32_t>((state >> 8) % n);
  }

  uint32_t state;
};

int CountTree(const ExprNode* node) {
  if (node == nullptr) return 0;
  if (node->kind == ExprKind::Const) return 1;
  return 1 + CountTree(node->child[0]) + CountTree(node->child[1]) + CountTree(node->child[2]);
}

}  // namespace

std::string GrownStatement(int nodes, uint32_t seed) { return Grower(seed).Expression(nodes); }

int CountNodes(const std::string& statement) {
  SymbolTable symbols;
  ErrorRecord errors;
  const char* cursor = statement.c_str();
  const std::unique_ptr<ExprTree> tree = ParseStatement(cursor, symbols, errors);
  return tree ? CountTree(tree->Root()) : 0;
}

}  // namespace zorva::bench
